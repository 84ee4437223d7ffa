#include "diary/DatabaseBackup.h"

#include "base/CheckedFile.h"
#include "base/FolderUtils.h"
#include "data/DbErrors.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/BackupManifest.h"
#include "diary/DiaryColumns.h"
#include "diary/DiarySchema.h"
#include "diary/SuppliedTableCopy.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <memory>

namespace DatabaseBackup {

const QString DatabaseFileName = QStringLiteral("wedkarz.db");
const QString PhotoFolderName = QStringLiteral("foto");

namespace {
// How long the copy waits, in all, for another program to finish writing.
constexpr int BusyWaitMs = 5000;
constexpr int BusyPauseMs = 20;
// A copy is written under its name with this added, and renamed when it is whole.
const QString Unfinished = QStringLiteral(".niedokonczona");
// The start of the name of the copy a restore keeps of what it replaced.
const QString SetAsidePrefix = QStringLiteral("Przed przywróceniem");

[[noreturn]] void Fail(const QString &text)
{
    throw EDatabaseError(text);
}

// A connection to another database file, through the engine the live one loaded.
std::unique_ptr<TDbConnection> OpenFile(const TDbConnection &live, const QString &path, bool readOnly)
{
    auto connection = std::make_unique<TDbConnection>();
    connection->SetDriverDLL(live.DriverDLL());
    connection->SetReadOnly(readOnly);
    connection->SetDatabase(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    connection->SetConnected(true);
    if (!connection->Connected())
        Fail(QStringLiteral("Nie można otworzyć pliku %1.").arg(QDir::toNativeSeparators(path)));
    return connection;
}

// Copies the whole main database of source into destination in one step of the engine's
// online backup: one read of one moment's diary, which a program writing meanwhile
// cannot make start over. busyWaitMs: how long, in all, to wait for a lock.
void CopyDatabase(TDbConnection &destination, TDbConnection &source, int busyWaitMs = BusyWaitMs)
{
    const SqliteApi &api = destination.Api();
    sqlite3_backup *backup = api.backup_init(destination.Handle(), "main", source.Handle(), "main");
    if (!backup)
        destination.RaiseEngineError();
    int rc;
    for (int waited = 0; (rc = api.backup_step(backup, -1)) == SQLITE_BUSY || rc == SQLITE_LOCKED;
         waited += BusyPauseMs) {
        if (waited >= busyWaitMs)
            break;
        QThread::msleep(BusyPauseMs);
    }
    api.backup_finish(backup);
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        Fail(QStringLiteral("Baza danych jest zajęta przez inny program; spróbuj ponownie za chwilę."));
    if (rc != SQLITE_DONE)
        destination.RaiseEngineError();
}

// Tells the progress and stops the work when it was cancelled.
class Steps
{
public:
    Steps(const Progress &progress, int total) : m_progress(progress), m_total(total) { Tell(); }
    void Done()
    {
        ++m_done;
        Tell();
    }

private:
    void Tell() const
    {
        if (m_progress && !m_progress(std::min(m_done, m_total), m_total))
            throw Cancelled(QStringLiteral("Przerwano na życzenie."));
    }
    const Progress &m_progress;
    int m_total;
    int m_done = 0;
};

// The files and folders under a folder, relative to it, folders before what they hold.
QStringList Entries(const QString &folder)
{
    QStringList entries;
    if (!FolderExists(folder))
        return entries;
    // System entries too: a broken link or a socket among the photos is named, not skipped.
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(folder).relativeFilePath(it.next());
    return entries;
}

// Copies a folder's files and subfolders, as Entries listed them, one step each.
void CopyFolder(const QString &from, const QStringList &entries, const QString &to, Steps &steps)
{
    if (!QDir().mkpath(to))
        Fail(QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(to)));
    for (const QString &relative : entries) {
        const QString path = from + QLatin1Char('/') + relative, target = to + QLatin1Char('/') + relative;
        const QFileInfo info(path);
        if (info.isDir() && !info.isSymLink()) {
            if (!QDir().mkpath(target))
                Fail(QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(target)));
            steps.Done();
            continue;
        }
        QString reason;
        if (!CopyWholeFile(path, target, &reason))
            Fail(QStringLiteral("Nie można skopiować pliku %1 do %2: %3.")
                     .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(target), reason));
        steps.Done();
    }
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

QString DiaryProblem(const TDbConnection &live, const QString &path)
{
    const QString file = QDir::toNativeSeparators(path);
    try {
        const auto db = OpenFile(live, path, true);
        const QStringList integrity = Statement(*db, QStringLiteral("pragma integrity_check")).Column();
        if (integrity != QStringList{QStringLiteral("ok")})
            return QStringLiteral("Plik %1 jest uszkodzony (sprawdzenie bazy danych zgłasza: %2). Taka kopia nie "
                                  "zostanie przywrócona.")
                .arg(file, integrity.mid(0, 3).join(QStringLiteral("; ")));
        if (!Statement(*db, QStringLiteral("select 1 from sqlite_master where type = 'table' and lower(name) = "
                                           "'dziennik'"))
                 .Next())
            return QStringLiteral("Plik %1 nie zawiera tabeli dziennika połowów (dziennik), więc nie jest kopią "
                                  "dziennika.")
                .arg(file);
        const QStringList columns =
            Statement(*db, QStringLiteral("select lower(name) from pragma_table_info('dziennik')")).Column();
        QStringList missing;
        for (int c = 0; c < DiaryColumns::Required; ++c) {
            if (!columns.contains(DiaryColumns::Name(DiaryColumns::Column(c))))
                missing << DiaryColumns::Name(DiaryColumns::Column(c));
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
          stage(folder + QStringLiteral("/wedkarz.db.przywracana")),
          source(folder + QStringLiteral("/wedkarz.db.z-kopii")), aside(folder + QStringLiteral("/kopie")),
          journal(folder + QStringLiteral("/przywracanie.txt"))
    {
    }
    QString folder, photos, incoming, outgoing, stage, source, aside, journal;
};

// The journal's first line: the restore is still being prepared beside the live diary
// (undone on a crash), or the live diary is being replaced (finished on a crash). The
// second names the copy of what was live that the restore keeps aside.
const QByteArray Preparing = QByteArrayLiteral("przygotowanie");
const QByteArray Replacing = QByteArrayLiteral("zamiana");

void WriteJournal(const LivePaths &p, const QByteArray &state, const QString &aside)
{
    QString reason;
    if (!WriteWholeFile(p.journal, state + '\n' + aside.toUtf8() + '\n', &reason))
        Fail(QStringLiteral("Nie można zapisać pliku %1: %2. Dziennik pozostał bez zmian.")
                 .arg(QDir::toNativeSeparators(p.journal), reason));
}

void RemoveDatabaseFile(const QString &path)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    // A super-journal, should the engine have made one while another file was attached.
    const QFileInfo file(path);
    for (const QString &name :
         file.dir().entryList({file.fileName() + QStringLiteral("-mj*")}, QDir::Files | QDir::Hidden))
        QFile::remove(file.dir().filePath(name));
}

void RemoveStage(const LivePaths &p)
{
    RemoveDatabaseFile(p.stage);
    RemoveDatabaseFile(p.source);
}

// Undoes a preparation: nothing live was touched yet, and the copy kept aside of what
// was live is not needed.
void Discard(const LivePaths &p, const QString &aside)
{
    RemoveStage(p);
    DeleteFolder(p.incoming);
    if (!aside.isEmpty() && Within(aside, p.aside)) {
        DeleteFolder(aside + Unfinished);
        DeleteFolder(aside);
    }
    QFile::remove(p.journal);
}

// Copies the rows of one of the user's tables from the copy, in the columns both have;
// the others take the program's default. Row ids stay, for the catches are known by them.
void CopyRows(TDbConnection &stage, const QString &table)
{
    if (!Statement(stage, QStringLiteral("select 1 from kopia.sqlite_master where type = 'table' and lower(name) = ?"),
                   table)
             .Next())
        return;
    const QStringList theirs =
        Statement(stage, QStringLiteral("select lower(name) from pragma_table_info(?, 'kopia')"), table).Column();
    QStringList columns{QStringLiteral("rowid")}, values{QStringLiteral("rowid")};
    Statement ours(stage, QStringLiteral("select name, \"notnull\", dflt_value from pragma_table_info(?, 'main')"),
                   table);
    while (ours.Next()) {
        const QString column = ours.Text(0);
        if (!theirs.contains(column.toLower()))
            continue;
        columns << column;
        // An empty value where this program allows none takes the program's default.
        values << (ours.Integer(1) && !ours.IsNull(2) ? QStringLiteral("ifnull(%1, %2)").arg(column, ours.Text(2))
                                                      : column);
    }
    // The names and defaults are the program's own, checked against the copy's.
    Statement(stage, QStringLiteral("insert into main.%1 (%2) select %3 from kopia.%1")
                         .arg(table, columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))))
        .Run();
}

