#include "base/DateUtils.h"
#include "base/FolderUtils.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
void WriteFile(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// Root ignores permissions, so the one dependable way to make a file undeletable is the
// immutable attribute.
bool MakeImmutable(const QString &path, bool on)
{
    return QProcess::execute(QStringLiteral("chattr"), {on ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
}
} // namespace

class FolderUtilsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyFolderRemovesEverythingButTheFolder();
    void emptyFolderStopsAtAnUndeletableEntry();
    void emptyFolderRemovesLinksNotWhatTheyPointTo();
    void deleteFolder();
    void folderExists();
    void addTrailingBackslash();
    void monthDay_data();
    void monthDay();
};

void FolderUtilsTest::emptyFolderRemovesEverythingButTheFolder()
{
    QTemporaryDir root;
    const QString day = root.path() + QStringLiteral("/2005-01-24");
    QVERIFY(QDir().mkpath(day + QStringLiteral("/nested/deeper")));
    WriteFile(day + QStringLiteral("/szczupak.jpg"));
    WriteFile(day + QStringLiteral("/.hidden"));
    WriteFile(day + QStringLiteral("/nested/deeper/okon.jpg"));
    QFile::setPermissions(day + QStringLiteral("/szczupak.jpg"), QFile::ReadOwner);

    QVERIFY(EmptyFolder(day));
    QVERIFY(QDir(day).exists());
    QVERIFY(QDir(day).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));

    // With or without the trailing separator, missing or already empty: all succeed.
    QVERIFY(EmptyFolder(day + QLatin1Char('/')));
    QVERIFY(EmptyFolder(root.path() + QStringLiteral("/brak")));
}

void FolderUtilsTest::emptyFolderStopsAtAnUndeletableEntry()
{
    QTemporaryDir root;
    const QString day = root.path() + QStringLiteral("/2005-01-24");
    QVERIFY(QDir().mkpath(day + QStringLiteral("/d")));
    for (const char *name : {"/a.jpg", "/b.jpg", "/c.jpg", "/d/e.jpg"})
        WriteFile(day + QLatin1String(name));
    if (!MakeImmutable(day + QStringLiteral("/b.jpg"), true))
        QSKIP("no way to make a file undeletable here");
    if (QFile::remove(day + QStringLiteral("/b.jpg")))
        QSKIP("the immutable attribute does not stop deletion here");

    const bool emptied = EmptyFolder(day);
    const bool deleted = DeleteFolder(day);
    const QStringList left = QDir(day).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    MakeImmutable(day + QStringLiteral("/b.jpg"), false);

    QVERIFY(!emptied);
    QVERIFY(!deleted);
    QVERIFY(QDir(day).exists());
    // Entries sorted before the stubborn file went; the ones after it stay untouched.
    QCOMPARE(left, QStringList({QStringLiteral("b.jpg"), QStringLiteral("c.jpg"), QStringLiteral("d")}));
    QVERIFY(QFile::exists(day + QStringLiteral("/d/e.jpg")));
}

void FolderUtilsTest::emptyFolderRemovesLinksNotWhatTheyPointTo()
{
    QTemporaryDir root;
    const QString outside = root.path() + QStringLiteral("/zdjecia");
    const QString day = root.path() + QStringLiteral("/2005-01-24");
    QVERIFY(QDir().mkpath(outside));
    QVERIFY(QDir().mkpath(day));
    WriteFile(outside + QStringLiteral("/cenne.jpg"));
    QVERIFY(QFile::link(outside, day + QStringLiteral("/link")));

    QVERIFY(DeleteFolder(day));
    QVERIFY(!QFileInfo::exists(day));
    QVERIFY(QFile::exists(outside + QStringLiteral("/cenne.jpg")));
}

void FolderUtilsTest::deleteFolder()
{
    QTemporaryDir root;
    const QString day = root.path() + QStringLiteral("/2005-01-24");
    QVERIFY(QDir().mkpath(day + QStringLiteral("/nested")));
    WriteFile(day + QStringLiteral("/nested/lin.jpg"));
    QVERIFY(DeleteFolder(day));
    QVERIFY(!QFileInfo::exists(day));
    QVERIFY(!DeleteFolder(day));
}

void FolderUtilsTest::folderExists()
{
    QTemporaryDir root;
    WriteFile(root.path() + QStringLiteral("/plik.txt"));
    QVERIFY(FolderExists(root.path()));
    QVERIFY(FolderExists(root.path() + QLatin1Char('/')));
    QVERIFY(!FolderExists(root.path() + QStringLiteral("/plik.txt")));
    QVERIFY(!FolderExists(root.path() + QStringLiteral("/brak")));
    QVERIFY(!FolderExists(QString()));
}

void FolderUtilsTest::addTrailingBackslash()
{
    const QString sep = QDir::separator();
    QString empty;
    AddTrailingBackslash(empty);
    QCOMPARE(empty, QString());

    QString withSeparator = QStringLiteral("data") + sep + QStringLiteral("foto") + sep;
    const QString before = withSeparator;
    AddTrailingBackslash(withSeparator);
    QCOMPARE(withSeparator, before);

    QString without = QStringLiteral("data") + sep + QStringLiteral("foto");
    AddTrailingBackslash(without);
    QCOMPARE(without, before);
}

void FolderUtilsTest::monthDay_data()
{
    QTest::addColumn<double>("date");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1 January") << EncodeDate(2005, 1, 1) << QStringLiteral("01-01");
    QTest::newRow("15 March") << EncodeDate(2005, 3, 15) << QStringLiteral("03-15");
    QTest::newRow("31 December") << EncodeDate(2004, 12, 31) << QStringLiteral("12-31");
    QTest::newRow("zero date") << ZeroDate << QStringLiteral("-");
    QTest::newRow("30 December of a real year") << EncodeDate(2005, 12, 30) << QStringLiteral("-");
    QTest::newRow("protection start 0001-05-01") << EncodeDate(1, 5, 1) << QStringLiteral("05-01");
}

void FolderUtilsTest::monthDay()
{
    QFETCH(double, date);
    QFETCH(QString, expected);
    QCOMPARE(MonthDay(date), expected);
}

QTEST_GUILESS_MAIN(FolderUtilsTest)
#include "tst_FolderUtils.moc"
