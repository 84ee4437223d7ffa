#pragma once

#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "data/TDbTable.h"
#include "support/TestSupport.h"
#include "widgets/Platform.h"
#include "widgets/TDataSource.h"

#include <QStringList>
#include <QTest>

// Types text key by key into a widget, letters outside ASCII included (QTest::keyClicks
// knows only ASCII).
using TestSupport::TypeText;

// A real diary file in a temporary program folder, the diary table open on it and a data
// source over the table, as the calendar view holds them.
class DiaryTestDb
{
public:
    struct Catch
    {
        const char *gatunek;
        const char *waga;
        const char *dlugosc;
        const char *miejsce;
        const char *opis = "";
    };

    explicit DiaryTestDb(std::initializer_list<Catch> catches, const QString &tableName = QStringLiteral("dziennik"))
    {
        Platform::EnableTestMode();
        Platform::ClearTestState();
        QString sql;
        for (const Catch &c : catches)
            sql += QStringLiteral("insert into dziennik values('2005-01-24','%1',%2,%3,'%4','','','','%5','');")
                       .arg(QString::fromUtf8(c.gatunek), QLatin1String(c.waga), QLatin1String(c.dlugosc),
                            QString::fromUtf8(c.miejsce), QString::fromUtf8(c.opis));
        if (!sql.isEmpty())
            dir.exec(sql);
        connection.SetDriverDLL(dir.path() + SqliteLibraryFileName());
        connection.SetDefaultDir(dir.path() + QStringLiteral("data"));
        connection.SetDatabase(QStringLiteral("wedkarz.db"));
        connection.SetConnected(true);
        table.setObjectName(QStringLiteral("dziennikTable"));
        table.TableName = tableName;
        table.SetConnection(&connection);
        table.Open();
        source.SetDataSet(&table);
    }

    // One column of the diary file, in rowid order.
    QStringList Stored(const QString &column) const
    {
        return TestSupport::QueryColumn(dir.dbPath(),
                                        QStringLiteral("select %1 from dziennik order by rowid").arg(column));
    }

    TestSupport::TempProgramDir dir;
    TDbConnection connection;
    TDbTable table;
    TDataSource source;
};
