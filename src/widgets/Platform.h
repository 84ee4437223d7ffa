#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QAction;
class QDialog;
class QFileDialog;
class QMenu;
class QWidget;

// The program's one door to the desktop: message boxes, questions, the open-picture
// dialog, modal windows, popup menus, the shell's "open" and the mouse pointer. Views
// call nothing else for these, so that tests can answer and record every one of them.
class Platform
{
public:
    enum class Icon { Information, Warning, Error, Question };

    // details, when given, is shown on request below the text: a long list the box itself
    // could not hold.
    static void ShowMessage(QWidget *parent, const QString &title, const QString &text, Icon icon,
                            const QString &details = QString());
    // The application's standard error box: caption "Rybowid", error icon, the message
    // under the full-stop rule of ErrorBoxText.
    static void ShowError(const QString &message);
    // Yes/No question with the question icon and Yes as the default button.
    static bool AskYesNo(QWidget *parent, const QString &title, const QString &text);
    // filter in the form "Description (*.ext)|*.ext"; an empty text when cancelled.
    static QString OpenPicture(QWidget *parent, const QString &filter, const QString &folder = {});
    // An existing file to read, filter as in OpenPicture, opening in folder; an empty text
    // when cancelled.
    static QString OpenFile(QWidget *parent, const QString &title, const QString &folder, const QString &filter);
    // Several existing files at once; none when cancelled. In test mode the queued file
    // choice holds them one per line.
    static QStringList OpenFiles(QWidget *parent, const QString &title, const QString &folder, const QString &filter);
    // A folder the user picks; an empty text when cancelled.
    static QString ChooseFolder(QWidget *parent, const QString &title);
    // A file name to save under, filter as in OpenPicture; an empty text when cancelled.
    // suggested is a name, or a path whose folder the chooser opens in; test mode records
    // it as the text, so that tests see the folder proposed.
    static QString SaveFileName(QWidget *parent, const QString &title, const QString &suggested, const QString &filter);
    // Runs a dialog modally; returns its result code.
    static int ShowModal(QDialog *dialog);
    // Opens a menu with its top-left corner at a screen point; returns the chosen action.
    static QAction *PopupMenu(QMenu *menu, const QPoint &at);
    // Hands a file, folder or web address to the desktop's default program. When no
    // program takes it (no browser, no picture viewer), a message says so in Polish and
    // names it; the desktop's own report is in English on standard error at best.
    static void ShellOpen(const QString &pathOrUrl);
    static QPoint CursorPos();
    // The program's own file dialog, as the file choosers above show it: its dates and
    // sizes are written the Polish way whatever the system's locale (the file model
    // itself would follow the system, "8 Dec" under the C locale).
    static std::unique_ptr<QFileDialog> MakeFileDialog(QWidget *parent, const QString &title,
                                                       const QString &folder = QString(),
                                                       const QString &filter = QString());

    // --- Test seam -------------------------------------------------------------
    struct Record
    {
        // "message", "error", "question", "openPicture", "openFile", "chooseFolder", "saveFile",
        // "modal", "popup", "shell"
        QString kind;
        QString title;
        QString text;
        Icon icon = Icon::Information;
        QString details;
    };

    // From now on no real dialog is shown: questions take the queued answers (Yes when
    // none is queued, as the default button would), the open-picture dialog returns the
    // queued path (cancel when none), modal dialogs are shown without blocking and
    // handed to the modal handler, popup menus choose the queued action name.
    static void EnableTestMode();
    static bool TestMode();
    static void QueueAnswer(bool yes);
    static void QueueOpenPicture(const QString &path);
    // The answer of the next folder, open-file or save-file chooser (cancel when none is
    // queued).
    static void QueueFileChoice(const QString &path);
    static void QueuePopupChoice(const QString &actionObjectName);
    // The next ShellOpen finds no program to open its file or address.
    static void QueueShellFailure();
    // From now on ShellOpen really starts this program with the file or address, as it
    // starts the desktop's opener; an empty text goes back to recording only.
    static void SetShellOpener(const QString &program);
    static void SetCursorPos(const QPoint &pos);
    // Called with each dialog shown through ShowModal; the dialog is visible while the
    // handler runs and is hidden afterwards if the handler left it open. The handler's
    // return value is the result ShowModal gives back.
    static void SetModalHandler(std::function<int(QDialog *)> handler);
    static const QList<Record> &Records();
    static QList<Record> TakeRecords();
    static void ClearTestState();
};

// The standard error box text: the message with "." appended when it is not empty and
// its last character sorts after ".".
QString ErrorBoxText(const QString &message);

// Shows the exception being handled in the standard error box. Call only inside a catch
// block.
void ShowCurrentException();
