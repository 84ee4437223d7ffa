#include "../app/AppTestMain.h"

#include "app/MainFrmUnit.h"
#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/TMonthCalendar.h"
#include "calendar/TSkyPanel.h"
#include "calendar/TSkyPlaceFrm.h"
#include "data/TDbTable.h"
#include "sky/SkyPlace.h"
#include "support/TestSupport.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBGrid.h"
#include "widgets/TDBNavigator.h"
#include "widgets/TDataSetModel.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TListView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <memory>

namespace {
struct ListRow
{
    QString caption;
    QString period;
    int icon;
    friend bool operator==(const ListRow &, const ListRow &) = default;
};

char *toString(const ListRow &row)
{
    return QTest::toString(QStringLiteral("%1 | %2 | %3").arg(row.caption, row.period).arg(row.icon));
}

const QString NoSpecies = QStringLiteral("Brak ryb z terminem ochronnym");

// Periods inside a month, across month edges, over the new year, of one day and none.
const QString Species = QStringLiteral("insert into ryby (nazwa,od,do) values "
                                       "('Szczupak','0001-01-01','0001-04-30'),"
                                       "('Sandacz','0001-03-15','0001-05-31'),"
                                       "('Troć','0001-10-01','0001-02-28'),"
                                       "('Certa','0001-06-15','0001-06-15'),"
                                       "('Karp','',''),"
                                       "('Lin',NULL,NULL);");
} // namespace

class CalendarFrmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsOnTodayWithTheViewLaidOut();
    void marksOneSquarePerDayWithRows();
    void monthButtonsBeforeTheGridHadFocus();
    void monthButtonsAfterTheGridHadFocus();
    void protectedSpeciesFollowTheMonth();
    void protectedListHeadingFitsBesideTheScrollBar();
    void tipsCycleInTheShuffledOrder();
    void tabVisitsTheViewInReadingOrder();
    void theKeyboardOpensTheLinksAndLeavesALongDiary();
    void theSelectedDaysSkyForTheChosenPlace();
    void screenshot();

private:
    void Start(TDateTime now, const QString &seed = {});
    TCalendarFrm *View() const { return Windows().CalendarFrm; }
    QWidget *DayGrid() const { return View()->MonthCalendar1->DayGrid(); }
    void FocusCalendar();
    QColor MarkPixel(TDateTime day) const;
    bool Marked(TDateTime day) const { return MarkPixel(day) == QColor(0, 0, 128); }
    QList<ListRow> Protected() const;

    std::unique_ptr<TestSupport::GuiTestFolder> m_dir;
};

void CalendarFrmTest::init()
{
    m_dir = std::make_unique<TestSupport::GuiTestFolder>(TestSupport::TempProgramDir::Content::SchemaOnly);
    QVERIFY(m_dir->isValid());
    SkyPlaces::Save(SkyPlaces::Default());
}

void CalendarFrmTest::cleanup()
{
    m_dir.reset();
}

void CalendarFrmTest::Start(TDateTime now, const QString &seed)
{
    if (!seed.isEmpty()) {
        QString error;
        QVERIFY2(m_dir->exec(seed, &error), qPrintable(error));
    }
    OverrideExecutableFolder(m_dir->path());
    Clock::Pin(now);
    CreateWindows();
    QVERIFY(Windows().MainFrm && View());
    Windows().MainFrm->show();
    Windows().MainFrm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Windows().MainFrm));
    QVERIFY(View()->isVisible());
    QCOMPARE(Platform::Records().size(), 0);
}

void CalendarFrmTest::FocusCalendar()
{
    DayGrid()->setFocus();
    QTRY_VERIFY(View()->MonthCalendar1->FocusSeen());
}

QColor CalendarFrmTest::MarkPixel(TDateTime day) const
{
    int row = 0, col = 0;
    TCustomMonthCalendar::CellOfDate(day, row, col);
    const TRect r = View()->MonthCalendar1->CellRect(row, col);
    return DayGrid()->grab().toImage().pixelColor(r.Left + 55, r.Top + 25);
}

QList<ListRow> CalendarFrmTest::Protected() const
{
    QList<ListRow> rows;
    for (int i = 0; i < View()->MonthPanels->ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = View()->MonthPanels->ListView1->topLevelItem(i);
        rows.append({item->text(0), item->text(1), TListView::ImageIndex(item)});
    }
    return rows;
}

