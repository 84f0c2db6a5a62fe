#include "viewer/pictureformat.h"

namespace tamo {

PictureFormat pictureFormatOf(QByteArrayView firstBytes)
{
    if (firstBytes.startsWith(QByteArrayView("\x89PNG\r\n\x1a\n", 8)))
        return PictureFormat::Png;
    if (firstBytes.startsWith(QByteArrayView("\xff\xd8\xff", 3)))
        return PictureFormat::Jpeg;
    if (firstBytes.startsWith("GIF87a") || firstBytes.startsWith("GIF89a"))
        return PictureFormat::Gif;
    if (firstBytes.startsWith("BM"))
        return PictureFormat::Bmp;
    return PictureFormat::Unknown;
}

const char *readerFormatName(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Png:
        return "png";
    case PictureFormat::Jpeg:
        return "jpeg";
    case PictureFormat::Gif:
        return "gif";
    case PictureFormat::Bmp:
        return "bmp";
    case PictureFormat::Unknown:
        break;
    }
    return "";
}

} // namespace tamo
