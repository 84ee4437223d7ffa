#pragma once

#include <QString>

// File name of the SQLite engine library that lies beside the executable.
QString SqliteLibraryFileName();

// The executable's folder ending in the native separator: the program's ProgramDir.
// Tests point it at a temporary folder laid out like the installed program.
QString ExecutableFolder();
void OverrideExecutableFolder(const QString &folder);
