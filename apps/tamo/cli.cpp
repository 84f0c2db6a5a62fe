#include "cli.h"

#include "commands.h"
#include "json.h"

#include "std/controlchars.h"
#include "std/textroutines.h"
#include "store/doclocation.h"
#include "store/docreader.h"
#include "store/regularfile.h"
#include "store/topicindex.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <map>
#include <optional>

namespace tamo {

namespace {

struct Command {
    bool takesArgument;
    std::function<CliResult(const CliOptions &, Documentation &)> run;
    const char16_t *synopsis; // the call after "tamo", as in the short help
    const char16_t *summary;  // what the command prints, for its own help
};

// A wrong call: what is wrong, and where the right calls are listed.
CliResult usageFailure(const QString &message)
{
    return cliFailure(message + QStringLiteral("\nDie Befehle zeigt \u201Etamo --help\u201C."));
}

// The documentation file: --doc, else as locateCommandLineDocumentation() finds it, lastly
// installed beside the program. Nothing is created.
bool findDocFile(const CliOptions &options, QString *path, QString *error)
{
    const DocLocation location = locateCommandLineDocumentation(
        options.docFile, QDir::currentPath(), installedDocDirectory(programDirectory()));
    *error = location.error;
    *path = options.docFile.isEmpty() ? location.docPath : options.docFile;
    return location.error.isEmpty();
}

} // namespace

namespace {

const std::map<QString, Command> &commands()
{
    static const std::map<QString, Command> table = {
        {QStringLiteral("topics"),
         {false, topicsCommand, u"topics [--doc DATEI] [--json]",
          u"Gibt alle Themen in alphabetischer Ordnung aus, eines je Zeile."}},
        {QStringLiteral("show"),
         {true, showCommand, u"show [--doc DATEI] [--json] NAME",
          u"Gibt das Thema NAME so aus, wie der Betrachter es zeigt: Name, Text und\n"
          u"verwandte Themen. Ein fehlendes Thema wird wie im Betrachter gezeigt\n"
          u"(R\u00FCckgabewert 1)."}},
        {QStringLiteral("prefix"),
         {true, prefixCommand, u"prefix [--doc DATEI] [--json] TEXT",
          u"Gibt die Themen aus, deren Name mit TEXT beginnt (Gro\u00DF- und\n"
          u"Kleinschreibung egal)."}},
        {QStringLiteral("search"),
         {true, searchCommand, u"search [--doc DATEI] [--json] ANFRAGE",
          u"Durchsucht den ganzen Text und gibt die Themen mit ihren Punkten aus, beste\n"
          u"Treffer zuerst. Ein Wort in doppelten Anf\u00FChrungszeichen findet auf\n"
          u"\u00DCberschriftszeilen auch \u00E4hnliche Schreibweisen."}},
        {QStringLiteral("check"),
         {false, checkCommand, u"check [--doc DATEI] [--json]",
          u"Findet die Fehler und Fallen der Dokumentationsdatei, je Zeile einen in der\n"
          u"Form DATEI:ZEILE: error|warning: MELDUNG (R\u00FCckgabewert 1 bei einem Fehler)."}},
    };
    return table;
}

} // namespace

QString cliMessage(const QString &message)
{
    return QString::fromUtf8(escapeControls(message.toUtf8()));
}

CliResult cliFailure(const QString &message)
{
    CliResult r;
    r.exitCode = 2;
    r.error = cliMessage(message);
    return r;
}

QString programDirectory()
{
    // Linux names the running binary here, with its links resolved.
    static const QString fromSystem = [] {
        const QString binary = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
        return binary.isEmpty() ? QString() : QFileInfo(binary).absolutePath();
    }();
    if (!fromSystem.isEmpty() || !QCoreApplication::instance())
        return fromSystem;
    return QCoreApplication::applicationDirPath();
}

QString usageText()
{
    const QString text = QStringLiteral(
        "Aufruf:\n"
        "  tamo topics [--doc DATEI] [--json]         alle Themen in alphabetischer Ordnung\n"
        "  tamo show   [--doc DATEI] [--json] NAME    ein Thema anzeigen\n"
        "  tamo prefix [--doc DATEI] [--json] TEXT    Themen, deren Name mit TEXT beginnt\n"
        "  tamo search [--doc DATEI] [--json] ANFRAGE Volltextsuche, beste Treffer zuerst\n"
        "  tamo check  [--doc DATEI] [--json]         Fehler und Fallen der Datei finden\n"
        "  tamo BEFEHL --help                         die Hilfe zu einem Befehl\n"
        "  tamo --help | --version\n"
        "\n"
        "Ohne --doc wird tamo.txw in dem Verzeichnis gelesen, das die erste Zeile von\n"
        "./tamoini.txt nennt, sonst im aktuellen Verzeichnis, sonst die installierte\n"
        "Dokumentation in %1.\n"
        "\n"
        "R\u00FCckgabewert: 0 bei Erfolg; 1, wenn ein Thema fehlt, check einen Fehler\n"
        "findet oder die Ausgabe nicht geschrieben werden kann; 2 bei falschem Aufruf\n"
        "oder wenn die Datei fehlt oder nicht lesbar ist.\n"
        "\n");
    return text.arg(installedDocDirectory(programDirectory())) + bugReportText();
}

QString shortUsageText()
{
    QString text = QStringLiteral("Aufruf:\n");
    for (const char *name : {"topics", "show", "prefix", "search", "check"}) {
        const Command &command = commands().at(QString::fromLatin1(name));
        text += QStringLiteral("  tamo %1\n").arg(QString::fromUtf16(command.synopsis));
    }
    return text + QStringLiteral("Mehr zeigt \u201Etamo --help\u201C.\n");
}

QString commandHelpText(const QString &name)
{
    const auto it = commands().find(name);
    if (it == commands().end())
        return usageText();
    const Command &command = it->second;
    return QStringLiteral("Aufruf: tamo %1\n%2\n\n"
                          "  --doc DATEI  diese Dokumentationsdatei lesen\n"
                          "  --json       JSON statt Text ausgeben\n"
                          "  -h, --help   diese Hilfe zeigen\n"
                          "  --           alles Weitere ist kein Schalter, auch wenn es mit - "
                          "beginnt\n\n")
               .arg(QString::fromUtf16(command.synopsis), QString::fromUtf16(command.summary)) +
           bugReportText();
}

QString bugReportText()
{
    return QStringLiteral("Fehler bitte an <dev@quarntamo.invalid> melden.\n");
}

QString versionText()
{
    return QStringLiteral("tamo (QuarnTamo) " QUARNTAMO_VERSION "\n"
                          "Copyright (C) 2026 QuarnTamo developers\n"
                          "Lizenz: MIT (Expat) <https://opensource.org/license/mit>\n"
                          "Dies ist freie Software: Sie d\u00FCrfen sie \u00E4ndern und "
                          "weitergeben.\n"
                          "Es gibt KEINE GARANTIE, soweit das Gesetz es zul\u00E4sst.\n");
}

std::optional<CliResult> parseArguments(const QStringList &arguments, CliOptions &options)
{
    QStringList positional;
    // Help and version win over everything else on the line (before --); of the wrong
    // options the first is reported.
    bool help = false, version = false;
    QString wrongCall;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == u"--help" || arg == u"-h") {
            help = true;
        } else if (arg == u"--version") {
            version = true;
        } else if (arg == u"--json") {
            options.json = true;
        } else if (arg == u"--doc") {
            if (i + 1 >= arguments.size()) {
                if (wrongCall.isEmpty())
                    wrongCall = QStringLiteral("--doc braucht einen Dateinamen");
            } else {
                options.docFile = arguments.at(++i);
            }
        } else if (arg.startsWith(u"--doc=")) {
            options.docFile = arg.mid(6);
        } else if (arg == u"--") {
            positional += arguments.mid(i + 1);
            break;
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            // "-" alone is an ordinary argument; any other word starting with - is an option
            // this program does not know (a name starting with - follows --).
            if (wrongCall.isEmpty())
                wrongCall = QStringLiteral("unbekannte Option %1").arg(arg);
        } else {
            positional += arg;
        }
    }
    if (version || help) {
        CliResult r;
        r.out = (version ? versionText() : commandHelpText(positional.value(0))).toUtf8();
        return r;
    }
    if (!wrongCall.isEmpty())
        return usageFailure(wrongCall);
    if (arguments.isEmpty()) {
        // Called bare: what the program does and how to call it, still a wrong call.
        return cliFailure(QStringLiteral("kein Befehl angegeben\n") + shortUsageText());
    }
    if (positional.isEmpty())
        return usageFailure(QStringLiteral("kein Befehl angegeben"));
    options.command = positional.takeFirst();
    const auto it = commands().find(options.command);
    if (it == commands().end())
        return usageFailure(QStringLiteral("unbekannter Befehl %1").arg(options.command));
    const Command &command = it->second;
    if (positional.size() != (command.takesArgument ? 1 : 0))
        return usageFailure(QStringLiteral("falsche Zahl von Argumenten"));
    if (command.takesArgument)
        options.argument = positional.first();
    return std::nullopt;
}

CliResult runCommand(const CliOptions &options)
{
    const auto it = commands().find(options.command);
    if (it == commands().end())
        return usageFailure(QStringLiteral("unbekannter Befehl %1").arg(options.command));
    const Command &command = it->second;

    QString path;
    QString error;
    if (!findDocFile(options, &path, &error))
        return cliFailure(error);
    const QFileInfo info(path);
    const QString shown = elidedForMessage(path); // it may come from tamoini.txt
    if (nothingAt(path)) // a link that leads nowhere or in a circle is reported as such below
        return cliFailure(QStringLiteral("%1: Datei nicht gefunden").arg(shown));
    if (info.isDir())
        return cliFailure(QStringLiteral("%1: ist ein Verzeichnis").arg(shown));

    Documentation doc;
    doc.path = path;
    if (!doc.reader.open(path, &error))
        return cliFailure(QStringLiteral("%1: %2").arg(shown, error));
    CliResult result = command.run(options, doc);
    if (!options.json)
        result.out = escapeControls(result.out);
    return result;
}

CliResult runTamo(const QStringList &arguments)
{
    CliOptions options;
    if (std::optional<CliResult> answer = parseArguments(arguments, options))
        return *answer;
    return runCommand(options);
}

} // namespace tamo
