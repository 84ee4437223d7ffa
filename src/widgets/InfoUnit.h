#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TImage;

// The modal "Informacja:" window that explains a wrongly answered test question.
class TInfoFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TInfoFrm(QWidget *parent = nullptr);

    // Shows the text and returns when the dialog is closed, however it was closed.
    void ShowMsg(const QString &text);

    TImage *Image1 = nullptr;
    QFrame *Bevel1 = nullptr;
    QLabel *Label1 = nullptr;
    QFrame *Bevel2 = nullptr;
    QLabel *memo1 = nullptr;
    QPushButton *Button1 = nullptr;

public Q_SLOTS:
    void Button1Click();

protected:
    // Enter and Escape close the dialog; the key still reaches the focused control.
    void FormKeyDown(int key);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
};
