#include "diary/Waters.h"

#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/DiarySchema.h"

namespace Waters {

std::vector<Water> Read(TDbConnection &connection)
{
    std::vector<Water> waters;
    std::optional<Statement> rows =
        PrepareIfPresent(connection, QStringLiteral("SELECT nazwa, numer FROM lowiska ORDER BY rowid"),
                         QStringLiteral("lowiska"), QStringLiteral("nazwa"));
    while (rows && rows->Next())
        waters.push_back({rows->Text(0), rows->Text(1)});
    return waters;
}

void Write(TDbConnection &connection, const std::vector<Water> &waters)
{
    Transaction transaction(connection);
    Statement(connection, QStringLiteral("DELETE FROM lowiska")).Run();
    Statement insert(connection, QStringLiteral("INSERT INTO lowiska (nazwa, numer) VALUES (?, ?)"));
    for (const Water &water : waters) {
        if (water.name.trimmed().isEmpty())
            continue;
        insert.Bind(1, water.name.trimmed()).Bind(2, water.number.trimmed()).Run();
        insert.Reset();
    }
    transaction.Commit();
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
