#pragma once

#include <QString>

class QWebEngineView;
class QWidget;

// One web engine view as the browser module makes it. The interface knows no engine type
// beyond a declared pointer, so the program that uses it does not link the web engine:
// the module brings the engine in when the first page is opened.
class TWebView
{
public:
    virtual ~TWebView() = default;

    // The engine's view, a child of the widget the view was made for.
    virtual QWebEngineView *View() const = 0;
    virtual QWidget *Widget() const = 0;

    virtual void Load(const QString &path) = 0;
    virtual bool CanGoBack() const = 0;
    virtual bool CanGoForward() const = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    // Asks for a printer through the print dialog and starts printing the page shown;
    // false when the user cancelled the dialog.
    virtual bool Print() = 0;
    // A print job started by Print has not finished yet.
    virtual bool Printing() const = 0;
    virtual void CopySelection() = 0;
    virtual bool HasSelection() const = 0;
    virtual void SelectAll() = 0;
};
