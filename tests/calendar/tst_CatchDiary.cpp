#include "../app/AppTestMain.h"

#include "app/MainFrmUnit.h"
#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/DayFrmUnit.h"
#include "calendar/TCatchGuard.h"
#include "calendar/TMonthCalendar.h"
#include "data/TDbConnection.h"
#include "data/TDbTable.h"
#include "data/TField.h"
#include "support/TestSupport.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBEdit.h"
#include "widgets/TDBGrid.h"
#include "widgets/TDBNavigator.h"
#include "widgets/TDataSetModel.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace {
const QString Question = QStringLiteral("question");

// Types text key by key, Polish letters included (QTest::keyClicks knows only ASCII).
using TestSupport::TypeText;

int Count(const QString &kind)
{
    int n = 0;
    for (const Platform::Record &record : Platform::Records())
        n += record.kind == kind ? 1 : 0;
    return n;
}
} // namespace

class CatchDiaryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void theFirstClickPicksTheDayOfTheCatch();
    void tickingTheBoxOpensTheDayWithAnEmptyRow();
    void theKeyboardOnlyChangesTheTick();
    void rowsNoOneFilledInDoNotSurviveLeavingThem();
    void clearingTheBoxAsksAndDeletesTheDayWithItsFolder();
    void deletingTheLastCatchKeepsTheFolderAndItsPhotos();
    void usunDeletesTheSelectedRowAloneWhateverItHolds();
    void typedValuesArePostedBeforeAnotherDayIsShown();
    void aFailedPostKeepsTheTypedValuesAndTheDay();
    void closingTheWindowSavesWhatWasTyped();
    void aLockedFileLosesNothing();
    void aMissingPhotoFolderDoesNotStopTheDay();
    void insertAndDetailsGoThroughTheDialog();
    void rowsStartedInTheGridBelongToTheSelectedDay();
    void impossibleNumbersAreRefusedStoredOnesKept();
    void protectedCatchesAreWarnedStoredAndMarked();
    void escapeClosesTheSuggestionsAndAPickStays();

private:
    void Start(const QString &seed = {});
    TCalendarFrm *View() const { return Windows().CalendarFrm; }
    QWidget *DayGrid() const { return View()->MonthCalendar1->DayGrid(); }
    void FocusCalendar();
    void ClickDay(TDateTime day);
    void ClickCell(int row, int column);
    QWidget *KeyTarget() const;
    bool Marked(TDateTime day) const;
    QStringList Stored(const QString &column, const QString &where = QStringLiteral("1")) const;
    bool DiaryControlsEnabled() const;
    QString DayFolder(TDateTime day) const { return m_dir->fotoDir() + QLatin1Char('/') + DayText(day); }

    std::unique_ptr<TestSupport::GuiTestFolder> m_dir;
    const TDateTime m_day = EncodeDate(2005, 1, 24);
    const TDateTime m_nextDay = EncodeDate(2005, 1, 25);
};

void CatchDiaryTest::init()
{
    m_dir = std::make_unique<TestSupport::GuiTestFolder>(TestSupport::TempProgramDir::Content::SchemaOnly);
    QVERIFY(m_dir->isValid());
}

void CatchDiaryTest::cleanup()
{
    m_dir.reset();
}

void CatchDiaryTest::Start(const QString &seed)
{
    if (!seed.isEmpty()) {
        QString error;
        QVERIFY2(m_dir->exec(seed, &error), qPrintable(error));
    }
    OverrideExecutableFolder(m_dir->path());
    Clock::Pin(EncodeDateTime(2005, 1, 24, 10, 30, 0, 0));
    CreateWindows();
    QVERIFY(Windows().MainFrm && View());
    Windows().MainFrm->show();
    Windows().MainFrm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Windows().MainFrm));
    QCOMPARE(View()->MonthCalendar1->SelectedDate(), m_day);
    QVERIFY(Platform::Records().isEmpty());
}

void CatchDiaryTest::FocusCalendar()
{
    DayGrid()->setFocus();
    QTRY_VERIFY(View()->MonthCalendar1->FocusSeen());
}

