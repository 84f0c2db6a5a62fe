#include "store/doclocation.h"

#include "std/textroutines.h"
#include "store/docreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tamo {

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
    const QString settingsPath = start.filePath(QString::fromLatin1(kSettingsFileName));
    if (createSettings)
        createIfMissing(settingsPath); // where that fails, an absent file means "start dir"

    DocLocation location;
    QString line;
    DocReader reader;
    QString error;
    if (reader.open(settingsPath, &error)) {
        line = reader.readLine();
        reader.close();
    } else if (QFileInfo::exists(settingsPath) && !QFileInfo(settingsPath).isFile()) {
        location.error = QStringLiteral("%1 kann nicht gelesen werden: %2")
                             .arg(QString::fromLatin1(kSettingsFileName), error);
        return location;
    }
    if (line.isEmpty() || line == endOfFileMark()) {
        location.directory = start.absolutePath();
    } else {
        const QFileInfo info(start, line);
        if (!info.exists()) {
            location.error =
                QStringLiteral("Das Verzeichnis \u201E%1\u201C, das in %2 eingetragen ist, "
                               "wurde nicht gefunden.")
                    .arg(info.filePath(), QString::fromLatin1(kSettingsFileName));
        } else if (!info.isDir()) {
            location.error =
                QStringLiteral("\u201E%1\u201C, eingetragen in %2, ist kein Verzeichnis.")
                    .arg(info.filePath(), QString::fromLatin1(kSettingsFileName));
        } else {
            location.directory = info.absoluteFilePath();
        }
    }
    if (!location.directory.isEmpty())
        location.docPath = QDir(location.directory).filePath(QString::fromLatin1(kDocFileName));
    return location;
}

} // namespace tamo
