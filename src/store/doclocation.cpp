#include "store/doclocation.h"

#include "std/cp1252.h"
#include "std/textroutines.h"
#include "store/docreader.h"
#include "store/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <climits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tamo {

namespace {

// The longest path the system takes, in bytes.
#ifdef PATH_MAX
constexpr qsizetype kLongestPath = PATH_MAX;
#else
constexpr qsizetype kLongestPath = 4096;
#endif

QString settingsName()
{
    return QString::fromLatin1(kSettingsFileName);
}

// The settings file's first line as it stands in the file, when it ends in a bare LF: the
// reader has dropped its last character ("doc" LF reads as "do"). Empty otherwise.
QString nameBeforeBareLf(const QString &settingsPath)
{
    QFile file(settingsPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = file.readLine(64 * 1024);
    if (line.size() < 2 || !line.endsWith('\n') || line.endsWith("\r\n"))
        return {};
    return cp1252::decode(QByteArrayView(line).chopped(1));
}

// The directory named by tamoini.txt does not exist. Where the line lost its last character
// to a bare LF and the full name is a directory, the message says how to mend the line.
QString missingDirectoryMessage(const QDir &start, const QString &settingsPath,
                                const QFileInfo &named)
{
    QString message =
        QStringLiteral("Das Verzeichnis \u201E%1\u201C, das in %2 eingetragen ist, wurde nicht "
                       "gefunden.")
            .arg(elidedForMessage(named.filePath()), settingsName());
    const QString meant = nameBeforeBareLf(settingsPath);
    if (!meant.isEmpty() && QFileInfo(start, meant).isDir()) {
        message += QStringLiteral(" Die erste Zeile von %1 endet mit LF ohne CR und verliert "
                                  "dadurch ihr letztes Zeichen; gemeint ist wohl \u201E%2\u201C. "
                                  "Die Zeile mit CR LF beenden, etwa so: printf '%s\\r\\n' "
                                  "'%2' > %1")
                       .arg(settingsName(), elidedForMessage(meant));
    }
    return message;
}

} // namespace

void createIfMissing(const QString &path)
{
    if (!nothingAt(path))
        return;
#ifdef Q_OS_UNIX
    // O_EXCL creates the file only where nothing, not even a symbolic link, has the name: a
    // link that leads nowhere would otherwise create a file wherever it points. Should the
    // file appear meanwhile, it is left as it is.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0)
        ::close(fd);
#else
    QFile(path).open(QIODevice::WriteOnly | QIODevice::NewOnly);
#endif
}

DocLocation locateDocumentation(const QString &startDirectory, bool createSettings)
{
    const QDir start(startDirectory);
    const QString settingsPath = start.filePath(settingsName());
    if (createSettings)
        createIfMissing(settingsPath); // where that fails, an absent file means "start dir"

    DocLocation location;
    QString line;
    bool tooLong = false;
    DocReader reader;
    QString error;
    if (reader.open(settingsPath, &error)) {
        // Only a path the system can take is decoded; a longer line is refused unread.
        const QByteArrayView first = reader.readRawLine(kLongestPath, &tooLong);
        line = cp1252::decode(first);
        reader.close();
    } else if (!nothingAt(settingsPath)) {
        // A settings file that is there but cannot be read (a pipe, a directory, no right to
        // read it, a link that leads nowhere or in a circle) names a directory nobody can
        // tell: going on in the start directory would show other documentation unasked.
        location.error =
            QStringLiteral("%1 kann nicht gelesen werden: %2").arg(settingsName(), error);
        return location;
    }
    if (line.isEmpty() || line == endOfFileMark()) {
        location.directory = start.absolutePath();
    } else {
        location.named = true;
        const QFileInfo info(start, line);
        const QString shown = elidedForMessage(info.filePath());
        if (tooLong || QFile::encodeName(info.absoluteFilePath()).size() >= kLongestPath) {
            location.error = QStringLiteral("Der Verzeichnisname in %1 ist länger, als das "
                                            "System erlaubt (mehr als %2 Bytes): \u201E%3\u201C")
                                 .arg(settingsName())
                                 .arg(kLongestPath - 1)
                                 .arg(shown);
        } else if (!info.exists()) {
            location.error = missingDirectoryMessage(start, settingsPath, info);
        } else if (!info.isDir()) {
            location.error =
                QStringLiteral("\u201E%1\u201C, eingetragen in %2, ist kein Verzeichnis.")
                    .arg(shown, settingsName());
        } else {
            location.directory = info.absoluteFilePath();
        }
    }
    if (!location.directory.isEmpty())
        location.docPath = QDir(location.directory).filePath(QString::fromLatin1(kDocFileName));
    return location;
}

DocLocation documentationFile(const QString &path)
{
    const QFileInfo info(path);
    return {info.absolutePath(), info.absoluteFilePath(), {}};
}

QString installedDocDirectory(const QString &programDirectory)
{
    return QDir::cleanPath(QDir(programDirectory).filePath(QStringLiteral(QUARNTAMO_DOC_FROM_BIN)));
}

DocLocation locateCommandLineDocumentation(const QString &docFile, const QString &startDirectory,
                                           const QString &installedDirectory)
{
    if (!docFile.isEmpty())
        return documentationFile(docFile);
    DocLocation location = locateDocumentation(startDirectory, false);
    if (!location.error.isEmpty() || location.named || !nothingAt(location.docPath))
        return location;
    const QString installed = QDir(installedDirectory).filePath(QString::fromLatin1(kDocFileName));
    if (QFileInfo::exists(installed))
        return documentationFile(installed);
    location = {};
    location.error = QStringLiteral("Keine Dokumentation gefunden: weder ./%1 noch %2 existiert. "
                                    "Die Datei mit --doc DATEI angeben oder ihr Verzeichnis in "
                                    "die erste Zeile von ./%3 schreiben.")
                         .arg(QString::fromLatin1(kDocFileName), installed, settingsName());
    return location;
}

} // namespace tamo
