#pragma once

#include "app/ProgramPaths.h"
#include "data/DataLayerMessage.h"
#include "data/TDbConnection.h"
#include "support/TestSupport.h"

#include <QStringList>

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
