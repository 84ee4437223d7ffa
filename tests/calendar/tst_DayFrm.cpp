#include "app/AppTestMain.h"

#include "app/MainFrmUnit.h"
#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "base/ThumbnailCache.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/DayFrmUnit.h"
#include "calendar/TMonthCalendar.h"
#include "data/TDbTable.h"
#include "support/TestSupport.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBEdit.h"
#include "widgets/TDBMemo.h"
#include "widgets/TDBNavigator.h"
#include "widgets/TDataSource.h"
#include "widgets/TImage.h"
#include "widgets/TLinkLabel.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
// Computed on use: the date helpers' own tables are set up by static initialisation too.
TDateTime Day()
{
    return EncodeDate(2005, 1, 24);
}

// Types text key by key, letters outside ASCII included (QTest::keyClicks knows only ASCII).
using TestSupport::TypeText;

// A key as the window system delivers it: X11 gives AltGr letters without Alt and an
// Alt+letter with its letter as text; Windows gives AltGr as Ctrl+Alt.
void Key(QWidget *widget, Qt::Key key, const QString &text, Qt::KeyboardModifiers modifiers)
{
    QTest::sendKeyEvent(QTest::Press, widget, key, text, modifiers);
    QTest::sendKeyEvent(QTest::Release, widget, key, text, modifiers);
}

// A photo of one flat colour, or a small scene for the screenshot.
QImage Photo(const QColor &colour, const QSize &size = QSize(640, 480))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage Scene()
{
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient water(0, 0, 0, 600);
    water.setColorAt(0, QColor(120, 170, 210));
    water.setColorAt(0.45, QColor(190, 215, 230));
    water.setColorAt(0.46, QColor(40, 90, 110));
    water.setColorAt(1, QColor(20, 50, 60));
    p.fillRect(image.rect(), water);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(95, 110, 60));
    p.drawEllipse(QRect(180, 330, 420, 130));
    p.drawPolygon(QPolygon({QPoint(590, 395), QPoint(700, 320), QPoint(700, 470)}));
    p.setBrush(QColor(230, 225, 200));
    p.drawEllipse(QRect(230, 370, 24, 24));
    return image;
}

bool SaveJpeg(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, "JPG", 90);
}

// A 4:3 photo: a red circle on green, a blue square in its top-left corner.
QImage CircleScene(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0, 150, 0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::red);
    const int diameter = qMin(size.width(), size.height()) * 6 / 10;
    p.drawEllipse(QRect(QPoint(0, 0), QSize(diameter, diameter))
                      .translated(image.rect().center() - QPoint(diameter / 2, diameter / 2)));
    p.fillRect(0, 0, diameter / 4, diameter / 4, Qt::blue);
    return image;
}

// The same JPEG with an EXIF orientation written after its JFIF segment, as a camera held
// upright writes it: the pixels as the sensor saw them, the turn in the tag.
QByteArray WithExifOrientation(const QByteArray &jpeg, int orientation)
{
    const QByteArray tiff("MM\0\x2a\0\0\0\x08"
                          "\0\x01"
                          "\x01\x12\0\x03\0\0\0\x01\0",
                          19);
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff + char(orientation) + QByteArray(6, '\0');
    const int length = int(body.size()) + 2;
    const QByteArray segment = QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + body;
    const int app0End = 4 + (uchar(jpeg[4]) << 8 | uchar(jpeg[5]));
    return jpeg.left(app0End) + segment + jpeg.mid(app0End);
}

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The middle of the shown picture, whatever size it was decoded at.
QColor MiddleColour(const TImage *image)
{
    const QImage &picture = image->Picture();
    return picture.isNull() ? QColor() : picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

bool Near(const QColor &a, const QColor &b)
{
    return a.isValid() && qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 &&
           qAbs(a.blue() - b.blue()) < 24;
}

// Where the photo, its circle and its blue corner landed in the photo frame.
struct Placement
{
    QRect photo, circle, blue;
};

Placement Measure(const QImage &shot)
{
    Placement found;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            const QRect pixel(x, y, 1, 1);
            if (!Near(c, QColor(48, 48, 48)))
                found.photo |= pixel;
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                found.circle |= pixel;
            if (c.blue() > 180 && c.red() < 90 && c.green() < 90)
                found.blue |= pixel;
        }
    }
    return found;
}

int CountRecords(const QString &kind)
{
    int count = 0;
    for (const Platform::Record &record : Platform::Records())
        count += record.kind == kind ? 1 : 0;
    return count;
}
} // namespace

class DayFrmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void typedFieldsEnterEditStateAndPostWritesTheRow();
    void navigatorMovesShowEachRowsOwnPhoto();
    void changingThePhotoCopiesIntoANewDayFolder();
    void aPhotoOfATakenNameIsStoredUnderAFreeOne();
    void photosKeepTheirProportionsAndOrientation();
    void aReplacedPhotoIsSetAsideNeverDeleted();
    void aBrokenPhotoIsReportedAndTheDialogStaysUsable();
    void clickingThePhotoOpensItOrTheDayFolder();
    void theDiaryShowsTheDialogOnItsCurrentCatch();
    void everyWayOfClosingUnbindsAndKeepsOrDropsTheEdit_data();
    void everyWayOfClosingUnbindsAndKeepsOrDropsTheEdit();
    void cancelPutsBackTheOpenedCatchAndNothingElse();
    void screenshot();

private:
    TDayFrm *Dialog() const { return Windows().DayFrm; }
    QString Folder() const { return m_dir->path() + QStringLiteral("data/foto/2005-01-24"); }
    QString Aside() const { return m_dir->path() + QStringLiteral("data/kopie/zastąpione zdjęcia/2005-01-24/"); }
    void AddCatch(const QString &gatunek, const QString &foto);
    // Binds the dialog the way the diary does and shows it modally; body runs while it
    // is open and on screen.
    void RunDialog(const std::function<void(TDayFrm *)> &body);
    void Click(TNavigateBtn button) const;

    std::unique_ptr<TestSupport::TempProgramDir> m_dir;
    QTemporaryDir m_pictures;
    std::unique_ptr<TDbTable> m_table;
    std::unique_ptr<TDataSource> m_source;
};

