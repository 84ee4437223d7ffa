// The guide's document viewer on real pages: the web engine runs under the offscreen
// platform, loading the chapters the build lays out beside the executable.
#include "WebTestSupport.h"
#include "app/Startup.h"
#include "app/TApplication.h"
#include "base/ProgramPaths.h"
#include "guide/OpisFrmUnit.h"
#include "guide/TWebBrowser.h"
#include "support/TestSupport.h"
#include "widgets/Platform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineHistory>
#include <QWebEngineView>
#include <memory>

namespace {
QString Chapter(const char *relative)
{
    return TestSupport::RuntimeDir() + QStringLiteral("/") + QLatin1String(relative);
}

QString Shown(TOpisFrm *frm)
{
    return frm->Browser->View()->url().toLocalFile();
}

} // namespace

class OpisFrmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void historySurvivesClosingAndReopening();
    void copyPutsTheSelectionOnTheClipboard();
    void printWritesAPdfThroughThePrintDialog();
    void missingPathLeavesTheViewerClosed();
    void resizingKeepsTheBarsAndTheCloseButton();
    void contextMenuIsPolishAndInternetLinksGoToTheBrowser();

private:
    QWidget *Surface() const { return m_frm->Browser->View()->focusProxy(); }
    // Where the text of the first element matching a selector lies, in view coordinates.
    QRect Box(const QString &selector) const;
    // Opens a document the way the main window does and keeps the viewer open, as the
    // modal loop would, until the test closes it.
    void Open(const QString &path);
    void WaitForLoad(int loads = 1);

    std::unique_ptr<TOpisFrm> m_frm;
    std::unique_ptr<QSignalSpy> m_loads;
};

void OpisFrmTest::initTestCase()
{
    Platform::EnableTestMode();
    OverrideExecutableFolder(TestSupport::RuntimeDir() + QStringLiteral("/"));
    m_frm = std::make_unique<TOpisFrm>();
    QVERIFY2(QFile::exists(Chapter("data/html/rozdzial_1/index.html")), "the build lays out the chapters");
}

void OpisFrmTest::cleanup()
{
    Platform::ClearTestState();
}

QRect OpisFrmTest::Box(const QString &selector) const
{
    const QVariantList b =
        RunScript(m_frm->Browser->View(), QStringLiteral("(function(){const r=document.createRange();"
                                                         "r.selectNodeContents(document.querySelector('%1'));"
                                                         "const b=r.getBoundingClientRect();"
                                                         "return [b.left,b.top,b.right,b.bottom];})()")
                                              .arg(selector))
            .toList();
    if (b.size() != 4)
        return {};
    return QRect(QPoint(int(b[0].toDouble()), int(b[1].toDouble())),
                 QPoint(int(b[2].toDouble()) - 1, int(b[3].toDouble()) - 1));
}

void OpisFrmTest::Open(const QString &path)
{
    Platform::SetModalHandler([](QDialog *dialog) { return dialog->result(); });
    // The browser is made on the first page only; the signal spy needs it.
    m_frm->ShowDocument(path);
    if (!m_loads)
        m_loads = std::make_unique<QSignalSpy>(m_frm->Browser, &TWebBrowser::loadFinished);
    m_frm->show();
}

void OpisFrmTest::WaitForLoad(int loads)
{
    QTRY_VERIFY_WITH_TIMEOUT(m_loads->size() >= loads, 30000);
    QVERIFY(m_loads->last().at(0).toBool());
    m_loads->clear();
}

