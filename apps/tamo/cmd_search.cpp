#include "commands.h"

#include "json.h"
#include "output.h"

#include "search/topicsearch.h"
#include "store/topicindex.h"

namespace tamo {

// tamo search QUERY: the full-text search, best first. A query of blanks only lists every
// topic in index order with 0 points.
CliResult searchCommand(const CliOptions &options, Documentation &doc)
{
    const QList<RankedTopic> results = searchTopics(
        doc.path, options.argument, [&doc]() -> const TopicIndex & { return doc.index(); });

    CliResult result;
    QByteArray &out = result.out;
    out.reserve(results.size() * 40 + 16);
    if (options.json) {
        out += "{\"results\":";
        json::appendArray(out, results, [](QByteArray &o, const RankedTopic &t) {
            o += "{\"name\":";
            json::appendString(o, t.name);
            o += ",\"score\":" + QByteArray::number(t.score) + '}';
        });
        out += "}\n";
    } else {
        for (const RankedTopic &t : results) {
            output::appendNumber(out, t.score, 6);
            out += ' ';
            output::appendUtf8(out, t.name);
            out += '\n';
        }
    }
    return result;
}

} // namespace tamo