void DayFrmTest::initTestCase()
{
    Platform::EnableTestMode();
    Clock::Pin(Day() + 0.5);
    m_dir = std::make_unique<TestSupport::TempProgramDir>(TestSupport::TempProgramDir::Content::SchemaOnly);
    QVERIFY(m_dir->isValid());
    QVERIFY(m_pictures.isValid());
    OverrideExecutableFolder(m_dir->path());
    CreateWindows();
    QVERIFY(Windows().MainFrm);
    QVERIFY(Dialog());
    QVERIFY(Windows().CalendarFrm);
    Windows().CalendarFrm->MonthCalendar1->SetSelectedDate(Day());
}

void DayFrmTest::init()
{
    Platform::ClearTestState();
    QVERIFY(m_dir->exec(QStringLiteral("delete from dziennik;")));
    QDir(Folder()).removeRecursively();
    QFile::remove(Folder());
    QDir(m_dir->path() + QStringLiteral("data/kopie")).removeRecursively();
    m_table = std::make_unique<TDbTable>();
    m_table->setObjectName(QStringLiteral("dziennikTable"));
    m_table->TableName = QStringLiteral("dziennik");
    m_table->SetConnection(Windows().MainFrm->DataBase);
    m_table->SetFilter(QStringLiteral("data=\"%1\"").arg(DayText(Day())));
    // Filtering opens the table; each test opens it again once its rows are in place.
    m_table->SetFiltered(true);
    m_table->Close();
    m_source = std::make_unique<TDataSource>();
    m_source->SetDataSet(m_table.get());
    Dialog()->SetDataSource(m_source.get());
}

void DayFrmTest::cleanup()
{
    Platform::SetModalHandler(nullptr);
    Dialog()->hide();
    Dialog()->SetDataSource(nullptr);
    m_source.reset();
    m_table.reset();
}

void DayFrmTest::cleanupTestCase()
{
    DestroyWindows();
    m_dir.reset();
    Clock::Unpin();
}

void DayFrmTest::AddCatch(const QString &gatunek, const QString &foto)
{
    QVERIFY(m_dir->exec(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc,miejsce,przyneta,wiatr,"
                                       "faza_ksiezyca,opis,foto) values('%1','%2',1.5,40,'Wisła','rosówka','słaby',"
                                       "'pełnia','','%3');")
                            .arg(DayText(Day()), gatunek, foto)));
}

void DayFrmTest::RunDialog(const std::function<void(TDayFrm *)> &body)
{
    if (!m_table->Active())
        m_table->Open();
    TDayFrm *dialog = Dialog();
    const QStringList columns = {QStringLiteral("gatunek"),      QStringLiteral("waga"),     QStringLiteral("dlugosc"),
                                 QStringLiteral("miejsce"),      QStringLiteral("przyneta"), QStringLiteral("wiatr"),
                                 QStringLiteral("faza_ksiezyca"), QStringLiteral("godzina")};
    const QList<TDBEdit *> edits = {dialog->DBEdit1, dialog->DBEdit2, dialog->DBEdit3, dialog->DBEdit4,
                                    dialog->DBEdit5, dialog->DBEdit6, dialog->DBEdit7, dialog->DBEdit8};
    for (int i = 0; i < edits.size(); ++i)
        edits[i]->SetDataField(columns[i]);
    dialog->DBMemo1->SetDataField(QStringLiteral("opis"));
    Platform::SetModalHandler([&body](QDialog *shown) {
        if (!QTest::qWaitForWindowActive(shown))
            qWarning("the dialog did not become active");
        body(static_cast<TDayFrm *>(shown));
        return 0;
    });
    Platform::ShowModal(dialog);
    Platform::SetModalHandler(nullptr);
}

void DayFrmTest::Click(TNavigateBtn button) const
{
    QToolButton *toolButton = Dialog()->DBNavigator1->Button(button);
    QVERIFY(toolButton->isVisible());
    QVERIFY(toolButton->isEnabled());
    QTest::mouseClick(toolButton, Qt::LeftButton);
}

