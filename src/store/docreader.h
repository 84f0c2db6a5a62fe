#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include "std/linerule.h"

#include <limits>

namespace tamo {

// Reads a documentation or settings file line by line, addressing it by 1-based byte
// positions. Lines read as linerule.h says. A last line without LF leaves the position at
// size + 2. At the end the reader returns the end-of-file mark (lines::kEndMark).
//
// The file is read in large blocks, but positions stay exact: after each line the position
// stands directly behind its LF, and seek() starts the next line anywhere.
class DocReader {
public:
    DocReader() = default;
    DocReader(const DocReader &) = delete;
    DocReader &operator=(const DocReader &) = delete;

    // Opens an existing regular file for reading (see regularfile.h); anything else is refused
    // at once. On failure returns false and sets *error to the reason, in German.
    bool open(const QString &path, QString *error = nullptr);
    void close();

    // The bytes read per block. Blocks are read into one reused buffer: reading a large file
    // into a fresh buffer of its full size costs more in page faults than the read itself.
    void setBlockSize(qint64 bytes) { m_blockSize = bytes > 0 ? bytes : 1; }

    qint64 size() const { return m_size; }
    // The 1-based position of the next byte to be read.
    qint64 position() const { return m_position; }
    // Moves to a 1-based position; the next line starts there.
    void seek(qint64 position);

    // The next line as raw bytes, or the end-of-file mark "\r". The view stays valid until the
    // next call that reads or moves.
    QByteArrayView readRawLine() { return readRawLine(std::numeric_limits<qsizetype>::max()); }

    // The same, but at most the first limit bytes of the line's text (at least one, so that a
    // line that reads as the end-of-file mark stays one); *cut says whether the text was longer.
    // The rest of a longer line is read past without being kept, so a line of any length costs at
    // most limit bytes and one block of memory. The position ends behind the whole line, as above.
    QByteArrayView readRawLine(qsizetype limit, bool *cut = nullptr);

    // The next line decoded from Windows-1252, or the end-of-file mark.
    QString readLine();

private:
    bool fill(qint64 fileOffset, qint64 minEnd);

    QFile m_file;
    QByteArray m_buffer;
    QByteArray m_longLine;    // the kept beginning of a line cut by readRawLine(limit)
    qint64 m_bufferStart = 0; // 0-based file offset of m_buffer[0]
    qint64 m_size = 0;
    qint64 m_position = 1;
    qint64 m_blockSize = 256 * 1024;
};

} // namespace tamo
