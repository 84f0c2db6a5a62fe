#include "std/streamoutput.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace tamo {

bool writeToStream(std::FILE *stream, QByteArrayView bytes, QString *error)
{
    errno = 0;
    const size_t size = size_t(bytes.size());
    // fwrite must not see the null pointer of an empty view.
    const bool written = size == 0 || std::fwrite(bytes.data(), 1, size, stream) == size;
    if (written && std::fflush(stream) == 0 && !std::ferror(stream))
        return true;
    *error = QString::fromLocal8Bit(std::strerror(errno ? errno : EIO));
    return false;
}

void holdClosedStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // open() returns the lowest free descriptor: this one.
            if (open("/dev/null", O_RDONLY) != fd)
                return;
        }
    }
}

} // namespace tamo