void DayFrmTest::typedFieldsEnterEditStateAndPostWritesTheRow()
{
    AddCatch(QStringLiteral("Leszcz"), QString());
    RunDialog([this](TDayFrm *dialog) {
        QCOMPARE(dialog->DBEdit1->text(), QStringLiteral("Leszcz"));
        QCOMPARE(dialog->DBEdit4->text(), QStringLiteral("Wisła"));

        // The accelerators reach the edits.
        QTest::keyClick(dialog, Qt::Key_W, Qt::AltModifier);
        QTRY_VERIFY(dialog->DBEdit2->hasFocus());
        dialog->DBEdit2->selectAll();
        TypeText(dialog->DBEdit2, QStringLiteral("2,75"));
        QCOMPARE(m_table->State(), TDataSetState::dsEdit);
        // Enter writes the field and leaves the dialog open.
        QTest::keyClick(dialog->DBEdit2, Qt::Key_Return);
        QCOMPARE(dialog->DBEdit2->text(), QStringLiteral("2,75"));
        QVERIFY(dialog->isVisible());

        // Without an hour there is no sky of the catch; with one, its line appears.
        QVERIFY(!dialog->SkyLabel->isEnabled());
        QTest::keyClick(dialog, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(dialog->DBEdit8->hasFocus());
        TypeText(dialog->DBEdit8, QStringLiteral("5.10"));
        QTest::keyClick(dialog->DBEdit8, Qt::Key_Return);
        QVERIFY(dialog->SkyLabel->isEnabled());
        QVERIFY2(dialog->SkyLabel->text().contains(QStringLiteral(" słońca; księżyc ")),
                 qPrintable(dialog->SkyLabel->text()));

        QTest::keyClick(dialog, Qt::Key_G, Qt::AltModifier);
        QTRY_VERIFY(dialog->DBEdit1->hasFocus());
        dialog->DBEdit1->selectAll();
        // Polish letters typed with AltGr still type, however the window system
        // delivers them: X11 without Alt (or as a group switch), Windows as Ctrl+Alt.
        TypeText(dialog->DBEdit1, QStringLiteral("W"));
        Key(dialog->DBEdit1, Qt::Key_E, QStringLiteral("ę"), Qt::GroupSwitchModifier);
        TypeText(dialog->DBEdit1, QStringLiteral("gorz"));
        // An Alt+letter no accelerator claims types nothing; Alt+N reaches the notes.
        Key(dialog->DBEdit1, Qt::Key_K, QStringLiteral("k"), Qt::AltModifier);
        QCOMPARE(dialog->DBEdit1->text(), QStringLiteral("Węgorz"));
        Key(dialog->DBEdit1, Qt::Key_N, QStringLiteral("n"), Qt::AltModifier);
        QTRY_VERIFY(dialog->DBMemo1->hasFocus());
        QCOMPARE(dialog->DBEdit1->text(), QStringLiteral("Węgorz"));
        TypeText(dialog->DBMemo1, QStringLiteral("Noc"));
        Key(dialog->DBMemo1, Qt::Key_A, QStringLiteral("ą"), Qt::NoModifier);
        Key(dialog->DBMemo1, Qt::Key_K, QStringLiteral("K"), Qt::AltModifier | Qt::ShiftModifier);
        TypeText(dialog->DBMemo1, QStringLiteral(", na "));
        Key(dialog->DBMemo1, Qt::Key_Z, QStringLiteral("ż"), Qt::ControlModifier | Qt::AltModifier);
        TypeText(dialog->DBMemo1, QStringLiteral("ywca"));
        // Tab leaves the notes for the navigator, then the photo link and "Zamknij".
        QTest::keyClick(dialog->DBMemo1, Qt::Key_Tab);
        QVERIFY(dialog->DBNavigator1->isAncestorOf(QApplication::focusWidget()));
        while (dialog->DBNavigator1->isAncestorOf(QApplication::focusWidget()))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog->Label11);
        QTest::keyClick(dialog->Label11, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog->Button1);

        Click(TNavigateBtn::nbPost);
        QCOMPARE(m_table->State(), TDataSetState::dsBrowse);
        QVERIFY(dialog->isVisible());
    });
    const QString stored =
        TestSupport::QueryColumn(m_dir->dbPath(), QStringLiteral("select gatunek||'|'||waga||'|'||opis||'|'||godzina from dziennik"))
            .join(QLatin1Char(';'));
    // This bare table stores the hour as typed; the diary's own writes it as 05:10.
    QCOMPARE(stored, QStringLiteral("Węgorz|2.75|Nocą, na żywca|5.10"));
}

void DayFrmTest::navigatorMovesShowEachRowsOwnPhoto()
{
    QVERIFY(SaveJpeg(Photo(Qt::red), Folder() + QStringLiteral("/szczupak.jpg")));
    // A camera-sized photo is decoded at about the size it is shown.
    QVERIFY(SaveJpeg(Photo(Qt::blue, QSize(4000, 3000)), Folder() + QStringLiteral("/sum.jpg")));
    AddCatch(QStringLiteral("Szczupak"), QStringLiteral("szczupak.jpg"));
    AddCatch(QStringLiteral("Okoń"), QString());
    AddCatch(QStringLiteral("Sum"), QStringLiteral("sum.jpg"));

    RunDialog([this](TDayFrm *dialog) {
        const TImage *image = dialog->Image1;
        QVERIFY(Near(MiddleColour(image), Qt::red));
        Click(TNavigateBtn::nbNext);
        QCOMPARE(dialog->DBEdit1->text(), QStringLiteral("Okoń"));
        QVERIFY(image->Picture().isNull());
        Click(TNavigateBtn::nbLast);
        QVERIFY(Near(MiddleColour(image), Qt::blue));
        QVERIFY(image->Picture().width() < 1000);
        QVERIFY(image->Picture().width() >= image->width());
        Click(TNavigateBtn::nbPrior);
        QVERIFY(image->Picture().isNull());
        Click(TNavigateBtn::nbFirst);
        QVERIFY(Near(MiddleColour(image), Qt::red));
        // A new row starts without a photo, not with the one of the row it follows, and
        // with its species: the keys go there wherever they were.
        dialog->DBEdit3->setFocus();
        Click(TNavigateBtn::nbInsert);
        QCOMPARE(m_table->State(), TDataSetState::dsInsert);
        QVERIFY(image->Picture().isNull());
        QCOMPARE(dialog->focusWidget(), dialog->DBEdit1);
        TypeText(dialog->focusWidget(), QStringLiteral("Jaź"));
        QCOMPARE(dialog->DBEdit1->text(), QStringLiteral("Jaź"));
    });
    QCOMPARE(CountRecords(QStringLiteral("error")), 0);
}

