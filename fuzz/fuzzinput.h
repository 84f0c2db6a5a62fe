#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Every target reads a documentation file, so each input is written to a file of this process
// first. Parameters (block sizes, limits, query words, find options) come from the end of the
// input, the file from what is left: a plain documentation file is a good seed for every
// target.

// Writes bytes to this process's input file and returns its path.
inline QString writeInputFile(const QByteArray &bytes)
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("quarntamo-fuzz-%1.txw").arg(::getpid()));
    std::FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        std::abort();
    if (!bytes.isEmpty())
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
    std::fclose(file);
    return path;
}

// The rest of the input as the file's bytes.
inline QByteArray remainingBytes(FuzzedDataProvider &data)
{
    const std::string rest = data.ConsumeRemainingBytesAsString();
    return QByteArray(rest.data(), qsizetype(rest.size()));
}

// A failed property: says which and aborts, so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
