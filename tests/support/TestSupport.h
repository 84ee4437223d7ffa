#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

class QWidget;

namespace TestSupport {

// The build's run-time folder (the executable, the engine library, data/).
QString RuntimeDir();
QString SourceDir();

// The environment of a program run by a test as a user whose home is this folder: its
// data, settings and cache go there and nowhere else.
QProcessEnvironment HomeEnvironment(const QString &home);

// Types text into a widget key by key, as the keyboard would.
void TypeText(QWidget *widget, const QString &text);

// Saves a picture of a widget as <build>/screens/<name>.png for a person to look at.
void SavePng(QWidget *widget, const QString &name);

// Runs SQL text (several statements) on a database file, creating it when missing.
// Goes straight to the engine library beside the executable, not through the data layer.
bool ExecSql(const QString &dbPath, const QString &sql, QString *error = nullptr);
// Reads the first column of every row of a SELECT as text ("" for NULL).
QStringList QueryColumn(const QString &dbPath, const QString &sql);

// A temporary folder laid out like the installed program: the engine library, the browser module,
// data/foto, data/encyklopedia, data/html, data/grafika (the build's pictures) and
// data/wedkarz.db.
class TempProgramDir
{
public:
    enum class Content { None, SchemaOnly, Shipped };
    explicit TempProgramDir(Content content = Content::SchemaOnly);

    bool isValid() const { return m_valid; }
    // With the trailing native separator, like ProgramDir.
    QString path() const;
    QString dbPath() const;
    QString fotoDir() const;
    bool exec(const QString &sql, QString *error = nullptr) const { return ExecSql(dbPath(), sql, error); }

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

// The program folder of one test function that starts the windows: made with the
// platform layer in test mode and nothing recorded yet; removed after the windows are
// destroyed, the clock unpinned and the modal handler dropped.
class GuiTestFolder : public TempProgramDir
{
public:
    explicit GuiTestFolder(Content content = Content::SchemaOnly);
    ~GuiTestFolder();
};

} // namespace TestSupport
