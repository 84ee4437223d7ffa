#pragma once

#include "widgets/TNavigateBtn.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class TDataSource;
class TDBCheckBox;
class TDBEdit;
class TDBMemo;
class TDBNavigator;
class TImage;
class TLinkLabel;
class OpenedCatch;

// "Złowiona ryba:": one catch of the diary in full, with its photo. The dialog has no
// data of its own; its controls work on the calendar view's diary link, whose columns
// the diary assigns just before showing it and the dialog takes away when it closes.
class TDayFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TDayFrm(QWidget *parent = nullptr);
    ~TDayFrm() override;

    // The link every data control and the navigator work on: the calendar view's diary
    // link when the view exists at creation.
    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *source);
    // Puts the controls on a diary link and binds them to the diary's columns, as the
    // diary does before each showing.
    void BindDiary(TDataSource *source);

    // The folder of the calendar's selected day's photos, and the current row's photo
    // path in it: with no photo, the folder followed by the separator.
    QString DayFolder() const;
    QString PhotoPath() const;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr; // "kg."
    QLabel *Label9 = nullptr; // "cm."
    TDBEdit *DBEdit1 = nullptr;
    TDBEdit *DBEdit2 = nullptr;
    TDBEdit *DBEdit3 = nullptr;
    TDBEdit *DBEdit4 = nullptr;
    TDBEdit *DBEdit5 = nullptr;
    TDBEdit *DBEdit6 = nullptr;
    TDBEdit *DBEdit7 = nullptr;
    // "Godzina": the hour of the catch, "gg:mm".
    QLabel *Label13 = nullptr;
    TDBEdit *DBEdit8 = nullptr;
    // The sky at the hour of the catch, seen from its water or the sky place.
    QLabel *SkyLabel = nullptr;
    TDBNavigator *DBNavigator1 = nullptr;
    // "Ryba zabrana": kept, or released when cleared.
    TDBCheckBox *DBCheckBox1 = nullptr;
    QLabel *Label12 = nullptr;
    TDBMemo *DBMemo1 = nullptr;
    QFrame *Shape1 = nullptr;
    QLabel *Label10 = nullptr;
    TImage *Image1 = nullptr;
    TLinkLabel *Label11 = nullptr;
    QPushButton *Button1 = nullptr;
    // "Anuluj", like Escape: the catch goes back to what it was when the dialog opened.
    QPushButton *Button2 = nullptr;

public Q_SLOTS:
    void FormShow();
    void DBNavigator1Click(TNavigateBtn button);
    void Label11Click();
    void Image1Click();
    void Button1Click();
    void Button2Click();
    void FormClose();
    // Writes the sky line for the current catch: its hour on the calendar's day, seen
    // from its water or the sky place.
    void ShowCatchSky();
    // Escape and "Anuluj": the catch is put back and the dialog closes. A failure to put
    // it back is shown and leaves the dialog open.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    // The close box keeps the changes, as "Zamknij" does.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *MakeLabel(const char *name, const QString &caption, int x, int y);
    TDBEdit *MakeEdit(const char *name, QLabel *label, int x, int y, int width);
    QString PhotoName() const;
    // Shows the current row's photo; one that cannot be read is reported.
    void ShowPhoto();
    // Shows a photo of the day folder. The frame is emptied first, so a photo that
    // cannot be read (EInOutError) never leaves another catch's picture in its place.
    void LoadPhoto(const QString &fileName);
    // Photos that a change of photo may have left named by no row are set aside once
    // the row is no longer being edited.
    void SetReplacedPhotosAside();
    // The catch's photo at opening, which a cancel may still ask for.
    bool IsOpenedPhoto(const QString &folder, const QString &fileName) const;

    struct ReplacedPhoto
    {
        QString folder;
        QString fileName;
    };
    QList<ReplacedPhoto> m_replaced;

    QPointer<TDataSource> m_dataSource;
    // The catch as the dialog opened on it, while the dialog is shown.
    std::unique_ptr<OpenedCatch> m_opened;
    QString m_openedFolder;
};
