// Runs one errand of the catch log in the program as installed, when it is copied beside
// the installed executable: "przygotuj" only starts, "kopia <folder>" makes a backup into
// the folder, "przywroc <folder>" restores from it, "dziennik" counts the catches the
// program reads. Prints every message the program showed, one a line, so the package
// test can read them.
#include "app/Startup.h"
#include "app/TApplication.h"
#include "app/UserDataSetup.h"
#include "catchlog/CatchLogFrmUnit.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    InitApplication(app);
    Platform::EnableTestMode();
    PrepareUserData();
    CreateWindows();
    const QStringList args = QCoreApplication::arguments();
    const QString errand = args.value(1);
    TCatchLogFrm *log = Windows().CatchLogFrm;
    if (log && errand == QLatin1String("kopia")) {
        Platform::QueueFileChoice(args.value(2));
        log->BackupButtonClick();
    } else if (log && errand == QLatin1String("przywroc")) {
        Platform::QueueFileChoice(args.value(2));
        Platform::QueueAnswer(true);
        log->RestoreButtonClick();
    } else if (errand == QLatin1String("dziennik")) {
        TDbConnection *db = Windows().DataBase;
        const QString count = db && db->Connected()
                                  ? Statement(*db, QStringLiteral("select count(*) from dziennik")).Column().value(0)
                                  : QStringLiteral("brak");
        std::printf("połowy: %s\n", qPrintable(count));
    }
    for (const Platform::Record &record : Platform::Records())
        std::printf("%s: %s\n", qPrintable(record.kind), qPrintable(QString(record.text).replace('\n', ' ')));
    DestroyWindows();
    return 0;
}
