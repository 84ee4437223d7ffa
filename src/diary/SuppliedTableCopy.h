#pragma once

#include "diary/SuppliedTables.h"

#include <QString>

class TDbConnection;

// Whether a table is one of them, in any letter case.
bool IsSuppliedTable(const QString &table);

// Replaces the supplied tables of the main database with those of the attached database
// `from` (its alias as ATTACH gave it), their indexes included. Dropped and made anew
// rather than emptied, so that a changed column list arrives too; questions without a topic
// are given one (MendQuestionTopics). Run inside the caller's transaction.
void CopySuppliedTables(TDbConnection &connection, const char *from);

// The stamp a database carries in its header (user_version), and setting it.
int DatabaseStamp(TDbConnection &connection, const char *schema = "main");
void SetDatabaseStamp(TDbConnection &connection, int stamp);
