#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <csignal>

// The real program, started as a desktop session would start it and ended as a logout
// ends it.
class TerminationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sigtermEndsTheProgramPromptlyAndCleanly();
};

namespace {
// True once the process has a handler of its own for SIGTERM, that is once it runs its
// event loop.
bool HandlesTermination(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}
} // namespace

void TerminationTest::sigtermEndsTheProgramPromptlyAndCleanly()
{
    TestSupport::TempProgramDir dir(TestSupport::TempProgramDir::Content::Shipped);
    QVERIFY(dir.isValid());
    // A copy, not a link: the program finds its data beside the file it was started from.
    const QString program = dir.path() + QStringLiteral("rybowid");
    QVERIFY(QFile::copy(TestSupport::RuntimeDir() + QStringLiteral("/rybowid"), program));
    // The species pictures, without which the encyclopedia would stop start-up with a box.
    QVERIFY(QDir(dir.path() + QStringLiteral("data/encyklopedia")).removeRecursively());
    QVERIFY(QFile::link(TestSupport::RuntimeDir() + QStringLiteral("/data/encyklopedia"),
                        dir.path() + QStringLiteral("data/encyklopedia")));

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, {});
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(HandlesTermination(process.processId()), 20000);

    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TerminationTest)
#include "tst_Termination.moc"
