#pragma once

#include <QByteArray>
#include <QProcess>

// A program run to its end: its exit code (-1: it did not end, or crashed), stdout and stderr.
struct ProgramRun {
    int exitCode = -1;
    QByteArray out, err;
};

inline ProgramRun
runProgram(const QString &program, const QStringList &arguments, const QString &directory,
           const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(directory);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(60000);
    process.kill();
    process.waitForFinished();
    return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}
