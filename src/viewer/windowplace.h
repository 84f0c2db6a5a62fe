#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tamo {

// Where the main window starts: the top left corner of its frame, centred on the screen's
// available area. Where the frame is taller or wider than the area, it starts at the area's
// top or left edge instead, so that its title bar and top left corner stay within reach and
// only its bottom or right part lies beyond the screen.
QPoint homeFramePosition(QSize frame, const QRect &available);

} // namespace tamo