// Makes the staged database anew from the program's own schema: the copy's rows of the
// user's tables, the supplied tables of the live database. Nothing else of the copy's
// file (its triggers, views, constraints, indexes, page size, journal mode) comes along.
void BuildStage(TDbConnection &live, const LivePaths &p, const QString &copy)
{
    RemoveStage(p);
    QString reason;
    // The copy is read from a file of its own, never from where the user keeps it.
    if (!CopyWholeFile(copy, p.source, &reason))
        Fail(QStringLiteral("Nie można skopiować bazy danych z kopii do pliku %1: %2.")
                 .arg(QDir::toNativeSeparators(p.source), reason));
    const auto stage = OpenFile(live, p.stage, false);
    {
        const Attachment kopia(*stage, p.source, "kopia");
        const Attachment zywa(*stage, live.DatabasePath(), "zywa");
        // Deferred: the live diary is only read, and another program may be writing it.
        Transaction transaction(*stage, Transaction::Mode::Deferred);
        CreateDiarySchema(*stage);
        for (const QString &table : UserTables())
            CopyRows(*stage, table);
        CopySuppliedTables(*stage, "zywa");
        SetDatabaseStamp(*stage, DatabaseStamp(*stage, "zywa"));
        transaction.Commit();
    }
    stage->SetConnected(false);
    RemoveDatabaseFile(p.source);
}

