// The viewer without its browser module: a broken installation must not take the program
// down. The module is looked for in a program folder of the test's own, which either lacks
// it or holds a file that is no module; the build's own module is never loaded here.
#include "app/Startup.h"
#include "app/TApplication.h"
#include "base/ProgramPaths.h"
#include "guide/EBrowserError.h"
#include "guide/OpisFrmUnit.h"
#include "guide/TWebBrowser.h"
#include "support/TestSupport.h"
#include "widgets/Platform.h"

#include <QFile>
#include <QTest>

class WebViewModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unloadableModuleIsReportedAndTheViewerStaysClosed_data();
    void unloadableModuleIsReportedAndTheViewerStaysClosed();
};

void WebViewModuleTest::unloadableModuleIsReportedAndTheViewerStaysClosed_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a module") << QByteArray("\x7f"
                                                "ELF this is no library");
}

void WebViewModuleTest::unloadableModuleIsReportedAndTheViewerStaysClosed()
{
    QFETCH(QByteArray, content);
    TestSupport::TempProgramDir dir(TestSupport::TempProgramDir::Content::None);
    QVERIFY(dir.isValid());
    const QString module = dir.path() + WebViewModuleFileName();
    QFile::remove(module);
    if (!content.isEmpty()) {
        QFile file(module);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    OverrideExecutableFolder(dir.path());
    Platform::EnableTestMode();
    Platform::ClearTestState();

    TWebBrowser browser;
    try {
        browser.Navigate(dir.path() + QStringLiteral("data/html/index.html"));
        QFAIL("the browser opened a page without its module");
    } catch (const EBrowserError &e) {
        QVERIFY2(e.Message().startsWith(QStringLiteral("Nie można załadować przeglądarki stron")),
                 qPrintable(e.Message()));
    }
    QVERIFY(!browser.View());
    // Back, print and copy still refuse with their own text rather than crash.
    QVERIFY_THROWS_EXCEPTION(EBrowserError, browser.GoBack());
    QVERIFY_THROWS_EXCEPTION(EBrowserError, browser.Print());

    TOpisFrm viewer;
    viewer.ShowDocument(dir.path() + QStringLiteral("data/html/index.html"));
    QVERIFY(!viewer.isVisible());
    QCOMPARE(Platform::Records().size(), 1);
    QCOMPARE(Platform::Records().first().kind, QStringLiteral("error"));
    QVERIFY(Platform::Records().first().text.contains(WebViewModuleFileName()));
}

int main(int argc, char *argv[])
{
    PrepareWebEngine();
    TApplication app(argc, argv);
    InitApplication(app);
    WebViewModuleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_WebViewModule.moc"
