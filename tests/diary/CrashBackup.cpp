// Makes a backup of the diary of the program folder given as the second argument into
// the folder given as the third ("kopia"), or restores the diary from the copy in the
// folder given as the third ("przywroc"), as the catch log does; prints "gotowe" when
// done. A test kills it at random moments.
#include "base/Exception.h"
#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "diary/DatabaseBackup.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: CrashBackup kopia|przywroc <program folder/> <folder>\n");
        return 2;
    }
    const QString dir = args[2];
    try {
        TDbConnection connection;
        connection.SetDriverDLL(dir + SqliteLibraryFileName());
        connection.SetDefaultDir(dir + QStringLiteral("data"));
        connection.SetDatabase(QStringLiteral("wedkarz.db"));
        connection.SetMustExist(true);
        connection.SetConnected(true);
        if (args[1] == QLatin1String("kopia"))
            DatabaseBackup::Create(connection, dir + QStringLiteral("data/foto"), args[3]);
        else
            DatabaseBackup::Restore(connection, dir + QStringLiteral("data"), args[3]);
    } catch (const Exception &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.Message()));
        return 1;
    }
    std::printf("gotowe\n");
    return 0;
}