void CatchDiaryTest::ClickDay(TDateTime day)
{
    int row = 0, col = 0;
    TCustomMonthCalendar::CellOfDate(day, row, col);
    const TRect r = View()->MonthCalendar1->CellRect(row, col);
    QTest::mouseClick(DayGrid(), Qt::LeftButton, {}, QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
}

void CatchDiaryTest::ClickCell(int row, int column)
{
    TDBGrid *grid = View()->DayPanel->DBGrid1;
    const QRect cell = grid->visualRect(grid->Model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

QWidget *CatchDiaryTest::KeyTarget() const
{
    QLineEdit *editor = View()->DayPanel->DBGrid1->CellEditor();
    return editor ? static_cast<QWidget *>(editor) : View()->DayPanel->DBGrid1;
}

bool CatchDiaryTest::Marked(TDateTime day) const
{
    int row = 0, col = 0;
    TCustomMonthCalendar::CellOfDate(day, row, col);
    const TRect r = View()->MonthCalendar1->CellRect(row, col);
    const QImage image = DayGrid()->grab().toImage();
    return image.pixelColor(r.Left + 55, r.Top + 25) == QColor(0, 0, 128);
}

QStringList CatchDiaryTest::Stored(const QString &column, const QString &where) const
{
    return TestSupport::QueryColumn(
        m_dir->dbPath(), QStringLiteral("select %1 from dziennik where %2 order by rowid").arg(column, where));
}

bool CatchDiaryTest::DiaryControlsEnabled() const
{
    const bool grid = View()->DayPanel->DBGrid1->isEnabled();
    const bool all = grid && View()->DayPanel->DBNavigator1->isEnabled() && View()->DayPanel->Button1->isEnabled() &&
                     View()->DayPanel->Button2->isEnabled();
    const bool none = !grid && !View()->DayPanel->DBNavigator1->isEnabled() &&
                      !View()->DayPanel->Button1->isEnabled() && !View()->DayPanel->Button2->isEnabled();
    if (!all && !none)
        qWarning("the four diary controls disagree");
    return all;
}

void CatchDiaryTest::theFirstClickPicksTheDayOfTheCatch()
{
    // The catch log opened and closed before any day was clicked; the grid has never
    // been painted with the focus. The click alone must move the day panel.
    Start();
    QVERIFY(!View()->MonthCalendar1->FocusSeen());
    Windows().OpenCatchLog();
    QCOMPARE(Count(QStringLiteral("modal")), 1);
    ClickDay(m_nextDay);
    QCOMPARE(View()->MonthCalendar1->SelectedDate(), m_nextDay);
    QCOMPARE(View()->DayPanel->Label2->text(), QStringLiteral("Wtorek, 2005-01-25"));

    // Ticked, the new row takes the keys at its species: no click into the grid needed.
    QTest::mouseClick(View()->DayPanel->CheckBox1, Qt::LeftButton);
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus == View()->DayPanel->DBGrid1 || View()->DayPanel->DBGrid1->isAncestorOf(focus));
    QCOMPARE(View()->DayPanel->DBGrid1->currentIndex().column(), 0);
    TypeText(KeyTarget(), QStringLiteral("Lin"));
    QVERIFY(Windows().MainFrm->close());
    QCOMPARE(Stored(QStringLiteral("data||'|'||gatunek")), QStringList{QStringLiteral("2005-01-25|Lin")});
}

void CatchDiaryTest::tickingTheBoxOpensTheDayWithAnEmptyRow()
{
    Start();
    QCheckBox *box = View()->DayPanel->CheckBox1;
    QVERIFY(!box->isChecked());
    QVERIFY(!DiaryControlsEnabled());
    QVERIFY(!QDir(DayFolder(m_day)).exists());

    QTest::mouseClick(box, Qt::LeftButton);

    QVERIFY(box->isChecked());
    QVERIFY(DiaryControlsEnabled());
    // Nothing is measured yet: the numbers are blank, not 0.
    QCOMPARE(Stored(QStringLiteral("data||'|'||gatunek||'|'||ifnull(waga,'-')||'|'||ifnull(dlugosc,'-')||'|'||miejsce||"
                                   "'|'||przyneta||'|'||wiatr||'|'||faza_ksiezyca||'|'||opis||'|'||foto")),
             QStringList{QStringLiteral("2005-01-24||-|-||||Przybywający garb||")});
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->rowCount(), 1);
    // The photo folder waits for the day's first photo.
    QVERIFY(!QFileInfo::exists(DayFolder(m_day)));
    QVERIFY(Marked(m_day));
    QVERIFY(!Marked(m_nextDay));

    // A click that does not toggle the box (another button, the blank part beside the
    // caption) adds nothing.
    QTest::mouseClick(box, Qt::RightButton);
    box->resize(box->width() + 80, box->height());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 5, box->height() / 2));
    QVERIFY(box->isChecked());
    QCOMPARE(Stored(QStringLiteral("data")).size(), 1);
    QVERIFY(Platform::Records().isEmpty());
}

void CatchDiaryTest::theKeyboardOnlyChangesTheTick()
{
    // The space bar does what a click does: it starts the day's diary, and clearing the
    // box asks before anything is deleted.
    Start();
    QCheckBox *box = View()->DayPanel->CheckBox1;
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(box->isChecked());
    QVERIFY(DiaryControlsEnabled());
    QCOMPARE(Stored(QStringLiteral("data")).size(), 1);

    View()->DayPanel->DBGrid1->setFocus();
    ClickCell(0, 0);
    TypeText(KeyTarget(), QStringLiteral("Lin"));
    box->setFocus();
    Platform::QueueAnswer(false);
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(Platform::Records().size(), 1);
    QCOMPARE(Platform::Records().first().kind, QStringLiteral("question"));
    QVERIFY(box->isChecked());
    QCOMPARE(Stored(QStringLiteral("data")).size(), 1);
}

