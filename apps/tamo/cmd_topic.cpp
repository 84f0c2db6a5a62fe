#include "commands.h"

#include "json.h"
#include "output.h"

#include "std/textroutines.h"
#include "store/docreader.h"
#include "store/topicindex.h"
#include "viewer/topicreader.h"

namespace tamo {

// tamo topics: every topic in the index's order, with its heading's position in --json.
CliResult topicsCommand(const CliOptions &options, Documentation &doc)
{
    const TopicIndex &index = doc.index();
    CliResult result;
    QByteArray &out = result.out;
    out.reserve(index.count() * 40);
    if (options.json) {
        out += "{\"topics\":";
        // The index is two parallel lists: the positions go along with the names.
        qsizetype i = 0;
        json::appendArray(out, index.names, [&index, &i](QByteArray &o, const QString &name) {
            o += "{\"name\":";
            json::appendString(o, name);
            o += ",\"position\":" + QByteArray::number(index.positions.at(i++)) + '}';
        });
        out += "}\n";
    } else {
        for (const QString &name : index.names) {
            output::appendUtf8(out, name);
            out += '\n';
        }
    }
    return result;
}

// tamo show NAME: the topic as the viewer shows it right after loading: its title, its text,
// its full text with picture lines, and its related topics in the list's order. A topic not
// found is shown as the viewer shows it, with exit code 1.
CliResult showCommand(const CliOptions &options, Documentation &doc)
{
    const TopicContent topic = readTopic(doc.reader, doc.index(), options.argument);
    const QStringList &related = topic.related;

    CliResult result;
    if (!topic.found) {
        result.exitCode = 1;
        // The name comes from the command line: escaped as every message is.
        result.error = cliMessage(QStringLiteral("Kein Thema hei\u00DFt \u201E%1\u201C.")
                                      .arg(elidedForMessage(options.argument)));
    }
    QByteArray &out = result.out;
    if (options.json) {
        out += "{\"title\":";
        json::appendString(out, topic.title);
        out += ",\"text\":";
        json::appendString(out, topic.shownText);
        out += ",\"fullText\":";
        json::appendString(out, topic.fullText);
        out += ",\"related\":";
        json::appendStringArray(out, related);
        out += topic.found ? ",\"found\":true}\n" : ",\"found\":false}\n";
        return result;
    }
    out += topic.title.toUtf8() + "\n\n";
    QString text = topic.shownText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out += text.toUtf8();
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        out += '\n';
    if (!related.isEmpty()) {
        out += "\nVerwandte Themen:\n";
        for (const QString &r : related)
            out += "  " + r.toUtf8() + '\n';
    }
    return result;
}

// tamo prefix TEXT: the topic list after typing TEXT into the query box.
CliResult prefixCommand(const CliOptions &options, Documentation &doc)
{
    const QStringList names = doc.index().namesStartingWith(options.argument);
    CliResult result;
    QByteArray &out = result.out;
    if (options.json) {
        out += "{\"topics\":";
        json::appendStringArray(out, names);
        out += "}\n";
    } else {
        for (const QString &name : names) {
            output::appendUtf8(out, name);
            out += '\n';
        }
    }
    return result;
}

} // namespace tamo