void DayFrmTest::changingThePhotoCopiesIntoANewDayFolder()
{
    const QString chosen = m_pictures.filePath(QStringLiteral("lin.jpg"));
    QVERIFY(SaveJpeg(Photo(Qt::green), chosen));
    AddCatch(QStringLiteral("Lin"), QString());
    // Not even data/foto is there yet; a file stands where the day's folder belongs.
    QVERIFY(QDir(m_dir->fotoDir()).removeRecursively());
    QVERIFY(QDir().mkpath(m_dir->fotoDir()));
    QFile blocker(Folder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    RunDialog([this, &chosen](TDayFrm *dialog) {
        // Cancelling the chooser changes nothing.
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        QCOMPARE(CountRecords(QStringLiteral("openPicture")), 1);
        // The chooser shows photos however their names are spelt, and nothing else.
        const QString filter = Platform::Records().last().text;
        QVERIFY(filter.startsWith(QStringLiteral("Pliki graficzne JPG (")));
        QStringList patterns;
        for (const QString &pattern : filter.section(QLatin1Char('('), 1).chopped(1).split(QLatin1Char(' ')))
            patterns << QRegularExpression::wildcardToRegularExpression(pattern);
        const QRegularExpression offered(patterns.join(QLatin1Char('|')));
        for (const char *file : {"lin.jpg", "lin.jpeg", "DSC_0042.JPG", "IMG.JPEG"})
            QVERIFY2(offered.match(QLatin1String(file)).hasMatch(), file);
        for (const char *file : {"lin.png", "lin.jpg.txt"})
            QVERIFY2(!offered.match(QLatin1String(file)).hasMatch(), file);
        QCOMPARE(m_table->State(), TDataSetState::dsBrowse);

        // A day folder that cannot be made is reported; nothing is stored.
        Platform::QueueOpenPicture(chosen);
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        QCOMPARE(Platform::Records().last().kind, QStringLiteral("message"));
        QVERIFY2(Platform::Records().last().text.startsWith(QStringLiteral("Nie można utworzyć folderu na zdjęcia")),
                 qPrintable(Platform::Records().last().text));
        QCOMPARE(m_table->State(), TDataSetState::dsBrowse);
        QVERIFY(QFile::remove(Folder()));
        // The chooser opens where the last photo came from, not in the program's folder.
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        QCOMPARE(Platform::Records().last().title, QFileInfo(chosen).absolutePath());

        // A disk too full for the photo: said, naming the file and why; nothing is stored
        // and no part of the photo stays in the day's folder.
        {
            rlimit before{};
            getrlimit(RLIMIT_FSIZE, &before);
            const auto handler = std::signal(SIGXFSZ, SIG_IGN);
            const rlimit small{256, before.rlim_max};
            setrlimit(RLIMIT_FSIZE, &small);
            Platform::QueueOpenPicture(chosen);
            QTest::mouseClick(dialog->Label11, Qt::LeftButton);
            setrlimit(RLIMIT_FSIZE, &before);
            std::signal(SIGXFSZ, handler);
        }
        QCOMPARE(Platform::Records().last().kind, QStringLiteral("message"));
        QVERIFY2(Platform::Records().last().text.contains(chosen) &&
                     Platform::Records().last().text.contains(QStringLiteral("większy")),
                 qPrintable(Platform::Records().last().text));
        QCOMPARE(m_table->State(), TDataSetState::dsBrowse);
        QCOMPARE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden), QStringList{});

        Platform::QueueOpenPicture(chosen);
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        QVERIFY(QFileInfo(Folder()).isDir());
        QCOMPARE(Bytes(Folder() + QStringLiteral("/lin.jpg")), Bytes(chosen));
        QCOMPARE(m_table->State(), TDataSetState::dsEdit);
        QCOMPARE(m_table->FieldByName(QStringLiteral("foto"))->AsString(), QStringLiteral("lin.jpg"));
        QVERIFY(Near(MiddleColour(dialog->Image1), Qt::green));
        Click(TNavigateBtn::nbPost);
    });
    QCOMPARE(TestSupport::QueryColumn(m_dir->dbPath(), QStringLiteral("select foto from dziennik")),
             QStringList{QStringLiteral("lin.jpg")});
    QVERIFY(QFileInfo::exists(chosen));
}

void DayFrmTest::aPhotoOfATakenNameIsStoredUnderAFreeOne()
{
    // Each camera numbers its photos afresh: two fish of one day come as two "portret.jpg".
    const QString first = Folder() + QStringLiteral("/portret.jpg");
    QVERIFY(SaveJpeg(Photo(Qt::yellow), first));
    const QByteArray firstBytes = Bytes(first);
    const QString second = m_pictures.filePath(QStringLiteral("b/portret.jpg"));
    const QString third = m_pictures.filePath(QStringLiteral("c/portret.jpg"));
    QVERIFY(SaveJpeg(Photo(Qt::magenta), second));
    QVERIFY(SaveJpeg(Photo(Qt::cyan), third));
    AddCatch(QStringLiteral("Karp"), QStringLiteral("portret.jpg"));
    AddCatch(QStringLiteral("Lin"), QString());
    AddCatch(QStringLiteral("Sum"), QString());

    const auto choose = [this](TDayFrm *dialog, const QString &path) {
        Platform::QueueOpenPicture(path);
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        Click(TNavigateBtn::nbPost);
    };
    RunDialog([&](TDayFrm *dialog) {
        Click(TNavigateBtn::nbNext);
        choose(dialog, second);
        QVERIFY(Near(MiddleColour(dialog->Image1), Qt::magenta));
        // Another photo of the name takes the next free one; the same photo chosen again
        // is the file already there, even once a third photo took its name's next number.
        Click(TNavigateBtn::nbNext);
        choose(dialog, third);
        QVERIFY(Near(MiddleColour(dialog->Image1), Qt::cyan));
        choose(dialog, second);
        QVERIFY(Near(MiddleColour(dialog->Image1), Qt::magenta));

        Click(TNavigateBtn::nbFirst);
        QVERIFY(Near(MiddleColour(dialog->Image1), Qt::yellow));
        Click(TNavigateBtn::nbNext);
        QVERIFY(Near(MiddleColour(dialog->Image1), Qt::magenta));

        // A file that cannot be read is refused before anything is copied.
        Platform::QueueOpenPicture(m_pictures.filePath(QStringLiteral("nie-ma.jpg")));
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        QCOMPARE(m_table->FieldByName(QStringLiteral("foto"))->AsString(), QStringLiteral("portret (2).jpg"));
    });
    QCOMPARE(TestSupport::QueryColumn(m_dir->dbPath(), QStringLiteral("select foto from dziennik order by rowid")),
             (QStringList{QStringLiteral("portret.jpg"), QStringLiteral("portret (2).jpg"),
                          QStringLiteral("portret (2).jpg")}));
    QCOMPARE(QDir(Folder()).entryList(QDir::Files),
             (QStringList{QStringLiteral("portret (2).jpg"), QStringLiteral("portret.jpg")}));
    QCOMPARE(Bytes(first), firstBytes);
    QCOMPARE(Bytes(Folder() + QStringLiteral("/portret (2).jpg")), Bytes(second));
    // The third photo, named by no catch once replaced, is set aside.
    QCOMPARE(Bytes(Aside() + QStringLiteral("portret (3).jpg")), Bytes(third));
    QCOMPARE(CountRecords(QStringLiteral("error")), 0);
}

