// A crash soak rather than a timing: kills the diary poster with SIGKILL at random
// moments, many times over one database file, and checks after each kill that every row
// it reported is in the file and that the file is sound.
//   build/bench/CrashSoak [trials]   (200 when not given)
#include "data/CrashTrial.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    // Where the test support finds the engine and the schema.
    qputenv("RYBOWID_RUNTIME_DIR", RYBOWID_RUNTIME_DIR);
    qputenv("RYBOWID_SOURCE_DIR", RYBOWID_SOURCE_DIR);
    QCoreApplication app(argc, argv);
    const int trials = argc > 1 ? std::atoi(argv[1]) : 200;
    TestSupport::TempProgramDir dir;
    QRandomGenerator random(QRandomGenerator::global()->generate());
    long long rows = 0;
    for (int trial = 0; trial < trials; ++trial) {
        int reported = 0;
        const QString failure = RunCrashTrial(QStringLiteral(CRASH_POSTER_PATH), dir, random, &reported);
        if (!failure.isEmpty()) {
            std::printf("trial %d of %d failed: %s\n", trial + 1, trials, qPrintable(failure));
            return 1;
        }
        rows += reported;
    }
    const QStringList stored = TestSupport::QueryColumn(dir.dbPath(), QStringLiteral("select count(*) from dziennik"));
    std::printf("%d kills, %lld reported rows, all in the file (%s rows stored), integrity ok\n", trials, rows,
                qPrintable(stored.value(0)));
    return 0;
}
