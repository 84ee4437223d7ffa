#pragma once

#include "data/Statement.h"

#include <QString>
#include <QStringList>
#include <optional>

class TDbConnection;

// Brings a diary written by an older program up to this one, in one transaction: the
// tables of the angler's permit and waters, of practice and of mock exams are made when
// missing, and the columns added since are added where missing: zabrana (kept or released) to dziennik, every stored
// catch counting as kept, and the angler's name and the permit's number to zezwolenie. Nothing else of the file
// changes; a diary already up to date is left alone. Run whenever a diary is opened (start-up, restore). Throws the
// data layer's errors, the file then being as it was.
void UpgradeDiarySchema(TDbConnection &connection);

// Makes the user's tables (the diary with its index, the permit, the waters, practice and
// mock exams) in an empty database, as this program defines them.
void CreateDiarySchema(TDbConnection &connection);

// The tables that hold what the user wrote, the diary first.
QStringList UserTables();

// Whether a table of the main database has the column.
bool HasColumn(TDbConnection &connection, const QString &table, const QString &column);

// The statement on a table's column that an older diary may lack; none when the table
// lacks the column. Any other failure of the engine is raised. Preparing first and asking
// only when that fails costs far less than asking every time.
std::optional<Statement> PrepareIfPresent(TDbConnection &connection, const QString &sql, const QString &table,
                                          const QString &column);
