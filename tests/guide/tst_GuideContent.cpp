// The guide chapters laid out by the build: every link and picture points at a file that
// is there, nothing leads off the computer, the multimedia index lists every picture, every
// page can be reached from a chapter's start page, the chapters hold enough text to teach,
// and the faults once found in the text stay mended.
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QUrl>

#include <map>

namespace {
QString Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

const char *const StartPages[] = {"rozdzial_1/index.html", "rozdzial_2/sprzet/index.html",
                                  "rozdzial_3/miniporadnik/index.htm", "rozdzial_4/multimedia/index.htm"};

QDir HtmlRoot()
{
    return QDir(TestSupport::RuntimeDir() + QStringLiteral("/data/html"));
}

// Every page of the chapters, relative to the html folder.
QStringList Pages()
{
    const QDir root = HtmlRoot();
    QStringList pages;
    QDirIterator it(root.path(), {QStringLiteral("*.html"), QStringLiteral("*.htm")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        pages << root.relativeFilePath(it.next());
    pages.sort();
    return pages;
}

// The words a reader reads on a page: its main element without navigation, drawings or scripts.
// A word is a run of non-blank characters holding at least one letter or digit, so dashes and
// arrows do not count.
int MainWordCount(const QString &page)
{
    static const QRegularExpression main(QStringLiteral("<main[^>]*>(.*)</main>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression skipped(QStringLiteral("<(nav|svg|script|style)\\b.*?</\\1>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression markup(QStringLiteral("<[^>]*>|&#?\\w+;"));
    static const QRegularExpression blank(QStringLiteral("\\s+"));
    static const QRegularExpression wordy(QStringLiteral("\\w"), QRegularExpression::UseUnicodePropertiesOption);
    QString text = main.match(page).captured(1);
    text.replace(skipped, QStringLiteral(" ")).replace(markup, QStringLiteral(" "));
    int words = 0;
    for (const QString &token : text.split(blank, Qt::SkipEmptyParts))
        words += token.contains(wordy) ? 1 : 0;
    return words;
}
} // namespace

class GuideContentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linksAndPicturesResolveLocally();
    void everyPageIsReachableFromTheStartPages();
    void chaptersHoldEnoughTextToTeach();
    void mendedFaultsStayMended();
};

void GuideContentTest::linksAndPicturesResolveLocally()
{
    const QDir root = HtmlRoot();
    for (const char *start : StartPages)
        QVERIFY2(root.exists(QLatin1String(start)), start);

    static const QRegularExpression reference(QStringLiteral(R"re((?:href|src)\s*=\s*"([^"]*)")re"));
    QSet<QString> pictures;
    QSet<QString> usedInChapters;
    QSet<QString> indexed;
    int pages = 0;
    QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = root.relativeFilePath(path);
        if (path.endsWith(QLatin1String(".svg")))
            pictures.insert(QFileInfo(path).canonicalFilePath());
        if (!path.endsWith(QLatin1String(".html")) && !path.endsWith(QLatin1String(".htm")))
            continue;
        ++pages;
        const QString text = Read(path);
        QVERIFY2(text.contains(QLatin1String("style.css")), qPrintable(relative));
        for (const QRegularExpressionMatch &m : reference.globalMatch(text)) {
            const QString target = m.captured(1);
            const QString where = relative + QStringLiteral(": ") + target;
            QVERIFY2(!target.isEmpty() && QUrl(target).scheme().isEmpty() && !target.startsWith(QLatin1String("//")),
                     qPrintable(where + QStringLiteral(" leads outside")));
            const QString file = target.section(QLatin1Char('#'), 0, 0);
            const QString anchor = target.section(QLatin1Char('#'), 1);
            const QFileInfo resolved(QFileInfo(path).dir(), file.isEmpty() ? QFileInfo(path).fileName() : file);
            QVERIFY2(resolved.isFile(), qPrintable(where + QStringLiteral(" is missing")));
            QVERIFY2(resolved.canonicalFilePath().startsWith(root.canonicalPath()), qPrintable(where));
            if (!anchor.isEmpty())
                QVERIFY2(Read(resolved.filePath()).contains(QStringLiteral("id=\"%1\"").arg(anchor)),
                         qPrintable(where));
            if (file.endsWith(QLatin1String(".svg"))) {
                (relative.startsWith(QLatin1String("rozdzial_4/")) ? indexed : usedInChapters)
                    .insert(resolved.canonicalFilePath());
            }
        }
    }
    QVERIFY(pages >= 20);
    QVERIFY(!pictures.isEmpty());
    QCOMPARE(usedInChapters, pictures);
    QCOMPARE(indexed, pictures);
}

void GuideContentTest::everyPageIsReachableFromTheStartPages()
{
    const QDir root = HtmlRoot();
    static const QRegularExpression link(QStringLiteral(R"re(href\s*=\s*"([^"#]+\.html?)(#[^"]*)?")re"));
    QSet<QString> seen;
    QStringList queue;
    for (const char *start : StartPages)
        queue << QLatin1String(start);
    while (!queue.isEmpty()) {
        const QString page = QDir::cleanPath(queue.takeFirst());
        if (seen.contains(page))
            continue;
        seen.insert(page);
        const QString folder = QFileInfo(page).path();
        for (const QRegularExpressionMatch &m : link.globalMatch(Read(root.filePath(page))))
            queue << folder + QLatin1Char('/') + m.captured(1);
    }
    for (const QString &page : Pages())
        QVERIFY2(seen.contains(page), qPrintable(page + QStringLiteral(" is linked from nowhere")));
}

void GuideContentTest::chaptersHoldEnoughTextToTeach()
{
    const QStringList methodPages = {
        QStringLiteral("rozdzial_3/miniporadnik/splawik.htm"), QStringLiteral("rozdzial_3/miniporadnik/grunt.htm"),
        QStringLiteral("rozdzial_3/miniporadnik/spinning.htm"), QStringLiteral("rozdzial_3/miniporadnik/mucha.htm"),
        QStringLiteral("rozdzial_3/miniporadnik/podlodowe.htm")};
    std::map<QString, int> perChapter;
    int total = 0;
    QStringList tooShort;
    for (const QString &page : Pages()) {
        const int words = MainWordCount(Read(HtmlRoot().filePath(page)));
        const QString chapter = page.section(QLatin1Char('/'), 0, 0);
        qInfo("%5d  %s", words, qPrintable(page));
        perChapter[chapter] += words;
        total += words;
        const int minimum = methodPages.contains(page) ? 500 : 250;
        if (words < minimum)
            tooShort << QStringLiteral("%1 (%2 < %3)").arg(page).arg(words).arg(minimum);
    }
    for (const auto &[chapter, words] : perChapter)
        qInfo("%5d  %s", words, qPrintable(chapter));
    qInfo("%5d  all chapters", total);
    // A method page teaches the whole method: when and where, the species, the tackle, the rig
    // step by step and the usual mistakes.
    for (const QString &page : methodPages) {
        QVERIFY2(Pages().contains(page), qPrintable(page));
        const QString text = Read(HtmlRoot().filePath(page));
        for (const char *heading : {"<h2>Kiedy i gdzie</h2>", "<h2>Jakie ryby</h2>", "<h2>Sprzęt</h2>",
                                    "krok po kroku</h2>", "<h2>Typowe błędy</h2>"})
            QVERIFY2(text.contains(QString::fromUtf8(heading)),
                     qPrintable(page + QLatin1Char(' ') + QString::fromUtf8(heading)));
    }
    QVERIFY2(tooShort.isEmpty(), qPrintable(tooShort.join(QStringLiteral(", "))));
    QVERIFY2(total >= 9000, qPrintable(QString::number(total)));

    // The counter itself: navigation, markup, entities and dashes are no words.
    QCOMPARE(MainWordCount(QStringLiteral("<nav><a>Jeden dwa</a></nav><main><nav>x y</nav><h1>Karta "
                                          "wędkarska</h1><p>Od 27 lipca&nbsp;2023 r. – tak.</p>"
                                          "<svg><text>etykieta</text></svg></main><footer>stopka</footer>")),
             8);
}

void GuideContentTest::mendedFaultsStayMended()
{
    const QDir root = HtmlRoot();
    struct Rule
    {
        const char *file; // empty: every page of the guide
        const char *pattern;
        bool present;
    };
    const Rule rules[] = {
        // One spelling shared with the tips, and one name for the register.
        {"", "fluorocarbon", false},
        {"", "rejestr\\w* połowu\\b", false},
        {"rozdzial_3/miniporadnik/gatunki.htm", "nie rozmnaża się w naszych wodach, dlatego", false},
        {"rozdzial_3/miniporadnik/gatunki.htm", "zasoby[^.]*załamały się", true},
        {"rozdzial_1/ryba.html", "wierzchołka głowy", false},
        {"rozdzial_1/ryba.html",
         "od początku głowy, czyli od czubka pyska, do najdalej sięgającego końca płetwy "
         "ogonowej",
         true},
        {"rozdzial_2/sprzet/zylki.html", "jednożyłow", false},
        {"rozdzial_2/sprzet/zylki.html", "Przypon cieńszy od żyłki głównej", true},
        {"rozdzial_2/sprzet/zylki.html", "Przypon mocniejszy od żyłki głównej", true},
        {"rozdzial_2/sprzet/kolowrotki.html", "i nie plącze się", false},
        {"rozdzial_2/sprzet/kolowrotki.html", "Szpulę nawija się", false},
        {"ilustracje/wedzisko.svg", "dolnik", false},
        {"rozdzial_1/bezpieczenstwo.html", "przyciąga pioruny", false},
        {"rozdzial_1/bezpieczenstwo.html", "w murowanym budynku albo w samochodzie", true},
        {"rozdzial_3/miniporadnik/podlodowe.htm", "stronę, z której przyszedłeś", true},
        {"rozdzial_3/miniporadnik/podlodowe.htm", "kolce asekuracyjne i podciągaj się", true},
        {"rozdzial_3/miniporadnik/podlodowe.htm", "nie wstawaj. Odturlaj się", true},
        {"rozdzial_3/miniporadnik/podlodowe.htm", "<b>112</b>[^<]*<b>601 100 100</b>", true},
        {"rozdzial_2/sprzet/haczyki.html", "dociąża się", false},
        {"rozdzial_2/sprzet/haczyki.html", "Śruciny zaciska się", true},
    };
    const QStringList allPages = Pages();
    QStringList broken;
    for (const Rule &rule : rules) {
        const QRegularExpression pattern(QString::fromUtf8(rule.pattern),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::UseUnicodePropertiesOption);
        QVERIFY2(pattern.isValid(), rule.pattern);
        const QStringList files = *rule.file ? QStringList{QString::fromUtf8(rule.file)} : allPages;
        for (const QString &file : files) {
            const QString text = Read(root.filePath(file));
            QVERIFY2(!text.isEmpty(), qPrintable(file));
            if (text.contains(pattern) != rule.present)
                broken << file + (rule.present ? QStringLiteral(" lacks: ") : QStringLiteral(" still has: ")) +
                              QString::fromUtf8(rule.pattern);
        }
    }
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(GuideContentTest)
#include "tst_GuideContent.moc"
