#include "guide/TWebBrowser.h"

#include "base/ProgramPaths.h"
#include "guide/EBrowserError.h"
#include "guide/EBrowserModuleError.h"
#include "guide/TWebView.h"
#include "guide/TWebViewFactory.h"
#include "widgets/Platform.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QPluginLoader>
#include <QResizeEvent>

namespace {
// The browser module stays loaded once it has been: its views may live until exit. A
// module that failed is tried again at the next page, after a reinstall perhaps.
TWebViewFactory &WebViewFactory()
{
    static TWebViewFactory *factory = nullptr;
    if (factory)
        return *factory;
    const QString path = WebViewModuleFolder() + WebViewModuleFileName();
    QPluginLoader loader(path);
    factory = qobject_cast<TWebViewFactory *>(loader.instance());
    if (!factory) {
        qWarning("The browser module %s cannot be loaded: %s", qPrintable(path), qPrintable(loader.errorString()));
        throw EBrowserModuleError(
            QStringLiteral("Nie można załadować przeglądarki stron z pliku %1. Zainstaluj program ponownie.")
                .arg(path));
    }
    return *factory;
}
} // namespace

TWebBrowser::TWebBrowser(QWidget *parent) : QWidget(parent), ContextMenu(new QMenu(this))
{
    setObjectName(QStringLiteral("Browser"));
    ContextMenu->setObjectName(QStringLiteral("BrowserPopupMenu"));
}

// The view goes before the widget that holds it: a print job still running holds the
// printer.
TWebBrowser::~TWebBrowser() = default;

void TWebBrowser::Navigate(const QString &path)
{
    if (path.isEmpty())
        throw EBrowserError(QStringLiteral("Nie podano ścieżki dokumentu"));
    if (!m_web) {
        TWebViewFactory::Handlers handlers;
        handlers.loadFinished = [this](bool ok) { Q_EMIT loadFinished(ok); };
        handlers.printFinished = [this](bool ok) { PrintingEnded(ok); };
        handlers.openExternal = [](const QUrl &url) { Platform::ShellOpen(url.toString()); };
        handlers.contextMenu = [this](const QPoint &at, const QUrl &link) { ShowContextMenu(at, link); };
        m_web = WebViewFactory().Create(this, std::move(handlers));
        QWidget *view = m_web->Widget();
        view->setObjectName(QStringLiteral("BrowserView"));
        view->setGeometry(rect());
        view->show();
    }
    m_web->Load(path);
}

void TWebBrowser::GoBack()
{
    TWebView &web = Shown();
    if (!web.CanGoBack())
        throw EBrowserError(QStringLiteral("Brak poprzedniej strony w historii"));
    web.GoBack();
}

void TWebBrowser::GoForward()
{
    TWebView &web = Shown();
    if (!web.CanGoForward())
        throw EBrowserError(QStringLiteral("Brak następnej strony w historii"));
    web.GoForward();
}

void TWebBrowser::Print()
{
    TWebView &web = Shown();
    if (web.Printing())
        throw EBrowserError(QStringLiteral("Poprzedni wydruk jeszcze trwa"));
    web.Print();
}

void TWebBrowser::CopySelection()
{
    Shown().CopySelection();
}

void TWebBrowser::SelectAll()
{
    Shown().SelectAll();
}

void TWebBrowser::ShowContextMenu(const QPoint &at, const QUrl &link)
{
    TWebView &web = Shown();
    ContextMenu->clear();
    const auto add = [this](const char *name, const QString &text, bool enabled, std::function<void()> act) {
        QAction *item = ContextMenu->addAction(text);
        item->setObjectName(QLatin1String(name));
        item->setEnabled(enabled);
        // An action runs inside the menu's own loop: its failure is reported here.
        connect(item, &QAction::triggered, this, [act = std::move(act)] {
            try {
                act();
            } catch (...) {
                ShowCurrentException();
            }
        });
    };
    add("Wstecz1", QStringLiteral("&Wstecz"), web.CanGoBack(), [this] { GoBack(); });
    add("Dalej1", QStringLiteral("&Dalej"), web.CanGoForward(), [this] { GoForward(); });
    ContextMenu->addSeparator();
    add("Kopiuj1", QStringLiteral("&Kopiuj"), web.HasSelection(), [this] { CopySelection(); });
    add("Zaznaczwszystko1", QStringLiteral("&Zaznacz wszystko"), true, [this] { SelectAll(); });
    if (!link.isEmpty()) {
        const QString address = link.isLocalFile() ? QDir::toNativeSeparators(link.toLocalFile()) : link.toString();
        add("Kopiujadresodnosnika1", QStringLiteral("Kopiuj &adres odnośnika"), true,
            [address] { QGuiApplication::clipboard()->setText(address); });
    }
    ContextMenu->addSeparator();
    add("Drukuj1", QStringLiteral("D&rukuj…"), true, [this] { Print(); });
    Platform::PopupMenu(ContextMenu, at);
}

QWebEngineView *TWebBrowser::View() const
{
    return m_web ? m_web->View() : nullptr;
}

void TWebBrowser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_web)
        m_web->Widget()->setGeometry(rect());
}

TWebView &TWebBrowser::Shown() const
{
    if (!m_web)
        throw EBrowserError(QStringLiteral("Nie otwarto żadnego dokumentu"));
    return *m_web;
}

void TWebBrowser::PrintingEnded(bool ok)
{
    Q_EMIT printFinished(ok);
    if (!ok)
        Platform::ShowError(QStringLiteral("Nie udało się wydrukować strony"));
}
