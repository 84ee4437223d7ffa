#include "guide/TWebBrowser.h"

#include "guide/EBrowserError.h"
#include "widgets/Platform.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QResizeEvent>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEngineView>

TWebBrowser::TWebBrowser(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Browser"));
}

TWebBrowser::~TWebBrowser()
{
    // The view goes first: a print job still running holds the printer.
    delete m_view;
}

void TWebBrowser::Navigate(const QString &path)
{
    if (path.isEmpty())
        throw EBrowserError(QStringLiteral("Nie podano ścieżki dokumentu"));
    if (!m_view) {
        m_view = new QWebEngineView(this);
        m_view->setObjectName(QStringLiteral("BrowserView"));
        m_view->setGeometry(rect());
        m_view->show();
        connect(m_view, &QWebEngineView::loadFinished, this, &TWebBrowser::loadFinished);
        connect(m_view, &QWebEngineView::printFinished, this, &TWebBrowser::PrintingEnded);
    }
    m_view->load(QUrl::fromLocalFile(path));
}

void TWebBrowser::GoBack()
{
    QWebEngineView *view = ShownView();
    if (!view->history()->canGoBack())
        throw EBrowserError(QStringLiteral("Brak poprzedniej strony w historii"));
    view->back();
}

void TWebBrowser::GoForward()
{
    QWebEngineView *view = ShownView();
    if (!view->history()->canGoForward())
        throw EBrowserError(QStringLiteral("Brak następnej strony w historii"));
    view->forward();
}

void TWebBrowser::Print()
{
    QWebEngineView *view = ShownView();
    if (m_printer)
        throw EBrowserError(QStringLiteral("Poprzedni wydruk jeszcze trwa"));
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(view->title());
    QPrintDialog dialog(printer.get(), this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_printer = std::move(printer);
    view->print(m_printer.get());
}

void TWebBrowser::CopySelection()
{
    ShownView()->triggerPageAction(QWebEnginePage::Copy);
}

void TWebBrowser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_view)
        m_view->setGeometry(rect());
}

QWebEngineView *TWebBrowser::ShownView() const
{
    if (!m_view)
        throw EBrowserError(QStringLiteral("Nie otwarto żadnego dokumentu"));
    return m_view;
}

void TWebBrowser::PrintingEnded(bool ok)
{
    m_printer.reset();
    Q_EMIT printFinished(ok);
    if (!ok)
        Platform::ShowError(QStringLiteral("Nie udało się wydrukować strony"));
}
