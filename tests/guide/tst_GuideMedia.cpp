// Chapter 4, the multimedia index: every illustration of the guide has an entry that
// says what it shows and where it is used, the knot animations carry their steps and
// their controls, and in the real viewer the pages fit its width and "Pauza" stops them.
#include "WebTestSupport.h"
#include "app/Startup.h"
#include "app/TApplication.h"
#include "base/ProgramPaths.h"
#include "guide/OpisFrmUnit.h"
#include "guide/TWebBrowser.h"
#include "support/TestSupport.h"
#include "widgets/Platform.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>
#include <memory>

namespace {
QDir Chapter4()
{
    return QDir(TestSupport::RuntimeDir() + QStringLiteral("/data/html/rozdzial_4/multimedia"));
}

QString Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Matches(const QString &text, const QString &pattern)
{
    QStringList found;
    for (const QRegularExpressionMatch &m : QRegularExpression(pattern).globalMatch(text))
        found << m.captured(1);
    return found;
}

// Words a reader reads on the page: the main part without drawings, scripts and tags.
int MainWords(const QString &page)
{
    QString main = page.section(QStringLiteral("<main>"), 1).section(QStringLiteral("</main>"), 0, 0);
    main.remove(QRegularExpression(QStringLiteral("<svg.*?</svg>|<script.*?</script>"),
                                   QRegularExpression::DotMatchesEverythingOption));
    main.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return int(main.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size());
}

// The chapter's pages with their animated knots ("animacja") or rig diagrams ("schemat").
QStringList PagesWith(const QString &kind)
{
    QStringList pages;
    const QDir dir = Chapter4();
    for (const QString &name : dir.entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name)) {
        if (Read(dir.filePath(name)).contains(QStringLiteral("<figure class=\"%1\"").arg(kind)))
            pages << name;
    }
    return pages;
}

// The picture is taken once the page has painted what the script last changed.
void SaveWhenPainted(TOpisFrm *frm, const QString &name)
{
    QWebEngineView *view = frm->Browser->View();
    RunScript(view, QStringLiteral("window.painted=false;"
                                   "requestAnimationFrame(()=>requestAnimationFrame(()=>{window.painted=true;}))"));
    QTRY_VERIFY(RunScript(view, QStringLiteral("window.painted")).toBool());
    TestSupport::SavePng(frm, name);
}
} // namespace

class GuideMediaTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void indexListsEveryIllustrationWithItsPage();
    void knotsAndRigsAreComplete();
    void pagesFitTheViewerAndPauseStopsTheKnots();
    void everyChapterPageFitsTheViewersWidth();
};

void GuideMediaTest::initTestCase()
{
    Platform::EnableTestMode();
    OverrideExecutableFolder(TestSupport::RuntimeDir() + QStringLiteral("/"));
    QVERIFY(Chapter4().exists(QStringLiteral("index.htm")));
}

void GuideMediaTest::indexListsEveryIllustrationWithItsPage()
{
    const QDir dir = Chapter4();
    const QString index = Read(dir.filePath(QStringLiteral("index.htm")));
    const QStringList entries =
        Matches(Matches(index, QStringLiteral("(?s)<ul class=\"indeks\">(.*?)</ul>")).join(QString()),
                QStringLiteral("(?s)<li[^>]*>(.*?)</li>"));
    QSet<QString> listedFiles;
    QSet<QString> listedFigures;
    for (const QString &entry : entries) {
        const QString caption = Matches(entry, QStringLiteral("(?s)<p class=\"opis\">(.*?)</p>")).value(0);
        const qsizetype sentences = caption.count(QRegularExpression(QStringLiteral("[.!?](\\s|$)")));
        QVERIFY2(sentences >= 2 && sentences <= 3, qPrintable(entry));
        // The entry leads to a page that uses the picture, not only back into the index.
        const QString where = Matches(entry, QStringLiteral("(?s)<p class=\"gdzie\">(.*?)</p>")).value(0);
        const QStringList pages = Matches(where, QStringLiteral("href=\"([^\"#]+)"));
        QVERIFY2(!pages.isEmpty() && !pages.contains(QStringLiteral("galeria.htm")), qPrintable(entry));
        for (const QString &src : Matches(entry, QStringLiteral("<img src=\"\\.\\./\\.\\./ilustracje/([^\"]+)\"")))
            listedFiles.insert(src);
        for (const QString &link : Matches(where, QStringLiteral("href=\"(\\w+\\.htm#\\w+)\"")))
            listedFigures.insert(link);
    }

    QSet<QString> files;
    for (const QString &name :
         QDir(dir.filePath(QStringLiteral("../../ilustracje"))).entryList({QStringLiteral("*.svg")}))
        files.insert(name);
    QVERIFY(!files.isEmpty());
    QCOMPARE(listedFiles, files);

    QSet<QString> figures;
    for (const QString &page : PagesWith(QStringLiteral("animacja")) + PagesWith(QStringLiteral("schemat"))) {
        for (const QString &id :
             Matches(Read(dir.filePath(page)), QStringLiteral("<figure class=\"\\w+\" id=\"(\\w+)\"")))
            figures.insert(page + QLatin1Char('#') + id);
    }
    QVERIFY(figures.size() >= 10);
    QCOMPARE(listedFigures, figures);
    QCOMPARE(qsizetype(entries.size()), qsizetype(files.size() + figures.size()));

    for (const QString &name : dir.entryList({QStringLiteral("*.htm")})) {
        const int words = MainWords(Read(dir.filePath(name)));
        QVERIFY2(words >= 250, qPrintable(QStringLiteral("%1: %2 words").arg(name).arg(words)));
    }
}

