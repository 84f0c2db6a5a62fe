// quarntamo: the viewer. Starting it opens the splash window; everything else follows from
// the splash window's countdown. Closing the main window ends the program.
//
// quarntamo [DIRECTORY | FILE | LINK | --topic NAME | --search QUERY]: without an argument the
// documentation is found from the working directory (tamoini.txt, else tamo.txw there). A
// directory is made the working directory first, so the same lookup starts there; the desktop
// entry starts the viewer in the installed documentation's directory the same way, by its
// Path key. A file is read as it is.
//
// Where a viewer already runs in the session, the start hands its request over on the
// session bus (viewerservice.h) and ends; else it becomes that viewer.

#include "shell/mainwindow.h"
#include "shell/splashwindow.h"
#include "shell/startup.h"
#include "shell/viewerservice.h"
#include "std/controlchars.h"
#include "std/streamoutput.h"
#include "store/doclocation.h"
#include "viewer/viewrequest.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstring>
#include <optional>

namespace {

const char kHelp[] =
    "Aufruf: quarntamo [VERZEICHNIS | DATEI | VERWEIS]\n"
    "       quarntamo --topic THEMA\n"
    "       quarntamo --search ANFRAGE\n"
    "Zeigt die Referenz der Programmiersprache Quarn an.\n"
    "\n"
    "Ohne Argument wird tamo.txw in dem Verzeichnis gelesen, das die erste Zeile von\n"
    "./tamoini.txt nennt, sonst im aktuellen Verzeichnis; fehlt eine der beiden Dateien, wird\n"
    "sie leer angelegt.\n"
    "  VERZEICHNIS       so lesen, als wäre VERZEICHNIS das aktuelle Verzeichnis\n"
    "  DATEI             diese Dokumentationsdatei lesen; ihre Bilder liegen in ihrem\n"
    "                    Verzeichnis\n"
    "  VERWEIS           quarntamo:THEMA zeigt ein Thema, quarntamo:?suche=ANFRAGE sucht\n"
    "                    (UTF-8, Sonderzeichen als %XX)\n"
    "  --topic THEMA     das Thema THEMA zeigen, wie ein verwandtes Thema\n"
    "  --search ANFRAGE  die Volltextsuche nach ANFRAGE ausführen, wie Enter im Suchfeld\n"
    "  --help            diese Hilfe zeigen\n"
    "  --version         die Version zeigen\n"
    "\n"
    "Läuft schon ein Betrachter, übernimmt sein Fenster die Anfrage und kommt nach vorn;\n"
    "der neue Aufruf endet sofort (Exit-Code 0, 1 wenn das Thema fehlt oder der Betrachter\n"
    "die Anfrage ablehnt). Thema oder Suche ohne laufenden Betrachter lesen die installierte\n"
    "Dokumentation, wenn das aktuelle Verzeichnis weder tamoini.txt noch tamo.txw hat.\n";

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
    // Messages quote arguments, which a link or a file manager may have passed on from anyone.
    return print(stderr,
                 "quarntamo: " + tamo::escapeControls(message.toUtf8(), tamo::LineBreaks::Escaped) +
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

// The documentation named on the command line, made absolute. Returns an exit code where
// there is nothing of that name.
std::optional<int> checkDocumentationArgument(tamo::ViewRequest *request)
{
    const QFileInfo info(request->text);
    if (info.exists()) {
        request->text = info.absoluteFilePath();
        return std::nullopt;
    }
    return documentationProblem(
        QStringLiteral("\u201E%1\u201C gibt es nicht.").arg(info.filePath()));
}

// Where this start reads the documentation: a directory given becomes the working directory;
// any other file given is returned for the main window, which says why it cannot be read
// where it cannot. A topic or search asked for from a directory without documentation (an
// editor's project, the home directory of a link) reads the installed documentation, as the
// menu entry does, rather than create files there.
std::optional<int> enterDocumentation(const tamo::ViewRequest &request, QString *docFile)
{
    using Kind = tamo::ViewRequest::Kind;
    if (request.kind == Kind::Documentation) {
        const QFileInfo info(request.text);
        if (!info.isDir()) {
            *docFile = info.absoluteFilePath();
            return std::nullopt;
        }
        if (QDir::setCurrent(info.absoluteFilePath()))
            return std::nullopt;
        return documentationProblem(QStringLiteral("In das Verzeichnis \u201E%1\u201C kann nicht "
                                                   "gewechselt werden.")
                                        .arg(info.filePath()));
    }
    if (request.kind == Kind::Topic || request.kind == Kind::Search) {
        const QDir start = QDir::current();
        const QString installed =
            tamo::installedDocDirectory(QCoreApplication::applicationDirPath());
        if (!start.exists(QString::fromLatin1(tamo::kSettingsFileName)) &&
            !start.exists(QString::fromLatin1(tamo::kDocFileName)) &&
            QFileInfo(QDir(installed).filePath(QString::fromLatin1(tamo::kDocFileName))).isFile())
            QDir::setCurrent(installed);
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char **argv)
{
    tamo::holdClosedStandardStreams();
    if (const std::optional<int> code = answerInformationRequest(argc, argv))
        return *code;

    // Taken before the toolkit takes it: a start that hands over passes it on.
    const QByteArray activationToken = tamo::launcherActivationToken();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuarnTamo"));
    QApplication::setApplicationVersion(QStringLiteral(QUARNTAMO_VERSION));
    // The installed desktop entry, named after the application's component id.
    QApplication::setDesktopFileName(QStringLiteral("io.github.quarntamo.QuarnTamo"));
    tamo::loadQtTranslations();
    tamo::ViewRequest request = tamo::parseStartArguments(QApplication::arguments().mid(1));
    if (!request.error.isEmpty())
        return usageError(request.error);
    if (request.kind == tamo::ViewRequest::Kind::Documentation) {
        if (const std::optional<int> code = checkDocumentationArgument(&request))
            return *code;
    }

    // One viewer per session: a running one takes the request, and this start ends.
    tamo::ViewerService service;
    const tamo::StartOutcome outcome = service.start(request, activationToken);
    if (!outcome.message.isEmpty())
        print(stderr, "quarntamo: " + outcome.message.toUtf8() + '\n', 0);
    if (outcome.handedOver)
        return outcome.exitCode;

    QString docFile;
    if (const std::optional<int> code = enterDocumentation(request, &docFile))
        return *code;
    if (request.kind == tamo::ViewRequest::Kind::Topic ||
        request.kind == tamo::ViewRequest::Kind::Search)
        service.requestAtStart(request);
    tamo::prepareShell();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quarntamo/icon.png")));

    tamo::SplashWindow splash([docFile, &service] {
        auto *window = new tamo::MainWindow;
        if (!docFile.isEmpty())
            window->setDocumentationFile(docFile);
        QObject::connect(window, &tamo::MainWindow::loaded, &service,
                         [window, &service] { service.setWindow(window); });
        return window;
    });
    splash.show();
    const int code = app.exec();
    delete splash.mainWindow();
    return code;
}