void OpisFrmTest::historySurvivesClosingAndReopening()
{
    QVERIFY(!m_frm->Browser->View()); // nothing opened yet: no engine started
    const QString start = Chapter("data/html/rozdzial_1/index.html");
    Open(start);
    WaitForLoad();
    QTRY_COMPARE_WITH_TIMEOUT(Shown(m_frm.get()), start, 30000);
    QCOMPARE(Platform::Records().last().title, QStringLiteral("Opis:"));

    // At the start of the history "Wstecz" does nothing and says nothing.
    QTest::mouseClick(m_frm->SpeedButton1, Qt::LeftButton);
    QTest::mouseClick(m_frm->SpeedButton2, Qt::LeftButton);
    QCOMPARE(Shown(m_frm.get()), start);
    QCOMPARE(Platform::Records().size(), 1);

    QTest::mouseClick(Surface(), Qt::LeftButton, Qt::NoModifier,
                      Box(QStringLiteral("a[href=\"wezly.html\"]")).center());
    WaitForLoad();
    const QString knots = Chapter("data/html/rozdzial_1/wezly.html");
    QCOMPARE(Shown(m_frm.get()), knots);
    TestSupport::SavePng(m_frm.get(), QStringLiteral("guide_viewer"));

    QTest::mouseClick(m_frm->Button2, Qt::LeftButton);
    QVERIFY(!m_frm->isVisible());

    const QString chapter3 = Chapter("data/html/rozdzial_3/miniporadnik/index.htm");
    Open(chapter3);
    WaitForLoad();
    QCOMPARE(Shown(m_frm.get()), chapter3);

    QTest::mouseClick(m_frm->SpeedButton1, Qt::LeftButton);
    WaitForLoad();
    QCOMPARE(Shown(m_frm.get()), knots);
    QTest::mouseClick(m_frm->SpeedButton2, Qt::LeftButton);
    WaitForLoad();
    QCOMPARE(Shown(m_frm.get()), chapter3);
    QVERIFY(Platform::Records().size() == 2); // the two openings, no error box
}

void OpisFrmTest::copyPutsTheSelectionOnTheClipboard()
{
    Open(Chapter("data/html/rozdzial_2/sprzet/index.html"));
    WaitForLoad();
    QApplication::clipboard()->clear();
    // Select the heading the way a reader does: drag the mouse across it.
    QWebEngineView *view = m_frm->Browser->View();
    const QRect heading = Box(QStringLiteral("h1"));
    QVERIFY(heading.isValid());
    const int y = heading.center().y();
    QTest::mousePress(Surface(), Qt::LeftButton, Qt::NoModifier, QPoint(heading.left() - 2, y));
    QTest::mouseMove(Surface(), heading.center());
    QTest::mouseMove(Surface(), QPoint(heading.right() + 2, y));
    QTest::mouseRelease(Surface(), Qt::LeftButton, Qt::NoModifier, QPoint(heading.right() + 2, y));
    QTRY_VERIFY_WITH_TIMEOUT(view->hasSelection(), 10000);
    QTest::mouseClick(m_frm->Button3, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::clipboard()->text(), QStringLiteral("Sprzęt wędkarski"), 10000);
    QVERIFY(m_frm->isVisible());
    QVERIFY(Platform::Records().size() == 1);
}

void OpisFrmTest::printWritesAPdfThroughThePrintDialog()
{
    Open(Chapter("data/html/rozdzial_1/wezly.html"));
    WaitForLoad();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("wezly.pdf"));
    bool answered = false;
    // The print dialog is modal: answer it from inside its own loop, choosing a PDF file.
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"))) {
            const int file = printers->findText(QStringLiteral("PDF"), Qt::MatchContains);
            if (file >= 0)
                printers->setCurrentIndex(file);
        }
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("filename")))
            name->setText(pdf);
        answered = true;
        dialog->accept();
    });
    QSignalSpy printed(m_frm->Browser, &TWebBrowser::printFinished);
    QTest::mouseClick(m_frm->Button1, Qt::LeftButton);
    QVERIFY(answered);
    QTRY_COMPARE_WITH_TIMEOUT(printed.size(), 1, 60000);
    QVERIFY(printed.at(0).at(0).toBool());
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(Platform::Records().size() == 1);
}

