#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QIODevice;
class QSaveFile;

// The one way the program writes a file: into a temporary file beside the target, every
// write to the system checked (a full disk may accept part of a write without a word),
// flushed to the disk, and only then put in the target's place. A file that fails leaves
// nothing of itself and the previous file of that name whole. The reason of a failure is
// a Polish sentence fragment ("na dysku zabrakło miejsca").
class CheckedFile
{
public:
    explicit CheckedFile(const QString &path);
    ~CheckedFile();
    CheckedFile(const CheckedFile &) = delete;
    CheckedFile &operator=(const CheckedFile &) = delete;

    // False once anything failed; later writes then do nothing.
    bool Write(const char *data, qint64 size);
    bool Write(const QByteArray &bytes) { return Write(bytes.constData(), bytes.size()); }
    // For writers that take a device (the PDF writer): what they write is checked the same.
    QIODevice *Device();
    // Puts the file in place; false, with the reason, when anything failed on the way.
    bool Commit();
    QString Error() const { return m_error; }

private:
    void Failed(int error);
    bool Flush();
    bool WriteThrough(const char *data, qint64 size);

    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QIODevice> m_device;
    QByteArray m_pending;
    QString m_error;
};

// Writes bytes as the file at path; false with the Polish reason in *error.
bool WriteWholeFile(const QString &path, const QByteArray &bytes, QString *error);

// Copies a regular file to a path where nothing stands yet, through CheckedFile. Refuses
// anything but a regular file (a pipe would never end) and an existing target.
bool CopyWholeFile(const QString &from, const QString &to, QString *error);

// A Polish reason for a failed write or read, from the system's error number.
QString FileFailure(int error, const QString &fallback);
