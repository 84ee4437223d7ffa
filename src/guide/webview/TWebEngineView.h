#pragma once

#include "guide/TWebView.h"
#include "guide/TWebViewFactory.h"

#include <QPointer>
#include <QWebEngineView>
#include <memory>

class QPrinter;

// The browser module's view: a Qt WebEngine view with its history and its print job.
class TWebEngineView : public TWebView
{
public:
    TWebEngineView(QWidget *parent, TWebViewFactory::Handlers handlers);
    ~TWebEngineView() override;

    QWebEngineView *View() const override { return m_view; }
    QWidget *Widget() const override;

    void Load(const QString &path) override;
    bool CanGoBack() const override;
    bool CanGoForward() const override;
    void GoBack() override;
    void GoForward() override;
    bool Print() override;
    bool Printing() const override { return m_printer != nullptr; }
    void CopySelection() override;
    bool HasSelection() const override;
    void SelectAll() override;

private:
    void PrintingEnded(bool ok);

    QPointer<QWebEngineView> m_view;
    TWebViewFactory::Handlers m_handlers;
    // The printer must outlive the engine's asynchronous print job.
    std::unique_ptr<QPrinter> m_printer;
};
