#pragma once

#include <QString>
#include <functional>

class TDbConnection;

// A copy of the diary that survives a dead disk: the whole database file, copied with
// the engine's online backup so that writes made meanwhile leave it consistent, and the
// photo folders, together in one folder with a list of its files (BackupManifest).
// Failures raise EDatabaseError with a Polish message; a copy that failed leaves nothing
// behind under its name.
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
// that folder. The copy is made under a name of its own and renamed when its list of
// files is written, so that a copy cut short never carries a copy's name.
QString Create(TDbConnection &connection, const QString &photoRoot, const QString &parent, const Options &options = {});

// Empty when backupFolder holds a whole, matching copy of a sound diary that may replace
// the one in dataFolder; otherwise the Polish reason why it may not.
QString RestoreProblem(TDbConnection &connection, const QString &dataFolder, const QString &backupFolder);

// Replaces the diary and the photo folders of dataFolder with those of a copy, keeping
// the supplied tables (species, tips, questions) of the live database. What was there is
// first kept aside as a copy of its own under dataFolder/kopie, whose folder is returned:
// restoring that one undoes the restore. A journal in dataFolder records the steps; if
// the program dies midway, FinishInterruptedRestore completes or undoes it.
QString Restore(TDbConnection &connection, const QString &dataFolder, const QString &backupFolder);

// Completes a restore whose replacement had begun, or removes what an unfinished
// preparation left, as the journal in dataFolder says. Runs before anything else opens
// the diary. True when there was a journal.
bool FinishInterruptedRestore(TDbConnection &connection, const QString &dataFolder);
// True when dataFolder holds a restore's journal.
bool RestorePending(const QString &dataFolder);

} // namespace DatabaseBackup
