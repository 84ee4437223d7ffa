#include "diary/DatabaseBackup.h"

#include "base/FolderUtils.h"
#include "data/DbErrors.h"
#include "data/TDbConnection.h"
#include "diary/BackupManifest.h"
#include "diary/SuppliedTables.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThread>
#include <algorithm>

namespace DatabaseBackup {

const QString DatabaseFileName = QStringLiteral("wedkarz.db");
const QString PhotoFolderName = QStringLiteral("foto");

namespace {
// How long a step waits, in all, for another program to finish writing.
constexpr int BusyWaitMs = 5000;
constexpr int BusyPauseMs = 20;
// A copy is written under its name with this added, and renamed when it is whole.
const QString Unfinished = QStringLiteral(".niedokonczona");

[[noreturn]] void Fail(const QString &text)
{
    throw EDatabaseError(text);
}

// An engine handle of a second file, closed however the caller leaves.
class Handle
{
public:
    Handle(const SqliteApi &api, const QString &path, bool readOnly) : m_api(api)
    {
        const QByteArray name = path.toUtf8();
        // Read-only where the engine allows it, so that a copy being checked is never written.
        const int rc = readOnly && m_api.open_v2 ? m_api.open_v2(name.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr)
                                                 : m_api.open(name.constData(), &m_db);
        if (rc != SQLITE_OK) {
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
// busyWaitMs: how long, in all, to wait for a lock; the engine waits for a lock on the
// destination by the destination connection's own busy timeout first.
void CopyPages(const SqliteApi &api, sqlite3 *destination, sqlite3 *source, int pagesPerStep, const Progress &progress,
               int busyWaitMs = BusyWaitMs)
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
            if (waited >= busyWaitMs)
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

// Copies a folder's files and subfolders; on failure names the file that failed and why.
bool CopyFolder(const QString &from, const QString &to, QString *failure)
{
    if (!QDir().mkpath(to)) {
        *failure = QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(to));
        return false;
    }
    if (!FolderExists(from))
        return true;
    const QDir source(from);
    // System entries too: a broken link or a socket among the photos is named, not skipped.
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target)) {
                *failure = QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(target));
                return false;
            }
            continue;
        }
        // A pipe would block the copy for good, a broken link has nothing to copy.
        if (!it.fileInfo().isFile()) {
            *failure = QStringLiteral("Nie można odczytać pliku %1: to nie jest zwykły plik.")
                           .arg(QDir::toNativeSeparators(path));
            return false;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            *failure = QStringLiteral("Nie można odczytać pliku %1: %2.")
                           .arg(QDir::toNativeSeparators(path), file.errorString());
            return false;
        }
        file.close();
        if (!file.copy(target)) {
            *failure = QStringLiteral("Nie można skopiować pliku %1 do %2: %3.")
                           .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(target), file.errorString());
            return false;
        }
    }
    return true;
}

// A name under parent that neither a finished copy nor an unfinished one carries yet.
QString NewName(const QString &parent, const QString &prefix)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    const QString base = QDir(parent).filePath(prefix + QLatin1Char(' ') + stamp);
    QString folder = base;
    for (int n = 2; QFileInfo::exists(folder) || QFileInfo::exists(folder + Unfinished); ++n)
        folder = base + QStringLiteral(" (%1)").arg(n);
    return folder;
}

void RequireBackup(const TDbConnection &connection)
{
    if (!connection.Connected() || !connection.Handle())
        Fail(QStringLiteral("Baza danych nie jest otwarta."));
    if (!Available(connection))
        Fail(QStringLiteral("Ta wersja biblioteki SQLite nie pozwala wykonać kopii zapasowej."));
}

QString Canonical(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : canonical;
}

bool Within(const QString &path, const QString &folder)
{
    const QString inner = Canonical(path), outer = Canonical(folder);
    return inner == outer || inner.startsWith(outer + QLatin1Char('/'));
}

QString Quoted(QString text, QChar quote)
{
    text.replace(quote, QString(quote) + quote);
    return quote + text + quote;
}