void OpisFrmTest::missingPathLeavesTheViewerClosed()
{
    m_frm->hide();
    Platform::ClearTestState();
    m_frm->ShowDocument(QString());
    QVERIFY(Platform::Records().isEmpty());
    QVERIFY(!m_frm->isVisible());

    // A missing file is the engine's business: the viewer opens on its error page.
    Open(Chapter("data/html/rozdzial_9/brak.html"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_loads->isEmpty(), 30000);
    m_loads->clear();
    QVERIFY(m_frm->isVisible());
    QCOMPARE(Platform::Records().size(), 1);
}

void OpisFrmTest::resizingKeepsTheBarsAndTheCloseButton()
{
    m_frm->resize(600, 400);
    const int w = m_frm->width();
    const int h = m_frm->height();
    QCOMPARE(m_frm->Panel3->geometry(), QRect(0, 0, w, 41));
    QCOMPARE(m_frm->Panel1->geometry(), QRect(0, h - 41, w, 41));
    QCOMPARE(m_frm->Browser->geometry(), QRect(0, 41, w, h - 82));
    QCOMPARE(m_frm->Button2->mapTo(m_frm.get(), QPoint(0, 0)).x(), w - 101 + 19);
    QCOMPARE(m_frm->Browser->View()->size(), m_frm->Browser->size());
}

void OpisFrmTest::contextMenuIsPolishAndInternetLinksGoToTheBrowser()
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("linki.html"));
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><head><meta charset=\"utf-8\"></head><body><h1>Łowiska</h1>"
               "<p><a id=\"ext\" href=\"https://example.org/ryby\">Ryby w sieci</a></p></body></html>");
    file.close();
    Open(page);
    WaitForLoad();
    QWebEngineView *view = m_frm->Browser->View();
    auto rightClick = [this](const QString &selector, const char *choice) -> QStringList {
        Platform::ClearTestState();
        Platform::QueuePopupChoice(QLatin1String(choice));
        QTest::mouseClick(Surface(), Qt::RightButton, Qt::NoModifier, Box(selector).center());
        QStringList items;
        if (!QTest::qWaitFor([] { return !Platform::Records().isEmpty(); }, 10000) ||
            Platform::Records().first().kind != QLatin1String("popup"))
            return items;
        for (const QAction *item : m_frm->Browser->ContextMenu->actions()) {
            if (!item->isSeparator())
                items << item->text();
        }
        return items;
    };

    QApplication::clipboard()->clear();
    QCOMPARE(rightClick(QStringLiteral("#ext"), "Kopiujadresodnosnika1"),
             QStringList({QStringLiteral("&Wstecz"), QStringLiteral("&Dalej"), QStringLiteral("&Kopiuj"),
                          QStringLiteral("&Zaznacz wszystko"), QStringLiteral("Kopiuj &adres odnośnika"),
                          QStringLiteral("D&rukuj…")}));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("https://example.org/ryby"));
    QMenu *menu = m_frm->Browser->ContextMenu;
    menu->popup(m_frm->mapToGlobal(QPoint(40, 60)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    TestSupport::SavePng(menu, QStringLiteral("guide_context_menu"));
    menu->hide();

    // Away from a link there is no address to copy; "Zaznacz wszystko" selects the page.
    QVERIFY(!rightClick(QStringLiteral("h1"), "Zaznaczwszystko1").contains(QStringLiteral("Kopiuj &adres odnośnika")));
    QTRY_VERIFY_WITH_TIMEOUT(view->hasSelection(), 10000);

    // The link itself opens in the user's browser; the viewer keeps its page.
    Platform::ClearTestState();
    QTest::mouseClick(Surface(), Qt::LeftButton, Qt::NoModifier, Box(QStringLiteral("#ext")).center());
    QTRY_VERIFY_WITH_TIMEOUT(!Platform::Records().isEmpty(), 10000);
    QCOMPARE(Platform::Records().first().kind, QStringLiteral("shell"));
    QCOMPARE(Platform::Records().first().text, QStringLiteral("https://example.org/ryby"));
    QCOMPARE(Shown(m_frm.get()), page);
}

int main(int argc, char *argv[])
{
    PrepareWebEngine();
    TApplication app(argc, argv);
    InitApplication(app);
    OpisFrmTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_OpisFrm.moc"
