#include "store/regularfile.h"

#include "std/textroutines.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tamo {

namespace {

bool refuse(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

#ifdef Q_OS_UNIX
QString notRegular(mode_t mode)
{
    const char *kind = "eine besondere Datei";
    if (S_ISDIR(mode))
        kind = "ein Verzeichnis";
    else if (S_ISFIFO(mode))
        kind = "eine benannte Pipe (FIFO)";
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = "ein Gerät";
    else if (S_ISSOCK(mode))
        kind = "ein Socket";
    return QStringLiteral("keine gewöhnliche Datei, sondern ") + QString::fromUtf8(kind);
}

QString systemReason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Datei nicht gefunden");
    case EACCES:
    case EPERM:
        return QStringLiteral("keine Leseberechtigung");
    case ELOOP:
        return QStringLiteral("die symbolischen Verweise f\u00FChren im Kreis");
    case ENAMETOOLONG:
        return QStringLiteral("der Name ist länger, als das System erlaubt");
    case EWOULDBLOCK:
        return QStringLiteral("die Datei ist gerade gesperrt");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

// Why a path that stat() calls missing cannot be read: a symbolic link that leads nowhere is
// named as one, with its target.
QString missingReason(const QByteArray &name, int error)
{
    struct stat link {};
    if (error == ENOENT && ::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(name.constData(), target.data(), size_t(target.size()));
        target.truncate(length > 0 ? qsizetype(length) : 0);
        return QStringLiteral("ein symbolischer Verweis auf \u201E%1\u201C, das es nicht gibt")
            .arg(elidedForMessage(QFile::decodeName(target)));
    }
    return systemReason(error);
}
#endif

} // namespace

bool openRegularFile(QFile &file, const QString &path, QString *error)
{
    if (file.isOpen())
        file.close();
    if (path.isEmpty())
        return refuse(error, QStringLiteral("kein Dateiname"));
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return refuse(error, missingReason(name, errno));
    if (!S_ISREG(info.st_mode))
        return refuse(error, notRegular(info.st_mode));
    // O_NONBLOCK: open() returns at once where it would wait.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(error, missingReason(name, errno));
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return refuse(error, notRegular(info.st_mode));
    }
    // Reads of a regular file do not wait anyway; the flag only served open().
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file.setFileName(path); // keeps the name, and with it the picture format's suffix
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse(error, file.errorString());
    }
    return true;
#else
    if (!QFileInfo(path).isFile())
        return refuse(error, QStringLiteral("keine gewöhnliche Datei"));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return refuse(error, file.errorString());
    return true;
#endif
}

bool nothingAt(const QString &path)
{
    if (path.isEmpty())
        return true;
#ifdef Q_OS_UNIX
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) != 0 &&
           (errno == ENOENT || errno == ENOTDIR);
#else
    return !QFileInfo(path).exists() && !QFileInfo(path).isSymLink();
#endif
}

} // namespace tamo
