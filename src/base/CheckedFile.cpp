#include "base/CheckedFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <utility>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
// A device whose writes go straight through to the checked file, so that the PDF writer's
// buffered output meets the same checks as everything else.
class CheckedDevice : public QIODevice
{
public:
    explicit CheckedDevice(CheckedFile &file) : m_file(file) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override { return m_file.Write(data, size) ? size : -1; }

private:
    CheckedFile &m_file;
};
} // namespace

QString FileFailure(int error, const QString &fallback)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("na dysku zabrakło miejsca");
    case EFBIG:
        return QStringLiteral("plik byłby większy, niż pozwala ten dysk albo system");
#if defined(EDQUOT)
    case EDQUOT:
        return QStringLiteral("wyczerpał się przydział miejsca na dysku");
#endif
    case EROFS:
        return QStringLiteral("dysk jest tylko do odczytu");
    case EACCES:
    case EPERM:
        return QStringLiteral("brak uprawnień do zapisu w tym miejscu");
    case EIO:
        return QStringLiteral("błąd odczytu lub zapisu dysku");
    default:
        return fallback.isEmpty() ? QStringLiteral("zapis pliku nie powiódł się") : fallback;
    }
}

CheckedFile::CheckedFile(const QString &path) : m_file(std::make_unique<QSaveFile>(path))
{
    errno = 0;
    // Unbuffered: each write reaches the system at once and its failure is seen there,
    // not lost in a final flush that the commit would not report.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Failed(errno);
}

CheckedFile::~CheckedFile()
{
    if (m_file->isOpen())
        m_file->cancelWriting();
}

void CheckedFile::Failed(int error)
{
    if (m_error.isEmpty())
        m_error = FileFailure(error, m_file->errorString());
}

namespace {
// Writes are gathered up to this size, so that a writer of many small pieces (the PDF)
// does not make a system call for each.
constexpr qsizetype Gathered = 1 << 16;
} // namespace

bool CheckedFile::Write(const char *data, qint64 size)
{
    if (!m_error.isEmpty())
        return false;
    if (m_pending.size() + size < Gathered) {
        m_pending.append(data, qsizetype(size));
        return true;
    }
    return Flush() && WriteThrough(data, size);
}

bool CheckedFile::Flush()
{
    const QByteArray pending = std::exchange(m_pending, {});
    return WriteThrough(pending.constData(), pending.size());
}

bool CheckedFile::WriteThrough(const char *data, qint64 size)
{
    if (!m_error.isEmpty())
        return false;
    for (qint64 at = 0; at < size;) {
        errno = 0;
        const qint64 written = m_file->write(data + at, size - at);
        if (written <= 0) {
            Failed(errno);
            return false;
        }
        at += written;
    }
    return true;
}

QIODevice *CheckedFile::Device()
{
    if (!m_device)
        m_device = std::make_unique<CheckedDevice>(*this);
    return m_device.get();
}

bool CheckedFile::Commit()
{
    if (m_error.isEmpty() && m_file->isOpen() && Flush()) {
#if defined(Q_OS_UNIX)
        // What the disk could not take may be told only here.
        errno = 0;
        if (::fsync(m_file->handle()) != 0)
            Failed(errno);
#endif
    }
    if (!m_error.isEmpty()) {
        if (m_file->isOpen())
            m_file->cancelWriting();
        return false;
    }
    errno = 0;
    if (!m_file->commit()) {
        Failed(errno);
        return false;
    }
    return true;
}

bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    CheckedFile file(path);
    file.Write(bytes);
    if (file.Commit())
        return true;
    if (error)
        *error = file.Error();
    return false;
}

bool CopyWholeFile(const QString &from, const QString &to, QString *error)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QFileInfo source(from);
    if (!source.isFile())
        return fail(source.exists() || source.isSymLink() ? QStringLiteral("to nie jest zwykły plik")
                                                          : QStringLiteral("plik nie istnieje"));
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return fail(QStringLiteral("plik o tej nazwie już istnieje"));
    QFile input(from);
    errno = 0;
    if (!input.open(QIODevice::ReadOnly))
        return fail(FileFailure(errno, input.errorString()));
    CheckedFile output(to);
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    while (true) {
        const qint64 read = input.read(buffer.data(), buffer.size());
        if (read < 0)
            return fail(QStringLiteral("nie można odczytać pliku: ") + input.errorString());
        if (read == 0)
            break;
        if (!output.Write(buffer.constData(), read))
            break;
    }
    if (!output.Commit())
        return fail(output.Error());
    return true;
}
