#include "store/doclocation.h"

#include "std/cp1252.h"
#include "std/textroutines.h"
#include "store/docreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <climits>

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

} // namespace

bool createIfMissing(const QString &path, QString *error)
{
    if (QFileInfo::exists(path))
        return true;
    QFile file(path);
    // Append never truncates, should the file appear meanwhile.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
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
    } else if (QFileInfo::exists(settingsPath) && !QFileInfo(settingsPath).isFile()) {
        location.error =
            QStringLiteral("%1 kann nicht gelesen werden: %2").arg(settingsName(), error);
        return location;
    }
    if (line.isEmpty() || line == endOfFileMark()) {
        location.directory = start.absolutePath();
    } else {
        const QFileInfo info(start, line);
        const QString shown = elidedForMessage(info.filePath());
        if (tooLong || QFile::encodeName(info.absoluteFilePath()).size() >= kLongestPath) {
            location.error = QStringLiteral("Der Verzeichnisname in %1 ist länger, als das "
                                            "System erlaubt (mehr als %2 Bytes): \u201E%3\u201C")
                                 .arg(settingsName())
                                 .arg(kLongestPath - 1)
                                 .arg(shown);
        } else if (!info.exists()) {
            location.error = QStringLiteral("Das Verzeichnis \u201E%1\u201C, das in %2 "
                                            "eingetragen ist, wurde nicht gefunden.")
                                 .arg(shown, settingsName());
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

} // namespace tamo
