#include "CrashTrial.h"

#include <QTest>

class TestCrashSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedPosterLosesNoReportedRow();
};

void TestCrashSafety::killedPosterLosesNoReportedRow()
{
    TestSupport::TempProgramDir dir;
    QVERIFY(dir.isValid());
    QRandomGenerator random(QRandomGenerator::global()->generate());
    for (int trial = 0; trial < 12; ++trial) {
        const QString failure = RunCrashTrial(QStringLiteral(CRASH_POSTER_PATH), dir, random, trial);
        QVERIFY2(failure.isEmpty(), qPrintable(QStringLiteral("trial %1: %2").arg(trial).arg(failure)));
    }
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "TestCrashSafety.moc"
