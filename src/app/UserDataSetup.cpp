#include "app/UserDataSetup.h"

#include "base/Exception.h"
#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "diary/DatabaseBackup.h"
#include "diary/DatabaseFile.h"
#include "diary/UserDataFolder.h"
#include "diary/UserDatabase.h"
#include "widgets/Platform.h"
#include "widgets/UserMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {
// A restore that the program did not live to finish is finished (or its preparation
// removed) before any window reads the diary, so that the diary and its photos match.
void FinishRestore(const QString &engine)
{
    const QString path = UserDataFolder::DatabasePath();
    if (!DatabaseBackup::RestorePending(UserDataFolder::Path()) || CheckDatabaseFile(path) != DatabaseFileState::Ready)
        return;
    try {
        TDbConnection db;
        db.SetDriverDLL(engine);
        db.SetDatabase(QDir::toNativeSeparators(path));
        db.SetMustExist(true);
        db.SetConnected(true);
        QString notice;
        DatabaseBackup::FinishInterruptedRestore(db, UserDataFolder::Path(), &notice);
        if (!notice.isEmpty())
            Platform::ShowMessage(nullptr, QStringLiteral("Rybowid"), notice, Platform::Icon::Information);
    } catch (const Exception &e) {
        Platform::ShowError(QStringLiteral("Nie można dokończyć przerwanego przywracania dziennika z kopii zapasowej: "
                                           "%1")
                                .arg(UserText(e.Message())));
    }
}
} // namespace

void PrepareUserData()
{
    // A folder that cannot be written is the main window's to report, once.
    if (!UserDataFolder::Prepare().isEmpty())
        return;
    const QString engine = EngineFolder() + SqliteLibraryFileName();
    // A missing engine is the main window's to report, once.
    if (!QLibrary(engine).load())
        return;
    FinishRestore(engine);
    if (!RunsInstalled())
        return;
    const QString path = QDir::toNativeSeparators(UserDataFolder::DatabasePath());
    const bool existed = QFileInfo::exists(path);
    try {
        RefreshUserDatabase(engine, SuppliedDataRoot() + QStringLiteral("data/wedkarz.db"), path);
    } catch (const Exception &e) {
        // The main window adds nothing to this: the message is the only one.
        Platform::ShowError(
            existed ? QStringLiteral("Nie można uzupełnić bazy danych %1 o gatunki, porady i pytania dostarczone z "
                                     "programem: %2. Dziennik pozostał bez zmian.")
                          .arg(path, UserText(e.Message()))
                    : QStringLiteral("Nie można utworzyć bazy danych %1: %2. Dziennik, encyklopedia i testy pozostaną "
                                     "puste; program spróbuje ją utworzyć przy następnym uruchomieniu.")
                          .arg(path, UserText(e.Message())));
    }
}
