#include "guide/webview/TWebEngineView.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEngineView>

TWebEngineView::TWebEngineView(QWidget *parent, TWebViewFactory::Handlers handlers)
    : m_view(new QWebEngineView(parent)), m_handlers(std::move(handlers))
{
    QObject::connect(m_view, &QWebEngineView::loadFinished, m_view, [this](bool ok) {
        if (m_handlers.loadFinished)
            m_handlers.loadFinished(ok);
    });
    QObject::connect(m_view, &QWebEngineView::printFinished, m_view, [this](bool ok) { PrintingEnded(ok); });
}

TWebEngineView::~TWebEngineView()
{
    // The view goes first: a print job still running holds the printer.
    delete m_view;
}

QWidget *TWebEngineView::Widget() const
{
    return m_view;
}

void TWebEngineView::Load(const QString &path)
{
    m_view->load(QUrl::fromLocalFile(path));
}

bool TWebEngineView::CanGoBack() const
{
    return m_view->history()->canGoBack();
}

bool TWebEngineView::CanGoForward() const
{
    return m_view->history()->canGoForward();
}

void TWebEngineView::GoBack()
{
    m_view->back();
}

void TWebEngineView::GoForward()
{
    m_view->forward();
}

bool TWebEngineView::Print()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(m_view->title());
    QPrintDialog dialog(printer.get(), m_view->parentWidget());
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_printer = std::move(printer);
    m_view->print(m_printer.get());
    return true;
}

void TWebEngineView::CopySelection()
{
    m_view->triggerPageAction(QWebEnginePage::Copy);
}

void TWebEngineView::PrintingEnded(bool ok)
{
    m_printer.reset();
    if (m_handlers.printFinished)
        m_handlers.printFinished(ok);
}
