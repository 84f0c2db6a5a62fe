#pragma once

#include "search/blockscan.h"
#include "store/regularfile.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <cstring>
#include <vector>

namespace tamo {

// Hands out the file as blocks of whole lines. The blocks live in one buffer that is reused
// (a fresh buffer of the file's size costs more in page faults than the reading), with a
// lower-cased twin of the same layout. A line that does not fit makes the buffer grow.
class BlockReader {
public:
    // blockBytes: the size of a block to start with; readBytes: the most one read asks for.
    BlockReader(qint64 blockBytes, qint64 readBytes)
        : m_readBytes(std::max<qint64>(readBytes, 1))
    {
        allocate(qsizetype(std::max<qint64>(blockBytes, 1)));
    }

    bool open(const QString &path)
    {
        if (!openRegularFile(m_file, path))
            return false;
        m_size = m_file.size();
        return true;
    }

    qint64 size() const { return m_size; }

    // Moves on to the next block; false at the end of the file.
    bool next()
    {
        char *buf = data();
        if (m_length > 0) {
            std::memmove(buf, buf + m_length, size_t(m_have - m_length));
            m_have -= m_length;
            m_offset += m_length;
            m_length = 0;
        }
        for (;;) {
            while (!m_eof && m_have < m_capacity) {
                // Never beyond the size seen at opening, as the line reader does.
                const qint64 want =
                    std::min({m_readBytes, qint64(m_capacity - m_have), m_size - m_read});
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
            allocate(m_capacity * 2);
            buf = data();
        }
    }

    char *data() { return m_raw.data() + blockscan::kPadding; }
    char *lowered() { return m_low.data() + blockscan::kPadding; }
    qsizetype length() const { return m_length; }
    qint64 offset() const { return m_offset; }
    bool atFileEnd() const { return m_eof && m_length == m_have; }

private:
    void allocate(qsizetype capacity)
    {
        std::vector<char> raw(size_t(capacity + 2 * blockscan::kPadding));
        if (!m_raw.empty())
            std::memcpy(raw.data() + blockscan::kPadding, data(), size_t(m_have));
        m_raw = std::move(raw);
        m_low.assign(m_raw.size(), 0);
        m_capacity = capacity;
    }

    QFile m_file;
    qint64 m_readBytes;
    qint64 m_size = 0;
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
