#include "picturecheck.h"

#include "store/regularfile.h"
#include "viewer/picturelimit.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

tamo::PictureStatus probePictureFile(const QString &path)
{
    using tamo::PictureStatus;
    if (!QFileInfo::exists(path))
        return PictureStatus::Missing;
    // As the viewer: only a regular file is read, so a pipe named as a picture cannot block.
    QFile file;
    if (!tamo::openRegularFile(file, path))
        return QFileInfo(path).isFile() ? PictureStatus::Unreadable : PictureStatus::NotAFile;
    QImageReader reader(&file);
    reader.setAllocationLimit(tamo::kPictureMemoryLimitMB);
    const QSize size = reader.size();
    if (size.isValid() && tamo::exceedsPictureLimit(size.width(), size.height()))
        return PictureStatus::TooLarge;
    // Decode the whole picture: a damaged file may still tell its size.
    const QImage image = reader.read();
    if (!image.isNull() && image.width() > 0 && image.height() > 0)
        return PictureStatus::Ok;
    // The allocation limit also refuses pictures of more than four bytes per pixel below the
    // pixel count limit (up to eight bytes, for 16 bits per channel).
    if (size.isValid() && tamo::exceedsPictureLimit(2 * qint64(size.width()), size.height()))
        return PictureStatus::TooLarge;
    return PictureStatus::Unreadable;
}
