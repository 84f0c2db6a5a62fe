#include "commands.h"

CliResult searchCommand(const CliOptions &, DocReader &, const TopicIndex &)
{
    return cliFailure(QStringLiteral("search: noch nicht verfügbar"));
}
