#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class QMenu;
class QUrl;
class QWebEngineView;
class TWebView;

// The embedded web browser of the document viewer: local pages with their own links, a
// history kept for the browser's whole life, printing and copying. Every operation that
// cannot be done raises EBrowserError with a text for the user.
//
// The web engine is heavy to load and to start, so the view inside comes from the browser
// module (TWebViewFactory), loaded on the first Navigate: creating the window at start-up
// costs nothing, and the program does not link the engine.
class TWebBrowser : public QWidget
{
    Q_OBJECT

public:
    explicit TWebBrowser(QWidget *parent = nullptr);
    ~TWebBrowser() override;

    // Starts loading a local file and returns at once; the page keeps loading while the
    // event loop runs. A missing file shows the engine's own error page. A browser module
    // that cannot be loaded raises EBrowserError.
    void Navigate(const QString &path);
    void GoBack();
    void GoForward();
    // Asks for a printer through the print dialog, then prints the page shown. Printing
    // ends later; a failure then is reported in the standard error box.
    void Print();
    // Puts the selected text of the page on the clipboard.
    void CopySelection();
    void SelectAll();
    // The page's context menu, in Polish, of what the viewer can do: back, forward, copy,
    // select all, copy the link's address (over a link) and print.
    void ShowContextMenu(const QPoint &at, const QUrl &link);

    // The menu ShowContextMenu fills and opens.
    QMenu *ContextMenu = nullptr;

    // The engine's view, or null before the first Navigate.
    QWebEngineView *View() const;

Q_SIGNALS:
    void loadFinished(bool ok);
    void printFinished(bool ok);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    TWebView &Shown() const;
    void PrintingEnded(bool ok);

    std::unique_ptr<TWebView> m_web;
};