void Exec(const SqliteApi &api, sqlite3 *db, const QString &sql)
{
    char *message = nullptr;
    if (api.exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = message ? QString::fromUtf8(message) : QString::fromUtf8(api.errmsg(db));
        api.free(message);
        Fail(text);
    }
}

// The first column of every row, as text.
QStringList Column(const SqliteApi &api, sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (api.prepare(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK || !stmt) {
        const QString message = QString::fromUtf8(api.errmsg(db));
        if (stmt)
            api.finalize(stmt);
        Fail(message);
    }
    QStringList texts;
    int rc;
    while ((rc = api.step(stmt)) == SQLITE_ROW)
        texts << QString::fromUtf8(reinterpret_cast<const char *>(api.column_text(stmt, 0)));
    const QString message = QString::fromUtf8(api.errmsg(db));
    api.finalize(stmt);
    if (rc != SQLITE_DONE)
        Fail(message);
    return texts;
}

// The columns every diary the program ever wrote has; the others a diary may lack, being
// older, and gets added empty.
const QStringList RequiredColumns{QStringLiteral("data"), QStringLiteral("gatunek"), QStringLiteral("waga"),
                                  QStringLiteral("dlugosc")};
const QStringList AddableColumns{QStringLiteral("miejsce"),       QStringLiteral("przyneta"), QStringLiteral("wiatr"),
                                 QStringLiteral("faza_ksiezyca"), QStringLiteral("opis"),     QStringLiteral("foto")};

QString DiaryProblem(const SqliteApi &api, const QString &path)
{
    const QString file = QDir::toNativeSeparators(path);
    try {
        Handle db(api, path, true);
        const QStringList integrity = Column(api, db.get(), QStringLiteral("pragma integrity_check"));
        if (integrity != QStringList{QStringLiteral("ok")})
            return QStringLiteral("Plik %1 jest uszkodzony (sprawdzenie bazy danych zgłasza: %2). Taka kopia nie "
                                  "zostanie przywrócona.")
                .arg(file, integrity.mid(0, 3).join(QStringLiteral("; ")));
        const QStringList kind =
            Column(api, db.get(), QStringLiteral("select type from sqlite_master where lower(name) = 'dziennik'"));
        if (!kind.contains(QStringLiteral("table")))
            return QStringLiteral("Plik %1 nie zawiera tabeli dziennika połowów (dziennik), więc nie jest kopią "
                                  "dziennika.")
                .arg(file);
        const QStringList columns =
            Column(api, db.get(), QStringLiteral("select lower(name) from pragma_table_info('dziennik')"));
        QStringList missing;
        for (const QString &column : RequiredColumns) {
            if (!columns.contains(column))
                missing << column;
        }
        if (!missing.isEmpty())
            return QStringLiteral("Tabeli dziennik w pliku %1 brakuje kolumn: %2, więc nie jest to dziennik połowów "
                                  "tego programu.")
                .arg(file, missing.join(QStringLiteral(", ")));
    } catch (const Exception &) {
        return QStringLiteral("Pliku %1 nie można odczytać jako bazy danych: nie jest bazą danych albo jest "
                              "uszkodzony. Taka kopia nie zostanie przywrócona.")
            .arg(file);
    }
    return {};
}

// The files a restore works with, all in the data folder.
struct LivePaths
{
    explicit LivePaths(const QString &dataFolder)
        : folder(QDir::cleanPath(dataFolder)), photos(folder + QLatin1Char('/') + PhotoFolderName),
          incoming(photos + QStringLiteral(".przywracane")), outgoing(photos + QStringLiteral(".poprzednie")),
          stage(folder + QStringLiteral("/wedkarz.db.przywracana")), aside(folder + QStringLiteral("/kopie")),
          journal(folder + QStringLiteral("/przywracanie.txt"))
    {
    }
    QString folder, photos, incoming, outgoing, stage, aside, journal;
};

// The journal's first line: the restore is still being prepared beside the live diary
// (undone on a crash), or the live diary is being replaced (finished on a crash).
const QByteArray Preparing = QByteArrayLiteral("przygotowanie");
const QByteArray Replacing = QByteArrayLiteral("zamiana");

void WriteJournal(const LivePaths &p, const QByteArray &state, const QString &aside)
{
    QSaveFile file(p.journal);
    const QByteArray text = state + '\n' + aside.toUtf8() + '\n';
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        Fail(QStringLiteral("Nie można zapisać pliku %1: %2. Dziennik pozostał bez zmian.")
                 .arg(QDir::toNativeSeparators(p.journal), file.errorString()));
}

void RemoveStage(const LivePaths &p)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(p.stage + QLatin1String(suffix));
    // A super-journal, should the engine have made one while the live diary was attached.
    const QString name = QFileInfo(p.stage).fileName();
    for (const QString &file : QDir(p.folder).entryList({name + QStringLiteral("-mj*")}, QDir::Files | QDir::Hidden))
        QFile::remove(QDir(p.folder).filePath(file));
}

