#pragma once

#include <optional>

#include <QString>
#include <QWidget>

class QMenu;
class QAction;
class TDbConnection;
class TImage;
class TLinkLabel;

// The main window: a background picture, six labels serving as the menu bar, two popup
// menus and the panel into which the views are docked. It owns the program's one
// database connection.
class TMainFrm : public QWidget
{
    Q_OBJECT

public:
    explicit TMainFrm(QWidget *parent = nullptr);

    // The folder of the supplied files ending in the native separator (the executable's
    // own when the program runs portable); they are ProgramDir followed by "data/...".
    QString ProgramDir;
    TDbConnection *DataBase = nullptr;

    TImage *Image1 = nullptr;
    TLinkLabel *Label1 = nullptr;
    TLinkLabel *Label2 = nullptr;
    TLinkLabel *Label3 = nullptr;
    TLinkLabel *Label4 = nullptr;
    TLinkLabel *Label5 = nullptr;
    TLinkLabel *Label6 = nullptr;
    QWidget *DockPanel = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QMenu *PopupMenu2 = nullptr;

public Q_SLOTS:
    void FormCreate();
    void FormShow();
    void Label1Click();
    void Label2Click();
    void Label3Click();
    void Label4Click();
    void Label5Click();
    void Label6Click();
    void estprzepisydotryb1Click();
    void estprzepisydotsprztuwdkarzaimetodpo1Click();
    void Nauka1Click();
    void Egzaminprbny1Click();
    void Zaczynamyowi1Click();
    void Sprzt1Click();
    void Miniporadnik1Click();
    void Indeksmultimediw1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // A data folder that cannot be written (unwritable: why, as UserDataFolder::Prepare
    // says), a missing engine library or a database file that is missing or not a
    // database: the message that says so; nothing when the data is ready, an empty text
    // when start-up has told the problem already.
    std::optional<QString> InstallationProblem(const QString &unwritable);
    // A diary in a folder that cannot be written: asked whether to open it read-only,
    // and opened so when the user agrees. True when it was such a diary.
    bool OpenedReadOnly(const QString &unwritable);
    TLinkLabel *MakeLabel(const char *name, const QString &text, const QRect &bounds);
    QAction *MakeItem(QMenu *menu, const char *name, const QString &text, void (TMainFrm::*handler)());
    void FitLabels();
    void LoadBackground();
    void OpenChapter(const QString &relativePath);
    void OpenPopup(QMenu *menu, TLinkLabel *label);
    void Dock(QWidget *view);
    // Docks the view and gives it the keys.
    void Open(QWidget *view);
    void EnterTabChainAt(QWidget *view, QWidget *first);
};
