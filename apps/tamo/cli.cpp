#include "cli.h"

#include "commands.h"
#include "controlchars.h"
#include "json.h"

#include "std/textroutines.h"
#include "store/doclocation.h"
#include "store/docreader.h"
#include "store/topicindex.h"

#include <QDir>
#include <QFileInfo>

#include <functional>
#include <map>

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

// The documentation file: --doc, else tamo.txw in the directory that ./tamoini.txt names,
// else in the current directory. Nothing is created.
bool findDocFile(const CliOptions &options, QString *path, QString *error)
{
    if (!options.docFile.isEmpty()) {
        *path = options.docFile;
        return true;
    }
    const DocLocation location = locateDocumentation(QDir::currentPath(), false);
    *error = location.error;
    *path = location.docPath;
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

CliResult cliFailure(const QString &message)
{
    CliResult r;
    r.exitCode = 2;
    r.error = QString::fromUtf8(escapeControls(message.toUtf8())); // messages quote file content
    return r;
}

QString usageText()
{
    return QStringLiteral(
        "Aufruf:\n"
        "  tamo topics [--doc DATEI] [--json]         alle Themen in alphabetischer Ordnung\n"
        "  tamo show   [--doc DATEI] [--json] NAME    ein Thema anzeigen\n"
        "  tamo prefix [--doc DATEI] [--json] TEXT    Themen, deren Name mit TEXT beginnt\n"
        "  tamo search [--doc DATEI] [--json] ANFRAGE Volltextsuche, beste Treffer zuerst\n"
        "  tamo check  [--doc DATEI] [--json]         Fehler und Fallen der Datei finden\n"
        "\n"
        "Ohne --doc wird tamo.txw in dem Verzeichnis gelesen, das die erste Zeile von\n"
        "./tamoini.txt nennt, sonst im aktuellen Verzeichnis.\n");
}

CliResult runTamo(const QStringList &arguments)
{
    CliOptions options;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == u"--help" || arg == u"-h") {
            CliResult r;
            r.out = usageText().toUtf8();
            return r;
        } else if (arg == u"--json") {
            options.json = true;
        } else if (arg == u"--doc") {
            if (i + 1 >= arguments.size())
                return failure(QStringLiteral("--doc braucht einen Dateinamen\n") + usageText());
            options.docFile = arguments.at(++i);
        } else if (arg.startsWith(u"--doc=")) {
            options.docFile = arg.mid(6);
        } else if (arg == u"--") {
            positional += arguments.mid(i + 1);
            break;
        } else if (arg.startsWith(u"--")) {
            return failure(QStringLiteral("unbekannte Option %1\n").arg(arg) + usageText());
        } else {
            positional += arg;
        }
    }
    if (positional.isEmpty())
        return failure(usageText());
    options.command = positional.takeFirst();
    const auto it = commands().find(options.command);
    if (it == commands().end())
        return failure(QStringLiteral("unbekannter Befehl %1\n").arg(options.command) +
                       usageText());
    const Command &command = it->second;
    if (positional.size() != (command.takesArgument ? 1 : 0))
        return failure(QStringLiteral("falsche Zahl von Argumenten\n") + usageText());
    if (command.takesArgument)
        options.argument = positional.first();

    QString path;
    QString error;
    if (!findDocFile(options, &path, &error))
        return failure(error);
    const QFileInfo info(path);
    const QString shown = elidedForMessage(path); // it may come from tamoini.txt
    if (!info.exists())
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

} // namespace tamo