// Undoes a preparation: nothing live was touched yet.
void Discard(const LivePaths &p)
{
    RemoveStage(p);
    DeleteFolder(p.incoming);
    QFile::remove(p.journal);
}

// Makes the staged database: the copy's diary and the user's other tables, with the
// supplied tables of the live database and any column an older diary lacks.
void BuildStage(TDbConnection &connection, const LivePaths &p)
{
    const SqliteApi &api = connection.Api();
    Handle stage(api, p.stage, false);
    sqlite3 *db = stage.get();
    Exec(api, db,
         QStringLiteral("ATTACH DATABASE %1 AS zywa").arg(Quoted(connection.DatabasePath(), QLatin1Char('\''))));
    // Deferred: the live diary is only read, and another program may be writing it.
    Exec(api, db, QStringLiteral("BEGIN"));
    for (const char *table : SuppliedTables) {
        const QString name = Quoted(QLatin1String(table), QLatin1Char('"'));
        const QStringList sql =
            Column(api, db,
                   QStringLiteral("select sql from zywa.sqlite_master where type = 'table' and lower(name) = '%1'")
                       .arg(QLatin1String(table)));
        if (sql.isEmpty())
            continue;
        Exec(api, db, QStringLiteral("DROP TABLE IF EXISTS main.") + name);
        Exec(api, db, sql.first());
        Exec(api, db, QStringLiteral("INSERT INTO main.%1 SELECT * FROM zywa.%1").arg(name));
        for (const QString &index :
             Column(api, db,
                    QStringLiteral("select sql from zywa.sqlite_master where type = 'index' and sql is not null and "
                                   "lower(tbl_name) = '%1'")
                        .arg(QLatin1String(table))))
            Exec(api, db, index);
    }
    const QStringList columns =
        Column(api, db, QStringLiteral("select lower(name) from pragma_table_info('dziennik', 'main')"));
    // The columns a diary may lack and those the live one has besides (a newer program's),
    // added empty: a number column as 0, for every row must read as a number, unless the
    // live diary gives a default of its own.
    QStringList wanted = AddableColumns;
    for (const QString &column :
         Column(api, db, QStringLiteral("select lower(name) from pragma_table_info('dziennik', 'zywa')"))) {
        if (!wanted.contains(column))
            wanted << column;
    }
    for (const QString &column : wanted) {
        if (columns.contains(column))
            continue;
        const auto live = [&](const char *what) {
            return Column(api, db,
                          QStringLiteral("select ifnull(%1, '') from pragma_table_info('dziennik', 'zywa') where "
                                         "lower(name) = %2")
                              .arg(QLatin1String(what), Quoted(column, QLatin1Char('\''))))
                .value(0);
        };
        const QString type = live("type").isEmpty() ? QStringLiteral("text") : live("type");
        static const QRegularExpression number(QStringLiteral("int|real|floa|doub|num|dec"),
                                               QRegularExpression::CaseInsensitiveOption);
        const QString fallback = number.match(type).hasMatch() ? QStringLiteral("0") : QStringLiteral("''");
        const QString initial = live("dflt_value").isEmpty() ? fallback : live("dflt_value");
        Exec(api, db,
             QStringLiteral("ALTER TABLE main.dziennik ADD COLUMN %1 %2 DEFAULT %3")
                 .arg(Quoted(column, QLatin1Char('"')), type, initial));
    }
    const QString version = Column(api, db, QStringLiteral("pragma zywa.user_version")).value(0, QStringLiteral("0"));
    Exec(api, db, QStringLiteral("pragma main.user_version = %1").arg(version.toLongLong()));
    Exec(api, db, QStringLiteral("COMMIT"));
    Exec(api, db, QStringLiteral("DETACH DATABASE zywa"));
}

