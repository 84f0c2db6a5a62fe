#pragma once

#include <QByteArray>
#include <QString>

namespace tamo {

// The command line program on the viewer's core: topics, show, prefix, search.
struct CliOptions {
    QString command;
    QString docFile; // --doc FILE; empty: found as the viewer finds it
    bool json = false;
    QString argument; // NAME, TEXT or QUERY
};

// What a command produced: text for stdout with exit code 0 (1 when check finds an error), or
// exit code 2 with a message.
struct CliResult {
    int exitCode = 0;
    QByteArray out;
    QString error;
};

// Parses the arguments (without the program name) and runs the command.
CliResult runTamo(const QStringList &arguments);

QString usageText();

} // namespace tamo