void CatchDiaryTest::rowsNoOneFilledInDoNotSurviveLeavingThem()
{
    // Rows of the file from before stay, even without a species.
    Start(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','',2.5,0),"
                         "('2005-01-26','',0,0);"));
    const QStringList kept{"2005-01-24||2.5", "2005-01-26||0.0"};
    auto stored = [this] { return Stored(QStringLiteral("data||'|'||gatunek||'|'||waga")); };
    QCheckBox *box = View()->DayPanel->CheckBox1;
    // Each way of leaving: another day; the catch log, once a weight typed without a
    // species has been refused and dropped; unticking, which then has nothing to ask;
    // closing, after "+".
    ClickDay(m_nextDay);
    QTest::mouseClick(box, Qt::LeftButton);
    ClickDay(EncodeDate(2005, 1, 26));
    ClickDay(m_nextDay);
    QVERIFY(!box->isChecked() && !Marked(m_nextDay) && !QDir(DayFolder(m_nextDay)).exists());
    QCOMPARE(stored(), kept);

    QTest::mouseClick(box, Qt::LeftButton);
    View()->DayPanel->DBGrid1->setFocus();
    ClickCell(0, 1);
    TypeText(KeyTarget(), QStringLiteral("2"));
    Windows().OpenCatchLog();
    QCOMPARE(Count(QStringLiteral("error")), 1);
    QCOMPARE(Platform::Records().last().text,
             QStringLiteral("Podaj gatunek złowionej ryby: połowu bez gatunku nie można zapisać."));
    QCOMPARE(Count(QStringLiteral("modal")), 0);
    QCOMPARE(View()->dziennikTable->FieldByName(QStringLiteral("waga"))->AsString(), QStringLiteral("2"));
    View()->dziennikTable->Cancel();
    Windows().OpenCatchLog();
    QCOMPARE(Count(QStringLiteral("modal")), 1);
    QCOMPARE(stored(), kept);

    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(Count(Question), 0);
    QCOMPARE(stored(), kept);

    QTest::mouseClick(box, Qt::LeftButton);
    View()->DayPanel->DBNavigator1->Button(TNavigateBtn::nbInsert)->click();
    QCOMPARE(Stored(QStringLiteral("data"), QStringLiteral("data='2005-01-25'")).size(), 2);
    QVERIFY(Windows().MainFrm->close());
    QCOMPARE(stored(), kept);
}

void CatchDiaryTest::clearingTheBoxAsksAndDeletesTheDayWithItsFolder()
{
    Start(QStringLiteral(
        "insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Lin',0,0),('2005-01-24','Karp',0,0),"
        "('2005-01-25','Sum',0,0);"));
    QVERIFY(QDir().mkpath(DayFolder(m_day) + QStringLiteral("/inne")));
    QFile photo(DayFolder(m_day) + QStringLiteral("/lin.jpg"));
    QVERIFY(photo.open(QIODevice::WriteOnly));
    photo.close();
    QVERIFY(Marked(m_day));

    Platform::QueueAnswer(false);
    QTest::mouseClick(View()->DayPanel->CheckBox1, Qt::LeftButton);
    QCOMPARE(Platform::Records().size(), 1);
    const Platform::Record asked = Platform::Records().first();
    QCOMPARE(asked.kind, Question);
    QCOMPARE(asked.title, QStringLiteral("Pytanie:"));
    QCOMPARE(asked.text, QStringLiteral("Czy na pewno chcesz bezpowrotnie usunąć przypisane do tego dnia informacje?"));
    QVERIFY(View()->DayPanel->CheckBox1->isChecked());
    QVERIFY(DiaryControlsEnabled());
    QCOMPARE(Stored(QStringLiteral("gatunek")).size(), 3);
    QVERIFY(photo.exists());

    Platform::QueueAnswer(true);
    QTest::mouseClick(View()->DayPanel->CheckBox1, Qt::LeftButton);
    QVERIFY(!View()->DayPanel->CheckBox1->isChecked());
    QVERIFY(!DiaryControlsEnabled());
    QCOMPARE(Stored(QStringLiteral("gatunek")), QStringList{QStringLiteral("Sum")});
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->rowCount(), 0);
    QVERIFY(!QDir(DayFolder(m_day)).exists());
    QVERIFY(!Marked(m_day));
    QVERIFY(Marked(m_nextDay));
}

