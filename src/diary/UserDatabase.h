#pragma once

#include <QString>

// Brings the user's own database up to the one the program ships. A missing file is made
// with the shipped tables; when the shipped file differs from the one last taken over (a
// newer package), the supplied tables are dropped and copied anew in one transaction,
// while the diary and any other table of the user stay as they are. Nothing happens when
// the shipped file is missing or the user's file is not a database. Throws EDataLayerError or EDatabaseError on
// failure, the user's file then being left as it was.
void RefreshUserDatabase(const QString &engineLibrary, const QString &shippedPath, const QString &userPath);

// Identifies the content of the shipped file; kept in the user's database as the
// version of the supplied tables it holds.
int ShippedDatabaseStamp(const QString &shippedPath);