void DayFrmTest::photosKeepTheirProportionsAndOrientation()
{
    // Camera-sized, so that each leaves a thumbnail for its next showing.
    const QString wide = Folder() + QStringLiteral("/szeroki.jpg");
    const QString upright = Folder() + QStringLiteral("/pionowy.jpg");
    const QString turned = Folder() + QStringLiteral("/obrocony.jpg");
    QVERIFY(SaveJpeg(CircleScene(QSize(1600, 1200)), wide));
    QVERIFY(SaveJpeg(CircleScene(QSize(1200, 1600)), upright));
    QVERIFY(SaveJpeg(CircleScene(QSize(1600, 1200)), turned));
    const QByteArray turnedBytes = WithExifOrientation(Bytes(turned), 6);
    QFile file(turned);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(turnedBytes) == turnedBytes.size());
    file.close();
    AddCatch(QStringLiteral("Szczupak"), QStringLiteral("szeroki.jpg"));
    AddCatch(QStringLiteral("Sum"), QStringLiteral("pionowy.jpg"));
    AddCatch(QStringLiteral("Sandacz"), QStringLiteral("obrocony.jpg"));

    // Each photo whole inside the frame with its own proportions, centred, the circle
    // round; the blue corner where the photo's top-left is once the EXIF turn is applied
    // (a right turn takes it to the top-right).
    const auto check = [](TDayFrm *dialog, double aspect, bool blueOnTheRight) {
        const QImage shot = dialog->Image1->grab().toImage();
        const Placement at = Measure(shot);
        QString where;
        QDebug(&where) << "photo" << at.photo << "circle" << at.circle << "blue" << at.blue;
        QVERIFY2(at.photo.width() == shot.width() || at.photo.height() == shot.height(), qPrintable(where));
        QVERIFY2(qAbs(double(at.photo.width()) / at.photo.height() - aspect) < 0.02, qPrintable(where));
        QVERIFY2(qAbs(at.photo.center().x() - shot.rect().center().x()) <= 1 &&
                     qAbs(at.photo.center().y() - shot.rect().center().y()) <= 1,
                 qPrintable(where));
        QVERIFY2(at.circle.width() > 100 && qAbs(at.circle.width() - at.circle.height()) <= 2, qPrintable(where));
        QVERIFY2(at.blue.top() <= at.photo.top() + 1, qPrintable(where));
        QVERIFY2(blueOnTheRight ? at.blue.right() >= at.photo.right() - 1 : at.blue.left() <= at.photo.left() + 1,
                 qPrintable(where));
    };
    const auto checkAll = [&](TDayFrm *dialog) {
        if (dialog->DBNavigator1->Button(TNavigateBtn::nbFirst)->isEnabled())
            Click(TNavigateBtn::nbFirst);
        check(dialog, 4.0 / 3, false);
        Click(TNavigateBtn::nbNext);
        check(dialog, 3.0 / 4, false);
        Click(TNavigateBtn::nbNext);
        check(dialog, 3.0 / 4, true);
    };
    RunDialog(checkAll);
    // Shown again from the thumbnails the first showing left.
    for (const QString &photo : {wide, upright, turned})
        QTRY_VERIFY(!ThumbnailCache().Find(photo).isNull());
    RunDialog([&](TDayFrm *dialog) {
        checkAll(dialog);
        QCOMPARE(dialog->Image1->Picture().size(), QSize(384, 512));
        TestSupport::SavePng(dialog, QStringLiteral("DayFrm-upright-photo"));
    });
    QCOMPARE(CountRecords(QStringLiteral("error")), 0);
}

