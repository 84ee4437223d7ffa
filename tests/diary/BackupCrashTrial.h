#pragma once

#include "base/Exception.h"
#include "base/FolderUtils.h"
#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "diary/BackupManifest.h"
#include "diary/DatabaseBackup.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

// Kills the backup and the restore at random moments and checks what they leave: the
// live diary is sound and is wholly the old or wholly the new one, photos included; a
// folder with a copy's name is a whole copy; nothing half done is ever restored.
class BackupCrashSoak
{
public:
    explicit BackupCrashSoak(QString helperPath) : m_helper(std::move(helperPath))
    {
        // Two diaries, each with its photos: the live one and the one in a copy.
        m_states[0] = Fill(0);
        m_backups[0] = Backup();
        m_states[1] = Fill(1);
        m_backups[1] = Backup();
        m_live = 1;
    }

    bool isValid() const { return !m_backups[0].isEmpty() && !m_backups[1].isEmpty() && m_failure.isEmpty(); }
    const QString &failure() const { return m_failure; }

    // One backup killed at a random moment of its run. Empty when all holds.
    QString BackupTrial(QRandomGenerator &random)
    {
        QTemporaryDir parent;
        const bool killed = Run({QStringLiteral("kopia"), m_dir.path(), parent.path()}, random);
        if (!m_failure.isEmpty())
            return m_failure;
        if (LiveState() != m_states[m_live])
            return QStringLiteral("a backup changed the live diary");
        int whole = 0;
        for (const QString &name : QDir(parent.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString folder = parent.filePath(name);
            const bool accepted = Problem(folder).isEmpty();
            const bool unfinished = name.endsWith(QLatin1String(".niedokonczona"));
            // Killed after its list was written, an unfinished copy is whole.
            if (accepted &&
                State(folder + QStringLiteral("/wedkarz.db"), folder + QStringLiteral("/foto")) != m_states[m_live])
                return QStringLiteral("a copy that would be restored does not hold the diary: ") + folder;
            if (!accepted && !unfinished)
                return QStringLiteral("a copy's folder is refused: ") + Problem(folder);
            whole += accepted && !unfinished;
        }
        if (!killed && whole != 1)
            return QStringLiteral("a finished backup left no copy");
        m_kills[0] += killed;
        return {};
    }

    // One restore of the other diary killed at a random moment, then the start-up's
    // recovery. Empty when all holds.
    QString RestoreTrial(QRandomGenerator &random)
    {
        const int other = 1 - m_live;
        const bool killed = Run({QStringLiteral("przywroc"), m_dir.path(), m_backups[other]}, random);
        if (!m_failure.isEmpty())
            return m_failure;
        try {
            TDbConnection connection;
            Connect(connection);
            DatabaseBackup::FinishInterruptedRestore(connection, Data());
        } catch (const Exception &e) {
            return QStringLiteral("recovery failed: ") + e.Message();
        }
        const QStringList integrity =
            TestSupport::QueryColumn(m_dir.dbPath(), QStringLiteral("pragma integrity_check"));
        if (integrity != QStringList{QStringLiteral("ok")})
            return QStringLiteral("integrity check: ") + integrity.join(QLatin1Char(' '));
        const QStringList now = LiveState();
        if (now == m_states[other])
            m_live = other;
        else if (now != m_states[m_live])
            return QStringLiteral("the live diary is neither the old nor the new one: ") + now.join(QLatin1Char(' '));
        const QStringList left = QDir(Data()).entryList(
            {QStringLiteral("*.przywrac*"), QStringLiteral("*.poprzednie"), QStringLiteral("przywracanie.txt")},
            QDir::AllEntries | QDir::NoDotAndDotDot);
        if (!left.isEmpty())
            return QStringLiteral("left behind: ") + left.join(QLatin1Char(' '));
        // The diaries kept aside are not what the soak checks; they only fill the disk.
        DeleteFolder(Data() + QStringLiteral("/kopie"));
        m_kills[1] += killed;
        return {};
    }

    // Runs killed: backups (0) and restores (1).
    int Kills(int kind) const { return m_kills[kind]; }
    int Photos() const { return m_photoCount; }

private:
    QString Data() const { return m_dir.path() + QStringLiteral("data"); }

    void Connect(TDbConnection &connection) const
    {
        connection.SetDriverDLL(m_dir.path() + SqliteLibraryFileName());
        connection.SetDefaultDir(Data());
        connection.SetDatabase(QStringLiteral("wedkarz.db"));
        connection.SetConnected(true);
    }

    QString Problem(const QString &folder)
    {
        TDbConnection connection;
        Connect(connection);
        return DatabaseBackup::RestoreProblem(connection, Data(), folder);
    }

    // Diary n: rows and photos of their own.
    QStringList Fill(int n)
    {
        QString sql = QStringLiteral("begin; delete from dziennik;");
        for (int i = 0; i < 300; ++i)
            sql += QStringLiteral("insert into dziennik values ('2005-04-%1','ryba %2 %3',%4,40,'','','','','%5','');")
                       .arg(10 + i % 20)
                       .arg(n)
                       .arg(i)
                       .arg(i % 7)
                       .arg(QString(400, QLatin1Char('a' + n)));
        if (!m_dir.exec(sql + QStringLiteral("commit;")))
            m_failure = QStringLiteral("cannot fill the diary");
        DeleteFolder(m_dir.fotoDir());
        m_photoCount = 200;
        for (int i = 0; i < m_photoCount; ++i) {
            const QString path =
                m_dir.fotoDir() + QStringLiteral("/2005-04-%1/%2-%3.jpg").arg(10 + i % 20).arg(n).arg(i);
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly))
                m_failure = QStringLiteral("cannot write a photo");
            file.write(QByteArray(20000 + i, char('a' + n)));
        }
        return LiveState();
    }

    QString Backup()
    {
        try {
            TDbConnection connection;
            Connect(connection);
            return DatabaseBackup::Create(connection, m_dir.fotoDir(), m_copies.path());
        } catch (const Exception &e) {
            m_failure = e.Message();
            return {};
        }
    }

    QStringList LiveState() const { return State(m_dir.dbPath(), m_dir.fotoDir()); }

    // The diary's rows and a digest of every photo with its name.
    static QStringList State(const QString &db, const QString &photos)
    {
        QStringList state = TestSupport::QueryColumn(
            db, QStringLiteral("select count(*) || ' ' || total(waga) || ' ' || min(gatunek) || ' ' || max(gatunek) "
                               "|| ' ' || sum(length(opis)) from dziennik"));
        QStringList files;
        QDirIterator it(photos, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            files << QDir(photos).relativeFilePath(path) + QLatin1Char('=') +
                         QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex());
        }
        files.sort();
        return state + files;
    }

    // Runs the helper to its end once for each errand to learn how long it takes, then
    // kills runs at a random moment within that time. True when the run was killed.
    bool Run(const QStringList &arguments, QRandomGenerator &random)
    {
        QProcess helper;
        helper.start(m_helper, arguments);
        if (!helper.waitForStarted(30000)) {
            m_failure = QStringLiteral("the helper did not start");
            return false;
        }
        QEventLoop loop;
        QObject::connect(&helper, &QProcess::finished, &loop, &QEventLoop::quit);
        int &runMs = m_runMs[arguments.first() == QLatin1String("kopia") ? 0 : 1];
        const int at = runMs > 0 ? random.bounded(runMs + runMs / 5 + 1) : -1;
        QElapsedTimer timer;
        timer.start();
        if (at >= 0)
            QTimer::singleShot(at, &helper, &QProcess::kill);
        if (helper.state() != QProcess::NotRunning)
            loop.exec();
        if (helper.exitStatus() == QProcess::CrashExit)
            return true;
        if (helper.exitCode() != 0)
            m_failure = QStringLiteral("the helper failed: ") + QString::fromLocal8Bit(helper.readAllStandardError());
        runMs = std::max(runMs, int(timer.elapsed()));
        return false;
    }

    QString m_helper;
    TestSupport::TempProgramDir m_dir;
    QTemporaryDir m_copies;
    QStringList m_states[2];
    QString m_backups[2];
    int m_live = 0;
    // How long a backup (0) and a restore (1) take when nothing stops them.
    int m_runMs[2] = {0, 0};
    int m_photoCount = 0;
    int m_kills[2] = {0, 0};
    QString m_failure;
};