// Replaces the live diary with the staged one in one transaction of the engine, which
// either happens whole or not at all. The staged file goes at once, so that nothing
// written to the diary afterwards is ever replaced again by finishing the restore.
void ReplaceDatabase(TDbConnection &connection, const LivePaths &p)
{
    if (!QFileInfo(p.stage).isFile())
        return;
    {
        Handle stage(connection.Api(), p.stage, true);
        // The live connection has already waited its busy timeout when this step fails.
        CopyPages(connection.Api(), connection.Handle(), stage.get(), -1, {}, 0);
    }
    RemoveStage(p);
}

// Replaces the live diary with the staged one and the photo folder with the incoming
// one. Each step can be run again after a crash at any point of the one before.
void RollForward(TDbConnection &connection, const LivePaths &p)
{
    ReplaceDatabase(connection, p);
    if (FolderExists(p.incoming)) {
        if (FolderExists(p.photos)) {
            if (FolderExists(p.outgoing) || !QDir().rename(p.photos, p.outgoing))
                Fail(QStringLiteral("Nie można odsunąć folderu zdjęć %1, by zastąpić go zdjęciami z kopii. Program "
                                    "spróbuje dokończyć przywracanie przy następnym uruchomieniu.")
                         .arg(QDir::toNativeSeparators(p.photos)));
        }
        if (!QDir().rename(p.incoming, p.photos))
            Fail(QStringLiteral("Nie można zastąpić folderu zdjęć %1 zdjęciami z kopii. Program spróbuje dokończyć "
                                "przywracanie przy następnym uruchomieniu.")
                     .arg(QDir::toNativeSeparators(p.photos)));
    }
    if (FolderExists(p.outgoing))
        DeleteFolder(p.outgoing);
    RemoveStage(p);
    QFile::remove(p.journal);
}
} // namespace

bool Available(const TDbConnection &connection)
{
    return connection.Api().HasBackup();
}

QString Create(TDbConnection &connection, const QString &photoRoot, const QString &parent, const Options &options)
{
    RequireBackup(connection);
    if (FolderExists(photoRoot) && Within(parent, photoRoot))
        Fail(QStringLiteral("Kopii nie można zapisać w folderze zdjęć programu %1. Wybierz inny folder.")
                 .arg(QDir::toNativeSeparators(parent)));
    const QString folder = NewName(parent, options.namePrefix);
    const QString unfinished = folder + Unfinished;
    if (!QDir().mkpath(unfinished))
        Fail(QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(unfinished)));
    try {
        {
            Handle destination(connection.Api(), QDir(unfinished).filePath(DatabaseFileName), false);
            CopyPages(connection.Api(), destination.get(), connection.Handle(), options.pagesPerStep, options.progress);
        }
        QString failure;
        if (!CopyFolder(photoRoot, QDir(unfinished).filePath(PhotoFolderName), &failure) ||
            !BackupManifest::Write(unfinished, &failure))
            Fail(failure + QStringLiteral(" Kopii zapasowej nie zapisano."));
        if (!QDir().rename(unfinished, folder))
            Fail(QStringLiteral("Nie można nadać kopii nazwy %1.").arg(QDir::toNativeSeparators(folder)));
    } catch (...) {
        DeleteFolder(unfinished);
        throw;
    }
    return folder;
}

