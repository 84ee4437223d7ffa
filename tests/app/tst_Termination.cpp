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
// Whether the process's signal mask of that kind ("SigCgt:" caught, "SigIgn:" ignored)
// holds the signal.
bool InMask(qint64 pid, const QByteArray &mask, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(mask))
            return (line.mid(mask.size()).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
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
    // A handler of its own for SIGTERM once it runs its event loop.
    QTRY_VERIFY_WITH_TIMEOUT(InMask(process.processId(), "SigCgt:", SIGTERM), 20000);
    // A file that outgrows the user's size limit fails its write, which is reported,
    // instead of ending the program in the middle of it.
    QVERIFY(InMask(process.processId(), "SigIgn:", SIGXFSZ));

    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TerminationTest)
#include "tst_Termination.moc"
