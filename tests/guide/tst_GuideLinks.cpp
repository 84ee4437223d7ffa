// The links window and the About window: clicks on the areas over their pictures hand
// the sites to the desktop's browser, clicks elsewhere do nothing.
#include "app/Startup.h"
#include "app/TApplication.h"
#include "base/ProgramPaths.h"
#include "guide/AboutFrmUnit.h"
#include "guide/ReklamaFrmUnit.h"
#include "guide/TClickArea.h"
#include "guide/WebAddresses.h"
#include "support/TestSupport.h"
#include "widgets/Platform.h"
#include "widgets/TImage.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
QStringList Opened()
{
    QStringList addresses;
    for (const Platform::Record &r : Platform::TakeRecords()) {
        if (r.kind == QLatin1String("shell"))
            addresses << r.text;
    }
    return addresses;
}

// Clicks the window where a person would: the click lands on whatever lies at the point.
void ClickAt(QWidget *window, const QPoint &at)
{
    QWidget *target = window->childAt(at);
    if (!target)
        target = window;
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(window, at));
}
} // namespace

class GuideLinksTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup() { Platform::ClearTestState(); }
    void linksOpenTheirSitesAndNothingElse();
    void aboutOpensTheTwoSitesAndShowsTheCredits();
    void aSiteNoProgramCanOpenIsNamedInPolish();
};

void GuideLinksTest::initTestCase()
{
    Platform::EnableTestMode();
    OverrideExecutableFolder(TestSupport::RuntimeDir() + QStringLiteral("/"));
}

void GuideLinksTest::linksOpenTheirSitesAndNothingElse()
{
    TReklamaFrm frm;
    QCOMPARE(frm.size(), QSize(484, 294));
    QCOMPARE(frm.Image1->Picture().size(), QSize(486, 295));
    for (int round = 0; round < 2; ++round) { // closed and opened again, the same window
        Platform::ShowModal(&frm);
        frm.show();
        // Centres of the four banners, then each banner's corners, then between them.
        ClickAt(&frm, QPoint(100, 108));
        ClickAt(&frm, QPoint(350, 106));
        ClickAt(&frm, QPoint(170, 188));
        ClickAt(&frm, QPoint(410, 200));
        ClickAt(&frm, QPoint(7, 69));
        ClickAt(&frm, QPoint(475, 144));
        ClickAt(&frm, QPoint(210, 100)); // between the top banners
        ClickAt(&frm, QPoint(344, 200)); // between the bottom banners
        ClickAt(&frm, QPoint(240, 30));  // the heading
        ClickAt(&frm, QPoint(100, 275)); // the line of thanks
        const QString a1 = QLatin1String(WebAddresses::Links[0]);
        const QString a2 = QLatin1String(WebAddresses::Links[1]);
        const QString a3 = QLatin1String(WebAddresses::Links[2]);
        const QString a4 = QLatin1String(WebAddresses::Links[3]);
        QCOMPARE(Opened(), QStringList({a1, a2, a3, a4, a1, a2}));
        if (round == 0)
            TestSupport::SavePng(&frm, QStringLiteral("guide_links"));
        frm.close();
        QVERIFY(!frm.isVisible());
    }
    // A press that slides off the area before release is no click.
    frm.show();
    QTest::mousePress(frm.Image2, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(frm.Image2, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QVERIFY(Opened().isEmpty());
    QCOMPARE(frm.Image5->cursor().shape(), Qt::PointingHandCursor);

    // The keyboard reaches the banners in order and opens them with Space or Enter.
    frm.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frm));
    frm.Image2->setFocus(Qt::TabFocusReason);
    QTest::keyClick(frm.Image2, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), frm.Image3);
    QTest::keyClick(frm.Image3, Qt::Key_Space);
    QTest::keyClick(frm.Image3, Qt::Key_Return);
    QCOMPARE(Opened(), QStringList(2, QLatin1String(WebAddresses::Links[1])));
}

