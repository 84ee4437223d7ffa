#pragma once

#include <QString>

// The one place that says where the user's own data lives: the diary's database, the
// catch photos, the copies a restore keeps aside and the restore's journal. An installed
// program keeps them in the user's data folder, a portable copy beside the executable;
// every feature asks here instead of building the path itself.
namespace UserDataFolder {

// The data folder, without a trailing separator.
QString Path();
QString DatabasePath();
QString PhotoFolder();
// Where a restore keeps the diary it replaced.
QString AsideFolder();

// Makes the data folder with its photo folder; empty when it can be written, else a
// Polish sentence naming the folder that cannot be.
QString Prepare();

} // namespace UserDataFolder
