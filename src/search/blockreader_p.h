#pragma once

// Internal to the full-text search (fullsearch.h and topicsearch.h are its interface).

#include "search/blockscan_p.h"
#include "store/regularfile.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tamo {

// Hands out the file, or a part of it between two line starts, as blocks of whole lines. The
// blocks live in one buffer that is reused (a fresh buffer of the file's size costs more in
// page faults than the reading), with a lower-cased twin of the same layout, made when first
// asked for. A line that does not fit makes the buffer grow to exactly its end, and the buffer
// shrinks back once the line is done, so a line of any length costs about its own length in
// memory.
class BlockReader {
public:
    // blockBytes: the size of a block to start with; readBytes: the most one read asks for.
    BlockReader(qint64 blockBytes, qint64 readBytes)
        : m_readBytes(std::max<qint64>(readBytes, 1))
        , m_blockCapacity(qsizetype(std::max<qint64>(blockBytes, 1)))
    {
        allocate(m_blockCapacity);
    }

    bool open(const QString &path)
    {
        if (!openRegularFile(m_file, path))
            return false;
        m_size = m_file.size();
        m_end = m_size;
        return true;
    }

    // Opens the file for reading parts of it, never beyond limit (the size another reader saw
    // at opening).
    bool open(const QString &path, qint64 limit)
    {
        if (!open(path))
            return false;
        m_size = std::min(m_size, limit);
        m_end = m_size;
        return true;
    }

    qint64 size() const { return m_size; }

    // The first line start at or after offset: offset itself where a line starts there, else
    // the byte after the next LF, or the size where no LF follows. Reads a little of the file.
    qint64 lineStartFrom(qint64 offset)
    {
        if (offset <= 0)
            return 0;
        if (offset >= m_size || !m_file.seek(offset - 1))
            return m_size;
        char chunk[512];
        for (qint64 at = offset - 1; at < m_size;) {
            const qint64 got = m_file.read(chunk, std::min<qint64>(sizeof chunk, m_size - at));
            if (got <= 0)
                break;
            if (const void *lf = std::memchr(chunk, '\n', size_t(got)))
                return at + (static_cast<const char *>(lf) - chunk) + 1;
            at += got;
        }
        return m_size;
    }

    // Starts over with the lines in [begin, end): begin is a line start, end a line start or the
    // size.
    void setRange(qint64 begin, qint64 end)
    {
        if (m_capacity > m_blockCapacity)
            allocate(m_blockCapacity);
        m_offset = m_read = begin;
        m_end = std::min(end, m_size);
        m_have = m_length = 0;
        m_eof = false;
        m_file.seek(begin);
    }

    // Moves on to the next block; false at the end of the file.
    bool next()
    {
        char *buf = data();
        if (m_length > 0) {
            std::memmove(buf, buf + m_length, size_t(m_have - m_length));
            m_have -= m_length;
            m_offset += m_length;
            m_length = 0;
            if (m_capacity > m_blockCapacity && m_have <= m_blockCapacity) {
                allocate(m_blockCapacity); // a long line is done
                buf = data();
            }
        }
        for (;;) {
            while (!m_eof && m_have < m_capacity) {
                // Never beyond the size seen at opening, as the line reader does.
                const qint64 want =
                    std::min({m_readBytes, qint64(m_capacity - m_have), m_end - m_read});
                const qint64 got = want > 0 ? m_file.read(buf + m_have, want) : 0;
                if (got <= 0) {
                    m_eof = true; // a read error ends the file where it happens
                    break;
                }
                m_have += qsizetype(got);
                m_read += got;
            }
            if (m_eof) {
                if (m_have == 0)
                    return false;
                std::memset(buf + m_have, 0, blockscan::kPadding);
                m_length = m_have;
                return true;
            }
            qsizetype lastLf = m_have - 1;
            while (lastLf >= 0 && buf[lastLf] != '\n')
                --lastLf;
            if (lastLf >= 0) {
                m_length = lastLf + 1;
                return true;
            }
            allocate(m_have + std::max<qsizetype>(bytesToLineEnd(), 1));
            buf = data();
        }
    }

    char *data() { return m_raw.data() + blockscan::kPadding; }
    char *lowered()
    {
        if (m_low.size() < m_raw.size())
            m_low.assign(m_raw.size(), 0);
        return m_low.data() + blockscan::kPadding;
    }
    qsizetype length() const { return m_length; }
    qint64 offset() const { return m_offset; }
    // Whether the block ends the file (or the part; a part other than the last ends with an LF,
    // which makes this make no difference).
    bool atFileEnd() const { return m_eof && m_length == m_have; }

private:
    void allocate(qsizetype capacity)
    {
        m_low = std::vector<char>(); // made again when asked for
        std::vector<char> raw(size_t(capacity + 2 * blockscan::kPadding));
        if (!m_raw.empty())
            std::memcpy(raw.data() + blockscan::kPadding, data(), size_t(m_have));
        m_raw = std::move(raw);
        m_capacity = capacity;
    }

    // The bytes from the reading position up to and including the next LF (or to the end of
    // the file), found with a small buffer of its own; the reading position stays.
    qsizetype bytesToLineEnd()
    {
        std::vector<char> scratch(64 * 1024);
        qint64 ahead = 0;
        while (m_read + ahead < m_end) {
            const qint64 want = std::min<qint64>(qint64(scratch.size()), m_end - m_read - ahead);
            const qint64 got = m_file.read(scratch.data(), want);
            if (got <= 0)
                break;
            if (const void *lf = std::memchr(scratch.data(), '\n', size_t(got))) {
                ahead += static_cast<const char *>(lf) - scratch.data() + 1;
                break;
            }
            ahead += got;
        }
        m_file.seek(m_read);
        return qsizetype(ahead);
    }

    QFile m_file;
    qint64 m_readBytes;
    qsizetype m_blockCapacity; // the buffer's size between long lines
    qint64 m_size = 0;
    qint64 m_end = 0;    // reading stops here: the end of the file or of the part
    qint64 m_read = 0;   // bytes read from the file
    qint64 m_offset = 0; // file offset of the first byte in the buffer
    qsizetype m_capacity = 0;
    qsizetype m_have = 0;   // bytes in the buffer
    qsizetype m_length = 0; // bytes of the current block
    bool m_eof = false;
    std::vector<char> m_raw;
    std::vector<char> m_low;
};

} // namespace tamo