void GuideMediaTest::knotsAndRigsAreComplete()
{
    const QStringList knots = PagesWith(QStringLiteral("animacja"));
    QVERIFY2(knots.size() >= 6, qPrintable(knots.join(QLatin1Char(' '))));
    QVERIFY(PagesWith(QStringLiteral("schemat")).size() >= 4);
    for (const QString &name : knots) {
        const QString page = Read(Chapter4().filePath(name));
        QVERIFY2(page.contains(QStringLiteral("<script src=\"animacja.js\">")), qPrintable(name));
        const QString figure =
            page.section(QStringLiteral("<figure class=\"animacja\""), 1).section(QStringLiteral("</figure>"), 0, 0);
        const qsizetype steps = figure.count(QRegularExpression(QStringLiteral("<g class=\"krok[ \"]")));
        QVERIFY2(steps >= 4, qPrintable(name));
        // Every drawn step has its caption in the picture and its instruction below it.
        const QStringList captions = Matches(figure, QStringLiteral("<text[^>]*>(\\d+)\\. "));
        QCOMPARE(captions.size(), steps);
        QCOMPARE(captions.last(), QString::number(steps));
        const QString instructions = figure.section(QStringLiteral("<ol class=\"kroki\">"), 1);
        QCOMPARE(instructions.count(QStringLiteral("<li>")), steps);
        for (const char *button : {"wstecz", "pauza", "dalej"})
            QVERIFY2(figure.contains(QStringLiteral("<button type=\"button\" class=\"%1\"").arg(QLatin1String(button))),
                     qPrintable(name));
    }
}

