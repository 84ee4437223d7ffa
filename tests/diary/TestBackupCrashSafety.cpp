#include "BackupCrashTrial.h"

#include <QTest>

class TestBackupCrashSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The short version of the soak in bench/CrashSoak.
    void killedBackupsAndRestoresLoseNothing()
    {
        BackupCrashSoak soak(QStringLiteral(CRASH_BACKUP_PATH));
        QVERIFY2(soak.isValid(), qPrintable(soak.failure()));
        QRandomGenerator random(QRandomGenerator::global()->generate());
        for (int trial = 0; trial < 8; ++trial) {
            const QString failure = trial % 2 ? soak.RestoreTrial(random) : soak.BackupTrial(random);
            QVERIFY2(failure.isEmpty(), qPrintable(QStringLiteral("trial %1: %2").arg(trial).arg(failure)));
        }
        QVERIFY(soak.Kills(0) + soak.Kills(1) > 0);
    }
};

QTEST_GUILESS_MAIN(TestBackupCrashSafety)
#include "TestBackupCrashSafety.moc"
