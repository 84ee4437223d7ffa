#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TDbConnection;

// Brings a diary written by an older program up to this one, in one transaction: the
// column zabrana (kept or released) is added to dziennik when missing, every stored
// catch counting as kept, and the tables of the angler's permit and waters are made when
// missing. Nothing else of the file changes; a diary already up to date is left alone.
// Run whenever a diary is opened (start-up, restore). Throws the data layer's errors,
// the file then being as it was.
void UpgradeDiarySchema(TDbConnection &connection);

// Whether a table of the main database has the column.
bool HasColumn(TDbConnection &connection, const QString &table, const QString &column);

// The rows of a statement, each as its column texts ("" for NULL). Throws EDatabaseError.
std::vector<QStringList> SelectRows(TDbConnection &connection, const QString &sql);

// A text as an SQL literal between single quotes.
QString SqlText(const QString &text);

// Runs the statements of an action as one transaction: all of them or, when one throws,
// none; the failure then passes on.
void InDiaryTransaction(TDbConnection &connection, const std::function<void()> &action);
