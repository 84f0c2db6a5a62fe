#pragma once

#include <QString>

namespace tamo {

// Loads Qt's own German texts (the text's context menu, the standard dialogs) from Qt's
// translations directory, so that they match the German windows. Returns false where Qt's
// translations are not installed: those texts then stay English.
bool loadQtTranslations();

// Shows a problem that ends the viewer before its window opens in a message box, titled as the
// main window's messages are: whoever started the viewer from a file manager or a menu has no
// terminal to read it in. Returns when the box is closed.
void showStartupProblem(const QString &text);

} // namespace tamo
