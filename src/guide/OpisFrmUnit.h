#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QPushButton;
class QToolButton;
class QWidget;
class TWebBrowser;

// The document viewer for the guide chapters: a modal window around the embedded browser,
// created once and reused, so the page and the history carry over between openings.
class TOpisFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TOpisFrm(QWidget *parent = nullptr);

    // Opens a document by its full path and shows the viewer modally. When the browser
    // refuses the path the viewer stays closed, without a message; when the browser module
    // cannot be loaded it stays closed too, and the standard error box says why.
    void ShowDocument(const QString &path);
    // The path the last ShowDocument opened.
    const QString &Document() const { return m_document; }

    QWidget *Panel3 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QFrame *Bevel1 = nullptr;
    TWebBrowser *Browser = nullptr;
    QWidget *Panel1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button3 = nullptr;
    QWidget *Panel2 = nullptr;
    QPushButton *Button2 = nullptr;

public Q_SLOTS:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Button1Click();
    void Button3Click();
    void Button2Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QToolButton *MakeSpeedButton(const char *name, const QString &text, const QString &picture, int left);
    QPushButton *MakeButton(QWidget *parent, const char *name, const QString &text, const QRect &bounds);

    QString m_document;
    bool m_placed = false;
};
