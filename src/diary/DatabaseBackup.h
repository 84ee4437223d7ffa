#pragma once

#include "base/Exception.h"

#include <QString>
#include <QStringList>
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

// Told before the work and after each of its steps (the diary, each photo): steps done,
// steps in all. Returning false cancels the work, which then leaves nothing half-made and
// throws Cancelled.
using Progress = std::function<bool(int done, int total)>;

class Cancelled : public Exception
{
public:
    using Exception::Exception;
};

struct Options
{
    // The start of the new folder's name; the date and time follow.
    QString namePrefix = QStringLiteral("Rybowid kopia");
    Progress progress;
};

// True when the engine the connection loaded offers the online backup.
bool Available(const TDbConnection &connection);

// Copies the database and photoRoot (data/foto) into a new folder under parent; returns
// that folder. The copy is made under a name of its own and renamed when its list of
// files is written, so that a copy cut short never carries a copy's name; what an earlier
// copy cut short left under parent goes first. The diary is read in one step of the
// engine's backup, so a program writing to it meanwhile cannot keep the copy from ending.
QString Create(TDbConnection &connection, const QString &photoRoot, const QString &parent, const Options &options = {});

// Empty when backupFolder holds a whole, matching copy of a sound diary that may replace
// the one in dataFolder; otherwise the Polish reason why it may not.
QString RestoreProblem(TDbConnection &connection, const QString &dataFolder, const QString &backupFolder);

// Replaces the diary and the photo folders of dataFolder with those of a copy. The diary
// is made anew from this program's tables, with the rows of the copy's diary, permit and
// waters and the supplied tables (species, tips, questions) of the live database; nothing
// else of the copy's file comes along. What was there is first kept aside as a copy of
// its own under dataFolder/kopie, whose folder is returned: restoring that one undoes
// the restore. A journal in dataFolder records the steps; if the program dies midway,
// FinishInterruptedRestore completes or undoes it. Old photos that cannot be deleted are
// told of in notice (what is left, and where); the restore is whole all the same.
QString Restore(TDbConnection &connection, const QString &dataFolder, const QString &backupFolder,
                const Options &options = {}, QString *notice = nullptr);

// The copy of the diary that the latest restore (or its undoing) kept aside under
// dataFolder/kopie, which restoring undoes that restore; empty when there is none. Read
// from the disk, so that it is offered after a restart for as long as the copy is kept.
QString LastSetAside(const QString &dataFolder);

// Completes a restore whose replacement had begun, or removes what an unfinished
// preparation left, as the journal in dataFolder says. Runs before anything else opens
// the diary. True when there was a journal.
bool FinishInterruptedRestore(TDbConnection &connection, const QString &dataFolder, QString *notice = nullptr);
// True when dataFolder holds a restore's journal.
bool RestorePending(const QString &dataFolder);

// What copies and restores cut short left in dataFolder and its kopie: unfinished copies,
// the parts of a restore that no journal names any more, old photos that could not be
// deleted. Empty while a restore is pending, whose parts these may be.
QStringList Leftovers(const QString &dataFolder);
// Removes them; returns those that could not be removed.
QStringList RemoveLeftovers(const QString &dataFolder);

} // namespace DatabaseBackup
