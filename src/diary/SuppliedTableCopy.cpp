#include "diary/SuppliedTableCopy.h"

#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/QuestionBank.h"

bool IsSuppliedTable(const QString &table)
{
    for (const char *name : SuppliedTables) {
        if (table.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void CopySuppliedTables(TDbConnection &connection, const char *from)
{
    const QString source = QLatin1String(from);
    for (const char *table : SuppliedTables) {
        const QString name = QLatin1String(table);
        // Read to its end: a statement still stepping would keep the table from being dropped.
        const QString create = Statement(connection,
                                         QStringLiteral("SELECT sql FROM %1.sqlite_master WHERE type = 'table' AND "
                                                        "lower(name) = ?")
                                             .arg(source),
                                         name)
                                   .Column()
                                   .value(0);
        if (create.isEmpty())
            continue;
        Statement(connection, QStringLiteral("DROP TABLE IF EXISTS main.") + name).Run();
        Statement(connection, create).Run();
        Statement(connection, QStringLiteral("INSERT INTO main.%1 SELECT * FROM %2.%1").arg(name, source)).Run();
        for (const QString &index :
             Statement(connection,
                       QStringLiteral("SELECT sql FROM %1.sqlite_master WHERE type = 'index' AND sql IS NOT NULL AND "
                                      "lower(tbl_name) = ?")
                           .arg(source),
                       name)
                 .Column())
            Statement(connection, index).Run();
    }
    // An older shipped file has questions without topics.
    MendQuestionTopics(connection);
}

int DatabaseStamp(TDbConnection &connection, const char *schema)
{
    Statement stamp(connection, QStringLiteral("PRAGMA %1.user_version").arg(QLatin1String(schema)));
    return stamp.Next() ? int(stamp.Integer(0)) : 0;
}

void SetDatabaseStamp(TDbConnection &connection, int stamp)
{
    // A pragma takes no bound value; the stamp is a number the program computed.
    Statement(connection, QStringLiteral("PRAGMA main.user_version = ") + QString::number(stamp)).Run();
}
