#pragma once

#include <QByteArrayView>

namespace tamo {

// The picture formats the viewer decodes. A picture file comes from anyone, and its name says
// nothing: the format is told by the file's first bytes, and anything else is not decoded,
// whatever image plugins the system has installed.
enum class PictureFormat { Unknown, Png, Jpeg, Gif, Bmp };

// The format whose signature the bytes begin with:
//   89 'P' 'N' 'G' CR LF 1A LF -> Png    FF D8 FF -> Jpeg    "GIF87a", "GIF89a" -> Gif
//   "BM" -> Bmp    anything else, an SVG or a TIFF included -> Unknown
PictureFormat pictureFormatOf(QByteArrayView firstBytes);

// The name Qt's image reader knows the format by ("png", "jpeg", "gif", "bmp"); empty for
// Unknown.
const char *readerFormatName(PictureFormat format);

} // namespace tamo