void DayFrmTest::aReplacedPhotoIsSetAsideNeverDeleted()
{
    const QString aside = Aside();
    // One set aside earlier under the same name stays as it is.
    QVERIFY(SaveJpeg(Photo(Qt::black), aside + QStringLiteral("stary.jpg")));
    const QByteArray earlierBytes = Bytes(aside + QStringLiteral("stary.jpg"));
    QVERIFY(SaveJpeg(Photo(Qt::yellow), Folder() + QStringLiteral("/stary.jpg")));
    QVERIFY(SaveJpeg(Photo(Qt::cyan), Folder() + QStringLiteral("/wspólny.jpg")));
    const QByteArray oldBytes = Bytes(Folder() + QStringLiteral("/stary.jpg"));
    const QString first = m_pictures.filePath(QStringLiteral("nowy.jpg"));
    const QString second = m_pictures.filePath(QStringLiteral("drugi.jpg"));
    const QString third = m_pictures.filePath(QStringLiteral("porzucony.jpg"));
    QVERIFY(SaveJpeg(Photo(Qt::green), first));
    QVERIFY(SaveJpeg(Photo(Qt::magenta), second));
    QVERIFY(SaveJpeg(Photo(Qt::blue), third));
    AddCatch(QStringLiteral("Karp"), QStringLiteral("stary.jpg"));
    AddCatch(QStringLiteral("Lin"), QStringLiteral("wspólny.jpg"));
    AddCatch(QStringLiteral("Lin"), QStringLiteral("wspólny.jpg"));

    RunDialog([&](TDayFrm *dialog) {
        Platform::QueueOpenPicture(first);
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        // The photo the dialog opened with stays while "Anuluj" may still want it back.
        Click(TNavigateBtn::nbPost);
        QVERIFY(QFileInfo::exists(Folder() + QStringLiteral("/stary.jpg")));

        // A photo another catch still names stays.
        Click(TNavigateBtn::nbNext);
        Platform::QueueOpenPicture(second);
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        Click(TNavigateBtn::nbPost);
        QVERIFY(QFileInfo::exists(Folder() + QStringLiteral("/wspólny.jpg")));

        // A new catch dropped unwritten leaves no photo behind in the day folder.
        Click(TNavigateBtn::nbInsert);
        Platform::QueueOpenPicture(third);
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        QVERIFY(QFileInfo::exists(Folder() + QStringLiteral("/porzucony.jpg")));
        m_table->Cancel();
        QVERIFY(!QFileInfo::exists(Folder() + QStringLiteral("/porzucony.jpg")));
        QCOMPARE(Bytes(aside + QStringLiteral("porzucony.jpg")), Bytes(third));
    });
    QCOMPARE(Bytes(aside + QStringLiteral("stary (2).jpg")), oldBytes);
    QCOMPARE(Bytes(aside + QStringLiteral("stary.jpg")), earlierBytes);
    QCOMPARE(QDir(Folder()).entryList(QDir::Files),
             (QStringList{QStringLiteral("drugi.jpg"), QStringLiteral("nowy.jpg"), QStringLiteral("wspólny.jpg")}));
    QCOMPARE(TestSupport::QueryColumn(m_dir->dbPath(), QStringLiteral("select foto from dziennik order by rowid")),
             (QStringList{QStringLiteral("nowy.jpg"), QStringLiteral("drugi.jpg"), QStringLiteral("wspólny.jpg")}));
}

void DayFrmTest::aBrokenPhotoIsReportedAndTheDialogStaysUsable()
{
    QVERIFY(SaveJpeg(Photo(Qt::cyan), Folder() + QStringLiteral("/dobre.jpg")));
    QFile broken(Folder() + QStringLiteral("/zepsute.jpg"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray("\xFF\xD8\xFF\xE0 to nie jest zdjecie", 24));
    broken.close();
    AddCatch(QStringLiteral("Płoć"), QStringLiteral("dobre.jpg"));
    AddCatch(QStringLiteral("Jaź"), QStringLiteral("zepsute.jpg"));

    RunDialog([this](TDayFrm *dialog) {
        QVERIFY(Near(MiddleColour(dialog->Image1), Qt::cyan));
        Click(TNavigateBtn::nbNext);
        QCOMPARE(CountRecords(QStringLiteral("error")), 1);
        QVERIFY(Platform::Records().last().text.contains(QStringLiteral("zepsute.jpg")));
        // The empty frame, never the previous catch's picture.
        QVERIFY(dialog->Image1->Picture().isNull());
        QVERIFY(dialog->isVisible());

        dialog->DBEdit4->setFocus();
        dialog->DBEdit4->selectAll();
        TypeText(dialog->DBEdit4, QStringLiteral("Narew"));
        Click(TNavigateBtn::nbPost);
        QCOMPARE(m_table->State(), TDataSetState::dsBrowse);
        Click(TNavigateBtn::nbFirst);
        QVERIFY(Near(MiddleColour(dialog->Image1), Qt::cyan));

        // Choosing a file that does not decode, or a named pipe (which would never
        // deliver its bytes), is refused at once: nothing copied, the photo and the row stay.
        QTemporaryDir elsewhere;
        QVERIFY(
            QFile::copy(Folder() + QStringLiteral("/zepsute.jpg"), elsewhere.filePath(QStringLiteral("karta.jpg"))));
        QVERIFY(::mkfifo(QFile::encodeName(elsewhere.filePath(QStringLiteral("potok.jpg"))).constData(), 0600) == 0);
        for (const QString &name : {QStringLiteral("karta.jpg"), QStringLiteral("potok.jpg")}) {
            Platform::QueueOpenPicture(elsewhere.filePath(name));
            QTest::mouseClick(dialog->Label11, Qt::LeftButton);
            QCOMPARE(Platform::Records().last().kind, QStringLiteral("message"));
            QVERIFY(Platform::Records().last().text.contains(name));
            QVERIFY(!QFileInfo::exists(Folder() + QLatin1Char('/') + name));
            QCOMPARE(m_table->State(), TDataSetState::dsBrowse);
            QVERIFY(Near(MiddleColour(dialog->Image1), Qt::cyan));
        }
    });
    QCOMPARE(TestSupport::QueryColumn(m_dir->dbPath(), QStringLiteral("select miejsce||foto from dziennik")),
             (QStringList{QStringLiteral("Wisładobre.jpg"), QStringLiteral("Narewzepsute.jpg")}));
}

void DayFrmTest::clickingThePhotoOpensItOrTheDayFolder()
{
    QVERIFY(SaveJpeg(Photo(Qt::gray), Folder() + QStringLiteral("/boleń.jpg")));
    AddCatch(QStringLiteral("Boleń"), QStringLiteral("boleń.jpg"));
    AddCatch(QStringLiteral("Ukleja"), QString());

    // A double-click opens once, and with no viewer says so once, naming the photo.
    Platform::QueueShellFailure();
    RunDialog([this](TDayFrm *dialog) {
        // What the window system delivers: a click, then the second press as a double-click.
        const QPoint at(20, 20);
        QTest::mouseClick(dialog->Image1, Qt::LeftButton, {}, at);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, dialog->Image1->mapToGlobal(at), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog->Image1, &second);
        QTest::mouseRelease(dialog->Image1, Qt::LeftButton, {}, at);
        Click(TNavigateBtn::nbNext);
        QTest::mouseClick(dialog->Image1, Qt::LeftButton);
        // Without its folder the day has nothing to open.
        QVERIFY(QDir(Folder()).removeRecursively());
        QTest::mouseClick(dialog->Image1, Qt::LeftButton);
    });
    QStringList opened;
    QStringList told;
    for (const Platform::Record &record : Platform::Records()) {
        if (record.kind == QStringLiteral("shell"))
            opened << record.text;
        if (record.kind == QStringLiteral("message"))
            told << record.text;
    }
    QCOMPARE(opened, (QStringList{Folder() + QStringLiteral("/boleń.jpg"), Folder() + QStringLiteral("/")}));
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().contains(QDir::toNativeSeparators(Folder() + QStringLiteral("/boleń.jpg"))),
             qPrintable(told.first()));
}

