#pragma once

#include <QFont>

#include <functional>
#include <span>

class QMessageBox;
class QPushButton;
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
// accessible name from the layout table. Every label is made through here and shows plain
// text: what it is given later comes from files, and Qt would guess that text looking like
// HTML is HTML, drawing "<b>" bold and loading any file an "<img>" names.
void applyLayout(QWidget *control, const layout::Control &entry);

// A new control of the given class in parent, laid out by applyLayout().
template <typename Control> Control *makeControl(const layout::Control &entry, QWidget *parent)
{
    auto *control = new Control(parent);
    applyLayout(control, entry);
    return control;
}

// A push button laid out by applyLayout(); it never becomes a default button that Enter
// presses.
QPushButton *makeButton(const layout::Control &entry, QWidget *parent);

// Puts the controls named, found inside root, into the keyboard focus order one after the
// other, the first of them after previous (nullptr: the first keeps its place).
void applyTabOrder(QWidget *root, std::span<const char *const> names, QWidget *previous = nullptr);

// A name from a file (a topic name) as a control shows it: beyond 200 characters cut in the
// middle with "…", as messages quote files. A name of megabytes would otherwise be laid out
// for seconds, or shown blank. Lookups keep the whole name.
QString shownName(const QString &name);

// The message box of the windows: text and title shown as plain text, with nothing in them
// to click. Messages quote files and arguments, which may look like HTML or hold links.
QMessageBox *makeMessageBox(const QString &text, const QString &title, QWidget *parent);

} // namespace tamo
