#pragma once

#include <QString>
#include <functional>

class QWidget;

// Saving a file the user asked for (a spreadsheet, a PDF, a chart): the file chooser opens
// in the folder the last file of the same kind went to, and the first time in the user's
// documents or pictures folder. The folders are kept in the user's settings.
namespace ExportFile {

// Photo is a catch's photo chosen to be copied in, which starts in the pictures folder
// and then where the last one came from.
enum class Kind { Document, Picture, Photo };

// The folder the chooser opens in for the kind.
QString StartFolder(Kind kind);

// Remembers the folder of a file chosen for the kind.
void Remember(Kind kind, const QString &path);

// Writes the file at path; false with the Polish reason in *error.
using Writer = std::function<bool(const QString &path, QString *error)>;

// Asks where to save, suggesting the name in the kind's folder, adds the extension the
// filter's pattern names ("Opis|*.csv") when the user typed none, and writes. A failure
// is shown in a message box. Returns the path written; empty when the user cancelled or
// the file could not be written.
QString Save(QWidget *parent, Kind kind, const QString &title, const QString &suggestedName, const QString &filter,
             const Writer &write);

} // namespace ExportFile