void DayFrmTest::theDiaryShowsTheDialogOnItsCurrentCatch()
{
    QVERIFY(SaveJpeg(Photo(Qt::red), Folder() + QStringLiteral("/miętus.jpg")));
    AddCatch(QStringLiteral("Miętus"), QStringLiteral("miętus.jpg"));
    TCalendarFrm *calendar = Windows().CalendarFrm;
    calendar->ShowDayCatches(Day());
    QVERIFY(calendar->DayPanel->Button1->isEnabled());

    QString shownSpecies;
    QColor shownColour;
    Platform::SetModalHandler([&](QDialog *shown) {
        auto *dialog = static_cast<TDayFrm *>(shown);
        if (!QTest::qWaitForWindowActive(dialog))
            qWarning("the dialog did not become active");
        shownSpecies = dialog->DBEdit1->text();
        shownColour = MiddleColour(dialog->Image1);
        dialog->DBEdit3->setFocus();
        dialog->DBEdit3->selectAll();
        TypeText(dialog->DBEdit3, QStringLiteral("55"));
        QTest::mouseClick(dialog->Button1, Qt::LeftButton);
        return 0;
    });
    calendar->DayPanel->Button1->click();
    Platform::SetModalHandler(nullptr);

    QCOMPARE(shownSpecies, QStringLiteral("Miętus"));
    QVERIFY(Near(shownColour, Qt::red));
    QVERIFY(Dialog()->DBEdit1->DataField().isEmpty());
    QCOMPARE(TestSupport::QueryColumn(m_dir->dbPath(),
                                      QStringLiteral("select printf('%g|%s', dlugosc, data) from dziennik")),
             QStringList{QStringLiteral("55|2005-01-24")});
    QCOMPARE(CountRecords(QStringLiteral("error")), 0);
}

void DayFrmTest::everyWayOfClosingUnbindsAndKeepsOrDropsTheEdit_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("kept");
    QTest::newRow("Zamknij") << QStringLiteral("button") << true;
    QTest::newRow("close box") << QStringLiteral("closebox") << true;
    QTest::newRow("Escape") << QStringLiteral("escape") << false;
    QTest::newRow("Anuluj") << QStringLiteral("cancel") << false;
}

void DayFrmTest::everyWayOfClosingUnbindsAndKeepsOrDropsTheEdit()
{
    QFETCH(QString, how);
    QFETCH(bool, kept);
    QVERIFY(SaveJpeg(Photo(Qt::yellow), Folder() + QStringLiteral("/sandacz.jpg")));
    const QByteArray oldBytes = Bytes(Folder() + QStringLiteral("/sandacz.jpg"));
    const QString chosen = m_pictures.filePath(QStringLiteral("pomyłka.jpg"));
    QVERIFY(SaveJpeg(Photo(Qt::blue), chosen));
    AddCatch(QStringLiteral("Sandacz"), QStringLiteral("sandacz.jpg"));
    // The diary shows the dialog on a row it has put in edit state.
    m_table->Open();
    m_table->Edit();
    bool closed = false;
    RunDialog([&](TDayFrm *dialog) {
        dialog->DBEdit5->setFocus();
        dialog->DBEdit5->selectAll();
        TypeText(dialog->DBEdit5, QStringLiteral("wobler"));
        QTest::keyClick(dialog->DBEdit5, Qt::Key_Return);
        Platform::QueueOpenPicture(chosen);
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        // A mistake still being typed, the keys in its field.
        dialog->DBEdit1->setFocus();
        dialog->DBEdit1->selectAll();
        TypeText(dialog->DBEdit1, QStringLiteral("Sandała"));
        if (how == QLatin1String("button"))
            QTest::mouseClick(dialog->Button1, Qt::LeftButton);
        else if (how == QLatin1String("closebox"))
            dialog->windowHandle()->close();
        else if (how == QLatin1String("escape"))
            QTest::keyClick(dialog->DBEdit1, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog->Button2, Qt::LeftButton);
        closed = !dialog->isVisible();
    });
    QVERIFY(closed);
    TDayFrm *dialog = Dialog();
    for (const TDBEdit *edit : {dialog->DBEdit1, dialog->DBEdit2, dialog->DBEdit3, dialog->DBEdit4, dialog->DBEdit5,
                                dialog->DBEdit6, dialog->DBEdit7})
        QVERIFY2(edit->DataField().isEmpty(), qPrintable(edit->objectName()));
    QVERIFY(dialog->DBMemo1->DataField().isEmpty());
    QVERIFY(dialog->DBEdit1->text().isEmpty());

    const QString stored = QStringLiteral("select gatunek||'|'||przyneta||'|'||foto from dziennik");
    if (kept) {
        // The diary posts what is pending once the dialog has closed.
        QCOMPARE(m_table->State(), TDataSetState::dsEdit);
        m_table->Post();
        QCOMPARE(TestSupport::QueryColumn(m_dir->dbPath(), stored),
                 QStringList{QStringLiteral("Sandała|wobler|pomyłka.jpg")});
        QCOMPARE(Bytes(Aside() + QStringLiteral("sandacz.jpg")), oldBytes);
    } else {
        // Nothing left to post; the photo copied in is set aside, never deleted.
        QCOMPARE(m_table->State(), TDataSetState::dsBrowse);
        QCOMPARE(TestSupport::QueryColumn(m_dir->dbPath(), stored),
                 QStringList{QStringLiteral("Sandacz|rosówka|sandacz.jpg")});
        QCOMPARE(m_table->FieldByName(QStringLiteral("gatunek"))->AsString(), QStringLiteral("Sandacz"));
        QCOMPARE(Bytes(Aside() + QStringLiteral("pomyłka.jpg")), Bytes(chosen));
    }
    QCOMPARE(QDir(Folder()).entryList(QDir::Files),
             QStringList{kept ? QStringLiteral("pomyłka.jpg") : QStringLiteral("sandacz.jpg")});
}