void CatchDiaryTest::deletingTheLastCatchKeepsTheFolderAndItsPhotos()
{
    Start(QStringLiteral(
        "insert into dziennik (data,gatunek,waga,dlugosc,foto) values ('2005-01-24','Lin',0,0,'lin.jpg');"));
    QVERIFY(QDir().mkpath(DayFolder(m_day)));
    QFile photo(DayFolder(m_day) + QStringLiteral("/lin.jpg"));
    QVERIFY(photo.open(QIODevice::WriteOnly));
    photo.close();

    Platform::QueueAnswer(false);
    QTest::mouseClick(View()->DayPanel->Button2, Qt::LeftButton);
    QCOMPARE(Platform::Records().last().text,
             QStringLiteral("Czy na pewno chcesz bezpowrotnie usunąć informacje o tej rybie?"));
    QCOMPARE(Stored(QStringLiteral("gatunek")).size(), 1);
    QVERIFY(View()->DayPanel->CheckBox1->isChecked());

    Platform::QueueAnswer(true);
    QTest::mouseClick(View()->DayPanel->Button2, Qt::LeftButton);
    QVERIFY(Stored(QStringLiteral("gatunek")).isEmpty());
    QVERIFY(!View()->DayPanel->CheckBox1->isChecked());
    QVERIFY(!DiaryControlsEnabled());
    QVERIFY(!Marked(m_day));
    QVERIFY(photo.exists());
    QCOMPARE(Count(QStringLiteral("error")), 0);
}

void CatchDiaryTest::usunDeletesTheSelectedRowAloneWhateverItHolds()
{
    // Two twins that agree in every shown column, and a species whose name would turn a
    // statement built from values into one that matches every row.
    Start(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc,miejsce,opis) values "
                         "('2005-01-24','Leszcz',1,30,'Wisła','pierwszy'),"
                         "('2005-01-24','Leszcz',1,30,'Wisła','drugi'),"
                         "('2005-01-24','Karp\" or \"1\"=\"1',2,40,'Staw \"Pod lasem\"','trzeci'),"
                         "('2005-01-23','Leszcz',1,30,'Wisła','wczoraj');"));
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->rowCount(), 3);

    View()->DayPanel->DBGrid1->setFocus();
    ClickCell(1, 0);
    QCOMPARE(View()->dziennikTable->GetRecNo(), 2);
    Platform::QueueAnswer(true);
    QTest::mouseClick(View()->DayPanel->Button2, Qt::LeftButton);
    QCOMPARE(Stored(QStringLiteral("opis")),
             (QStringList{QStringLiteral("pierwszy"), QStringLiteral("trzeci"), QStringLiteral("wczoraj")}));

    ClickCell(1, 0);
    QCOMPARE(View()->dziennikTable->FieldByName(QStringLiteral("opis"))->AsString(), QStringLiteral("trzeci"));
    Platform::QueueAnswer(true);
    QTest::mouseClick(View()->DayPanel->Button2, Qt::LeftButton);
    QCOMPARE(Stored(QStringLiteral("opis")), (QStringList{QStringLiteral("pierwszy"), QStringLiteral("wczoraj")}));
    QVERIFY(View()->DayPanel->CheckBox1->isChecked());
    QCOMPARE(Count(QStringLiteral("error")), 0);
}

void CatchDiaryTest::typedValuesArePostedBeforeAnotherDayIsShown()
{
    Start(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Lin',0,0);"));
    FocusCalendar();

    View()->DayPanel->DBGrid1->setFocus();
    ClickCell(0, 0);
    TypeText(KeyTarget(), QStringLiteral("Węgorz"));
    QVERIFY(View()->DayPanel->DBGrid1->CellEditor());
    QCOMPARE(Stored(QStringLiteral("gatunek")), QStringList{QStringLiteral("Lin")});

    ClickDay(m_nextDay);
    QCOMPARE(View()->MonthCalendar1->SelectedDate(), m_nextDay);
    QCOMPARE(Stored(QStringLiteral("data||'|'||gatunek")), QStringList{QStringLiteral("2005-01-24|Węgorz")});
    QVERIFY(!View()->DayPanel->CheckBox1->isChecked());
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->rowCount(), 0);

    // A row whose typing was started and left unchanged is simply dropped.
    ClickDay(m_day);
    View()->DayPanel->DBGrid1->setFocus();
    ClickCell(0, 3);
    QTest::keyClick(View()->DayPanel->DBGrid1, Qt::Key_Insert);
    QCOMPARE(View()->dziennikTable->State(), TDataSetState::dsInsert);
    FocusCalendar();
    ClickDay(m_nextDay);
    QCOMPARE(Stored(QStringLiteral("gatunek")), QStringList{QStringLiteral("Węgorz")});
    QCOMPARE(Count(QStringLiteral("error")), 0);
}

