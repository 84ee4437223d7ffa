#include "../app/AppTestMain.h"

#include "app/MainFrmUnit.h"
#include "base/ProgramPaths.h"
#include "data/TDbTable.h"
#include "encyclopedia/EncyklopediaFrmUnit.h"
#include "support/TestSupport.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBCtrlGrid.h"
#include "widgets/TDBMemo.h"
#include "widgets/TDBText.h"
#include "widgets/TImage.h"
#include "widgets/TLinkLabel.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <memory>

using TestSupport::TempProgramDir;

namespace {
const QString Columns = QStringLiteral("insert into ryby (nazwa,od,\"do\",wymiar,rekord,wystepowanie,metoda,"
                                       "opis_dlugi,opis_krotki,zdjecie) values ");

// In rowid order. Two panels to a line: the seventh species sits alone on the last line.
const QString Seed =
    Columns + QStringLiteral("('Bez obrazka','','','-','-','Stawy','Grunt','Długi opis.','Krótki opis',''),"
                             "('Czerwona','0001-05-01','0001-12-30','45','20,8','Rzeki','Spinning','x','y',"
                             "'czerwona.jpg'),"
                             "('Pusta','0001-01-01','0001-04-30','25','-','Jeziora','Spławik','x','y',''),"
                             "('Niebieska','','','-','-','x','x','x','y','niebieska.jpg'),"
                             "('Brak pliku','0001-03-01','0001-05-31','30','-','x','x','x','y','brak.jpg'),"
                             "('Zepsuta','0001-03-01','0001-05-31','30','-','x','x','x','y','zepsuta.jpg'),"
                             "('Ostatnia','0001-06-01','0001-06-30','15','-','x','x','x','y','niebieska.jpg');");

QString RybyDump(const TempProgramDir &dir)
{
    return TestSupport::QueryColumn(dir.dbPath(), QStringLiteral("select group_concat(rowid||nazwa||od||\"do\"||"
                                                                 "wymiar||rekord||wystepowanie||metoda||opis_dlugi||"
                                                                 "opis_krotki||zdjecie, '|') from ryby"))
        .value(0);
}

QColor Middle(const QImage &picture)
{
    return picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

bool Near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 && qAbs(a.blue() - b.blue()) < 24;
}
} // namespace

class EncyklopediaFrmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void eachSpeciesShowsAsItBecomesCurrent();
    void anEmptyTableShowsNothing();
    void shippedSpeciesDockedWithTheirPictures();

private:
    void Start(const QString &seed);
    TEncyklopediaFrm *View() const { return Windows().EncyklopediaFrm; }
    QString Name() const { return View()->DBText1->text(); }
    void Press(Qt::Key key) { QTest::keyClick(View()->DBCtrlGrid1, key); }
    QStringList Errors() const;

    std::unique_ptr<TempProgramDir> m_dir;
};

void EncyklopediaFrmTest::init()
{
    Platform::EnableTestMode();
    Platform::ClearTestState();
    m_dir = std::make_unique<TempProgramDir>(TempProgramDir::Content::SchemaOnly);
    QVERIFY(m_dir->isValid());
}

void EncyklopediaFrmTest::cleanup()
{
    DestroyWindows();
    m_dir.reset();
}

void EncyklopediaFrmTest::Start(const QString &seed)
{
    if (!seed.isEmpty()) {
        QString error;
        QVERIFY2(m_dir->exec(seed, &error), qPrintable(error));
    }
    OverrideExecutableFolder(m_dir->path());
    CreateWindows();
    QVERIFY(Windows().MainFrm && View());
    Windows().MainFrm->show();
    QVERIFY(QTest::qWaitForWindowExposed(Windows().MainFrm));
    QTest::mouseClick(Windows().MainFrm->Label3, Qt::LeftButton);
    QVERIFY(View()->isVisible());
    View()->DBCtrlGrid1->setFocus();
}

QStringList EncyklopediaFrmTest::Errors() const
{
    QStringList errors;
    for (const Platform::Record &record : Platform::TakeRecords())
        if (record.kind == QLatin1String("error"))
            errors << record.text;
    return errors;
}

