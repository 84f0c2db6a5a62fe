#pragma once

#include <QFont>

#include <functional>

class QWidget;

namespace tamo {

namespace layout {
struct Control;
}

// The clock of the windows: seconds since midnight, with fractions. Tests pass a fake one.
using Clock = std::function<double()>;
double systemClock();

// Prepares what the windows rely on, once per process: registers the pictures compiled into
// this library (splash picture, icon), which a static library must do before use, and maps
// the fonts the windows name to installed look-alikes. Every window calls it.
void prepareShell();

// The windows' default font: "MS Sans Serif" 8.25 pt, by its design name.
QFont defaultWindowFont();

// Gives a control its object name, place, caption (where the control shows one) and
// accessible name from the layout table.
void applyLayout(QWidget *control, const layout::Control &entry);

} // namespace tamo