void CatchDiaryTest::aFailedPostKeepsTheTypedValuesAndTheDay()
{
    Start(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Lin',0,0);"
                         "create trigger bez_suma before update on dziennik when new.gatunek='Sum' "
                         "begin select raise(abort, 'Sum jest pod ochroną'); end;"));
    FocusCalendar();
    View()->DayPanel->DBGrid1->setFocus();
    ClickCell(0, 0);
    QTest::keyClick(KeyTarget(), Qt::Key_A, Qt::ControlModifier);
    TypeText(KeyTarget(), QStringLiteral("Sum"));

    ClickDay(m_nextDay);
    QCOMPARE(Count(QStringLiteral("error")), 1);
    QVERIFY(Platform::Records().last().text.contains(QStringLiteral("Sum jest pod ochroną")));
    QCOMPARE(View()->MonthCalendar1->SelectedDate(), m_day);
    QCOMPARE(View()->DayPanel->Label2->text(), QStringLiteral("Poniedziałek, 2005-01-24"));
    QCOMPARE(View()->dziennikTable->State(), TDataSetState::dsEdit);
    QCOMPARE(View()->dziennikTable->FieldByName(QStringLiteral("gatunek"))->AsString(), QStringLiteral("Sum"));
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->index(0, 0).data().toString(), QStringLiteral("Sum"));
    QCOMPARE(Stored(QStringLiteral("gatunek")), QStringList{QStringLiteral("Lin")});

    // Neither the box nor "&Usuń" goes on past a post that fails.
    Platform::ClearTestState();
    QTest::mouseClick(View()->DayPanel->CheckBox1, Qt::LeftButton);
    QVERIFY(View()->DayPanel->CheckBox1->isChecked());
    QCOMPARE(Count(QStringLiteral("error")), 1);
    QCOMPARE(Count(Question), 0);
    QTest::mouseClick(View()->DayPanel->Button2, Qt::LeftButton);
    QCOMPARE(Count(QStringLiteral("error")), 2);
    QCOMPARE(Count(Question), 0);
    QCOMPARE(Stored(QStringLiteral("gatunek")), QStringList{QStringLiteral("Lin")});
    QCOMPARE(View()->dziennikTable->FieldByName(QStringLiteral("gatunek"))->AsString(), QStringLiteral("Sum"));

    // Once the value is acceptable the day change goes through and posts it.
    View()->DayPanel->DBGrid1->setFocus();
    ClickCell(0, 0);
    QTest::keyClick(KeyTarget(), Qt::Key_A, Qt::ControlModifier);
    TypeText(KeyTarget(), QStringLiteral("Sumik"));
    FocusCalendar();
    ClickDay(m_nextDay);
    QCOMPARE(View()->MonthCalendar1->SelectedDate(), m_nextDay);
    QCOMPARE(Stored(QStringLiteral("gatunek")), QStringList{QStringLiteral("Sumik")});
}

void CatchDiaryTest::closingTheWindowSavesWhatWasTyped()
{
    Start(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Lin',0,0);"
                         "create trigger bez_suma before update on dziennik when new.gatunek='Sum' "
                         "begin select raise(abort, 'Sum jest pod ochroną'); end;"));
    auto typeSpecies = [this](const QString &species) {
        View()->DayPanel->DBGrid1->setFocus();
        ClickCell(0, 0);
        QTest::keyClick(KeyTarget(), Qt::Key_A, Qt::ControlModifier);
        TypeText(KeyTarget(), species);
    };
    typeSpecies(QStringLiteral("Sum"));
    QVERIFY(!Windows().MainFrm->close());
    QCOMPARE(Count(QStringLiteral("error")), 1);
    QVERIFY(Windows().MainFrm->isVisible());
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->index(0, 0).data().toString(), QStringLiteral("Sum"));

    typeSpecies(QStringLiteral("Sumik"));
    QVERIFY(Windows().MainFrm->close());
    QCOMPARE(Stored(QStringLiteral("gatunek")), QStringList{QStringLiteral("Sumik")});
}

