#include "guide/webview/TWebEngineView.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {
// The guide's pages are local files; a link that leads out of them, to the internet or
// to mail, is handed to the user's own programs and the page stays.
class TGuidePage : public QWebEnginePage
{
public:
    TGuidePage(std::function<void(const QUrl &)> openExternal, QObject *parent)
        : QWebEnginePage(parent), m_openExternal(std::move(openExternal))
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        static const QStringList local{QStringLiteral("file"), QStringLiteral("qrc"), QStringLiteral("data"),
                                       QStringLiteral("about"), QStringLiteral("blob")};
        if (local.contains(url.scheme()))
            return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
        if (m_openExternal)
            m_openExternal(url);
        return false;
    }

private:
    std::function<void(const QUrl &)> m_openExternal;
};
} // namespace

TWebEngineView::TWebEngineView(QWidget *parent, TWebViewFactory::Handlers handlers)
    : m_view(new QWebEngineView(parent)), m_handlers(std::move(handlers))
{
    m_view->setPage(new TGuidePage(m_handlers.openExternal, m_view));
    // The engine's own menu is English and offers what the viewer cannot do (save the
    // page, show its source, open new windows): the program shows its own.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(m_view, &QWidget::customContextMenuRequested, m_view, [this](const QPoint &at) {
        const QWebEngineContextMenuRequest *request = m_view->lastContextMenuRequest();
        if (m_handlers.contextMenu)
            m_handlers.contextMenu(m_view->mapToGlobal(at), request ? request->linkUrl() : QUrl());
    });
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

bool TWebEngineView::HasSelection() const
{
    return m_view->hasSelection();
}

void TWebEngineView::SelectAll()
{
    m_view->triggerPageAction(QWebEnginePage::SelectAll);
}

void TWebEngineView::PrintingEnded(bool ok)
{
    m_printer.reset();
    if (m_handlers.printFinished)
        m_handlers.printFinished(ok);
}