void CalendarFrmTest::startsOnTodayWithTheViewLaidOut()
{
    Start(EncodeDateTime(2005, 1, 24, 23, 59, 0, 0));
    TCalendarFrm *v = View();
    QCOMPARE(v->MonthCalendar1->SelectedDate(), EncodeDate(2005, 1, 24));
    QCOMPARE(v->MonthNameLabel->text(), QStringLiteral("Styczeń"));
    QCOMPARE(v->YearLabel->text(), QStringLiteral("2005"));
    QCOMPARE(v->DayPanel->Label2->text(), QStringLiteral("Poniedziałek, 2005-01-24"));
    QVERIFY(!v->DayPanel->CheckBox1->isChecked());
    QCOMPARE(v->MonthPanels->Memo1->toPlainText(), QStringLiteral("Brak porad na ten miesiąc..."));
    QCOMPARE(Protected(), (QList<ListRow>{{NoSpecies, QString(), 1}}));

    QCOMPARE(v->size(), QSize(767, 426));
    QCOMPARE(v->MonthCalendar1->size(), QSize(500, 292));
    QCOMPARE(v->MonthCalendar1->CalendarFont().pointSize(), 8);
    QVERIFY(!v->MonthCalendar1->UseDateRanges());
    QCOMPARE(v->palette().color(QPalette::Window), QColor(230, 230, 230));
    for (QWidget *control :
         {static_cast<QWidget *>(v->DayPanel->DBGrid1), static_cast<QWidget *>(v->DayPanel->DBNavigator1),
          static_cast<QWidget *>(v->DayPanel->Button1), static_cast<QWidget *>(v->DayPanel->Button2)})
        QVERIFY(!control->isEnabled());
    QCOMPARE(v->DayPanel->Button1->text(), QStringLiteral("&Szczegóły"));
    QCOMPARE(v->DayPanel->Button1->toolTip(), QStringLiteral("Więcej informacji o złowionej rybie"));
    QCOMPARE(v->DayPanel->Button2->toolTip(), QStringLiteral("Skasuj wybrany opis ryby"));
    QCOMPARE(v->DayPanel->DBNavigator1->VisibleButtons(),
             (QList<TNavigateBtn>{TNavigateBtn::nbInsert, TNavigateBtn::nbPost, TNavigateBtn::nbCancel}));
    QStringList titles;
    int totalWidth = 0;
    for (int i = 0; i < v->DayPanel->DBGrid1->ColumnCount(); ++i) {
        titles << v->DayPanel->DBGrid1->Column(i).Title;
        totalWidth += v->DayPanel->DBGrid1->Column(i).Width;
    }
    QCOMPARE(titles, (QStringList{"Gatunek", "Kg.", "Dł.cm.", "Miejsce", "Zabr."}));
    QCOMPARE(totalWidth, 80 + 25 + 33 + 88);
    // A weight with two decimals fits its column.
    QVERIFY(v->DayPanel->DBGrid1->fontMetrics().horizontalAdvance(QStringLiteral("12,75")) + 6 <=
            v->DayPanel->DBGrid1->Column(1).Width);
    QCOMPARE(v->MonthPanels->ComboBox2->count(), 4);
    QCOMPARE(v->MonthPanels->ComboBox2->currentIndex(), 0);
    QCOMPARE(v->MonthPanels->ComboBox2->itemText(3), QStringLiteral("Biologia i ochrona środowiska"));
    QCOMPARE(v->MonthPanels->ListView1->headerItem()->text(0), QStringLiteral("Okres ochronny mają aktualnie:"));
    QCOMPARE(v->MonthPanels->ListView1->header()->sectionSize(0) + v->MonthPanels->ListView1->header()->sectionSize(1),
             v->MonthPanels->ListView1->viewport()->width());
    // Every control lies inside the docked area, the texts are not clipped.
    for (QWidget *child : v->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY2(v->rect().contains(child->geometry()), qPrintable(child->objectName()));
    for (QLabel *label : {v->DayPanel->Label1, v->MonthPanels->Label64, v->MonthPanels->Label11,
                          static_cast<QLabel *>(v->MonthPanels->Label6)})
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
}

void CalendarFrmTest::marksOneSquarePerDayWithRows()
{
    Start(EncodeDateTime(2005, 1, 24, 10, 0, 0, 0),
          QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values "
                         "('2005-01-01','Lin',0,0),"
                         "('2005-01-10','Lin',0,0),('2005-01-10','Karp',0,0),('2005-01-10','Sum',0,0),"
                         "('2005-01-24','Okoń',0,0),('2005-02-01','Jaź',0,0),('2004-12-31','Jaź',0,0);"));
    const TDateTime first = EncodeDate(2005, 1, 1);
    const TDateTime tenth = EncodeDate(2005, 1, 10);
    const TDateTime today = EncodeDate(2005, 1, 24);
    QVERIFY(Marked(first));
    QVERIFY(Marked(tenth));
    QVERIFY(Marked(today));
    QVERIFY(!Marked(EncodeDate(2005, 1, 11)));
    QVERIFY(!Marked(EncodeDate(2005, 1, 31)));
    // The square is 10 x 10 with the default black outline.
    int row = 0, col = 0;
    TCustomMonthCalendar::CellOfDate(tenth, row, col);
    const TRect r = View()->MonthCalendar1->CellRect(row, col);
    const QImage image = DayGrid()->grab().toImage();
    QCOMPARE(image.pixelColor(r.Left + 50, r.Top + 20), QColor(0, 0, 0));
    QCOMPARE(image.pixelColor(r.Left + 59, r.Top + 29), QColor(0, 0, 0));
    QVERIFY(image.pixelColor(r.Left + 60, r.Top + 30) != QColor(0, 0, 0));
    QVERIFY(image.pixelColor(r.Left + 49, r.Top + 25) != QColor(0, 0, 128));
    // 1 February shares the grid's last row with January but is never marked there.
    const int february1 = View()->MonthCalendar1->MonthLength() + 1;
    for (int week = 5; week <= 6; ++week) {
        for (int day = 0; day < 7; ++day) {
            if (View()->MonthCalendar1->DayOfCell(week, day) == february1) {
                const TRect other = View()->MonthCalendar1->CellRect(week, day);
                QVERIFY(image.pixelColor(other.Left + 55, other.Top + 25) != QColor(0, 0, 128));
            }
        }
    }

    // A day whose rows are gone loses its square at the next refresh, not before.
    QVERIFY(m_dir->exec(QStringLiteral("delete from dziennik where data='2005-01-10';")));
    QVERIFY(Marked(tenth));
    FocusCalendar();
    QTest::mouseClick(View()->MonthPanels->SpeedButton1, Qt::LeftButton);
    QTest::mouseClick(View()->MonthPanels->SpeedButton2, Qt::LeftButton);
    QCOMPARE(View()->MonthCalendar1->SelectedDate(), today);
    QVERIFY(!Marked(tenth));
    QVERIFY(Marked(first));
    QCOMPARE(Platform::Records().size(), 0);
}

