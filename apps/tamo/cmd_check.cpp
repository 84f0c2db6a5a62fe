#include "commands.h"

#include "json.h"
#include "pictureprobe.h"

#include "store/doccheck.h"
#include "store/doclocation.h"
#include "store/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tamo {

namespace {

struct Located {
    QString file;
    DocProblem problem;
};

// The settings file consulted when no --doc is given, read only to be checked.
QList<DocProblem> checkSettingsFile(const QString &path)
{
    QFile file;
    if (!openRegularFile(file, path))
        return {};
    return checkSettings(file.read(64 * 1024)); // the first line is all that counts
}

const char *severityName(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

// "2 Fehler, 1 Warnung"
QByteArray summary(qsizetype errors, qsizetype warnings)
{
    return QByteArray::number(errors) + " Fehler, " + QByteArray::number(warnings) +
           (warnings == 1 ? " Warnung\n" : " Warnungen\n");
}

} // namespace

// tamo check: the problems of the documentation file, in the format compilers use, so that
// editors jump to them. Exit 1 when there is an error.
CliResult checkCommand(const CliOptions &options, Documentation &doc)
{
    QList<Located> problems;
    if (options.docFile.isEmpty()) {
        const QString settings = QString::fromLatin1(kSettingsFileName);
        for (const DocProblem &p : checkSettingsFile(QDir::current().filePath(settings)))
            problems.append({settings, p});
    }

    QFile file;
    QString error;
    if (!openRegularFile(file, doc.path, &error))
        return cliFailure(QStringLiteral("%1: %2").arg(doc.path, error));
    // One whole-file read: the check looks at every byte once, and a plain read is cheaper
    // than the page faults of a memory map.
    const QByteArray bytes = file.readAll();
    DocCheckOptions checkOptions;
    checkOptions.directory = QFileInfo(doc.path).absolutePath();
    // Pictures are judged by the module, loaded only for a file that names one. Without it
    // the rest of the check still holds: the pictures count as without problems and stderr
    // says they were not checked.
    PictureProbeModule module(pictureProbeModulePath(programDirectory()));
    qsizetype unchecked = 0;
    checkOptions.probePicture = [&](const QString &path) {
        if (const std::optional<PictureStatus> status = module.probe(path))
            return *status;
        ++unchecked;
        return PictureStatus::Ok;
    };
    for (DocProblem &p : checkDocument(bytes, checkOptions))
        problems.append({doc.path, std::move(p)});

    CliResult result;
    if (unchecked > 0) {
        result.error = cliMessage(
            (unchecked == 1
                 ? QStringLiteral("Eine Bilddatei wurde nicht geprüft")
                 : QStringLiteral("%1 Bilddateien wurden nicht geprüft").arg(unchecked)) +
            QStringLiteral(": %1. Alles andere ist geprüft; damit auch die Bilder geprüft "
                           "werden, QuarnTamo neu installieren.")
                .arg(module.error()));
    }
    qsizetype errors = 0;
    for (const Located &p : problems)
        errors += p.problem.severity() == Severity::Error;
    result.exitCode = errors > 0 ? 1 : 0;

    QByteArray &out = result.out;
    if (options.json) {
        out += "{\"problems\":";
        json::appendArray(out, problems, [](QByteArray &o, const Located &located) {
            const DocProblem &p = located.problem;
            o += "{\"line\":" + QByteArray::number(p.line) + ",\"severity\":\"" +
                 severityName(p.severity()) + "\",\"kind\":\"" + kindId(p.kind) + "\",\"message\":";
            json::appendString(o, p.message);
            o += '}';
        });
        out += "}\n";
        return result;
    }
    for (const Located &p : problems) {
        out += p.file.toUtf8() + ':' + QByteArray::number(p.problem.line) + ": " +
               severityName(p.problem.severity()) + ": " + p.problem.message.toUtf8() + '\n';
    }
    out += summary(errors, problems.size() - errors);
    return result;
}

} // namespace tamo
