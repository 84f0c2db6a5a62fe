#include "commands.h"

CliResult showCommand(const CliOptions &, DocReader &, const TopicIndex &)
{
    return cliFailure(QStringLiteral("show: noch nicht verfügbar"));
}

CliResult prefixCommand(const CliOptions &, DocReader &, const TopicIndex &)
{
    return cliFailure(QStringLiteral("prefix: noch nicht verfügbar"));
}
