// quarntamo: the viewer. Starting it opens the splash window; everything else follows from
// the splash window's timer. Closing the main window ends the program.

#include "shell/form1.h"
#include "shell/formstart.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuarnTamo"));
    QApplication::setDesktopFileName(QStringLiteral("quarntamo"));
    initShellResources();
    installFontSubstitutes();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quarntamo/icon.png")));

    FormStart splash([] { return new Form1; });
    splash.show();
    const int code = app.exec();
    delete splash.mainWindow();
    return code;
}
