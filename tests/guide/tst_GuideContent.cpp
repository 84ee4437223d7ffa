// The guide chapters laid out by the build: every link and picture points at a file that
// is there, nothing leads off the computer, and the multimedia index lists every picture.
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QUrl>

namespace {
QString Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
} // namespace

class GuideContentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linksAndPicturesResolveLocally();
};

void GuideContentTest::linksAndPicturesResolveLocally()
{
    const QDir root(TestSupport::RuntimeDir() + QStringLiteral("/data/html"));
    for (const char *start : {"rozdzial_1/index.html", "rozdzial_2/sprzet/index.html",
                              "rozdzial_3/miniporadnik/index.htm", "rozdzial_4/multimedia/index.htm"})
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

QTEST_GUILESS_MAIN(GuideContentTest)
#include "tst_GuideContent.moc"