void CalendarFrmTest::monthButtonsBeforeTheGridHadFocus()
{
    // Whatever moves the month on screen, before the grid ever had the focus or after,
    // by button, key or year step: the labels, the diary, the marks and the protected
    // species follow it.
    Start(EncodeDateTime(2005, 1, 31, 12, 0, 0, 0),
          Species + QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values "
                                   "('2005-02-03','Lin',0,0),('2005-03-04','Sum',0,0),('2006-03-30','Jaź',0,0);"));
    const QList<ListRow> january = Protected();
    QVERIFY(!View()->MonthCalendar1->FocusSeen());

    QTest::mouseClick(View()->MonthPanels->SpeedButton1, Qt::LeftButton);
    QCOMPARE(View()->MonthCalendar1->DisplayedMonth(), 2);
    QCOMPARE(View()->MonthCalendar1->SelectedDate(), EncodeDate(2005, 2, 28));
    QCOMPARE(View()->MonthNameLabel->text(), QStringLiteral("Luty"));
    QCOMPARE(View()->DayPanel->Label2->text(), QStringLiteral("Poniedziałek, 2005-02-28"));
    QVERIFY(Marked(EncodeDate(2005, 2, 3)));

    FocusCalendar();
    QTest::keyClick(DayGrid(), Qt::Key_PageDown);
    QCOMPARE(View()->MonthNameLabel->text(), QStringLiteral("Marzec"));
    QVERIFY(Marked(EncodeDate(2005, 3, 4)));
    const QList<ListRow> march = Protected();
    QVERIFY(march != january); // Sandacz from 15 March, Troć no longer

    QTest::keyClick(DayGrid(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(View()->MonthCalendar1->DisplayedYear(), 2006);
    QCOMPARE(View()->YearLabel->text(), QStringLiteral("2006"));
    QCOMPARE(DayText(View()->MonthCalendar1->SelectedDate()).left(7), QStringLiteral("2006-03"));
    QVERIFY(Marked(EncodeDate(2006, 3, 30)));
    QCOMPARE(Protected(), march);

    QTest::keyClick(DayGrid(), Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(View()->MonthNameLabel->text(), QStringLiteral("Luty"));
    QVERIFY(!Marked(EncodeDate(2006, 2, 3)));
    QCOMPARE(Platform::Records().size(), 0);
}

void CalendarFrmTest::monthButtonsAfterTheGridHadFocus()
{
    Start(EncodeDateTime(2005, 1, 31, 12, 0, 0, 0),
          QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values "
                         "('2005-02-28','Lin',1.5,40),('2005-02-02','Jaź',0,0),('2005-01-31','Sum',0,0);"
                         "insert into ryby (nazwa,od,do) values ('Lipień','0001-02-01','0001-02-10');"));
    QVERIFY(Marked(EncodeDate(2005, 1, 31)));
    QCOMPARE(Protected(), (QList<ListRow>{{NoSpecies, QString(), 1}}));
    FocusCalendar();

    QTest::mouseClick(View()->MonthPanels->SpeedButton1, Qt::LeftButton);
    QCOMPARE(View()->MonthCalendar1->SelectedDate(), EncodeDate(2005, 2, 28));
    QCOMPARE(View()->MonthNameLabel->text(), QStringLiteral("Luty"));
    QCOMPARE(View()->YearLabel->text(), QStringLiteral("2005"));
    QCOMPARE(View()->DayPanel->Label2->text(), QStringLiteral("Poniedziałek, 2005-02-28"));
    QVERIFY(View()->DayPanel->CheckBox1->isChecked());
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->index(0, 0).data().toString(), QStringLiteral("Lin"));
    QCOMPARE(View()->DayPanel->DBGrid1->Model()->index(0, 1).data().toString(), QStringLiteral("1,5"));
    QVERIFY(Marked(EncodeDate(2005, 2, 28)));
    QVERIFY(Marked(EncodeDate(2005, 2, 2)));
    QCOMPARE(Protected(), (QList<ListRow>{{QStringLiteral("Lipień"), QStringLiteral("02-01 - 02-10"), 0}}));

    QTest::mouseClick(View()->MonthPanels->SpeedButton2, Qt::LeftButton);
    QCOMPARE(View()->MonthCalendar1->SelectedDate(), EncodeDate(2005, 1, 28));
    QCOMPARE(View()->DayPanel->Label2->text(), QStringLiteral("Piątek, 2005-01-28"));
    QVERIFY(!View()->DayPanel->CheckBox1->isChecked());
    QVERIFY(Marked(EncodeDate(2005, 1, 31)));
    QCOMPARE(Protected(), (QList<ListRow>{{NoSpecies, QString(), 1}}));

    QTest::keyClick(DayGrid(), Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(View()->MonthNameLabel->text(), QStringLiteral("Luty"));
    QVERIFY(View()->DayPanel->CheckBox1->isChecked());
    QCOMPARE(Protected(), (QList<ListRow>{{QStringLiteral("Lipień"), QStringLiteral("02-01 - 02-10"), 0}}));
    QCOMPARE(Platform::Records().size(), 0);
}

void CalendarFrmTest::protectedSpeciesFollowTheMonth()
{
    Start(EncodeDateTime(2005, 1, 15, 12, 0, 0, 0), Species);
    FocusCalendar();
    const ListRow szczupak{QStringLiteral("Szczupak"), QStringLiteral("01-01 - 04-30"), 0};
    const ListRow sandacz{QStringLiteral("Sandacz"), QStringLiteral("03-15 - 05-31"), 0};
    const ListRow troc{QStringLiteral("Troć"), QStringLiteral("10-01 - 02-28"), 0};
    const ListRow certa{QStringLiteral("Certa"), QStringLiteral("06-15 - 06-15"), 0};
    const ListRow none{NoSpecies, QString(), 1};
    // A period is listed in every month it touches, ordered by its first day.
    const QList<QList<ListRow>> expected = {{szczupak, troc},
                                            {szczupak, troc},
                                            {szczupak, sandacz},
                                            {szczupak, sandacz},
                                            {sandacz},
                                            {certa},
                                            {none},
                                            {none},
                                            {none},
                                            {troc},
                                            {troc},
                                            {troc}};
    for (int month = 1; month <= 12; ++month) {
        QCOMPARE(View()->MonthCalendar1->SelectedDate(), EncodeDate(2005, month, 15));
        QCOMPARE(Protected(), expected.at(month - 1));
        QTest::mouseClick(View()->MonthPanels->SpeedButton1, Qt::LeftButton);
    }
    QCOMPARE(View()->YearLabel->text(), QStringLiteral("2006"));
    QCOMPARE(Protected(), expected.first());
    QCOMPARE(Platform::Records().size(), 0);
}

void CalendarFrmTest::protectedListHeadingFitsBesideTheScrollBar()
{
    QString many = QStringLiteral("insert into ryby (nazwa,od,do) values ('Szczupak','0001-01-01','0001-04-30')");
    for (int i = 0; i < 12; ++i)
        many += QStringLiteral(",('Gatunek %1','0001-01-01','0001-01-31')").arg(i);
    Start(EncodeDateTime(2005, 1, 24, 10, 0, 0, 0), many + QLatin1Char(';'));
    QTRY_VERIFY(View()->MonthPanels->ListView1->verticalScrollBar()->isVisible());
    const QHeaderView *header = View()->MonthPanels->ListView1->header();
    const int needed = QFontMetrics(header->font()).horizontalAdvance(QStringLiteral("Okres ochronny mają aktualnie:"));
    QVERIFY2(header->sectionSize(0) >= needed + 8, qPrintable(QString::number(header->sectionSize(0))));
    const int period =
        QFontMetrics(View()->MonthPanels->ListView1->font()).horizontalAdvance(QStringLiteral("01-01 - 04-30"));
    QVERIFY(header->sectionSize(1) >= period + 8);
}

void CalendarFrmTest::tipsCycleInTheShuffledOrder()
{
    Start(EncodeDateTime(2005, 1, 24, 10, 0, 0, 0),
          QStringLiteral("insert into porady (porada,rodzaj_porady) values "
                         "('Regulamin: karta wędkarska zawsze przy sobie.',0),"
                         "('Pierwsza porada.',2),('Druga porada.',2),('Trzecia porada.',2);"));
    QCOMPARE(View()->MonthPanels->Memo1->toPlainText(),
             QStringLiteral("Regulamin: karta wędkarska zawsze przy sobie."));
    QTest::mouseClick(View()->MonthPanels->Label6, Qt::LeftButton);
    QCOMPARE(View()->MonthPanels->Memo1->toPlainText(),
             QStringLiteral("Regulamin: karta wędkarska zawsze przy sobie."));

    View()->MonthPanels->ComboBox2->setFocus();
    QTest::keyClick(View()->MonthPanels->ComboBox2, Qt::Key_Down);
    QTest::keyClick(View()->MonthPanels->ComboBox2, Qt::Key_Down);
    QCOMPARE(View()->MonthPanels->ComboBox2->currentIndex(), 2);
    QStringList shown{View()->MonthPanels->Memo1->toPlainText()};
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(View()->MonthPanels->Label6, Qt::LeftButton);
        shown << View()->MonthPanels->Memo1->toPlainText();
    }
    QCOMPARE(shown.at(3), shown.at(0));
    QStringList distinct = shown.mid(0, 3);
    distinct.sort();
    QCOMPARE(distinct, (QStringList{"Druga porada.", "Pierwsza porada.", "Trzecia porada."}));
    QCOMPARE(View()->MonthPanels->TipIndex, 0);

    QTest::keyClick(View()->MonthPanels->ComboBox2, Qt::Key_Down);
    QCOMPARE(View()->MonthPanels->Memo1->toPlainText(), QStringLiteral("Brak porad na ten miesiąc..."));
    QTest::mouseClick(View()->MonthPanels->Label6, Qt::LeftButton);
    QCOMPARE(View()->MonthPanels->Memo1->toPlainText(), QStringLiteral("Brak porad na ten miesiąc..."));
    QCOMPARE(Platform::Records().size(), 0);
}

