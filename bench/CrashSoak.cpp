// A crash soak rather than a timing. Kills the diary poster with SIGKILL at random
// moments up to 1.5 s into its run, many times over one database file, and checks after
// each kill that the file is sound and that every row and every edit it reported is
// there with its content. Then kills the backup and the restore at random moments and
// checks the live diary with its photos, and every copy that would be restored.
//   build/bench/CrashSoak [trials]   (200 of each when not given)
#include "data/CrashTrial.h"
#include "diary/BackupCrashTrial.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    // Where the test support finds the engine and the schema.
    qputenv("RYBOWID_RUNTIME_DIR", RYBOWID_RUNTIME_DIR);
    qputenv("RYBOWID_SOURCE_DIR", RYBOWID_SOURCE_DIR);
    QCoreApplication app(argc, argv);
    const int trials = argc > 1 ? std::atoi(argv[1]) : 200;
    QRandomGenerator random(QRandomGenerator::global()->generate());

    TestSupport::TempProgramDir dir;
    long long rows = 0, edits = 0;
    for (int trial = 0; trial < trials; ++trial) {
        int reported = 0, edited = 0;
        const QString failure =
            RunCrashTrial(QStringLiteral(CRASH_POSTER_PATH), dir, random, trial, &reported, &edited);
        if (!failure.isEmpty()) {
            std::printf("post trial %d of %d failed: %s\n", trial + 1, trials, qPrintable(failure));
            return 1;
        }
        rows += reported;
        edits += edited;
    }
    const QStringList stored = TestSupport::QueryColumn(dir.dbPath(), QStringLiteral("select count(*) from dziennik"));
    std::printf("%d kills during posts, %lld reported rows and %lld reported edits all in the file with their content "
                "(%s rows stored), 0 rows lost, integrity ok\n",
                trials, rows, edits, qPrintable(stored.value(0)));
    std::fflush(stdout);

    BackupCrashSoak soak(QStringLiteral(CRASH_BACKUP_PATH));
    if (!soak.isValid()) {
        std::printf("the backup soak cannot start: %s\n", qPrintable(soak.failure()));
        return 1;
    }
    // A few runs end before their kill; trials go on until each kind was killed often enough.
    for (int trial = 0; soak.Kills(0) < trials || soak.Kills(1) < trials; ++trial) {
        const bool backup = soak.Kills(0) < trials && (trial % 2 == 0 || soak.Kills(1) >= trials);
        const QString failure = backup ? soak.BackupTrial(random) : soak.RestoreTrial(random);
        if (!failure.isEmpty()) {
            std::printf("%s trial %d failed: %s\n", backup ? "backup" : "restore", trial + 1, qPrintable(failure));
            return 1;
        }
    }
    std::printf("%d kills during backups and %d during restores of a diary with %d photos: 0 rows or photos lost, "
                "every copy that would be restored whole, integrity ok\n",
                soak.Kills(0), soak.Kills(1), soak.Photos());
    return 0;
}