void DayFrmTest::cancelPutsBackTheOpenedCatchAndNothingElse()
{
    QVERIFY(SaveJpeg(Photo(Qt::yellow), Folder() + QStringLiteral("/karp.jpg")));
    const QString chosen = m_pictures.filePath(QStringLiteral("nowy.jpg"));
    QVERIFY(SaveJpeg(Photo(Qt::green), chosen));
    AddCatch(QStringLiteral("Karp"), QStringLiteral("karp.jpg"));
    AddCatch(QStringLiteral("Lin"), QString());
    // However a row is started, it belongs to the day, as the diary makes it.
    m_table->OnNewRecord = [](TDbBaseQuery *table) {
        table->FieldByName(QStringLiteral("data"))->SetAsString(DayText(Day()));
    };
    const QString stored = QStringLiteral("select gatunek||'|'||miejsce||'|'||foto from dziennik order by rowid");

    // What the navigator wrote to the opened catch goes back, the photo with it; what it
    // wrote to other rows stays, and so do the rows it started.
    m_table->Open();
    m_table->Edit();
    RunDialog([&](TDayFrm *dialog) {
        dialog->DBEdit1->selectAll();
        TypeText(dialog->DBEdit1, QStringLiteral("Karaś"));
        Platform::QueueOpenPicture(chosen);
        QTest::mouseClick(dialog->Label11, Qt::LeftButton);
        Click(TNavigateBtn::nbNext);
        dialog->DBEdit4->setFocus();
        dialog->DBEdit4->selectAll();
        TypeText(dialog->DBEdit4, QStringLiteral("Narew"));
        Click(TNavigateBtn::nbInsert);
        TypeText(dialog->DBEdit1, QStringLiteral("Okoń"));
        Click(TNavigateBtn::nbPost);
        QCOMPARE(TestSupport::QueryColumn(m_dir->dbPath(), stored),
                 (QStringList{QStringLiteral("Karaś|Wisła|nowy.jpg"), QStringLiteral("Lin|Narew|"),
                              QStringLiteral("Okoń||")}));
        QTest::keyClick(dialog->DBEdit1, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(
        TestSupport::QueryColumn(m_dir->dbPath(), stored),
        (QStringList{QStringLiteral("Karp|Wisła|karp.jpg"), QStringLiteral("Lin|Narew|"), QStringLiteral("Okoń||")}));
    // Back on the catch it was opened on, showing it as stored.
    QCOMPARE(m_table->State(), TDataSetState::dsBrowse);
    QCOMPARE(m_table->FieldByName(QStringLiteral("gatunek"))->AsString(), QStringLiteral("Karp"));
    QCOMPARE(QDir(Folder()).entryList(QDir::Files), QStringList{QStringLiteral("karp.jpg")});
    QCOMPARE(Bytes(Aside() + QStringLiteral("nowy.jpg")), Bytes(chosen));

    // A catch the dialog was opened to insert goes, even once written.
    m_table->Insert();
    RunDialog([&](TDayFrm *dialog) {
        TypeText(dialog->DBEdit1, QStringLiteral("Sum"));
        Click(TNavigateBtn::nbPost);
        Click(TNavigateBtn::nbInsert);
        TypeText(dialog->DBEdit1, QStringLiteral("Boleń"));
        Click(TNavigateBtn::nbPost);
        QTest::mouseClick(dialog->Button2, Qt::LeftButton);
    });
    QCOMPARE(
        TestSupport::QueryColumn(m_dir->dbPath(), QStringLiteral("select gatunek from dziennik order by rowid")),
        (QStringList{QStringLiteral("Karp"), QStringLiteral("Lin"), QStringLiteral("Okoń"), QStringLiteral("Boleń")}));
    QCOMPARE(CountRecords(QStringLiteral("error")), 0);
}

void DayFrmTest::screenshot()
{
    QVERIFY(SaveJpeg(Scene(), Folder() + QStringLiteral("/szczupak.jpg")));
    QVERIFY(m_dir->exec(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc,miejsce,przyneta,wiatr,"
                                       "faza_ksiezyca,opis,foto,godzina) values('%1','Szczupak',4.2,78,'Jezioro Wigry',"
                                       "'błystka obrotowa','słaby, południowy','pierwsza kwadra',"
                                       "'Wziął przy trzcinach o świcie, po dwudziestu minutach holu. "
                                       "Woda 6°C, lekkie zachmurzenie.','szczupak.jpg','06:40');")
                            .arg(DayText(Day()))));
    RunDialog([](TDayFrm *dialog) {
        QVERIFY(!dialog->Image1->Picture().isNull());
        TestSupport::SavePng(dialog, QStringLiteral("DayFrm"));
        QTest::mouseClick(dialog->DBNavigator1->Button(TNavigateBtn::nbInsert), Qt::LeftButton);
        TestSupport::SavePng(dialog, QStringLiteral("DayFrm-new-row"));
    });
    QCOMPARE(CountRecords(QStringLiteral("error")), 0);
}

RYBOWID_APP_TEST_MAIN(DayFrmTest)
#include "tst_DayFrm.moc"