void CalendarFrmTest::tabVisitsTheViewInReadingOrder()
{
    Start(EncodeDateTime(2005, 1, 24, 10, 0, 0, 0),
          QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values ('2005-01-24','Lin',0,0);"
                         "insert into porady (porada,rodzaj_porady) values ('Pierwsza.',0),('Druga.',0);"));
    FocusCalendar();
    QList<QWidget *> visited;
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        // Tab crosses the diary grid's cells before it leaves the grid.
        if (visited.isEmpty() || visited.last() != QApplication::focusWidget())
            visited << QApplication::focusWidget();
    }
    // The day panel's links are stops too, so the catch log, the permit and the sky's
    // place are a keyboard's reach away.
    const QList<QWidget *> expected{View()->MonthPanels->SpeedButton2, View()->MonthPanels->SpeedButton1,
                                    View()->DayPanel->PermitLink,      View()->DayPanel->SkyPanel->PlaceLabel,
                                    View()->DayPanel->CheckBox1,       View()->DayPanel->CatchLogLink,
                                    View()->DayPanel->DBGrid1};
    QCOMPARE(visited.mid(0, 7), expected);
    const qsizetype link = visited.indexOf(View()->MonthPanels->Label6);
    QVERIFY(link > visited.indexOf(View()->MonthPanels->ComboBox2));
    QCOMPARE(visited.at(link + 1), View()->MonthPanels->Memo1);
    QCOMPARE(visited.at(link + 2), View()->MonthPanels->ListView1);

    // The link acts from the keyboard, and Tab leaves the tip text.
    const QString before = View()->MonthPanels->Memo1->toPlainText();
    View()->MonthPanels->Label6->setFocus();
    QTest::keyClick(View()->MonthPanels->Label6, Qt::Key_Space);
    QVERIFY(View()->MonthPanels->Memo1->toPlainText() != before);
    View()->MonthPanels->Memo1->setFocus();
    QTest::keyClick(View()->MonthPanels->Memo1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), View()->MonthPanels->ListView1);
}