void GuideMediaTest::pagesFitTheViewerAndPauseStopsTheKnots()
{
    TOpisFrm frm;
    Platform::SetModalHandler([](QDialog *dialog) { return dialog->result(); });
    const QStringList knots = PagesWith(QStringLiteral("animacja"));
    QStringList pages = knots; // every page of the chapter, the knots first
    for (const QString &name : Chapter4().entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name)) {
        if (!pages.contains(name))
            pages << name;
    }
    std::unique_ptr<QSignalSpy> loads;
    for (const QString &name : pages) {
        frm.ShowDocument(Chapter4().filePath(name));
        if (!loads)
            loads = std::make_unique<QSignalSpy>(frm.Browser, &TWebBrowser::loadFinished);
        frm.show();
        QTRY_VERIFY_WITH_TIMEOUT(!loads->isEmpty(), 30000);
        QVERIFY(loads->takeFirst().at(0).toBool());
        QWebEngineView *view = frm.Browser->View();
        QCOMPARE(frm.size(), QSize(816, 570));
        const QVariantList widths =
            RunScript(view,
                      QStringLiteral("[document.documentElement.scrollWidth, document.documentElement.clientWidth]"))
                .toList();
        QVERIFY2(widths.size() == 2 && widths[0].toInt() <= widths[1].toInt(), qPrintable(name));
        RunScript(view, QStringLiteral("document.querySelector('figure, ul.indeks').scrollIntoView()"));
        const QString shot = QStringLiteral("guide_media_") + name.section(QLatin1Char('.'), 0, 0);
        if (!knots.contains(name)) {
            SaveWhenPainted(&frm, shot);
            continue;
        }

        const auto state = [&] {
            return RunScript(view,
                             QStringLiteral("(function(){const f=document.querySelector('figure.animacja');"
                                            "return f.dataset.stan+' '+f.dataset.krok+' '+"
                                            "document.getAnimations().filter(a=>a.playState==='running').length;})()"))
                .toString();
        };
        // Clicks a button of the control with the mouse, where the reader sees it.
        const auto click = [&](const char *button) {
            const QVariantList b =
                RunScript(view, QStringLiteral("(function(){const r=document.querySelector("
                                               "'figure.animacja button.%1').getBoundingClientRect();"
                                               "return [r.left+r.width/2,r.top+r.height/2];})()")
                                    .arg(QLatin1String(button)))
                    .toList();
            QTest::mouseClick(view->focusProxy(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(b.value(0).toInt(), b.value(1).toInt()));
        };
        const int steps =
            RunScript(view, QStringLiteral("document.querySelectorAll('figure.animacja .krok').length")).toInt();
        QTRY_VERIFY_WITH_TIMEOUT(state().startsWith(QStringLiteral("gra 1 ")), 5000);
        if (name == knots.first()) // the steps follow each other on their own
            QTRY_VERIFY_WITH_TIMEOUT(state().startsWith(QStringLiteral("gra 2 ")), 10000);
        click("pauza");
        QTRY_VERIFY(state().startsWith(QStringLiteral("pauza ")));
        const QString paused = state();
        QVERIFY2(paused.startsWith(QStringLiteral("pauza ")) && paused.endsWith(QStringLiteral(" 0")),
                 qPrintable(paused));
        if (name == knots.first()) // longer than a step lasts while playing: the step stays
            QVERIFY(!QTest::qWaitFor([&] { return state() != paused; }, 4500));
        const int at = paused.section(QLatin1Char(' '), 1, 1).toInt();
        click("dalej");
        QTRY_COMPARE(state(), QStringLiteral("pauza %1 0").arg(at % steps + 1));
        click("wstecz");
        click("wstecz");
        QTRY_COMPARE(state(), QStringLiteral("pauza %1 0").arg((at + steps - 2) % steps + 1));
        for (int step = 1; step <= steps; ++step) {
            RunScript(view, QStringLiteral("(function(){const f=document.querySelector('figure.animacja');"
                                           "while(f.dataset.krok!=='%1')f.querySelector('button.dalej').click();})()")
                                .arg(step));
            SaveWhenPainted(&frm, shot + QStringLiteral("_%1").arg(step));
        }
        click("pauza"); // plays again, drawing the step shown from its start
        QTRY_VERIFY(state().startsWith(QStringLiteral("gra ")) && !state().endsWith(QStringLiteral(" 0")));
    }
}

// Every page of the four chapters, in the real viewer at its size: none scrolls sideways.
void GuideMediaTest::everyChapterPageFitsTheViewersWidth()
{
    TOpisFrm frm;
    const QDir html(Chapter4().filePath(QStringLiteral("../..")));
    QStringList pages;
    QDirIterator it(html.path(), {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        pages << it.next();
    QVERIFY(pages.size() >= 30);
    QSignalSpy loads(frm.Browser, &TWebBrowser::loadFinished);
    frm.show();
    QStringList wide;
    for (const QString &page : pages) {
        loads.clear();
        frm.ShowDocument(page);
        QTRY_VERIFY_WITH_TIMEOUT(!loads.isEmpty(), 30000);
        const QVariantList widths =
            RunScript(frm.Browser->View(),
                      QStringLiteral("[document.documentElement.scrollWidth, document.documentElement.clientWidth]"))
                .toList();
        if (widths.size() != 2 || widths[0].toInt() > widths[1].toInt())
            wide << html.relativeFilePath(page);
    }
    QVERIFY2(wide.isEmpty(), qPrintable(wide.join(QLatin1Char(' '))));
}

int main(int argc, char *argv[])
{
    PrepareWebEngine();
    TApplication app(argc, argv);
    InitApplication(app);
    GuideMediaTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_GuideMedia.moc"
