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

// The windows' pictures (splash picture, icon) are compiled into this library; a static
// library must register them before use. Safe to call more than once.
void initShellResources();

// The fonts the windows name, mapped to installed look-alikes where they are missing.
void installFontSubstitutes();

// The windows' default font: "MS Sans Serif" 8.25 pt, by its design name.
QFont defaultWindowFont();

// Gives a control its object name, place, caption (where the control shows one) and
// accessible name from the layout table.
void applyLayout(QWidget *control, const layout::Control &spec);

} // namespace tamo
