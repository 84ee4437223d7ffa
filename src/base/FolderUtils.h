#pragma once

#include <QString>

// Folder helpers for the per-day photo folders. None of them reports errors other than
// through its result.

// Deletes everything inside a folder, subfolders included. Stops deleting at the first
// entry that cannot be removed and returns false; entries after it stay in place. A
// missing or empty folder gives true.
bool EmptyFolder(const QString &path);
// Empties the folder, then removes it; true when the folder itself was removed.
bool DeleteFolder(const QString &path);
// True for an existing folder; false for a missing path or a plain file.
bool FolderExists(const QString &path);
// Appends the native separator to a non-empty path that does not end in one.
void AddTrailingBackslash(QString &path);
