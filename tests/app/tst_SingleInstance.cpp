#include "app/Startup.h"
#include "app/TApplication.h"
#include "widgets/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <unistd.h>
#include <vector>

// Set in a child copy of this test, which then holds the lock of the folder named until
// it is killed, as a running program would.
static const char *const HoldLock = "RYBOWID_TEST_HOLD_LOCK";

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneCopyPerDataFolderAndAKilledOneDoesNotBlock()
    {
        Platform::EnableTestMode();
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QProcess holder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(HoldLock), data);
        holder.setProcessEnvironment(environment);
        holder.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(holder.waitForReadyRead(10000));

        // While the other copy runs this one is refused, and told why in Polish.
        QVERIFY(!LockDataFolder(data));
        QCOMPARE(Platform::Records().size(), 1);
        QVERIFY(Platform::Records().first().text.startsWith(QStringLiteral("Rybowid jest już uruchomiony")));

        // Killed, it leaves its lock behind; the next start takes it over silently, and
        // holds it against any later one.
        holder.kill();
        QVERIFY(holder.waitForFinished(5000));
        QVERIFY(QFile::exists(data + QStringLiteral("/rybowid.lock")));
        std::unique_ptr<QLockFile> lock = LockDataFolder(data);
        QVERIFY(lock && lock->isLocked());
        QVERIFY(!LockDataFolder(data));
        QCOMPARE(Platform::Records().size(), 2);
    }

    // A lock that names no copy running here (a power cut leaves it empty) is explained,
    // naming the file, and taken over when the user says so; never a lock-out.
    void aDoubtfulLockIsExplainedAndTakenOverOnRequest()
    {
        Platform::EnableTestMode();
        Platform::ClearTestState();
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        const QString path = data + QStringLiteral("/rybowid.lock");
        QDir().mkpath(data);
        const auto place = [&](const QByteArray &content) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        };
        struct Case
        {
            std::function<void()> make;
            QString reason;
        };
        const std::vector<Case> cases{
            {[&] { place(""); }, QStringLiteral("jest pusty")},
            {[&] { place("\xff\xfe śmieci\n\n"); }, QStringLiteral("uszkodzony")},
            {[&] { QVERIFY(QDir().mkdir(path)); }, QStringLiteral("nie jest zwykłym plikiem")},
            {[&] { place(QByteArray::number(QCoreApplication::applicationPid()) + "\nrybowid\ndaleki-komputer\n"); },
             QStringLiteral("innym komputerze (daleki-komputer)")},
        };
        for (const Case &c : cases) {
            c.make();
            Platform::QueueAnswer(false);
            QVERIFY(!LockDataFolder(data));
            const QList<Platform::Record> asked = Platform::TakeRecords();
            QCOMPARE(asked.size(), 1);
            QCOMPARE(asked.first().kind, QStringLiteral("question"));
            QVERIFY2(asked.first().text.contains(path) && asked.first().text.contains(c.reason),
                     qPrintable(asked.first().text));
            // Refused, the lock stays as it was; taken over, it is this copy's.
            QVERIFY(QFileInfo::exists(path));
            Platform::QueueAnswer(true);
            std::unique_ptr<QLockFile> lock = LockDataFolder(data);
            QVERIFY(lock && lock->isLocked());
            QCOMPARE(Platform::TakeRecords().size(), 1);
            lock.reset();
            QVERIFY(!QFileInfo::exists(path));
        }
    }
};

int main(int argc, char *argv[])
{
    if (const QByteArray folder = qgetenv(HoldLock); !folder.isEmpty()) {
        QCoreApplication app(argc, argv);
        const std::unique_ptr<QLockFile> lock = LockDataFolder(QString::fromLocal8Bit(folder));
        ::write(STDOUT_FILENO, "locked\n", lock ? 7 : 0);
        for (;;)
            ::pause();
    }
    TApplication app(argc, argv);
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SingleInstance.moc"