void CalendarFrmTest::theKeyboardOpensTheLinksAndLeavesALongDiary()
{
    QString rows;
    for (int i = 0; i < 10; ++i)
        rows += QStringLiteral("('2005-01-24','Płoć',0.2,%1),").arg(15 + i);
    rows.chop(1);
    Start(EncodeDateTime(2005, 1, 24, 10, 0, 0, 0),
          QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc) values ") + rows + QLatin1Char(';'));
    CalendarDayPanel *panel = View()->DayPanel;
    auto opened = [] {
        QStringList names;
        for (const Platform::Record &record : Platform::Records())
            if (record.kind == QStringLiteral("modal"))
                names << record.text;
        return names;
    };
    // Enter or Space on a link opens what it names; Ctrl+D opens the log from anywhere.
    panel->CatchLogLink->setFocus();
    QTest::keyClick(panel->CatchLogLink, Qt::Key_Return);
    panel->SkyPanel->PlaceLabel->setFocus();
    QTest::keyClick(panel->SkyPanel->PlaceLabel, Qt::Key_Space);
    QCOMPARE(opened(), (QStringList{"CatchLogFrm", "SkyPlaceFrm"}));
    QVERIFY(panel->CatchLogLink->toolTip().endsWith(QStringLiteral("(Ctrl+D)")));

    // From a cell being edited in the middle of ten rows, Ctrl+Tab leaves the grid
    // forwards and Ctrl+Shift+Tab backwards, keeping what was typed.
    TDBGrid *grid = panel->DBGrid1;
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(5, 3));
    grid->edit(grid->currentIndex());
    QTRY_VERIFY(grid->CellEditor());
    QTest::keyClicks(grid->CellEditor(), "Warta");
    QTest::keyClick(grid->CellEditor(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), panel->DBNavigator1->TabStops().first());
    QCOMPARE(grid->model()->index(5, 3).data().toString(), QStringLiteral("Warta"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), panel->CatchLogLink);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(opened().size(), 3);

    // After "+" the cursor waits in the new row's species, which comes last, in the
    // order the catches were entered.
    grid->setCurrentIndex(grid->model()->index(2, 2));
    panel->DBNavigator1->Button(TNavigateBtn::nbInsert)->click();
    QCOMPARE(opened().size(), 4);
    QCOMPARE(QApplication::focusWidget() == grid || grid->isAncestorOf(QApplication::focusWidget()), true);
    QCOMPARE(grid->currentIndex().column(), 0);
    QCOMPARE(grid->currentIndex().row(), 10);
    QCOMPARE(View()->dziennikTable->DisplayRow(), 10);
}

