// tamo: the command line face of QuarnTamo, for scripts, documentation authors and tests.

#include "cli.h"

#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments += QString::fromLocal8Bit(argv[i]);

    const tamo::CliResult result = tamo::runTamo(arguments);
    if (!result.out.isEmpty())
        std::fwrite(result.out.constData(), 1, size_t(result.out.size()), stdout);
    if (!result.error.isEmpty()) {
        QByteArray message = "tamo: " + result.error.toUtf8();
        if (!message.endsWith('\n'))
            message += '\n';
        std::fwrite(message.constData(), 1, size_t(message.size()), stderr);
    }
    std::fflush(stdout);
    return result.exitCode;
}
