#pragma once

#include "cli.h"

#include "store/docreader.h"
#include "store/topicindex.h"

#include <optional>

namespace tamo {

// The documentation file a command works on, open for reading. The topic index is built on
// first use: a full-text search does without it.
class Documentation {
public:
    QString path;
    DocReader reader;

    const TopicIndex &index()
    {
        if (!m_index) {
            reader.seek(1);
            m_index = buildTopicIndex(reader);
        }
        return *m_index;
    }

private:
    std::optional<TopicIndex> m_index;
};

// The subcommands. Each gets the parsed options and the documentation, and returns what to
// print.
CliResult topicsCommand(const CliOptions &options, Documentation &doc);
CliResult showCommand(const CliOptions &options, Documentation &doc);
CliResult prefixCommand(const CliOptions &options, Documentation &doc);
CliResult searchCommand(const CliOptions &options, Documentation &doc);
CliResult checkCommand(const CliOptions &options, Documentation &doc);

// A message for stderr: control characters written visibly, as in plain output (messages
// quote file content and arguments).
QString cliMessage(const QString &message);

// Exit code 2 with a message.
CliResult cliFailure(const QString &message);

} // namespace tamo
