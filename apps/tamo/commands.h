#pragma once

#include "cli.h"

class DocReader;
struct TopicIndex;

// The subcommands. Each gets the parsed options, the open documentation file and the topic
// index built from it, and returns what to print.
CliResult topicsCommand(const CliOptions &options, DocReader &reader, const TopicIndex &index);
CliResult showCommand(const CliOptions &options, DocReader &reader, const TopicIndex &index);
CliResult prefixCommand(const CliOptions &options, DocReader &reader, const TopicIndex &index);
CliResult searchCommand(const CliOptions &options, DocReader &reader, const TopicIndex &index);

// Exit code 2 with a message.
CliResult cliFailure(const QString &message);
