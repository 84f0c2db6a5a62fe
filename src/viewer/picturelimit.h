#pragma once

#include <QtGlobal>

namespace tamo {

// Pictures are refused rather than allocated beyond this many megabytes: a small file can
// declare a huge image. Both the decoder's allocation limit and the pixel count test below use
// it, so the viewer and the documentation check refuse the same pictures.
inline constexpr int kPictureMemoryLimitMB = 256;

// True when a picture of this size would need more than the limit at four bytes per pixel.
inline bool exceedsPictureLimit(qint64 width, qint64 height)
{
    return width * height > qint64(kPictureMemoryLimitMB) * 256 * 1024;
}

} // namespace tamo
