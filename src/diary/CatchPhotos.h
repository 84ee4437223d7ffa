#pragma once

#include <QString>

class TDbConnection;

// The catch photos of the diary: one folder per day under data/foto, each row naming its
// photo by file name in the folder of its own day. A photo the diary no longer names is
// never deleted: it is set aside under data/kopie, where the user can still find it.
namespace CatchPhotos {

// True when a row of the diary dated dayText names fileName as its photo. Raises
// EDatabaseError when the engine fails.
bool IsNamed(TDbConnection &connection, const QString &dayText, const QString &fileName);

// Copies a chosen photo into dayFolder and returns the name it is stored under there: its
// own name, or "name (2).jpg", "name (3).jpg"… when a different photo holds that name. A
// photo already there with the same content is not copied again; its name is returned.
// An empty text, with the Polish reason in *error, when the copy failed.
QString Store(const QString &chosen, const QString &dayFolder, QString *error);

// Moves dayFolder/fileName into asideRoot/"zastąpione zdjęcia"/<name of dayFolder>/,
// under a name of its own when one of that name is already there, and removes the day
// folder when that was its last file. Returns the photo's new path; an empty text when
// nothing was moved (no such file, or the move failed), the photo then stays where it was.
QString SetAside(const QString &dayFolder, const QString &fileName, const QString &asideRoot);

} // namespace CatchPhotos
