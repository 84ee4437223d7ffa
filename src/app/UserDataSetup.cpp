#include "app/UserDataSetup.h"

#include "base/Exception.h"
#include "base/ProgramPaths.h"
#include "diary/UserDatabase.h"
#include "widgets/Platform.h"

#include <QDir>
#include <QLibrary>

void PrepareUserData()
{
    if (!RunsInstalled())
        return;
    const QString data = UserDataRoot() + QStringLiteral("data");
    QDir().mkpath(data + QStringLiteral("/foto"));
    const QString engine = EngineFolder() + SqliteLibraryFileName();
    // A missing engine is the main window's to report, once.
    if (!QLibrary(engine).load())
        return;
    const QString path = QDir::toNativeSeparators(data + QStringLiteral("/wedkarz.db"));
    try {
        RefreshUserDatabase(engine, SuppliedDataRoot() + QStringLiteral("data/wedkarz.db"), path);
    } catch (const Exception &e) {
        Platform::ShowError(QStringLiteral("Nie można uzupełnić bazy danych %1 o gatunki, porady i pytania dostarczone "
                                           "z programem: %2. Dziennik pozostał bez zmian.")
                                .arg(path, e.Message()));
    }
}
