#pragma once

#include <QString>
#include <vector>

// The list of files of a backup, each with its size and SHA-256, written as the last
// file of the copy. A copy whose list is missing, cut short or does not match its files
// was not finished or was changed since, and is never restored.
namespace BackupManifest {

extern const QString FileName;

struct Entry
{
    QString path; // relative to the copy's folder, with "/"
    qint64 size = 0;
    QByteArray sha256; // hex
};

// Lists every file under folder (the list itself left out) and writes the list; false
// with the reason in error.
bool Write(const QString &folder, QString *error);

// The entries of a whole, matching list; otherwise empty with a Polish reason in error.
std::vector<Entry> Check(const QString &folder, QString *error);

} // namespace BackupManifest
