#pragma once

#include <QString>
#include <QtGlobal>

namespace tamo {

// A regular file mapped read-only into memory, for scans that read the whole file in place
// instead of copying it into buffers. The bytes from size() to the end of the mapping, and
// guardBytes() bytes in front of data(), read as zeros, so vector loads may reach over both
// edges.
//
// A file that another program truncates while it is mapped would make the missing pages fault
// (SIGBUS) and end the process. The first mapping installs a handler that answers such a fault
// within a live mapping by putting zero pages in place of the missing ones: the reader then
// sees zeros where the file was cut off, which reads as text without words, and truncated()
// says so. Faults anywhere else go on to the handler that was there before.
//
// open() refuses what openRegularFile refuses, and empty files (nothing to map); the caller
// then reads the file as usual.
class MappedFile {
public:
    MappedFile() = default;
    MappedFile(const MappedFile &) = delete;
    MappedFile &operator=(const MappedFile &) = delete;
    ~MappedFile();

    bool open(const QString &path);
    void close();

    const char *data() const { return m_data; }
    qint64 size() const { return m_size; }
    // Whether pages went missing since the mapping was made (the file was cut short).
    bool truncated() const;

    static constexpr qsizetype guardBytes() { return 128; }

private:
    char *m_region = nullptr; // the whole reservation: a guard page, the file, a guard page
    qsizetype m_regionBytes = 0;
    const char *m_data = nullptr;
    qint64 m_size = 0;
    int m_slot = -1;
};

} // namespace tamo
