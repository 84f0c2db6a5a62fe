#include "store/docreader.h"

#include "std/cp1252.h"
#include "store/regularfile.h"

#include <algorithm>
#include <cstring>

namespace tamo {

bool DocReader::open(const QString &path, QString *error)
{
    close();
    if (!openRegularFile(m_file, path, error))
        return false;
    m_size = m_file.size();
    m_position = 1;
    m_buffer.clear();
    m_bufferStart = 0;
    return true;
}

void DocReader::close()
{
    if (m_file.isOpen())
        m_file.close();
    m_buffer.clear();
    m_longLine.clear();
    m_bufferStart = 0;
    m_size = 0;
    m_position = 1;
}

void DocReader::seek(qint64 position)
{
    m_position = position;
}

// Makes the buffer hold the file from fileOffset on, at least up to minEnd (0-based,
// exclusive) or the end of the file. Keeps what is already there when it covers fileOffset.
bool DocReader::fill(qint64 fileOffset, qint64 minEnd)
{
    const qint64 bufferEnd = m_bufferStart + m_buffer.size();
    if (fileOffset < m_bufferStart || fileOffset > bufferEnd) {
        m_buffer.clear();
        m_bufferStart = fileOffset;
    } else if (fileOffset > m_bufferStart) {
        m_buffer.remove(0, fileOffset - m_bufferStart);
        m_bufferStart = fileOffset;
    }
    const qint64 haveEnd = m_bufferStart + m_buffer.size();
    if (haveEnd >= minEnd || haveEnd >= m_size)
        return true;
    const qint64 want = std::min(m_size, std::max(minEnd, haveEnd + m_blockSize)) - haveEnd;
    if (!m_file.seek(haveEnd))
        return false;
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + want);
    const qint64 got = m_file.read(m_buffer.data() + old, want);
    m_buffer.resize(old + std::max<qint64>(got, 0));
    return got > 0;
}

QByteArrayView DocReader::readRawLine(qsizetype limit, bool *cut)
{
    if (cut)
        *cut = false;
    limit = std::max<qsizetype>(limit, 1);
    if (!m_file.isOpen() || m_position > m_size || m_position < 1)
        return QByteArrayView(lines::kEndMark, 1);

    const qint64 start = m_position - 1; // 0-based
    qint64 searchFrom = start;
    // Set once the text is known to be longer than limit: its beginning is in m_longLine, and
    // the buffer need not keep the line any more.
    bool skipping = false;
    auto longLine = [this, cut]() {
        if (cut)
            *cut = true;
        return QByteArrayView(m_longLine);
    };
    auto text = [cut, limit](const char *from, qint64 length) {
        if (length <= limit)
            return QByteArrayView(from, length);
        if (cut)
            *cut = true;
        return QByteArrayView(from, limit);
    };
    for (;;) {
        const qint64 bufferEnd = m_bufferStart + m_buffer.size();
        const qint64 keepFrom = skipping ? searchFrom : start;
        if (keepFrom < m_bufferStart || keepFrom >= bufferEnd || searchFrom >= bufferEnd) {
            if (!fill(keepFrom, searchFrom + 1)) {
                // A read error: the rest of the file cannot be seen, so the file ends here.
                if (m_bufferStart + m_buffer.size() <= searchFrom) {
                    m_size = searchFrom;
                    if (searchFrom == start)
                        return QByteArrayView(lines::kEndMark, 1);
                }
            }
        }
        const char *base = m_buffer.constData() - m_bufferStart; // index by file offset
        const qint64 end = m_bufferStart + m_buffer.size();
        const void *lf = std::memchr(base + searchFrom, '\n', size_t(end - searchFrom));
        if (lf) {
            const qint64 lfOffset = static_cast<const char *>(lf) - base;
            m_position = lfOffset + 2;
            if (skipping)
                return longLine();
            return text(base + start, lines::textEnd(start, lfOffset) - start);
        }
        if (end >= m_size) {
            // The last line has no LF: return it whole; the reader has looked one byte past
            // the end, so the position stands two past the last byte.
            m_position = m_size + 2;
            if (skipping)
                return longLine();
            return text(base + start, m_size - start);
        }
        if (!skipping && end - start - 1 > limit) {
            // Even if the next byte is the LF, the text is longer than limit.
            m_longLine = QByteArray(base + start, limit);
            skipping = true;
        }
        searchFrom = end;
    }
}

QString DocReader::readLine()
{
    return cp1252::decode(readRawLine());
}

} // namespace tamo