namespace {
// The reason the copy may not be restored, or empty with its checked list in entries.
QString CheckCopy(TDbConnection &connection, const LivePaths &p, const QString &backupFolder,
                  std::vector<BackupManifest::Entry> *entries)
{
    const QString where = QDir::toNativeSeparators(backupFolder);
    if (Within(backupFolder, p.folder) && !Within(backupFolder, p.aside))
        return QStringLiteral("Folder %1 należy do bieżącego dziennika programu i nie jest kopią zapasową. Wybierz "
                              "folder kopii.")
            .arg(where);
    if (!FolderExists(backupFolder))
        return QStringLiteral("Folder %1 nie istnieje.").arg(where);
    QString problem;
    *entries = BackupManifest::Check(backupFolder, &problem);
    if (!problem.isEmpty())
        return problem;
    if (std::none_of(entries->begin(), entries->end(),
                     [](const BackupManifest::Entry &entry) { return entry.path == DatabaseFileName; }))
        return QStringLiteral("W kopii w folderze %1 nie ma pliku bazy danych %2.").arg(where, DatabaseFileName);
    return DiaryProblem(connection.Api(), QDir(backupFolder).filePath(DatabaseFileName));
}
} // namespace

QString RestoreProblem(TDbConnection &connection, const QString &dataFolder, const QString &backupFolder)
{
    std::vector<BackupManifest::Entry> entries;
    return CheckCopy(connection, LivePaths(dataFolder), backupFolder, &entries);
}

QString Restore(TDbConnection &connection, const QString &dataFolder, const QString &backupFolder)
{
    RequireBackup(connection);
    FinishInterruptedRestore(connection, dataFolder);
    const LivePaths p(dataFolder);
    std::vector<BackupManifest::Entry> entries;
    if (const QString problem = CheckCopy(connection, p, backupFolder, &entries); !problem.isEmpty())
        Fail(problem);

    QString aside;
    WriteJournal(p, Preparing, {});
    try {
        RemoveStage(p);
        DeleteFolder(p.incoming);
        if (!QFile::copy(QDir(backupFolder).filePath(DatabaseFileName), p.stage))
            Fail(QStringLiteral("Nie można skopiować bazy danych z kopii do pliku %1.")
                     .arg(QDir::toNativeSeparators(p.stage)));
        BuildStage(connection, p);
        // Only what the list names and vouches for comes back.
        if (!QDir().mkpath(p.incoming))
            Fail(QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(p.incoming)));
        const QString photoPrefix = PhotoFolderName + QLatin1Char('/');
        for (const BackupManifest::Entry &entry : entries) {
            if (!entry.path.startsWith(photoPrefix))
                continue;
            const QString target = p.incoming + QLatin1Char('/') + entry.path.mid(photoPrefix.size());
            if (!QDir().mkpath(QFileInfo(target).path()) ||
                !QFile::copy(QDir(backupFolder).filePath(entry.path), target))
                Fail(QStringLiteral("Nie można skopiować zdjęcia %1 z kopii do %2.")
                         .arg(QDir::toNativeSeparators(QDir(backupFolder).filePath(entry.path)),
                              QDir::toNativeSeparators(target)));
        }
        Options options;
        options.namePrefix = QStringLiteral("Przed przywróceniem");
        aside = Create(connection, p.photos, p.aside, options);
        WriteJournal(p, Replacing, aside);
        // Refused (another program holds the diary, say), the replacement left the live
        // diary as it was: the restore is undone rather than finished later.
        ReplaceDatabase(connection, p);
    } catch (...) {
        Discard(p);
        throw;
    }
    RollForward(connection, p);
    return aside;
}

bool RestorePending(const QString &dataFolder)
{
    return QFileInfo::exists(LivePaths(dataFolder).journal);
}

bool FinishInterruptedRestore(TDbConnection &connection, const QString &dataFolder)
{
    const LivePaths p(dataFolder);
    QFile journal(p.journal);
    if (!journal.exists())
        return false;
    if (!journal.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("Nie można odczytać pliku %1: %2.")
                 .arg(QDir::toNativeSeparators(p.journal), journal.errorString()));
    const QByteArray state = journal.readLine().trimmed();
    journal.close();
    if (state == Replacing)
        RollForward(connection, p);
    else
        Discard(p);
    return true;
}

} // namespace DatabaseBackup