// Replaces the live diary with the staged one in one transaction of the engine, which
// either happens whole or not at all. The staged file goes at once, so that nothing
// written to the diary afterwards is ever replaced again by finishing the restore.
void ReplaceDatabase(TDbConnection &connection, const LivePaths &p)
{
    if (!QFileInfo(p.stage).isFile())
        return;
    {
        const auto stage = OpenFile(connection, p.stage, true);
        // The live connection has already waited its busy timeout when this step fails.
        CopyDatabase(connection, *stage, 0);
    }
    RemoveStage(p);
}

const QString UndeletedPhotos = QStringLiteral("Zdjęcia, których nie udało się usunąć");

// Old photos that could not be deleted are moved where they stand in no restore's way;
// what is left, and where, is told in notice.
void PutAsideOldPhotos(const LivePaths &p, QString *notice)
{
    // A link (photos kept on another disk) goes as a link: what it leads to stays there.
    if (QFileInfo(p.outgoing).isSymLink() ? QFile::remove(p.outgoing) : DeleteFolder(p.outgoing))
        return;
    QDir().mkpath(p.aside);
    const QString target = NewName(p.aside, UndeletedPhotos);
    QString text;
    if (QDir().rename(p.outgoing, target))
        text = QStringLiteral("Poprzednich zdjęć nie udało się usunąć; przeniesiono je do folderu %1. Są też w kopii "
                              "sprzed przywrócenia, więc ten folder można usunąć.")
                   .arg(QDir::toNativeSeparators(target));
    else
        text = QStringLiteral("Poprzednich zdjęć nie udało się usunąć ani przenieść; zostały w folderze %1. Są też w "
                              "kopii sprzed przywrócenia; usuń ten folder, gdy będzie to możliwe.")
                   .arg(QDir::toNativeSeparators(p.outgoing));
    if (notice)
        *notice = text;
}

// Replaces the live diary with the staged one and the photo folder with the incoming
// one. Each step can be run again after a crash at any point of the one before.
void RollForward(TDbConnection &connection, const LivePaths &p, QString *notice)
{
    ReplaceDatabase(connection, p);
    if (FolderExists(p.incoming)) {
        if (FolderExists(p.photos)) {
            // Left by an earlier restore that could not delete it.
            if (QFileInfo::exists(p.outgoing))
                PutAsideOldPhotos(p, notice);
            if (QFileInfo::exists(p.outgoing) || !QDir().rename(p.photos, p.outgoing))
                Fail(QStringLiteral("Nie można odsunąć folderu zdjęć %1, by zastąpić go zdjęciami z kopii. Program "
                                    "spróbuje dokończyć przywracanie przy następnym uruchomieniu.")
                         .arg(QDir::toNativeSeparators(p.photos)));
        }
        if (!QDir().rename(p.incoming, p.photos))
            Fail(QStringLiteral("Nie można zastąpić folderu zdjęć %1 zdjęciami z kopii. Program spróbuje dokończyć "
                                "przywracanie przy następnym uruchomieniu.")
                     .arg(QDir::toNativeSeparators(p.photos)));
    }
    if (QFileInfo::exists(p.outgoing) || QFileInfo(p.outgoing).isSymLink())
        PutAsideOldPhotos(p, notice);
    RemoveStage(p);
    QFile::remove(p.journal);
}