void GuideLinksTest::aboutOpensTheTwoSitesAndShowsTheCredits()
{
    TAboutFrm frm;
    Platform::ShowModal(&frm);
    frm.show();
    QCOMPARE(frm.size(), QSize(308, 154));
    QCOMPARE(Platform::TakeRecords().first().title, QStringLiteral("O programie:"));
    ClickAt(&frm, QPoint(176, 100));
    ClickAt(&frm, QPoint(176, 100));
    ClickAt(&frm, QPoint(268, 100));
    ClickAt(&frm, QPoint(230, 100)); // between the logos
    ClickAt(&frm, QPoint(150, 30));  // the title band
    ClickAt(&frm, QPoint(40, 120));  // the credits
    const QString a5 = QLatin1String(WebAddresses::About[0]);
    const QString a6 = QLatin1String(WebAddresses::About[1]);
    QCOMPARE(Opened(), QStringList({a5, a5, a6}));

    // The credits sit in the lower left part, the version on the title band, all clear of
    // the logos and inside the window.
    QVERIFY(frm.VersionLabel->isVisible());
    QCOMPARE(frm.VersionLabel->text(), QStringLiteral("wersja " PACKAGE_VERSION));
    QVERIFY(frm.VersionLabel->fontMetrics().horizontalAdvance(frm.VersionLabel->text()) <=
            frm.VersionLabel->contentsRect().width());
    for (QLabel *label : {frm.Label1, frm.Label2, frm.Label4, frm.Label3, frm.VersionLabel}) {
        QVERIFY(!label->geometry().intersects(frm.Image2->geometry()));
        QVERIFY(frm.rect().contains(label->geometry()));
    }
    QCOMPARE(frm.Label2->text(), QStringLiteral("Koordynacja i merytoryka"));
    QCOMPARE(frm.Label3->text(), QStringLiteral("Grafika i programowanie"));
    TestSupport::SavePng(&frm, QStringLiteral("guide_about"));
}

void GuideLinksTest::aSiteNoProgramCanOpenIsNamedInPolish()
{
    TReklamaFrm frm;
    frm.show();
    const QString site = QLatin1String(WebAddresses::Links[0]);
    auto messages = [] {
        QStringList texts;
        for (const Platform::Record &r : Platform::Records()) {
            if (r.kind == QLatin1String("message") && r.icon == Platform::Icon::Warning)
                texts << r.text;
        }
        return texts;
    };
    Platform::QueueShellFailure();
    ClickAt(&frm, QPoint(100, 108));
    QCOMPARE(messages().size(), 1);
    QVERIFY2(messages().first().contains(QStringLiteral("adresu ") + site) &&
                 messages().first().contains(QStringLiteral("przeglądarkę")),
             qPrintable(messages().first()));
    QVERIFY(frm.isVisible());
    Platform::ClearTestState();

    // The opener really runs: one that finds nothing fails, a missing one cannot start,
    // and one that opens the site says nothing.
    QTemporaryDir bin;
    const auto opener = [&bin](const char *name, const char *script) {
        const QString path = bin.filePath(QLatin1String(name));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(script);
        file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        return path;
    };
    const auto finished = [] { return qApp->findChildren<QProcess *>().isEmpty(); };
    Platform::SetShellOpener(opener("nothing", "#!/bin/sh\necho 'no method available' >&2\nexit 3\n"));
    ClickAt(&frm, QPoint(100, 108));
    QTRY_COMPARE(messages().size(), 1);
    Platform::SetShellOpener(bin.filePath(QStringLiteral("missing")));
    ClickAt(&frm, QPoint(100, 108));
    QTRY_COMPARE(messages().size(), 2);
    QTRY_VERIFY(finished());
    Platform::SetShellOpener(opener("browser", "#!/bin/sh\nexit 0\n"));
    ClickAt(&frm, QPoint(350, 106));
    QTRY_VERIFY(finished());
    QCOMPARE(messages().size(), 2);
    Platform::SetShellOpener(QString());
}

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    InitApplication(app);
    GuideLinksTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_GuideLinks.moc"
