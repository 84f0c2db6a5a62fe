#include "viewer/pictureload.h"

#include "store/regularfile.h"
#include "viewer/pictureformat.h"
#include "viewer/picturelimit.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tamo {

namespace {

// No picture the limit allows needs a larger file: an uncompressed BMP takes about as many
// bytes as its pixels in memory.
constexpr qint64 kLongestPictureFile = qint64(kPictureMemoryLimitMB) * 1024 * 1024;

// Keeps the decoders quiet while a picture from anyone is decoded: Qt's readers report broken
// files to the message handler (categories qt.gui.imageio...), and libpng writes its errors
// ("libpng error: Read Error") straight to stderr.
class QuietDecoders {
public:
    explicit QuietDecoders(bool writesToStderr)
    {
        s_previous = qInstallMessageHandler(dropDecoderMessages);
#ifdef Q_OS_UNIX
        if (!writesToStderr)
            return;
        std::fflush(stderr);
        m_stderr = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_stderr >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
#else
        Q_UNUSED(writesToStderr);
#endif
    }
    ~QuietDecoders()
    {
#ifdef Q_OS_UNIX
        if (m_stderr >= 0) {
            std::fflush(stderr);
            ::dup2(m_stderr, STDERR_FILENO);
            ::close(m_stderr);
        }
#endif
        qInstallMessageHandler(s_previous);
    }
    QuietDecoders(const QuietDecoders &) = delete;
    QuietDecoders &operator=(const QuietDecoders &) = delete;

private:
    static void dropDecoderMessages(QtMsgType type, const QMessageLogContext &context,
                                    const QString &message)
    {
        if (context.category && std::strncmp(context.category, "qt.gui.imageio", 14) == 0)
            return;
        if (message.startsWith(QLatin1StringView("libpng")))
            return;
        if (s_previous)
            s_previous(type, context, message);
    }

    static inline QtMessageHandler s_previous = nullptr;
    int m_stderr = -1;
};

// The rest of the file, at most most bytes of it.
QByteArray readBounded(QFile &file, qint64 most)
{
    QByteArray bytes;
    constexpr qint64 kChunk = 1024 * 1024;
    while (bytes.size() < most) {
        const QByteArray part = file.read(std::min(kChunk, most - bytes.size()));
        if (part.isEmpty())
            break;
        bytes += part;
    }
    return bytes;
}

} // namespace

LoadedPicture loadPicture(const QString &path)
{
    QFile file;
    if (!openRegularFile(file, path)) {
        if (!QFileInfo::exists(path))
            return {PictureStatus::Missing, {}};
        return {QFileInfo(path).isFile() ? PictureStatus::Unreadable : PictureStatus::NotAFile, {}};
    }
    // The first bytes tell the format; a file of another is not read any further.
    QByteArray bytes = file.read(16);
    const PictureFormat format = pictureFormatOf(bytes);
    if (format == PictureFormat::Unknown)
        return {PictureStatus::Unreadable, {}};
    bytes += readBounded(file, kLongestPictureFile + 1 - bytes.size());
    file.close();
    if (bytes.size() > kLongestPictureFile)
        return {PictureStatus::TooLarge, {}};

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // The format is given and never guessed: only its own decoder reads the bytes.
    QImageReader reader(&buffer, readerFormatName(format));
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(kPictureMemoryLimitMB);
    reader.setAutoTransform(true);
    const QuietDecoders quiet(format == PictureFormat::Png);
    const QSize size = reader.size();
    if (size.isValid() && exceedsPictureLimit(size.width(), size.height()))
        return {PictureStatus::TooLarge, {}};
    // Decode the whole picture: a damaged file may still tell its size.
    QImage image = reader.read();
    if (!image.isNull() && image.width() > 0 && image.height() > 0)
        return {PictureStatus::Ok, std::move(image)};
    // The allocation limit also refuses pictures of more than four bytes per pixel below the
    // pixel count limit (up to eight bytes, for 16 bits per channel).
    if (size.isValid() && exceedsPictureLimit(2 * qint64(size.width()), size.height()))
        return {PictureStatus::TooLarge, {}};
    return {PictureStatus::Unreadable, {}};
}

PictureStatus probePicture(const QString &path)
{
    return loadPicture(path).status;
}

} // namespace tamo