void EncyklopediaFrmTest::eachSpeciesShowsAsItBecomesCurrent()
{
    const QString pictures = m_dir->path() + QStringLiteral("data/encyklopedia/");
    QImage red(896, 418, QImage::Format_RGB32);
    red.fill(QColor(200, 30, 30));
    QVERIFY(red.save(pictures + QStringLiteral("czerwona.jpg"), "JPG", 90));
    QImage blue = red;
    blue.fill(QColor(30, 40, 200));
    QVERIFY(blue.save(pictures + QStringLiteral("niebieska.jpg"), "JPG", 90));
    QFile broken(pictures + QStringLiteral("zepsuta.jpg"));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("\xff\xd8 not a picture") > 0);
    broken.close();
    Start(Seed);
    TEncyklopediaFrm *v = View();
    const QString before = RybyDump(*m_dir);

    // The first species has no picture: the frame stays empty.
    QCOMPARE(Name(), QStringLiteral("Bez obrazka"));
    QVERIFY(v->Image1->Picture().isNull());
    QCOMPARE(v->Label11->text(), QStringLiteral("-"));
    QCOMPARE(v->Label12->text(), QStringLiteral("-"));
    QCOMPARE(v->DBMemo1->toPlainText(), QStringLiteral("Stawy"));
    // No record is known ("-" in the table): said in words, without a unit, and clear of
    // the caption on its line.
    QCOMPARE(v->DBText3->text(), QStringLiteral("brak danych"));
    QVERIFY(!v->Label10->isVisible());
    const int wordsWidth = v->DBText3->fontMetrics().horizontalAdvance(v->DBText3->text());
    QVERIFY(wordsWidth <= v->DBText3->contentsRect().width());
    QVERIFY(v->Label7->x() + v->Label7->fontMetrics().horizontalAdvance(v->Label7->text()) <
            v->DBText3->geometry().right() - wordsWidth);
    QCOMPARE(v->DBText3->geometry().right(), v->DBText2->geometry().right());

    // A click on a panel; a bound on 30 December reads as no date.
    QTest::mouseClick(v->DBCtrlGrid1->viewport(), Qt::LeftButton, {}, v->DBCtrlGrid1->PanelRect(1).center());
    QCOMPARE(Name(), QStringLiteral("Czerwona"));
    QCOMPARE(v->Label11->text(), QStringLiteral("05-01"));
    QCOMPARE(v->Label12->text(), QStringLiteral("-"));
    QCOMPARE(v->DBText2->text(), QStringLiteral("45"));
    QCOMPARE(v->DBText3->text(), QStringLiteral("20,8"));
    QVERIFY(v->Label10->isVisible());
    // Decoded at the frame's size, not at the file's.
    QCOMPARE(v->Image1->Picture().size(), QSize(448, 209));
    QVERIFY(Near(Middle(v->Image1->grab().toImage()), QColor(200, 30, 30)));

    // No picture named: the one shown before stays.
    Press(Qt::Key_Right);
    QCOMPARE(Name(), QStringLiteral("Pusta"));
    QCOMPARE(v->Label11->text(), QStringLiteral("01-01"));
    QCOMPARE(v->Label12->text(), QStringLiteral("04-30"));
    QVERIFY(Near(Middle(v->Image1->Picture()), QColor(200, 30, 30)));

    Press(Qt::Key_Down);
    QCOMPARE(Name(), QStringLiteral("Brak pliku"));
    // A picture that is missing or does not decode is reported; the move stands while the
    // picture and the dates stay those of the species shown before.
    const QStringList missing = Errors();
    QCOMPARE(missing.size(), 1);
    QVERIFY2(missing[0].contains(QStringLiteral("brak.jpg")), qPrintable(missing[0]));
    QCOMPARE(v->Label11->text(), QStringLiteral("01-01"));
    QVERIFY(Near(Middle(v->Image1->Picture()), QColor(200, 30, 30)));
    Press(Qt::Key_Right);
    QCOMPARE(Name(), QStringLiteral("Zepsuta"));
    QCOMPARE(Errors().size(), 1);
    QCOMPARE(v->Label11->text(), QStringLiteral("01-01"));

    Press(Qt::Key_Up);
    QCOMPARE(Name(), QStringLiteral("Niebieska"));
    QVERIFY(Near(Middle(v->Image1->Picture()), QColor(30, 40, 200)));
    QCOMPARE(v->Label12->text(), QStringLiteral("-"));
    Errors();

    // Down from the line above the last reaches the last species; Right and Down there
    // keep it current and no panel opens past it.
    Press(Qt::Key_Down);
    QCOMPARE(Name(), QStringLiteral("Zepsuta"));
    Press(Qt::Key_Down);
    QCOMPARE(Name(), QStringLiteral("Ostatnia"));
    QCOMPARE(Errors().size(), 1);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Right}) {
        Press(key);
        QCOMPARE(Name(), QStringLiteral("Ostatnia"));
        QCOMPARE(v->rybyTable->GetRecNo(), 7);
        QCOMPARE(v->rybyTable->GetRecordCount(), 7);
        QCOMPARE(v->rybyTable->State(), TDataSetState::dsBrowse);
    }
    QCOMPARE(v->DBCtrlGrid1->RowAt(v->DBCtrlGrid1->PanelRect(7).center()), -1);
    QCOMPARE(v->Label11->text(), QStringLiteral("06-01"));
    QVERIFY(Errors().isEmpty());

    // Nothing the user does here writes the table: typing, Insert and Delete.
    v->DBMemo3->setFocus();
    QTest::keyClicks(v->DBMemo3, QStringLiteral("dopisek"));
    QTest::keyClick(v->DBMemo3, Qt::Key_Delete);
    QCOMPARE(v->DBMemo3->toPlainText(), QStringLiteral("x"));
    for (Qt::Key key : {Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Home})
        Press(key);
    QCOMPARE(Name(), QStringLiteral("Bez obrazka"));
    QCOMPARE(v->rybyTable->State(), TDataSetState::dsBrowse);
    QCOMPARE(RybyDump(*m_dir), before);
}

