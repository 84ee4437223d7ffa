#include "diary/Permit.h"

#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/DiarySchema.h"

#include <QDate>

namespace {
double Number(const QString &text)
{
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

} // namespace

bool Permit::AppliesTo(QStringView day) const
{
    return AppliesToYear(day.left(4).toInt());
}

int Permit::MonthDayOf(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('-'));
    if (parts.size() != 2)
        return 0;
    bool okMonth = false, okDay = false;
    const int month = parts[0].toInt(&okMonth), day = parts[1].toInt(&okDay);
    // A leap year, so that 29 February is a day of the year.
    if (!okMonth || !okDay || !QDate(2004, month, day).isValid())
        return 0;
    return month * 100 + day;
}

QString Permit::MonthDayText(int monthDay)
{
    if (monthDay <= 0)
        return {};
    return QStringLiteral("%1-%2")
        .arg(monthDay / 100, 2, 10, QLatin1Char('0'))
        .arg(monthDay % 100, 2, 10, QLatin1Char('0'));
}

Permit Permit::Read(TDbConnection &connection)
{
    Permit permit;
    // A diary opened read-only before its upgrade has no angler's name or number yet.
    std::optional<Statement> full = PrepareIfPresent(
        connection, QStringLiteral("SELECT nazwa, rok, limit_kg, numer, wedkarz FROM zezwolenie LIMIT 1"),
        QStringLiteral("zezwolenie"), QStringLiteral("wedkarz"));
    std::optional<Statement> plain =
        full ? std::nullopt
             : PrepareIfPresent(connection,
                                QStringLiteral("SELECT nazwa, rok, limit_kg, '', '' FROM zezwolenie LIMIT 1"),
                                QStringLiteral("zezwolenie"), QStringLiteral("nazwa"));
    Statement *const head = full ? &*full : plain ? &*plain : nullptr;
    if (!head)
        return permit;
    if (head->Next()) {
        permit.name = head->Text(0);
        permit.year = int(head->Integer(1));
        permit.dailyKg = Number(head->Text(2));
        permit.number = head->Text(3);
        permit.angler = head->Text(4);
    }
    Statement rows(connection,
                   QStringLiteral("SELECT gatunek, wymiar, od, do, limit_szt FROM zezwolenie_gatunki ORDER BY "
                                  "rowid"));
    while (rows.Next()) {
        PermitSpecies s;
        s.name = rows.Text(0).trimmed();
        s.size = Number(rows.Text(1));
        s.from = MonthDayOf(rows.Text(2));
        s.to = MonthDayOf(rows.Text(3));
        s.dailyCount = int(rows.Integer(4));
        if (!s.name.isEmpty())
            permit.species.push_back(s);
    }
    return permit;
}

void Permit::Write(TDbConnection &connection) const
{
    Transaction transaction(connection);
    Statement(connection, QStringLiteral("DELETE FROM zezwolenie")).Run();
    Statement(connection, QStringLiteral("DELETE FROM zezwolenie_gatunki")).Run();
    Statement(connection,
              QStringLiteral("INSERT INTO zezwolenie (nazwa, rok, limit_kg, numer, wedkarz) VALUES (?, ?, ?, ?, ?)"),
              name.trimmed(), year, dailyKg, number.trimmed(), angler.trimmed())
        .Run();
    Statement insert(connection, QStringLiteral("INSERT INTO zezwolenie_gatunki (gatunek, wymiar, od, do, limit_szt) "
                                                "VALUES (?, ?, ?, ?, ?)"));
    for (const PermitSpecies &s : species) {
        if (s.name.trimmed().isEmpty())
            continue;
        insert.Bind(1, s.name.trimmed())
            .Bind(2, s.size)
            .Bind(3, MonthDayText(s.from))
            .Bind(4, MonthDayText(s.to))
            .Bind(5, s.dailyCount)
            .Run();
        insert.Reset();
    }
    transaction.Commit();
}
