#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>

// Writes bytes into a file of a temporary directory and returns its path.
inline QString writeTempFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

// The ways editors save a file: writing over it in place, truncating it and writing it anew
// (in two pieces, as a large file is written), or writing a new file and renaming it over it.
enum class SaveWay { InPlace, Truncate, Rename };

inline void saveTempFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes,
                         SaveWay way)
{
    const QString path = dir.filePath(name);
    const QString written = way == SaveWay::Rename ? path + QStringLiteral(".neu") : path;
    QFile file(written);
    const QIODevice::OpenMode mode =
        way == SaveWay::InPlace ? QIODevice::ReadWrite : QIODevice::WriteOnly | QIODevice::Truncate;
    if (!file.open(mode))
        qFatal("cannot write %s", qPrintable(written));
    file.write(bytes.first(bytes.size() / 2));
    file.flush();
    file.write(bytes.sliced(bytes.size() / 2));
    if (way == SaveWay::InPlace)
        file.resize(bytes.size());
    file.close();
    if (way == SaveWay::Rename &&
        std::rename(QFile::encodeName(written).constData(), QFile::encodeName(path).constData()))
        qFatal("cannot rename %s", qPrintable(written));
}
