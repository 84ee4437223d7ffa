#pragma once

#include <QString>
#include <functional>

class TDbConnection;

// A copy of the diary that survives a dead disk: the whole database file, copied with
// the engine's online backup so that writes made meanwhile leave it consistent, and the
// photo folders, together in one folder. Failures raise EDatabaseError with a Polish
// message; a copy that failed leaves nothing behind.
namespace DatabaseBackup {

// The name of the database file inside a copy, and of its photo folder.
extern const QString DatabaseFileName;
extern const QString PhotoFolderName;

// Told after each step of the database copy: pages still to copy, pages in all.
using Progress = std::function<void(int remaining, int total)>;

struct Options
{
    // The start of the new folder's name; the date and time follow.
    QString namePrefix = QStringLiteral("Rybowid kopia");
    // Pages copied per step; between steps the file is free for other writers.
    int pagesPerStep = 64;
    Progress progress;
};

// True when the engine the connection loaded offers the online backup.
bool Available(const TDbConnection &connection);

// Copies the database and photoRoot (data/foto) into a new folder under parent; returns
// that folder.
QString Create(TDbConnection &connection, const QString &photoRoot, const QString &parent, const Options &options = {});

// True when the folder holds a copy made by Create.
bool IsBackupFolder(const QString &folder);

// Replaces the database's content and the photo folders with those of a copy. What was
// there is first kept aside as a copy of its own under asideParent, whose folder is
// returned: restoring that one undoes the restore.
QString Restore(TDbConnection &connection, const QString &photoRoot, const QString &backupFolder,
                const QString &asideParent);

} // namespace DatabaseBackup