void EncyklopediaFrmTest::anEmptyTableShowsNothing()
{
    Start(QString());
    TEncyklopediaFrm *v = View();
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_End})
        Press(key);
    QCOMPARE(v->DBCtrlGrid1->RowAt(v->DBCtrlGrid1->PanelRect(0).center()), -1);
    QCOMPARE(Name(), QString());
    QCOMPARE(v->DBMemo3->toPlainText(), QString());
    QVERIFY(v->Image1->Picture().isNull());
    QCOMPARE(v->Label11->text(), QStringLiteral("-"));
    QCOMPARE(v->DBText3->text(), QString());
    QVERIFY(!v->Label10->isVisible());
    QCOMPARE(v->rybyTable->GetRecordCount(), 0);
    QCOMPARE(Platform::Records().size(), 0);
}

void EncyklopediaFrmTest::shippedSpeciesDockedWithTheirPictures()
{
    m_dir = std::make_unique<TempProgramDir>(TempProgramDir::Content::Shipped);
    QVERIFY(m_dir->isValid());
    const QString folder = m_dir->path() + QStringLiteral("data/encyklopedia");
    QVERIFY(QDir(folder).removeRecursively());
    QVERIFY(QFile::link(TestSupport::RuntimeDir() + QStringLiteral("/data/encyklopedia"), folder));
    Start(QString());
    TEncyklopediaFrm *v = View();

    // The one-line memos must show the whole of every shipped text.
    const QFontMetrics bold(v->DBMemo1->font());
    const int room = v->DBMemo1->viewport()->width() - 2 * int(v->DBMemo1->document()->documentMargin());
    const int count = v->rybyTable->GetRecordCount();
    QCOMPARE(count, 43);

    // Every picture, as the view shows it, on one sheet for a person to look at.
    const QSize cell(v->Image1->width(), v->Image1->height() + 18);
    constexpr int across = 5;
    QImage sheet(across * cell.width(), (count + across - 1) / across * cell.height(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setFont(QFont(QStringLiteral("Sans Serif"), 10, QFont::Bold));
    QStringList tooWide;
    for (int i = 0; i < count; ++i) {
        for (TDBMemo *memo : {v->DBMemo1, v->DBMemo2}) {
            const int width = bold.horizontalAdvance(memo->toPlainText());
            if (width > room)
                tooWide << QStringLiteral("%1 (%2 > %3)").arg(memo->toPlainText()).arg(width).arg(room);
        }
        const QPoint at((i % across) * cell.width(), (i / across) * cell.height());
        painter.drawText(QRect(at, QSize(cell.width(), 18)), Qt::AlignCenter, Name());
        painter.drawImage(at + QPoint(0, 18), v->Image1->grab().toImage());
        Press(Qt::Key_Right);
    }
    painter.end();
    QVERIFY2(tooWide.isEmpty(), qPrintable(tooWide.join(QStringLiteral("; "))));
    QCOMPARE(Platform::Records().size(), 0);
    const QString screens = qEnvironmentVariable("RYBOWID_PNG_DIR", QDir::tempPath());
    QDir().mkpath(screens);
    QVERIFY(sheet.save(screens + QStringLiteral("/encyklopedia_zdjecia.png")));

    v->rybyTable->SetRecNo(22);
    QCOMPARE(Name(), QStringLiteral("Okoń"));
    TestSupport::SavePng(Windows().MainFrm, QStringLiteral("encyklopedia_bez_rekordu"));
    v->rybyTable->SetRecNo(34);
    QCOMPARE(Name(), QStringLiteral("Szczupak"));
    TestSupport::SavePng(Windows().MainFrm, QStringLiteral("encyklopedia"));
}

RYBOWID_APP_TEST_MAIN(EncyklopediaFrmTest)
#include "tst_EncyklopediaFrm.moc"
