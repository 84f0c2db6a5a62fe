#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tamo {

// The command line program on the viewer's core: topics, show, prefix, search, check.
struct CliOptions {
    QString command;
    QString docFile; // --doc FILE; empty: found by locateCommandLineDocumentation()
    bool json = false;
    QString argument; // NAME, TEXT or QUERY
};

// What a command produced: text for stdout, a message for stderr, and the exit code: 0 on
// success, 1 when a runtime failure leaves the result incomplete (a topic not found, an error
// found by check), 2 for a wrong call or a missing or unreadable file.
struct CliResult {
    int exitCode = 0;
    QByteArray out;
    QString error;
};

// Parses the arguments (without the program name) and runs the command.
CliResult runTamo(const QStringList &arguments);

// The two halves of runTamo(). parseArguments() fills options and returns what to answer at
// once (--help, --version, a wrong call), or nothing when the command is to run; runCommand()
// finds the documentation and runs options.command on it.
std::optional<CliResult> parseArguments(const QStringList &arguments, CliOptions &options);
CliResult runCommand(const CliOptions &options);

// The full help (--help), the short one shown when tamo is called without arguments, one
// command's help (COMMAND --help; an unknown name gets the full help), where to report bugs
// (the last lines of every help), and the version with its copyright and licence.
QString usageText();
QString shortUsageText();
QString commandHelpText(const QString &name);
QString bugReportText();
QString versionText();

// The directory tamo's binary lies in, as the application object tells it; read from the
// system without one, since making the application object costs every call more than a
// search of a small file spends on its own work. Empty when the system cannot tell and no
// application object was made.
QString programDirectory();

} // namespace tamo
