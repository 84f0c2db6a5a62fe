#include "viewer/windowplace.h"

namespace tamo {

namespace {

// One direction: centred where the length fits, else from the area's start.
int homeCoordinate(int length, int start, int areaLength)
{
    if (length > areaLength)
        return start;
    return start + (areaLength - length) / 2;
}

} // namespace

QPoint homeFramePosition(QSize frame, const QRect &available)
{
    return {homeCoordinate(frame.width(), available.left(), available.width()),
            homeCoordinate(frame.height(), available.top(), available.height())};
}

} // namespace tamo