void CalendarFrmTest::theSelectedDaysSkyForTheChosenPlace()
{
    Start(EncodeDateTime(2005, 1, 24, 10, 0, 0, 0));
    TSkyPanel *sky = View()->DayPanel->SkyPanel;
    QCOMPARE(sky->PlaceLabel->text(), QStringLiteral("Środek Polski"));
    QVERIFY2(sky->PhaseLabel->text().startsWith(QStringLiteral("Przybywający garb, ")),
             qPrintable(sky->PhaseLabel->text()));

    // The full moon of 25 January (10:32 UTC) is marked in its cell and named when picked.
    int row = 0, col = 0;
    TCustomMonthCalendar::CellOfDate(EncodeDate(2005, 1, 25), row, col);
    const TRect r = View()->MonthCalendar1->CellRect(row, col);
    QCOMPARE(DayGrid()->grab().toImage().pixelColor(r.Left + 11, r.Top + 11), QColor(250, 226, 120));
    FocusCalendar();
    QTest::mouseClick(DayGrid(), Qt::LeftButton, {}, QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    QCOMPARE(View()->MonthCalendar1->SelectedDate(), EncodeDate(2005, 1, 25));
    QCOMPARE(sky->PhaseLabel->text(), QStringLiteral("Pełnia, 100%"));
    const QString centreSun = sky->SunLabel->text();

    QString shownLatitude;
    auto choose = [&shownLatitude](const QString &place, const QString &latitude = {}, const QString &longitude = {}) {
        Platform::SetModalHandler([=, &shownLatitude](QDialog *shown) {
            auto *dialog = qobject_cast<TSkyPlaceFrm *>(shown);
            if (!dialog)
                return int(QDialog::Rejected);
            shownLatitude = dialog->LatitudeEdit->text();
            dialog->PlaceCombo->setCurrentIndex(dialog->PlaceCombo->findText(place));
            if (dialog->LatitudeEdit->isEnabled()) {
                for (auto [edit, text] :
                     {std::pair{dialog->LatitudeEdit, latitude}, {dialog->LongitudeEdit, longitude}}) {
                    edit->selectAll();
                    QTest::keyClicks(edit, text);
                }
                TestSupport::SavePng(dialog, QStringLiteral("SkyPlaceFrm"));
            }
            QTest::mouseClick(dialog->OkButton, Qt::LeftButton);
            return dialog->result();
        });
    };
    // Gdańsk: its sky at once, and again at the next start.
    choose(QStringLiteral("Gdańsk"));
    QTest::mouseClick(sky->PlaceLabel, Qt::LeftButton);
    QCOMPARE(sky->PlaceLabel->text(), QStringLiteral("Gdańsk"));
    QVERIFY(sky->SunLabel->text() != centreSun);
    DestroyWindows();
    Platform::ClearTestState();
    Start(EncodeDateTime(2005, 1, 25, 10, 0, 0, 0));
    sky = View()->DayPanel->SkyPanel;
    QCOMPARE(sky->PlaceLabel->text(), QStringLiteral("Gdańsk"));

    const QString own = QStringLiteral("Własne współrzędne");
    choose(own, QStringLiteral("49,5"), QStringLiteral("22.3"));
    QTest::mouseClick(sky->PlaceLabel, Qt::LeftButton);
    QCOMPARE(sky->PlaceLabel->text(), QStringLiteral("49,50° N, 22,30° E"));
    QCOMPARE(SkyPlaces::Load().site, (Astronomy::Site{49.5, 22.3}));

    // The whole globe, with the hemisphere as a sign or a letter, shown back as a letter.
    choose(own, QStringLiteral("78,2"), QStringLiteral("15.6"));
    QTest::mouseClick(sky->PlaceLabel, Qt::LeftButton);
    QCOMPARE(sky->PlaceLabel->text(), QStringLiteral("78,20° N, 15,60° E"));
    choose(own, QStringLiteral("-34"), QStringLiteral("58,4 W"));
    QTest::mouseClick(sky->PlaceLabel, Qt::LeftButton);
    QCOMPARE(sky->PlaceLabel->text(), QStringLiteral("34,00° S, 58,40° W"));
    QCOMPARE(SkyPlaces::Load().site, (Astronomy::Site{-34, -58.4}));

    // A number that is wrong is never changed into another: the dialog says what is
    // allowed and stays open.
    Platform::ClearTestState();
    for (const auto &[latitude, longitude] :
         {std::pair{"90,5", "0"}, {"-12 S", "0"}, {"1e1", "0"}, {"45", "180,01"}, {"45", "abc"}}) {
        choose(own, QString::fromUtf8(latitude), QString::fromUtf8(longitude));
        QTest::mouseClick(sky->PlaceLabel, Qt::LeftButton);
        QCOMPARE(sky->PlaceLabel->text(), QStringLiteral("34,00° S, 58,40° W"));
    }
    QCOMPARE(shownLatitude, QStringLiteral("34,0000° S"));
    QCOMPARE(Platform::Records().size(), 10); // each a dialog and its message
    QVERIFY(Platform::Records().at(1).text.startsWith(QStringLiteral("Szerokość geograficzna musi być liczbą")));
    QVERIFY(Platform::Records().last().text.startsWith(QStringLiteral("Długość geograficzna musi być liczbą")));

    // Through a whole lunar month, with the longest phase names and place texts, no text
    // of the day panel is cut or runs into another.
    for (int day = 0; day < 30; ++day) {
        sky->ShowDay(EncodeDate(2026, 12, 1) + day);
        QList<QPair<QString, QRect>> drawn;
        for (QLabel *label : View()->DayPanel->findChildren<QLabel *>()) {
            if (!label->isVisible() || label->text().isEmpty() || label->pixmap().isNull() == false)
                continue;
            const int advance = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(advance <= label->width(), qPrintable(label->objectName() + ": " + label->text()));
            const QPoint at = label->mapTo(View()->DayPanel, QPoint(0, 0));
            const QRect text(at, QSize(advance, label->height()));
            for (const auto &[other, rect] : drawn)
                QVERIFY2(!rect.intersects(text), qPrintable(label->text() + " / " + other));
            drawn.append({label->text(), text});
        }
    }
}

void CalendarFrmTest::screenshot()
{
    Start(EncodeDateTime(2005, 4, 12, 10, 0, 0, 0),
          Species +
              QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc,miejsce) values "
                             "('2005-04-02','Płoć',0.3,22,'Zalew Zegrzyński'),"
                             "('2005-04-12','Szczupak',3.2,71,'Jezioro Śniardwy'),"
                             "('2005-04-12','Okoń',0.45,28,'Jezioro Śniardwy'),"
                             "('2005-04-12','Leszcz',1.8,46,'Wisła, Kępa Potocka'),"
                             "('2005-04-23','Karp',4.6,58,'Staw w Rybnie');"
                             "insert into porady (porada,rodzaj_porady) values "
                             "('Przed wyjazdem nad wodę sprawdź, czy masz przy sobie kartę wędkarską i aktualne "
                             "zezwolenie na połów w danym łowisku. Kontrolujący może poprosić o oba dokumenty.',0);"));
    QVERIFY(View()->DayPanel->CheckBox1->isChecked());
    QVERIFY(Marked(EncodeDate(2005, 4, 2)));
    QVERIFY(Marked(EncodeDate(2005, 4, 23)));
    TestSupport::SavePng(View(), QStringLiteral("CalendarFrm"));
    TestSupport::SavePng(Windows().MainFrm, QStringLiteral("CalendarFrm_main"));
}

RYBOWID_APP_TEST_MAIN(CalendarFrmTest)
#include "tst_CalendarFrm.moc"