// The state and the copy aside that the journal names.
std::pair<QByteArray, QString> ReadJournal(const LivePaths &p)
{
    QFile journal(p.journal);
    if (!journal.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("Nie można odczytać pliku %1: %2.")
                 .arg(QDir::toNativeSeparators(p.journal), journal.errorString()));
    const QByteArray state = journal.readLine().trimmed();
    const QString aside = QString::fromUtf8(journal.readLine().trimmed());
    return {state, aside};
}

// Makes a copy in folder: first under its name with Unfinished added, renamed when its
// list of files is written, so that a copy cut short never carries a copy's name.
void CreateIn(TDbConnection &connection, const QString &photoRoot, const QString &folder, const Progress &progress)
{
    const QString unfinished = folder + Unfinished;
    if (!QDir().mkpath(unfinished))
        Fail(QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(unfinished)));
    try {
        const QStringList photos = Entries(photoRoot);
        Steps steps(progress, int(photos.size()) + 1);
        {
            const auto destination = OpenFile(connection, QDir(unfinished).filePath(DatabaseFileName), false);
            CopyDatabase(*destination, connection);
        }
        steps.Done();
        CopyFolder(photoRoot, photos, QDir(unfinished).filePath(PhotoFolderName), steps);
        QString failure;
        if (!BackupManifest::Write(unfinished, &failure))
            Fail(failure + QStringLiteral(" Kopii zapasowej nie zapisano."));
        if (!QDir().rename(unfinished, folder))
            Fail(QStringLiteral("Nie można nadać kopii nazwy %1.").arg(QDir::toNativeSeparators(folder)));
    } catch (...) {
        DeleteFolder(unfinished);
        throw;
    }
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
    // What a copy cut short left under this program's name goes before the next is made.
    for (const QString &left : QDir(parent).entryList({options.namePrefix + QStringLiteral(" *") + Unfinished},
                                                      QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        DeleteFolder(QDir(parent).filePath(left));
    const QString folder = NewName(parent, options.namePrefix);
    CreateIn(connection, photoRoot, folder, options.progress);
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
    return DiaryProblem(connection, QDir(backupFolder).filePath(DatabaseFileName));
}
} // namespace

QString RestoreProblem(TDbConnection &connection, const QString &dataFolder, const QString &backupFolder)
{
    std::vector<BackupManifest::Entry> entries;
    return CheckCopy(connection, LivePaths(dataFolder), backupFolder, &entries);
}

