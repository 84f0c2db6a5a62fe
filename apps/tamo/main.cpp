// tamo: the command line face of QuarnTamo, for scripts, documentation authors and tests.

#include "cli.h"

#include "std/streamoutput.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <optional>

int main(int argc, char **argv)
{
    tamo::holdClosedStandardStreams();
    // A reader that stops early (tamo topics | head -1) ends tamo quietly, as it ends cat or
    // grep: by SIGPIPE, even where the caller passed the signal on ignored.
    std::signal(SIGPIPE, SIG_DFL);
    // The system's messages (a file's "permission denied") in the user's language and
    // character set: the two parts of the locale they take, not all the others.
    std::setlocale(LC_CTYPE, "");
    std::setlocale(LC_MESSAGES, "");
    // The installed documentation is found from where the program lies. Only where the system
    // does not tell that is the application object made, to find it from the program's name.
    std::optional<QCoreApplication> app;
    if (tamo::programDirectory().isEmpty())
        app.emplace(argc, argv);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments += QString::fromLocal8Bit(argv[i]);

    const tamo::CliResult result = tamo::runTamo(arguments);
    int exitCode = result.exitCode;
    QString error;
    const auto report = [](const QString &message) {
        QString ignored; // with stderr gone there is nowhere left to report to
        tamo::writeToStream(stderr, "tamo: " + message.trimmed().toUtf8() + '\n', &ignored);
    };
    if (!tamo::writeToStream(stdout, result.out, &error)) {
        report(QStringLiteral("Die Ausgabe kann nicht geschrieben werden: %1").arg(error));
        exitCode = std::max(exitCode, 1);
    }
    if (!result.error.isEmpty())
        report(result.error);
    return exitCode;
}
