// quarntamo: the viewer. Starting it opens the splash window; everything else follows from
// the splash window's countdown. Closing the main window ends the program.
//
// quarntamo [DIRECTORY | FILE]: without an argument the documentation is found from the
// working directory (tamoini.txt, else tamo.txw there). A directory is made the working
// directory first, so the same lookup starts there; the desktop entry starts the viewer in the
// installed documentation's directory the same way, by its Path key. A file is read as it is.

#include "shell/mainwindow.h"
#include "shell/splashwindow.h"
#include "shell/startup.h"
#include "std/streamoutput.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstring>
#include <optional>

namespace {

const char kHelp[] =
    "Aufruf: quarntamo [VERZEICHNIS | DATEI]\n"
    "Zeigt die Referenz der Programmiersprache Quarn an.\n"
    "\n"
    "Ohne Argument wird tamo.txw in dem Verzeichnis gelesen, das die erste Zeile von\n"
    "./tamoini.txt nennt, sonst im aktuellen Verzeichnis; fehlt eine der beiden Dateien, wird\n"
    "sie leer angelegt.\n"
    "  VERZEICHNIS  so lesen, als wäre VERZEICHNIS das aktuelle Verzeichnis\n"
    "  DATEI        diese Dokumentationsdatei lesen; ihre Bilder liegen in ihrem Verzeichnis\n"
    "  --help       diese Hilfe zeigen\n"
    "  --version    die Version zeigen\n";

const char kVersion[] = "quarntamo (QuarnTamo) " QUARNTAMO_VERSION "\n";

int print(std::FILE *stream, const QByteArray &text, int exitCode)
{
    QString error;
    if (tamo::writeToStream(stream, text, &error))
        return exitCode;
    const QByteArray message =
        "quarntamo: Die Ausgabe kann nicht geschrieben werden: " + error.toUtf8() + '\n';
    tamo::writeToStream(stderr, message, &error);
    return 1;
}

int usageError(const QString &message)
{
    return print(stderr,
                 "quarntamo: " + message.toUtf8() +
                     "\nDen Aufruf zeigt \xE2\x80\x9Equarntamo --help\xE2\x80\x9C.\n",
                 2);
}

// --help and --version, answered before the application object exists: they need no display
// and touch no file.
std::optional<int> answerInformationRequest(int argc, char **argv)
{
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h"))
            return print(stdout, kHelp, 0);
        if (!std::strcmp(argv[i], "--version"))
            return print(stdout, kVersion, 0);
    }
    return std::nullopt;
}

// A documentation argument that cannot be used: on stderr and, for whoever opened the file
// from a file manager, in a message box.
int documentationProblem(const QString &message)
{
    const int code = usageError(message);
    tamo::showStartupProblem(message);
    return code;
}

// The documentation named on the command line (the application has taken out the options
// that are its own): a directory becomes the working directory; a file is returned for the
// main window. Returns an exit code where the arguments cannot be used.
std::optional<int> takeDocumentationArgument(QStringList arguments, QString *docFile)
{
    if (!arguments.isEmpty() && arguments.first() == u"--")
        arguments.removeFirst();
    else if (!arguments.isEmpty() && arguments.first().startsWith(u'-'))
        return usageError(QStringLiteral("unbekannte Option %1").arg(arguments.first()));
    if (arguments.isEmpty())
        return std::nullopt;
    if (arguments.size() > 1)
        return usageError(QStringLiteral("nur ein Verzeichnis oder eine Datei angeben"));
    const QFileInfo info(arguments.first());
    if (info.isDir()) {
        if (QDir::setCurrent(info.absoluteFilePath()))
            return std::nullopt;
        return documentationProblem(QStringLiteral("In das Verzeichnis \u201E%1\u201C kann nicht "
                                                   "gewechselt werden.")
                                        .arg(info.filePath()));
    }
    // Any other file that exists goes to the main window, which says why it cannot be read.
    if (info.exists()) {
        *docFile = info.absoluteFilePath();
        return std::nullopt;
    }
    return documentationProblem(
        QStringLiteral("\u201E%1\u201C gibt es nicht.").arg(info.filePath()));
}

} // namespace

int main(int argc, char **argv)
{
    tamo::holdClosedStandardStreams();
    if (const std::optional<int> code = answerInformationRequest(argc, argv))
        return *code;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuarnTamo"));
    QApplication::setApplicationVersion(QStringLiteral(QUARNTAMO_VERSION));
    // The installed desktop entry, named after the application's component id.
    QApplication::setDesktopFileName(QStringLiteral("io.github.quarntamo.QuarnTamo"));
    tamo::loadQtTranslations();
    QString docFile;
    if (const std::optional<int> code =
            takeDocumentationArgument(QApplication::arguments().mid(1), &docFile))
        return *code;
    tamo::prepareShell();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quarntamo/icon.png")));

    tamo::SplashWindow splash([docFile] {
        auto *window = new tamo::MainWindow;
        if (!docFile.isEmpty())
            window->setDocumentationFile(docFile);
        return window;
    });
    splash.show();
    const int code = app.exec();
    delete splash.mainWindow();
    return code;
}
