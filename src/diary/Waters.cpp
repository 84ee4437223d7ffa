#include "diary/Waters.h"

#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/DiarySchema.h"

namespace Waters {

std::vector<Water> Read(TDbConnection &connection)
{
    std::vector<Water> waters;
    // A diary older than the positions (one opened read-only is never brought up to
    // date) reads its waters without them; a diary without the table has none.
    const QString table = QStringLiteral("lowiska");
    const QString position = HasColumn(connection, table, QStringLiteral("szerokosc_geo"))
                                 ? QStringLiteral("szerokosc_geo, dlugosc_geo")
                                 : QStringLiteral("NULL, NULL");
    std::optional<Statement> rows = PrepareIfPresent(
        connection, QStringLiteral("SELECT nazwa, numer, %1 FROM lowiska ORDER BY rowid").arg(position), table,
        QStringLiteral("nazwa"));
    while (rows && rows->Next()) {
        Water &water = waters.emplace_back(Water{rows->Text(0), rows->Text(1), std::nullopt});
        // A position is both numbers or none; one the file holds out of range is none.
        if (!rows->IsNull(2) && !rows->IsNull(3)) {
            const GeoPoint at{rows->Number(2), rows->Number(3)};
            if (at.Valid())
                water.position = at;
        }
    }
    return waters;
}

void Write(TDbConnection &connection, const std::vector<Water> &waters)
{
    Transaction transaction(connection);
    Statement(connection, QStringLiteral("DELETE FROM lowiska")).Run();
    Statement insert(connection,
                     QStringLiteral("INSERT INTO lowiska (nazwa, numer, szerokosc_geo, dlugosc_geo) VALUES (?, ?, ?, ?)"));
    for (const Water &water : waters) {
        if (water.name.trimmed().isEmpty())
            continue;
        insert.Bind(1, water.name.trimmed()).Bind(2, water.number.trimmed());
        if (water.position && water.position->Valid())
            insert.Bind(3, water.position->latitude).Bind(4, water.position->longitude);
        else
            insert.BindNull(3).BindNull(4);
        insert.Run();
        insert.Reset();
    }
    transaction.Commit();
}

QString NameKey(const QString &name)
{
    return name.simplified().toCaseFolded();
}

const Water *Named(const std::vector<Water> &waters, const QString &place)
{
    const QString key = NameKey(place);
    if (key.isEmpty())
        return nullptr;
    for (const Water &water : waters)
        if (NameKey(water.name) == key)
            return &water;
    return nullptr;
}

QString NumberOf(const std::vector<Water> &waters, const QString &place)
{
    const Water *water = Named(waters, place);
    return water ? water->number : QString();
}

} // namespace Waters