QString Restore(TDbConnection &connection, const QString &dataFolder, const QString &backupFolder,
                const Options &options, QString *notice)
{
    RequireBackup(connection);
    FinishInterruptedRestore(connection, dataFolder, notice);
    const LivePaths p(dataFolder);
    std::vector<BackupManifest::Entry> entries;
    if (const QString problem = CheckCopy(connection, p, backupFolder, &entries); !problem.isEmpty())
        Fail(problem);
    // Old photos an earlier restore could not delete must not mix with these.
    if (QFileInfo::exists(p.outgoing) || QFileInfo(p.outgoing).isSymLink()) {
        PutAsideOldPhotos(p, notice);
        if (QFileInfo::exists(p.outgoing) || QFileInfo(p.outgoing).isSymLink())
            Fail(QStringLiteral("W folderze %1 zostały zdjęcia sprzed poprzedniego przywrócenia, których nie można "
                                "usunąć ani przenieść. Usuń ten folder, a potem przywróć kopię.")
                     .arg(QDir::toNativeSeparators(p.outgoing)));
    }

    const QString aside = NewName(p.aside, SetAsidePrefix);
    WriteJournal(p, Preparing, aside);
    try {
        const QString photoPrefix = PhotoFolderName + QLatin1Char('/');
        const auto photos = std::count_if(entries.begin(), entries.end(), [&](const BackupManifest::Entry &entry) {
            return entry.path.startsWith(photoPrefix);
        });
        const QStringList livePhotos = Entries(p.photos);
        // The diary, the copy's photos, then the diary and photos of the copy of what is
        // live; the replacement last, which is not told, for it can no longer be cancelled.
        Steps steps(options.progress, int(photos + livePhotos.size()) + 3);
        BuildStage(connection, p, QDir(backupFolder).filePath(DatabaseFileName));
        steps.Done();
        // Only what the list names and vouches for comes back.
        DeleteFolder(p.incoming);
        if (!QDir().mkpath(p.incoming))
            Fail(QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(p.incoming)));
        for (const BackupManifest::Entry &entry : entries) {
            if (!entry.path.startsWith(photoPrefix))
                continue;
            const QString from = QDir(backupFolder).filePath(entry.path);
            const QString target = p.incoming + QLatin1Char('/') + entry.path.mid(photoPrefix.size());
            QString reason;
            if (!QDir().mkpath(QFileInfo(target).path()) || !CopyWholeFile(from, target, &reason))
                Fail(QStringLiteral("Nie można skopiować zdjęcia %1 z kopii do %2: %3.")
                         .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(target),
                              reason.isEmpty() ? QStringLiteral("nie można utworzyć folderu") : reason));
            steps.Done();
        }
        QDir().mkpath(p.aside);
        CreateIn(connection, p.photos, aside, [&](int done, int) {
            if (done > 0)
                steps.Done();
            return true;
        });
        WriteJournal(p, Replacing, aside);
    } catch (...) {
        Discard(p, aside);
        throw;
    }
    try {
        // Refused (another program holds the diary, say), the replacement left the live
        // diary as it was: the restore is undone rather than finished later.
        ReplaceDatabase(connection, p);
    } catch (...) {
        Discard(p, aside);
        throw;
    }
    RollForward(connection, p, notice);
    return aside;
}

QString LastSetAside(const QString &dataFolder)
{
    // The names NewName gives: the time to the second, then " (2)", " (3)"... for more
    // restores within that second. A copy cut short ends in Unfinished and is no match.
    static const QRegularExpression named(QStringLiteral("^%1 (\\d{4}-\\d\\d-\\d\\d \\d\\d\\.\\d\\d\\.\\d\\d)"
                                                         "(?: \\((\\d+)\\))?$")
                                              .arg(QRegularExpression::escape(SetAsidePrefix)));
    const QDir aside(LivePaths(dataFolder).aside);
    QString last;
    std::pair<QString, int> lastKey;
    for (const QString &name :
         aside.entryList({SetAsidePrefix + QStringLiteral(" *")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch match = named.match(name);
        if (!match.hasMatch())
            continue;
        const std::pair key{match.captured(1), match.captured(2).toInt()};
        if (last.isEmpty() || key > lastKey) {
            last = aside.filePath(name);
            lastKey = key;
        }
    }
    return last;
}

bool RestorePending(const QString &dataFolder)
{
    return QFileInfo::exists(LivePaths(dataFolder).journal);
}

bool FinishInterruptedRestore(TDbConnection &connection, const QString &dataFolder, QString *notice)
{
    const LivePaths p(dataFolder);
    if (!QFileInfo::exists(p.journal))
        return false;
    const auto [state, aside] = ReadJournal(p);
    if (state == Replacing)
        RollForward(connection, p, notice);
    else
        Discard(p, aside);
    return true;
}

QStringList Leftovers(const QString &dataFolder)
{
    const LivePaths p(dataFolder);
    QStringList found;
    if (RestorePending(dataFolder))
        return found;
    for (const QString &path : {p.incoming, p.outgoing, p.stage, p.source}) {
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            found << path;
    }
    const QDir aside(p.aside);
    for (const QString &name :
         aside.entryList({QStringLiteral("*") + Unfinished, UndeletedPhotos + QStringLiteral("*")},
                         QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
        found << aside.filePath(name);
    return found;
}

QStringList RemoveLeftovers(const QString &dataFolder)
{
    const LivePaths p(dataFolder);
    QStringList left;
    for (const QString &path : Leftovers(dataFolder)) {
        const QFileInfo entry(path);
        if (path == p.stage || path == p.source)
            RemoveDatabaseFile(path);
        else if (entry.isDir() && !entry.isSymLink())
            DeleteFolder(path);
        else
            QFile::remove(path);
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            left << path;
    }
    return left;
}

} // namespace DatabaseBackup
