#pragma once

#include <QString>

namespace tamo {

// Shows a problem that ends the viewer before its window opens in a message box, titled as the
// main window's messages are: whoever started the viewer from a file manager or a menu has no
// terminal to read it in. Returns when the box is closed.
void showStartupProblem(const QString &text);

} // namespace tamo
