// quarntamo: the viewer. Starting it opens the splash window; everything else follows from
// the splash window's countdown. Closing the main window ends the program.

#include "shell/mainwindow.h"
#include "shell/splashwindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuarnTamo"));
    QApplication::setDesktopFileName(QStringLiteral("quarntamo"));
    tamo::prepareShell();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quarntamo/icon.png")));

    tamo::SplashWindow splash([] { return new tamo::MainWindow; });
    splash.show();
    const int code = app.exec();
    delete splash.mainWindow();
    return code;
}
