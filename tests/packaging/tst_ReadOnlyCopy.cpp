// A portable copy on a folder its user cannot write (a read-only stick, another user's
// folder): run as a user without write permission, the program says so and offers the
// diary read-only, and never turns to another diary in the home folder.
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr uid_t Nobody = 65534;

QByteArray Digest(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
} // namespace

class tst_ReadOnlyCopy : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aDiaryThatCannotBeWrittenIsOfferedReadOnly()
    {
        if (geteuid() != 0)
            QSKIP("Needs root to run the program as another user.");
        QTemporaryDir dir, home;
        const QString copy = dir.filePath(QStringLiteral("rybowid"));
        QVERIFY(QDir().mkpath(copy + QStringLiteral("/data/foto")));
        QVERIFY(QFile::copy(QStringLiteral(ERRAND_PATH), copy + QStringLiteral("/rybowid")));
        QVERIFY(QFile::copy(QStringLiteral(BIN_DIR "/libsqlite3.so"), copy + QStringLiteral("/libsqlite3.so")));
        const QString diary = copy + QStringLiteral("/data/wedkarz.db");
        QVERIFY(QFile::copy(QStringLiteral(BIN_DIR "/data/wedkarz.db"), diary));
        QVERIFY(TestSupport::ExecSql(diary, QStringLiteral("INSERT INTO dziennik (data, gatunek, waga, dlugosc) "
                                                           "VALUES ('2024-05-01', 'Lin', 1, 30);")));
        // Readable by all, writable by root alone.
        for (const QString &path : QStringList{dir.path(), copy, copy + "/data", copy + "/data/foto"})
            QCOMPARE(chmod(QFile::encodeName(path).constData(), 0755), 0);
        for (const QString &path : QStringList{diary, copy + "/libsqlite3.so"})
            QCOMPARE(chmod(QFile::encodeName(path).constData(), 0644), 0);
        QCOMPARE(chmod(QFile::encodeName(home.path()).constData(), 0777), 0);
        const QByteArray before = Digest(diary);

        QProcess program;
        QProcessEnvironment env = TestSupport::HomeEnvironment(home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.setChildProcessModifier([] {
            if (setgroups(0, nullptr) != 0 || setgid(Nobody) != 0 || setuid(Nobody) != 0)
                _exit(3);
        });
        program.start(copy + QStringLiteral("/rybowid"), {QStringLiteral("dziennik")});
        QVERIFY(program.waitForFinished(60000));
        const QString output = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(program.exitCode() == 0, qPrintable(output + QString::fromUtf8(program.readAllStandardError())));

        // Asked once, naming the diary and why it cannot be written; opened read-only
        // on the user's yes, its catch shown, nothing written anywhere.
        const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.filter(QStringLiteral("question:")).size(), 1);
        QVERIFY2(
            output.contains(QStringLiteral("Nie można zapisywać w folderze %1").arg(copy + QStringLiteral("/data"))) &&
                output.contains(QStringLiteral("tylko do odczytu")) && output.contains(diary),
            qPrintable(output));
        QVERIFY2(lines.contains(QStringLiteral("połowy: 1")), qPrintable(output));
        QCOMPARE(Digest(diary), before);
        QVERIFY(!QFileInfo::exists(home.path() + QStringLiteral("/.local/share/Rybowid")));
    }
};

QTEST_GUILESS_MAIN(tst_ReadOnlyCopy)
#include "tst_ReadOnlyCopy.moc"
