#pragma once

#include "data/SqliteApi.h"

#include <QLibrary>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class TDbBaseQuery;
class TResultRows;
struct FetchOptions;

using TConnectionNotifyEvent = std::function<void(class TDbConnection *)>;

// The one connection to the database file. Loads the engine library named by DriverDLL
// at run time, opens Database (under DefaultDir when set) and runs statements for the
// datasets that borrow it.
class TDbConnection : public QObject
{
    Q_OBJECT

public:
    explicit TDbConnection(QObject *owner = nullptr);
    ~TDbConnection() override;

    // Published properties.
    const QString &Database() const { return m_database; }
    // Surrounding blanks are trimmed.
    void SetDatabase(const QString &database);
    // ".sdb" while empty; never part of the path.
    QString DefaultExt() const;
    void SetDefaultExt(const QString &ext) { m_defaultExt = ext; }
    const QString &DefaultDir() const { return m_defaultDir; }
    void SetDefaultDir(const QString &dir) { m_defaultDir = dir; }
    // "SQLite.dll" while empty; the library is still loaded from the stored value.
    QString DriverDLL() const;
    void SetDriverDLL(const QString &file) { m_driverDll = file; }
    bool Connected() const { return m_connected; }
    void SetConnected(bool connected);
    bool MustExist() const { return m_mustExist; }
    void SetMustExist(bool mustExist) { m_mustExist = mustExist; }
    bool ExecuteInlineSQL = false;
    // Opens the file for reading only, so that a file being checked is never changed.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // How long a statement waits for a lock another program holds before it fails.
    void SetBusyTimeout(int milliseconds);

    TConnectionNotifyEvent BeforeConnect, AfterConnect, BeforeDisconnect, AfterDisconnect;

    // Called with the text of every statement run (ExecStatement, fetches, deletes).
    std::function<void(const QString &)> OnStatement;

    // Loads the library and resolves the 27 entry points; false when either fails.
    bool LoadLibs();
    bool LibraryLoaded() const { return m_libraryLoaded; }

    void StartTransaction();
    void Commit();
    void RollBack();

    // Runs one statement to its end and discards its rows.
    void ExecStatement(const QString &sql);
    // Logs the statement and reads its rows into the dataset being opened (or, with no
    // dataset, runs it and keeps nothing).
    void SQLite_XExec(sqlite3 *db, const QString &sql, TDbBaseQuery *dataSet);
    [[noreturn]] void RaiseEngineError();

    // The path the last connect composed.
    const QString &DatabasePath() const { return m_path; }
    sqlite3 *Handle() const { return m_db; }
    qint64 LastInsertRowId() const;
    const SqliteApi &Api() const { return m_api; }

    // Reads the rows of a statement into a result (the fetch of an open).
    void FetchInto(const QString &sql, TResultRows &rows, const FetchOptions &options);

private:
    void DBConnect();
    void Disconnect();
    QString ComposePath();
    void Announce(const QString &sql);

    QString m_database;
    QString m_defaultExt;
    QString m_defaultDir;
    QString m_driverDll;
    QString m_path;
    int m_busyTimeoutMs = 5000;
    bool m_connected = false;
    bool m_mustExist = false;
    bool m_readOnly = false;

    std::unique_ptr<QLibrary> m_library;
    bool m_libraryLoaded = false;
    SqliteApi m_api;
    sqlite3 *m_db = nullptr;
};
