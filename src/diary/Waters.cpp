#include "diary/Waters.h"

#include "data/TDbConnection.h"
#include "diary/DiarySchema.h"

namespace Waters {

std::vector<Water> Read(TDbConnection &connection)
{
    std::vector<Water> waters;
    if (!HasColumn(connection, QStringLiteral("lowiska"), QStringLiteral("nazwa")))
        return waters;
    for (const QStringList &row : SelectRows(connection, QStringLiteral("SELECT nazwa, numer FROM lowiska ORDER BY "
                                                                        "rowid")))
        waters.push_back({row.value(0), row.value(1)});
    return waters;
}

void Write(TDbConnection &connection, const std::vector<Water> &waters)
{
    InDiaryTransaction(connection, [&] {
        connection.ExecStatement(QStringLiteral("DELETE FROM lowiska"));
        for (const Water &water : waters) {
            if (water.name.trimmed().isEmpty())
                continue;
            connection.ExecStatement(QStringLiteral("INSERT INTO lowiska (nazwa, numer) VALUES (%1, %2)")
                                         .arg(SqlText(water.name.trimmed()), SqlText(water.number.trimmed())));
        }
    });
}

QString NumberOf(const std::vector<Water> &waters, const QString &place)
{
    const QString key = place.simplified().toCaseFolded();
    if (key.isEmpty())
        return {};
    for (const Water &water : waters)
        if (water.name.simplified().toCaseFolded() == key)
            return water.number;
    return {};
}

} // namespace Waters
