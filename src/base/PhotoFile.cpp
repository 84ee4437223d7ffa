#include "base/PhotoFile.h"

#include "base/Exception.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#if !defined(Q_OS_WIN)
#include <unistd.h>
#endif

namespace {

[[noreturn]] void FailOpen(const QString &path, int error)
{
    if (error == ENOENT)
        FailPhoto(path, QStringLiteral("nie ma takiego pliku"));
    FailPhoto(path, QString::fromLocal8Bit(std::strerror(error)));
}

} // namespace

void FailPhoto(const QString &path, const QString &reason)
{
    throw EInOutError(QStringLiteral("Nie można wczytać zdjęcia %1: %2").arg(path, reason));
}

// The file is opened without waiting and checked by what was opened, not by its name, so
// that a pipe put in its place between a check and the opening cannot block either.
FilePtr OpenPhotoFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
#if defined(Q_OS_WIN)
    const QFileInfo info(path);
    if (info.isDir())
        FailPhoto(path, QStringLiteral("to jest folder, nie plik"));
    if (info.exists() && !info.isFile())
        FailPhoto(path, QStringLiteral("to nie jest zwykły plik"));
    FilePtr file(std::fopen(name.constData(), "rb"));
    if (!file)
        FailOpen(path, errno);
    return file;
#else
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        FailOpen(path, errno);
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(fd);
        FailPhoto(path,
                  folder ? QStringLiteral("to jest folder, nie plik") : QStringLiteral("to nie jest zwykły plik"));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FilePtr file(::fdopen(fd, "rb"));
    if (!file) {
        const int error = errno;
        ::close(fd);
        FailOpen(path, error);
    }
    return file;
#endif
}
