#include "diary/UserDatabase.h"

#include "data/DbErrors.h"
#include "data/TDbConnection.h"
#include "diary/DatabaseFile.h"
#include "diary/SuppliedTables.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>
#include <vector>

namespace {
QString Quoted(QString text, QChar quote)
{
    text.replace(quote, QString(quote) + quote);
    return quote + text + quote;
}

// The rows of a statement, each as its column texts.
std::vector<QStringList> Rows(TDbConnection &db, const QString &sql)
{
    const SqliteApi &api = db.Api();
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (api.prepare(db.Handle(), text.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        db.RaiseEngineError();
    std::vector<QStringList> rows;
    int rc;
    while ((rc = api.step(stmt)) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0, n = api.column_count(stmt); i < n; ++i)
            row << QString::fromUtf8(reinterpret_cast<const char *>(api.column_text(stmt, i)));
        rows.push_back(std::move(row));
    }
    const QString message = QString::fromUtf8(api.errmsg(db.Handle()));
    api.finalize(stmt);
    if (rc != SQLITE_DONE)
        throw EDatabaseError(message);
    return rows;
}

bool IsSupplied(const QString &table)
{
    for (const char *name : SuppliedTables) {
        if (table.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void TakeOverSuppliedTables(TDbConnection &db, int stamp)
{
    const auto shippedTables =
        Rows(db, QStringLiteral("SELECT name, sql FROM shipped.sqlite_master WHERE type = 'table' ORDER BY rowid"));
    QStringList ownTables;
    for (const QStringList &row : Rows(db, QStringLiteral("SELECT name FROM main.sqlite_master WHERE type = 'table'")))
        ownTables << row.first().toLower();

    // Dropped and made anew rather than emptied, so that a changed column list reaches
    // the user too; the user's own tables are only made when missing.
    for (const QStringList &row : shippedTables) {
        const QString name = Quoted(row.at(0), QLatin1Char('"'));
        if (IsSupplied(row.at(0))) {
            db.ExecStatement(QStringLiteral("DROP TABLE IF EXISTS main.") + name);
            db.ExecStatement(row.at(1));
            db.ExecStatement(QStringLiteral("INSERT INTO main.%1 SELECT * FROM shipped.%1").arg(name));
        } else if (!ownTables.contains(row.at(0).toLower())) {
            db.ExecStatement(row.at(1));
        }
    }
    db.ExecStatement(QStringLiteral("PRAGMA main.user_version = %1").arg(stamp));
}

void RefreshExisting(const QString &engineLibrary, const QString &shippedPath, const QString &userPath, int stamp);

int TakenOverStamp(TDbConnection &db)
{
    return Rows(db, QStringLiteral("PRAGMA main.user_version")).front().first().toInt();
}
} // namespace

int ShippedDatabaseStamp(const QString &shippedPath)
{
    QFile file(shippedPath);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&file);
    const QByteArray digest = hash.result();
    const int stamp = int((quint32(quint8(digest[0])) << 24 | quint32(quint8(digest[1])) << 16 |
                           quint32(quint8(digest[2])) << 8 | quint32(quint8(digest[3]))) &
                          0x7fffffff);
    // Zero is what a database made by hand carries.
    return stamp == 0 ? 1 : stamp;
}

void RefreshUserDatabase(const QString &engineLibrary, const QString &shippedPath, const QString &userPath)
{
    const int stamp = ShippedDatabaseStamp(shippedPath);
    // A damaged file is the main window's to report; it is never written over.
    if (stamp == 0 || CheckDatabaseFile(userPath) == DatabaseFileState::NotDatabase)
        return;
    QDir().mkpath(QFileInfo(userPath).absolutePath());
    // A file made here and left half written (a full disk) would later be taken for a
    // damaged diary; it goes, and the next start makes it again.
    const bool made = !QFileInfo::exists(userPath);
    try {
        RefreshExisting(engineLibrary, shippedPath, userPath, stamp);
    } catch (...) {
        if (made) {
            QFile::remove(userPath);
            QFile::remove(userPath + QStringLiteral("-journal"));
        }
        throw;
    }
}

namespace {
void RefreshExisting(const QString &engineLibrary, const QString &shippedPath, const QString &userPath, int stamp)
{

    TDbConnection db;
    db.SetDriverDLL(engineLibrary);
    db.SetDatabase(QDir::toNativeSeparators(QFileInfo(userPath).absoluteFilePath()));
    db.SetConnected(true);
    if (TakenOverStamp(db) == stamp)
        return;

    db.ExecStatement(QStringLiteral("ATTACH DATABASE %1 AS shipped").arg(Quoted(shippedPath, QLatin1Char('\''))));
    db.ExecStatement(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        // A second copy of the program started at the same moment may have done it meanwhile.
        if (TakenOverStamp(db) != stamp)
            TakeOverSuppliedTables(db, stamp);
        db.ExecStatement(QStringLiteral("COMMIT"));
    } catch (...) {
        // The engine may have rolled back already; the first failure is the one to tell.
        try {
            db.ExecStatement(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
        throw;
    }
    db.ExecStatement(QStringLiteral("DETACH DATABASE shipped"));
}
} // namespace
