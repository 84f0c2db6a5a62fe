#include "cli.h"

#include "commands.h"
#include "controlchars.h"
#include "json.h"

#include "std/textroutines.h"
#include "store/doclocation.h"
#include "store/docreader.h"
#include "store/regularfile.h"
#include "store/topicindex.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <functional>
#include <map>
#include <optional>

namespace tamo {

namespace {

struct Command {
    bool takesArgument;
    std::function<CliResult(const CliOptions &, Documentation &)> run;
};

CliResult failure(const QString &message)
{
    return cliFailure(message);
}

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
        options.docFile, QDir::currentPath(),
        installedDocDirectory(QCoreApplication::applicationDirPath()));
    *error = location.error;
    *path = options.docFile.isEmpty() ? location.docPath : options.docFile;
    return location.error.isEmpty();
}

} // namespace

CliResult topicsCommand(const CliOptions &options, Documentation &doc)
{
    const TopicIndex &index = doc.index();
    CliResult result;
    QByteArray &out = result.out;
    out.reserve(index.count() * 40);
    if (options.json) {
        out += "{\"topics\":[";
        for (qsizetype i = 0; i < index.count(); ++i) {
            if (i)
                out += ',';
            out += "{\"name\":";
            json::appendString(out, index.names.at(i));
            out += ",\"position\":";
            out += QByteArray::number(index.positions.at(i));
            out += '}';
        }
        out += "]}\n";
    } else {
        for (const QString &name : index.names) {
            out += name.toUtf8();
            out += '\n';
        }
    }
    return result;
}

namespace {

const std::map<QString, Command> &commands()
{
    static const std::map<QString, Command> table = {
        {QStringLiteral("topics"), {false, topicsCommand}},
        {QStringLiteral("show"), {true, showCommand}},
        {QStringLiteral("prefix"), {true, prefixCommand}},
        {QStringLiteral("search"), {true, searchCommand}},
        {QStringLiteral("check"), {false, checkCommand}},
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

QString usageText()
{
    const QString text = QStringLiteral(
        "Aufruf:\n"
        "  tamo topics [--doc DATEI] [--json]         alle Themen in alphabetischer Ordnung\n"
        "  tamo show   [--doc DATEI] [--json] NAME    ein Thema anzeigen\n"
        "  tamo prefix [--doc DATEI] [--json] TEXT    Themen, deren Name mit TEXT beginnt\n"
        "  tamo search [--doc DATEI] [--json] ANFRAGE Volltextsuche, beste Treffer zuerst\n"
        "  tamo check  [--doc DATEI] [--json]         Fehler und Fallen der Datei finden\n"
        "  tamo --help | --version\n"
        "\n"
        "Ohne --doc wird tamo.txw in dem Verzeichnis gelesen, das die erste Zeile von\n"
        "./tamoini.txt nennt, sonst im aktuellen Verzeichnis, sonst die installierte\n"
        "Dokumentation in %1.\n"
        "\n"
        "R\u00FCckgabewert: 0 bei Erfolg; 1, wenn ein Thema fehlt, check einen Fehler\n"
        "findet oder die Ausgabe nicht geschrieben werden kann; 2 bei falschem Aufruf\n"
        "oder wenn die Datei fehlt oder nicht lesbar ist.\n");
    return text.arg(installedDocDirectory(QCoreApplication::applicationDirPath()));
}

QString versionText()
{
    return QStringLiteral("tamo (QuarnTamo) " QUARNTAMO_VERSION "\n");
}

std::optional<CliResult> parseArguments(const QStringList &arguments, CliOptions &options)
{
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == u"--help" || arg == u"-h" || arg == u"--version") {
            CliResult r;
            r.out = (arg == u"--version" ? versionText() : usageText()).toUtf8();
            return r;
        } else if (arg == u"--json") {
            options.json = true;
        } else if (arg == u"--doc") {
            if (i + 1 >= arguments.size())
                return usageFailure(QStringLiteral("--doc braucht einen Dateinamen"));
            options.docFile = arguments.at(++i);
        } else if (arg.startsWith(u"--doc=")) {
            options.docFile = arg.mid(6);
        } else if (arg == u"--") {
            positional += arguments.mid(i + 1);
            break;
        } else if (arg.startsWith(u"--")) {
            return usageFailure(QStringLiteral("unbekannte Option %1").arg(arg));
        } else {
            positional += arg;
        }
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
        return failure(error);
    const QFileInfo info(path);
    const QString shown = elidedForMessage(path); // it may come from tamoini.txt
    if (nothingAt(path)) // a link that leads nowhere or in a circle is reported as such below
        return failure(QStringLiteral("%1: Datei nicht gefunden").arg(shown));
    if (info.isDir())
        return failure(QStringLiteral("%1: ist ein Verzeichnis").arg(shown));

    Documentation doc;
    doc.path = path;
    if (!doc.reader.open(path, &error))
        return failure(QStringLiteral("%1: %2").arg(shown, error));
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
