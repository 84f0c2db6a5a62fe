#pragma once

#include "store/doccheck.h"

#include <QImage>
#include <QString>

namespace tamo {

// A picture file as the viewer shows it and the documentation check judges it: both read
// pictures through here, so they show and refuse the same files.
struct LoadedPicture {
    PictureStatus status = PictureStatus::Missing;
    QImage image; // null unless status is Ok
};

// Reads the picture file at path, which comes from anyone:
// - only a regular file is read (regularfile.h), and at most as many bytes as the memory
//   limit of picturelimit.h allows a picture;
// - only PNG, JPEG, GIF and BMP are decoded, told by their first bytes (pictureformat.h), each
//   by its own decoder alone. No other installed image plugin ever sees the bytes: an SVG
//   named bild.png is refused, not drawn (drawing one can take minutes, and one with text
//   needs a GUI application object, without which tamo would abort);
// - a picture larger than the limit is refused before it is allocated;
// - what the decoders say about a broken file goes neither to stderr nor to the log.
// Call it from one thread at a time.
LoadedPicture loadPicture(const QString &path);

// The status alone, as the documentation check asks for it.
PictureStatus probePicture(const QString &path);

} // namespace tamo
