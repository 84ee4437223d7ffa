#pragma once

#include <QString>

// File name of the SQLite engine library that lies beside the executable.
QString SqliteLibraryFileName();
// File name of the browser module (the web engine view), which lies with the engine library.
QString WebViewModuleFileName();

// The executable's folder ending in the native separator.
// Tests point it at a temporary folder laid out like the program's own folder.
QString ExecutableFolder();
void OverrideExecutableFolder(const QString &folder);

// Where the program's files lie. Each folder ends in the native separator and is followed
// by a relative path beginning with "data/". A portable copy, whose data/ beside the
// executable is writable or holds the diary, keeps everything there as the build lays it
// out. An installed
// program reads what it ships from the shared data folder and keeps the diary and the
// catch photos in the user's data folder, so that updates and other users never touch them.
bool RunsInstalled();
// The engine library: beside the executable, or in the package's private library folder.
QString EngineFolder();
// The browser module, found the same way.
QString WebViewModuleFolder();
// ProgramDir: the pictures, the guide's pages and the shipped database.
QString SuppliedDataRoot();
// The database with the diary and the photo folders.
QString UserDataRoot();
