#pragma once

#include <QString>

// What is wrong with the database file before the program opens it. The engine would
// create a missing file as an empty database and fail later on every table, and would
// happily write into a file that is not a database at all.
enum class DatabaseFileState { Ready, Missing, Empty, NotDatabase };

DatabaseFileState CheckDatabaseFile(const QString &path);
