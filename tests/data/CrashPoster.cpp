// Posts catches into the diary of the program folder given as the first argument,
// through the table dataset as the catch diary does, and prints "rowid n" for the n-th
// inserted row once its post has returned, and "e rowid" once an edit of it has. Runs
// until killed, or for the number of rows given as the second argument (-1: no end), on
// the day given as the third (2005-01-24 when not given).
#include "base/Exception.h"
#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "data/TDbTable.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: CrashPoster <program folder/> [rows] [day]\n");
        return 2;
    }
    const QString dir = args[1];
    const qint64 rows = args.size() > 2 ? args[2].toLongLong() : -1;
    const QString day = args.size() > 3 ? args[3] : QStringLiteral("2005-01-24");

    try {
        TDbConnection connection;
        connection.SetDriverDLL(dir + SqliteLibraryFileName());
        connection.SetDefaultDir(dir + QStringLiteral("data"));
        connection.SetDatabase(QStringLiteral("wedkarz.db"));
        connection.SetConnected(true);

        TDbTable table;
        table.setObjectName(QStringLiteral("dziennikTable"));
        table.SetConnection(&connection);
        table.TableName = QStringLiteral("dziennik");
        table.SetFilter(QStringLiteral("data=\"%1\"").arg(day));
        table.SetFiltered(true);

        for (qint64 n = 0; rows < 0 || n < rows; ++n) {
            table.Append();
            table.FieldByName(QStringLiteral("data"))->SetAsString(day);
            table.FieldByName(QStringLiteral("gatunek"))->SetAsString(QStringLiteral("Szczupak"));
            table.FieldByName(QStringLiteral("waga"))->SetAsFloat(double(n % 50) / 4);
            table.FieldByName(QStringLiteral("opis"))->SetAsString(QStringLiteral("połów %1\r\nwieczorem").arg(n));
            table.Post();
            const long long rowId = table.RowId();
            std::printf("%lld %lld\n", rowId, static_cast<long long>(n));
            std::fflush(stdout);
            // Updates and re-reads run between the inserts, as in the diary.
            if (n % 3 == 0) {
                table.Edit();
                table.FieldByName(QStringLiteral("miejsce"))->SetAsString(QStringLiteral("Wisła"));
                table.Post();
                std::printf("e %lld\n", rowId);
                std::fflush(stdout);
            }
            if (n % 25 == 24) {
                table.Close();
                table.Open();
            }
        }
    } catch (const Exception &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.Message()));
        return 1;
    }
    return 0;
}
