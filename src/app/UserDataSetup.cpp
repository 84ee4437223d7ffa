#include "app/UserDataSetup.h"

#include "base/ProgramPaths.h"
#include "data/UserDatabase.h"
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
    try {
        RefreshUserDatabase(engine, SuppliedDataRoot() + QStringLiteral("data/wedkarz.db"),
                            data + QDir::separator() + QStringLiteral("wedkarz.db"));
    } catch (...) {
        ShowCurrentException();
    }
}
