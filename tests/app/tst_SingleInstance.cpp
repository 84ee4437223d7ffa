#include "app/Startup.h"
#include "app/TApplication.h"
#include "widgets/Platform.h"

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <unistd.h>

namespace {
// Set in a child copy of this test: it takes the lock of the folder named and waits to
// be killed, as a running program would.
const char *const HoldLockVariable = "RYBOWID_TEST_HOLD_LOCK";
} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneCopyPerDataFolderAndAKilledOneDoesNotBlock();
};

void SingleInstanceTest::oneCopyPerDataFolderAndAKilledOneDoesNotBlock()
{
    Platform::EnableTestMode();
    Platform::ClearTestState();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString lockPath = data + QStringLiteral("/rybowid.lock");

    QProcess holder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(HoldLockVariable), data);
    holder.setProcessEnvironment(environment);
    holder.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readAll().trimmed(), QByteArray("locked"));

    // While the other copy runs, this one is refused and the user told why.
    QVERIFY(!LockDataFolder(data));
    QCOMPARE(Platform::Records().size(), 1);
    QVERIFY2(Platform::Records().first().text.startsWith(QStringLiteral("Rybowid jest już uruchomiony")),
             qPrintable(Platform::Records().first().text));

    // Killed, it leaves its lock behind; the next start takes it over silently.
    holder.kill();
    QVERIFY(holder.waitForFinished(5000));
    QVERIFY(QFile::exists(lockPath));
    std::unique_ptr<QLockFile> lock = LockDataFolder(data);
    QVERIFY(lock && lock->isLocked());
    QCOMPARE(Platform::Records().size(), 1);

    // Held here, a second attempt is refused however long the first has been running.
    QVERIFY(!LockDataFolder(data));
    QCOMPARE(Platform::Records().size(), 2);
    lock.reset();
    QVERIFY(!QFile::exists(lockPath));
}

int main(int argc, char *argv[])
{
    if (const QByteArray folder = qgetenv(HoldLockVariable); !folder.isEmpty()) {
        QCoreApplication app(argc, argv);
        const std::unique_ptr<QLockFile> lock = LockDataFolder(QString::fromLocal8Bit(folder));
        std::puts(lock && lock->isLocked() ? "locked" : "refused");
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    TApplication app(argc, argv);
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SingleInstance.moc"