void CatchDiaryTest::aLockedFileLosesNothing()
{
    Start(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Lin',0,0);"));
    auto otherProgram = [this] {
        auto connection = std::make_unique<TDbConnection>();
        connection->SetDriverDLL(m_dir->path() + SqliteLibraryFileName());
        connection->SetDatabase(m_dir->dbPath());
        connection->SetConnected(true);
        return connection;
    };

    // A lock that clears within the wait is not an error at all.
    std::promise<void> locked;
    std::thread holder([&] {
        auto other = otherProgram();
        other->ExecStatement(QStringLiteral("begin exclusive"));
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other->ExecStatement(QStringLiteral("commit"));
    });
    locked.get_future().wait();
    FocusCalendar();
    ClickDay(m_nextDay);
    QTest::mouseClick(View()->DayPanel->CheckBox1, Qt::LeftButton);
    holder.join();
    QVERIFY(Platform::Records().isEmpty());
    QCOMPARE(Stored(QStringLiteral("data")).size(), 2);

    // A lock that stays: the keys typed reach the cell, and the marks stay on screen.
    Windows().DataBase->SetBusyTimeout(50);
    auto other = otherProgram();
    other->ExecStatement(QStringLiteral("begin exclusive"));
    View()->DayPanel->DBGrid1->setFocus();
    ClickCell(0, 0);
    QTest::keyClick(KeyTarget(), Qt::Key_A, Qt::ControlModifier);
    TypeText(KeyTarget(), QStringLiteral("Sum"));
    QVERIFY(Platform::Records().isEmpty());
    QVERIFY(View()->DayPanel->DBGrid1->CellEditor());
    QCOMPARE(View()->DayPanel->DBGrid1->CellEditor()->text(), QStringLiteral("Sum"));
    QVERIFY(Marked(m_day) && Marked(m_nextDay));
    other->ExecStatement(QStringLiteral("commit"));

    // Writers locked out: a day that cannot be started leaves no folder behind.
    const TDateTime third = EncodeDate(2005, 1, 26);
    FocusCalendar();
    ClickDay(third);
    QCOMPARE(Stored(QStringLiteral("gatunek"), QStringLiteral("data='2005-01-25'")),
             QStringList{QStringLiteral("Sum")});
    other->ExecStatement(QStringLiteral("begin immediate"));
    QTest::mouseClick(View()->DayPanel->CheckBox1, Qt::LeftButton);
    QCOMPARE(Count(QStringLiteral("error")), 1);
    QVERIFY(!View()->DayPanel->CheckBox1->isChecked());
    QVERIFY(!QDir(DayFolder(third)).exists());

    // Readers locked out too: the day is greyed out, never shown as a day without catches.
    other->ExecStatement(QStringLiteral("commit"));
    other->ExecStatement(QStringLiteral("begin exclusive"));
    ClickDay(m_day);
    QCOMPARE(Count(QStringLiteral("error")), 2);
    QVERIFY(!View()->DayPanel->CheckBox1->isEnabled());
    other->ExecStatement(QStringLiteral("commit"));
    ClickDay(m_nextDay);
    QVERIFY(View()->DayPanel->CheckBox1->isEnabled() && View()->DayPanel->CheckBox1->isChecked());
}

void CatchDiaryTest::aMissingPhotoFolderDoesNotStopTheDay()
{
    Start();
    QVERIFY(QDir(m_dir->fotoDir()).removeRecursively());

    QTest::mouseClick(View()->DayPanel->CheckBox1, Qt::LeftButton);
    QCOMPARE(Count(QStringLiteral("error")), 0);
    QCOMPARE(Stored(QStringLiteral("data")), QStringList{DayText(m_day)});
    QVERIFY(View()->DayPanel->CheckBox1->isChecked());
    QVERIFY(DiaryControlsEnabled());
    QVERIFY(!QFileInfo::exists(m_dir->fotoDir()));
}

void CatchDiaryTest::insertAndDetailsGoThroughTheDialog()
{
    Start(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Lin',0,0);"));
    TDayFrm *dialog = Windows().DayFrm;
    QVERIFY(dialog);
    QStringList boundInDialog;
    Platform::SetModalHandler([&](QDialog *shown) {
        if (shown != dialog)
            return 0;
        for (TDBEdit *edit : {dialog->DBEdit1, dialog->DBEdit2, dialog->DBEdit3, dialog->DBEdit4, dialog->DBEdit5,
                              dialog->DBEdit6, dialog->DBEdit7})
            boundInDialog << edit->DataField();
        dialog->DBEdit1->setFocus();
        QTest::keyClick(dialog->DBEdit1, Qt::Key_A, Qt::ControlModifier);
        TypeText(dialog->DBEdit1, QStringLiteral("Okoń"));
        return 0;
    });

    View()->DayPanel->DBNavigator1->Button(TNavigateBtn::nbInsert)->click();
    QCOMPARE(Count(QStringLiteral("modal")), 1);
    QCOMPARE(boundInDialog,
             (QStringList{"gatunek", "waga", "dlugosc", "miejsce", "przyneta", "wiatr", "faza_ksiezyca"}));
    QCOMPARE(Stored(QStringLiteral("data||'|'||gatunek"), QStringLiteral("gatunek<>'Lin'")),
             QStringList{QStringLiteral("2005-01-24|Okoń")});
    QCOMPARE(View()->dziennikTable->State(), TDataSetState::dsBrowse);
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->rowCount(), 2);
    // The dialog leaves its fields unbound when it closes.
    QVERIFY(dialog->DBEdit1->DataField().isEmpty());

    // "&Szczegóły" edits the current row: the Lin row, entered first and listed first,
    // stamped with the selected day.
    View()->DayPanel->DBGrid1->setFocus();
    ClickCell(0, 0);
    const QString current = View()->dziennikTable->FieldByName(QStringLiteral("gatunek"))->AsString();
    QTest::mouseClick(View()->DayPanel->Button1, Qt::LeftButton);
    QCOMPARE(Count(QStringLiteral("modal")), 2);
    QCOMPARE(View()->dziennikTable->State(), TDataSetState::dsBrowse);
    QCOMPARE(current, QStringLiteral("Lin"));
    QCOMPARE(Stored(QStringLiteral("data||'|'||gatunek")),
             (QStringList{QStringLiteral("2005-01-24|Okoń"), QStringLiteral("2005-01-24|Okoń")}));
    QCOMPARE(Count(QStringLiteral("error")), 0);
}

void CatchDiaryTest::rowsStartedInTheGridBelongToTheSelectedDay()
{
    Start(QStringLiteral(
        "insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Lin',0,0),('2005-01-24','Jaź',0,0);"));
    View()->DayPanel->DBGrid1->setFocus();
    ClickCell(1, 0);

    // Ctrl+Delete removes the current row at once, without a question.
    QTest::keyClick(KeyTarget(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(Stored(QStringLiteral("gatunek")), QStringList{QStringLiteral("Lin")});
    QCOMPARE(Count(Question), 0);

    QTest::keyClick(View()->DayPanel->DBGrid1, Qt::Key_Insert);
    QCOMPARE(View()->dziennikTable->State(), TDataSetState::dsInsert);
    TypeText(KeyTarget(), QStringLiteral("Boleń"));
    View()->DayPanel->DBNavigator1->Button(TNavigateBtn::nbPost)->click();
    QCOMPARE(Stored(QStringLiteral("data"), QStringLiteral("gatunek='Boleń'")),
             QStringList{QStringLiteral("2005-01-24")});
    QCOMPARE(Count(QStringLiteral("error")), 0);
}

void CatchDiaryTest::impossibleNumbersAreRefusedStoredOnesKept()
{
    Start(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Sum',-3,100000);"));
    auto typeInto = [this](int column, const QString &text) {
        ClickCell(View()->dziennikTable->DisplayRow(), column);
        QTest::keyClick(KeyTarget(), Qt::Key_A, Qt::ControlModifier);
        TypeText(KeyTarget(), text.isEmpty() ? QStringLiteral("1") : text);
        if (text.isEmpty())
            QTest::keyClick(KeyTarget(), Qt::Key_Backspace);
        if (column > 0)
            View()->DayPanel->DBNavigator1->Button(TNavigateBtn::nbPost)->click();
    };
    // A file's values are shown as they are, in plain digits, and never rewritten.
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->index(0, 2).data().toString(), QStringLiteral("100000"));
    View()->DayPanel->DBGrid1->setFocus();
    typeInto(3, QStringLiteral("Odra"));
    QCOMPARE(Stored(QStringLiteral("waga||'|'||dlugosc||'|'||miejsce")), QStringList{"-3.0|100000.0|Odra"});

    // Each value outside the range is refused at the post, with the range in Polish.
    QTest::keyClick(View()->DayPanel->DBGrid1, Qt::Key_Insert);
    typeInto(0, QStringLiteral("Lin"));
    for (const char *weight : {"-3", "0", "400,5"})
        typeInto(1, QString::fromLatin1(weight));
    typeInto(2, QStringLiteral("500,1"));
    QCOMPARE(View()->dziennikTable->State(), TDataSetState::dsInsert);
    QCOMPARE(Count(QStringLiteral("error")), 4);
    QCOMPARE(Platform::Records().at(0).text,
             QStringLiteral("Waga ryby musi być większa od 0 i nie większa niż 400 kg (wpisano: -3 kg)."));
    QCOMPARE(Stored(QStringLiteral("gatunek")), QStringList{QStringLiteral("Sum")});
    typeInto(1, QStringLiteral("400"));
    QCOMPARE(Platform::Records().last().text,
             QStringLiteral("Długość ryby musi być większa od 0 i nie większa niż 500 cm (wpisano: 500,1 cm)."));
    typeInto(2, QStringLiteral("500"));
    QCOMPARE(Stored(QStringLiteral("waga||'|'||dlugosc"), QStringLiteral("gatunek='Lin'")), QStringList{"400.0|500.0"});
    // A cleared weight is an unweighed fish: blank in the file and in the grid, and the
    // day still reads.
    typeInto(1, QString());
    QCOMPARE(Count(QStringLiteral("error")), 5);
    QCOMPARE(Stored(QStringLiteral("ifnull(waga,'-')"), QStringLiteral("gatunek='Lin'")), QStringList{"-"});
    ClickDay(m_nextDay);
    ClickDay(m_day);
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->rowCount(), 2);
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->index(1, 1).data().toString(), QString());
}

void CatchDiaryTest::protectedCatchesAreWarnedStoredAndMarked()
{
    Start(QStringLiteral("insert into ryby (nazwa,od,do,wymiar) values ('Szczupak','0001-01-01','0001-04-30','45'),"
                         "('Okoń','','','');"
                         "insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Lin',0,0);"));
    TDayFrm *dialog = Windows().DayFrm;
    // Picks the first name the open completion list offers.
    auto pickCompletion = [](QLineEdit *edit) {
        QCompleter *completer = edit->completer();
        if (!completer || !QTest::qWaitFor([completer] { return completer->popup()->isVisible(); }))
            return false;
        QTest::keyClick(completer->popup(), Qt::Key_Down);
        QTest::keyClick(completer->popup(), Qt::Key_Return);
        return true;
    };
    bool picked = false;
    Platform::SetModalHandler([&](QDialog *shown) {
        if (shown != dialog)
            return 0;
        dialog->DBEdit1->setFocus();
        TypeText(dialog->DBEdit1, QStringLiteral("szcz"));
        picked = pickCompletion(dialog->DBEdit1);
        dialog->DBEdit3->setFocus();
        QTest::keyClick(dialog->DBEdit3, Qt::Key_A, Qt::ControlModifier);
        TypeText(dialog->DBEdit3, QStringLiteral("50"));
        dialog->DBEdit4->setFocus();
        return 0;
    });
    View()->DayPanel->DBNavigator1->Button(TNavigateBtn::nbInsert)->click();
    QVERIFY(picked);

    // Stored as the angler entered it, with the day's moon phase; the warning follows.
    QCOMPARE(Stored(QStringLiteral("gatunek||'|'||dlugosc||'|'||faza_ksiezyca"), QStringLiteral("gatunek<>'Lin'")),
             QStringList{QStringLiteral("Szczupak|50.0|Przybywający garb")});
    QTRY_COMPARE(Count(QStringLiteral("message")), 1);
    const Platform::Record warning = Platform::Records().constLast();
    QCOMPARE(warning.title, TCatchGuard::WarningTitle());
    QCOMPARE(warning.icon, Platform::Icon::Warning);
    QVERIFY2(
        warning.text.startsWith(QStringLiteral("Szczupak jest pod ochroną od 01-01 do 04-30 (przepisy krajowe).\n\n")),
        qPrintable(warning.text));

    // The protected row is marked in the grid, with the rule as its tip; the tench is not.
    TDataSetModel *model = View()->DayPanel->DBGrid1->Model();
    QCOMPARE(model->rowCount(), 2);
    const int pike = model->index(0, 0).data().toString() == QStringLiteral("Szczupak") ? 0 : 1;
    QVERIFY(model->index(pike, 3).data(Qt::BackgroundRole).isValid());
    QCOMPARE(model->index(pike, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Szczupak jest pod ochroną od 01-01 do 04-30 (przepisy krajowe)."));
    QVERIFY(!model->index(1 - pike, 0).data(Qt::BackgroundRole).isValid());

    // A catch without a broken rule, typed in the grid with its completion: no warning.
    View()->DayPanel->DBGrid1->setFocus();
    QTest::keyClick(View()->DayPanel->DBGrid1, Qt::Key_Insert);
    TypeText(KeyTarget(), QStringLiteral("ok"));
    QVERIFY(pickCompletion(View()->DayPanel->DBGrid1->CellEditor()));
    View()->DayPanel->DBNavigator1->Button(TNavigateBtn::nbPost)->click();
    QCOMPARE(Stored(QStringLiteral("faza_ksiezyca"), QStringLiteral("gatunek='Okoń'")),
             QStringList{QStringLiteral("Przybywający garb")});
    QCoreApplication::processEvents();
    QCOMPARE(Count(QStringLiteral("message")), 1);
    QCOMPARE(Count(QStringLiteral("error")), 0);
}

void CatchDiaryTest::escapeClosesTheSuggestionsAndAPickStays()
{
    Start(QStringLiteral("insert into ryby (nazwa) values ('Szczupak'),('Sum');"
                         "insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Lin',0,0);"));
    // Escape with the list open closes it and keeps the text; typing opens it again, and
    // a name clicked with the mouse is what the field keeps when it is left.
    TDayFrm *dialog = Windows().DayFrm;
    QStringList seen;
    Platform::SetModalHandler([&](QDialog *) {
        QLineEdit *edit = dialog->DBEdit1;
        QAbstractItemView *list = edit->completer()->popup();
        edit->setFocus();
        TypeText(edit, QStringLiteral("sz"));
        seen << QString::number(QTest::qWaitFor([list] { return list->isVisible(); }));
        QTest::keyClick(list, Qt::Key_Escape);
        seen << edit->text() + QString::number(list->isVisible());
        TypeText(edit, QStringLiteral("c"));
        seen << QString::number(QTest::qWaitFor([list] { return list->isVisible(); }));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        dialog->DBEdit4->setFocus();
        return 0;
    });
    View()->DayPanel->DBNavigator1->Button(TNavigateBtn::nbInsert)->click();
    QCOMPARE(seen, (QStringList{"1", "sz0", "1"}));
    QCOMPARE(Stored(QStringLiteral("gatunek")), (QStringList{"Lin", "Szczupak"}));
}

RYBOWID_APP_TEST_MAIN(CatchDiaryTest)
#include "tst_CatchDiary.moc"
