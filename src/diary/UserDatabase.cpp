#include "diary/UserDatabase.h"

#include "data/DbErrors.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/DatabaseFile.h"
#include "diary/SuppliedTableCopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
void TakeOverSuppliedTables(TDbConnection &db, int stamp)
{
    CopySuppliedTables(db, "shipped");
    // The user's own tables are only made when missing.
    Statement own(db, QStringLiteral("SELECT sql FROM shipped.sqlite_master WHERE type = 'table' AND NOT EXISTS "
                                     "(SELECT 1 FROM main.sqlite_master m WHERE m.type = 'table' AND "
                                     "lower(m.name) = lower(shipped.sqlite_master.name)) ORDER BY rowid"));
    for (const QString &create : own.Column())
        Statement(db, create).Run();
    SetDatabaseStamp(db, stamp);
}

void RefreshExisting(const QString &engineLibrary, const QString &shippedPath, const QString &userPath, int stamp);
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
    if (DatabaseStamp(db) == stamp)
        return;

    const Attachment shipped(db, shippedPath, "shipped");
    Transaction transaction(db);
    // A second copy of the program started at the same moment may have done it meanwhile.
    if (DatabaseStamp(db) != stamp)
        TakeOverSuppliedTables(db, stamp);
    transaction.Commit();
}
} // namespace
