#pragma once

#include "base/ProgramPaths.h"
#include "data/DataLayerMessage.h"
#include "data/TDbConnection.h"
#include "data/TDbTable.h"
#include "support/TestSupport.h"

#include <QStringList>
#include <functional>

// The message of the Error that the action throws.
template <typename Error> QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

// The texts of one column of a dataset, in the order a grid shows its rows.
inline QStringList shownColumn(const TDbBaseQuery &dataSet, int column)
{
    QStringList texts;
    for (int row = 0; row < dataSet.DisplayRowCount(); ++row)
        texts << dataSet.DisplayText(row, column);
    return texts;
}

// A program folder with the schema's database and a connection made to it the way
// start-up makes it; every statement the connection runs is recorded.
struct ConnectedDatabase
{
    TestSupport::TempProgramDir dir;
    TDbConnection connection;
    QStringList statements;

    ConnectedDatabase()
    {
        connection.setObjectName(QStringLiteral("DataBase"));
        connection.SetDriverDLL(dir.path() + SqliteLibraryFileName());
        connection.SetDefaultDir(dir.path() + QStringLiteral("data"));
        connection.SetDatabase(QStringLiteral("wedkarz.db"));
        connection.OnStatement = [this](const QString &sql) { statements << sql; };
        connection.SetConnected(true);
    }

    bool exec(const QString &sql) const
    {
        QString error;
        const bool ok = dir.exec(sql, &error);
        if (!ok)
            qWarning("%s: %s", qPrintable(sql), qPrintable(error));
        return ok;
    }
    QStringList column(const QString &sql) const { return TestSupport::QueryColumn(dir.dbPath(), sql); }
};

// A table of the connected database, named but not yet open.
struct ConnectedTable : ConnectedDatabase
{
    TDbTable table;

    explicit ConnectedTable(const QString &tableName, const QString &objectName = QString())
    {
        table.setObjectName(objectName);
        table.SetConnection(&connection);
        table.TableName = tableName;
    }
};

// Collects what the data layer shows as a notice.
struct ShownMessages
{
    QStringList texts;
    ShownMessages()
    {
        SetDataLayerMessageHandler([this](const QString &text) { texts << text; });
    }
    ~ShownMessages() { SetDataLayerMessageHandler(nullptr); }
};
