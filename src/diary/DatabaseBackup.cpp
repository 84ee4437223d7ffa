#include "diary/DatabaseBackup.h"

#include "base/FolderUtils.h"
#include "data/DbErrors.h"
#include "data/TDbConnection.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace DatabaseBackup {

const QString DatabaseFileName = QStringLiteral("wedkarz.db");
const QString PhotoFolderName = QStringLiteral("foto");

namespace {
// How long a step waits, in all, for another program to finish writing.
constexpr int BusyWaitMs = 5000;
constexpr int BusyPauseMs = 20;

[[noreturn]] void Fail(const QString &text)
{
    throw EDatabaseError(text);
}

// An engine handle of a second file, closed however the caller leaves.
class Handle
{
public:
    Handle(const SqliteApi &api, const QString &path) : m_api(api)
    {
        if (m_api.open(path.toUtf8().constData(), &m_db) != SQLITE_OK) {
            const QString message = m_db ? QString::fromUtf8(m_api.errmsg(m_db)) : QString();
            Close();
            Fail(QStringLiteral("Nie można otworzyć pliku %1: %2").arg(QDir::toNativeSeparators(path), message));
        }
    }
    ~Handle() { Close(); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    sqlite3 *get() const { return m_db; }

private:
    void Close()
    {
        if (m_db)
            m_api.close(m_db);
        m_db = nullptr;
    }
    const SqliteApi &m_api;
    sqlite3 *m_db = nullptr;
};

// Copies the main database of source into destination page by page. A change made
// through another connection while it runs starts the copy over, one made through the
// source connection is carried into it: either way the result is one moment's state.
void CopyPages(const SqliteApi &api, sqlite3 *destination, sqlite3 *source, int pagesPerStep, const Progress &progress)
{
    sqlite3_backup *backup = api.backup_init(destination, "main", source, "main");
    if (!backup)
        Fail(QString::fromUtf8(api.errmsg(destination)));
    int rc = SQLITE_OK;
    int waited = 0;
    while (true) {
        rc = api.backup_step(backup, pagesPerStep);
        if (rc == SQLITE_DONE)
            break;
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            if (waited >= BusyWaitMs)
                break;
            QThread::msleep(BusyPauseMs);
            waited += BusyPauseMs;
            continue;
        }
        if (rc != SQLITE_OK)
            break;
        waited = 0;
        if (progress)
            progress(api.backup_remaining(backup), api.backup_pagecount(backup));
    }
    api.backup_finish(backup);
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(api.errmsg(destination));
        Fail(rc == SQLITE_BUSY || rc == SQLITE_LOCKED
                 ? QStringLiteral("Baza danych jest zajęta przez inny program; spróbuj ponownie za chwilę.")
                 : message);
    }
}

bool CopyFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    if (!FolderExists(from))
        return true;
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(path);
        const bool ok = it.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(path, target);
        if (!ok)
            return false;
    }
    return true;
}

QString NewFolder(const QString &parent, const QString &prefix)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    const QString base = QDir(parent).filePath(prefix + QLatin1Char(' ') + stamp);
    QString folder = base;
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = base + QStringLiteral(" (%1)").arg(n);
    if (!QDir().mkpath(folder))
        Fail(QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(folder)));
    return folder;
}

void RequireBackup(const TDbConnection &connection)
{
    if (!connection.Connected() || !connection.Handle())
        Fail(QStringLiteral("Baza danych nie jest otwarta."));
    if (!Available(connection))
        Fail(QStringLiteral("Ta wersja biblioteki SQLite nie pozwala wykonać kopii zapasowej."));
}
} // namespace

bool Available(const TDbConnection &connection)
{
    return connection.Api().HasBackup();
}

QString Create(TDbConnection &connection, const QString &photoRoot, const QString &parent, const Options &options)
{
    RequireBackup(connection);
    const QString folder = NewFolder(parent, options.namePrefix);
    try {
        {
            Handle destination(connection.Api(), QDir(folder).filePath(DatabaseFileName));
            CopyPages(connection.Api(), destination.get(), connection.Handle(), options.pagesPerStep, options.progress);
        }
        if (!CopyFolder(photoRoot, QDir(folder).filePath(PhotoFolderName)))
            Fail(QStringLiteral("Nie można skopiować zdjęć do folderu %1.").arg(QDir::toNativeSeparators(folder)));
    } catch (...) {
        DeleteFolder(folder);
        throw;
    }
    return folder;
}

bool IsBackupFolder(const QString &folder)
{
    return QFileInfo(QDir(folder).filePath(DatabaseFileName)).isFile();
}

QString Restore(TDbConnection &connection, const QString &photoRoot, const QString &backupFolder,
                const QString &asideParent)
{
    RequireBackup(connection);
    if (!IsBackupFolder(backupFolder))
        Fail(QStringLiteral("W folderze %1 nie ma kopii zapasowej dziennika (pliku %2).")
                 .arg(QDir::toNativeSeparators(backupFolder), DatabaseFileName));
    const SqliteApi &api = connection.Api();
    Handle source(api, QDir(backupFolder).filePath(DatabaseFileName));
    // Whatever the file is, it must hold a diary before anything is replaced.
    sqlite3_stmt *probe = nullptr;
    const bool isDiary = api.prepare(source.get(), "select count(*) from dziennik", -1, &probe, nullptr) == SQLITE_OK &&
                         probe && api.step(probe) == SQLITE_ROW;
    if (probe)
        api.finalize(probe);
    if (!isDiary)
        Fail(QStringLiteral("Plik %1 nie jest kopią dziennika połowów.")
                 .arg(QDir::toNativeSeparators(QDir(backupFolder).filePath(DatabaseFileName))));

    Options aside;
    aside.namePrefix = QStringLiteral("Przed przywróceniem");
    const QString asideFolder = Create(connection, photoRoot, asideParent, aside);

    // The photos are laid out beside the live folder first, so that a failure leaves
    // the live one untouched.
    const QString incoming = photoRoot + QStringLiteral(".przywracane");
    const QString outgoing = photoRoot + QStringLiteral(".poprzednie");
    DeleteFolder(incoming);
    DeleteFolder(outgoing);
    if (!CopyFolder(QDir(backupFolder).filePath(PhotoFolderName), incoming)) {
        DeleteFolder(incoming);
        Fail(QStringLiteral("Nie można skopiować zdjęć z kopii zapasowej."));
    }
    try {
        CopyPages(api, connection.Handle(), source.get(), -1, {});
    } catch (...) {
        DeleteFolder(incoming);
        throw;
    }
    const bool hadPhotos = FolderExists(photoRoot);
    if ((hadPhotos && !QDir().rename(photoRoot, outgoing)) || !QDir().rename(incoming, photoRoot))
        Fail(QStringLiteral("Nie można zastąpić folderu zdjęć %1; poprzednie zdjęcia są w kopii %2.")
                 .arg(QDir::toNativeSeparators(photoRoot), QDir::toNativeSeparators(asideFolder)));
    DeleteFolder(outgoing);
    return asideFolder;
}

} // namespace DatabaseBackup
