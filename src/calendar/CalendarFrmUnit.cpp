#include "calendar/CalendarFrmUnit.h"

#include "base/CalendarNames.h"
#include "base/Clock.h"
#include "base/Exception.h"
#include "base/ProgramPaths.h"
#include "calendar/TCatchGuard.h"
#include "calendar/TMonthCalendar.h"
#include "calendar/TMonthCalendarColors.h"
#include "calendar/TSkyPanel.h"
#include "data/TDbConnection.h"
#include "data/TDbQuery.h"
#include "data/TDbTable.h"
#include "data/TField.h"
#include "diary/CalendarStatements.h"
#include "diary/DayDiary.h"
#include "sky/CatchSky.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBGrid.h"
#include "widgets/TDBNavigator.h"
#include "widgets/TDataSource.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TListView.h"
#include "widgets/Utils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

namespace {
const QColor HeadingColor(0, 0, 128);

// The first day of a day's month at midnight, and its last at 23:59:59.999.
std::pair<TDateTime, TDateTime> MonthOf(TDateTime day)
{
    const QDate date = ToQDate(day);
    return {EncodeDate(date.year(), date.month(), 1),
            EncodeDateTime(date.year(), date.month(), date.daysInMonth(), 23, 59, 59, 999)};
}
} // namespace

TCalendarFrm::TCalendarFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CalendarFrm"));
    setWindowTitle(QStringLiteral("Kalendarz"));
    resize(767, 426);
    SetViewBackground(this);

    CreateDataSets();
    CreateControls();
    ApplyCalendarSettings();
    FormCreate();

    // Narrowed to the day the grid starts on, which is the day the first show selects:
    // the rows of a long diary are never all read. A database that cannot be opened is
    // reported and the view still comes up, empty.
    try {
        m_diary->Open(ToQDate(SelectedDay()));
    } catch (...) {
        ShowCurrentException();
    }
}

TCalendarFrm::~TCalendarFrm()
{
    m_diary->Leave();
    // The controls bound to the diary go before the data link and the table they watch,
    // and the grid stops calling back into a view being torn down.
    MonthCalendar1->SetOnWorkingDateChange(nullptr);
    MonthCalendar1->SetOnSelectedDateChange(nullptr);
    MonthCalendar1->SetOnPaintCell(nullptr);
    delete DayPanel;
}

void TCalendarFrm::CreateDataSets()
{
    TDbConnection *const connection = Windows().DataBase;
    AssignedDays = new TDbQuery(this);
    AssignedDays->setObjectName(QStringLiteral("AssignedDays"));
    AssignedDays->SetConnection(connection);

    m_diary = new DayDiary(connection, this);
    m_diary->MoonPhaseOf = [this](QDate day, QTime hour) {
        const TDateTime date = FromQDate(day);
        if (hour.isValid())
            return MoonPhaseName(MoonPhaseAt(date + hour.msecsSinceStartOfDay() / 86'400'000.0));
        if (date == DayPanel->SkyPanel->Sky().day)
            return MoonPhaseName(DayPanel->SkyPanel->Sky().phase);
        return MoonPhaseName(SkyOfDay(date, DayPanel->SkyPanel->Place().site).phase);
    };
    dziennikTable = m_diary->Table();
    dziennikTable->AfterEdit = [this](TDbBaseQuery *dataSet) { dziennikTableAfterEdit(dataSet); };

    DataSource1 = new TDataSource(this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->SetDataSet(dziennikTable);
}

void TCalendarFrm::CreateControls()
{
    // Handlers run through the data link's guard, which reports what they throw.
    auto guarded = [this](void (TCalendarFrm::*handler)()) {
        return [this, handler] { TDataSource::Guard([this, handler] { (this->*handler)(); }); };
    };
    MonthNameLabel = new QLabel(this);
    MonthNameLabel->setObjectName(QStringLiteral("MonthNameLabel"));
    MonthNameLabel->setGeometry(6, 6, 300, 28);
    YearLabel = new QLabel(this);
    YearLabel->setObjectName(QStringLiteral("YearLabel"));
    YearLabel->setGeometry(306, 6, 200, 28);
    YearLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel *heading : {MonthNameLabel, YearLabel}) {
        heading->setFont(ProgramFont(16, true));
        QPalette navy = heading->palette();
        navy.setColor(QPalette::WindowText, HeadingColor);
        heading->setPalette(navy);
    }

    MonthPanels = new MonthStrip(Windows().DataBase, this);
    MonthPanels->move(6, 332);
    connect(MonthPanels->ComboBox2, &QComboBox::activated, this, guarded(&TCalendarFrm::ComboBox2Click));
    connect(MonthPanels->Label6, &TLinkLabel::clicked, this, guarded(&TCalendarFrm::Label6Click));
    connect(MonthPanels->SpeedButton1, &QToolButton::clicked, this, guarded(&TCalendarFrm::SpeedButton1Click));
    connect(MonthPanels->SpeedButton2, &QToolButton::clicked, this, guarded(&TCalendarFrm::SpeedButton2Click));

    DayPanel = new CalendarDayPanel(DataSource1, this);
    DayPanel->setGeometry(512, 6, 249, 322);
    // Only a real toggle acts, by mouse or by the space bar; a click beside the caption
    // or with another button changes nothing and so does nothing.
    connect(DayPanel->CheckBox1, &QCheckBox::clicked, this,
            [this](bool ticked) { TDataSource::Guard([this, ticked] { CheckBox1MouseUp(!ticked); }); });
    DayPanel->DBNavigator1->BeforeAction = [this](TNavigateBtn button, bool &handled) {
        DBNavigator1BeforeAction(button, handled);
    };
    connect(DayPanel->Button1, &QPushButton::clicked, this, guarded(&TCalendarFrm::Button1Click));
    connect(DayPanel->Button2, &QPushButton::clicked, this, guarded(&TCalendarFrm::Button2Click));
    SetDiaryControlsEnabled(false);
    CatchGuard = new TCatchGuard(m_diary, DayPanel->DBGrid1, this);

    MonthCalendar1 = new TMonthCalendar(this);
    MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    MonthCalendar1->setGeometry(6, 36, 500, 292);

    // Tab follows the reading order: the month, the day's diary, the tips and the list.
    QList<QWidget *> chain{MonthCalendar1->DayGrid(), MonthPanels->SpeedButton2, MonthPanels->SpeedButton1};
    chain << DayPanel->TabStops() << MonthPanels->ComboBox2 << MonthPanels->Label6 << MonthPanels->Memo1
          << MonthPanels->ListView1;
    SetTabChain(chain);
}

void TCalendarFrm::ApplyCalendarSettings()
{
    TMonthCalendarColors colors;
    colors.SetWeekdayTextColor(clBlack);
    colors.SetWeekendBackgroundColor(RgbColor(208, 220, 223));
    colors.SetDayNamesBackgroundColor(clSilver);
    colors.SetOtherMonthDayTextColor(RgbColor(171, 208, 235));
    MonthCalendar1->SetCalendarColors(colors);
    MonthCalendar1->SetCalendarFont(ProgramFont(8));
    auto dateChange = [this](QObject *sender) {
        TDataSource::Guard([this, sender] { MonthCalendar1SelectedDateChange(sender); });
    };
    MonthCalendar1->SetOnWorkingDateChange(dateChange);
    MonthCalendar1->SetOnSelectedDateChange(dateChange);
    MonthCalendar1->SetOnPaintCell(
        [this](QObject *sender, int row, int col, TRect &rect, TGridDrawState state, TDateTime date) {
            MonthCalendar1PaintCell(sender, row, col, rect, state, date);
        });
}

void TCalendarFrm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        TDataSource::Guard([this] { FormShow(); });
}

TDateTime TCalendarFrm::SelectedDay() const
{
    return MonthCalendar1->SelectedDate();
}

void TCalendarFrm::FormCreate()
{
    MonthCalendar1->SetDoubleBuffered(true);
}

void TCalendarFrm::FormShow()
{
    CatchGuard->Prepare();
    MonthCalendar1->SetSelectedDate(Clock::Now());
    MonthCalendar1SelectedDateChange(MonthCalendar1);
    RefreshMonth();
}

void TCalendarFrm::MonthCalendar1SelectedDateChange(QObject *)
{
    // A month on screen that is not the selected day's (a step before the grid ever had
    // the focus, a year step) would leave the labels, the diary, the marks and the
    // protected species naming another month than the one shown: the day moves with it.
    const TDateTime working = MonthCalendar1->WorkingDate();
    if (MonthOf(working) != MonthOf(SelectedDay()) && !m_followingWorkingDate) {
        m_followingWorkingDate = true;
        MonthCalendar1->SetSelectedDate(working);
        m_followingWorkingDate = false;
        return; // the commit's own notification has shown the new day
    }
    const TDateTime day = SelectedDay();
    int year = 0, month = 0, dayOfMonth = 0;
    DecodeDate(day, year, month, dayOfMonth);
    MonthNameLabel->setText(MonthNames[size_t(month)]);
    YearLabel->setText(QString::number(year));
    DayPanel->Label2->setText(DayNames[size_t(DayOfWeek(day))] + QStringLiteral(", ") + DayText(day));
    DayPanel->SkyPanel->ShowDay(day);

    // The day on show keeps its rows as they are: the row being typed, and no second
    // read for the second of the two notifications every click fires.
    if (ToQDate(day) == m_diary->Day() && dziennikTable->Active())
        return;
    // Re-reading the diary would drop what was typed and not yet posted: post it first.
    // When that fails the grid goes back to the day of the pending row.
    if (!SettleDiary()) {
        MonthCalendar1->SetSelectedDate(FromQDate(m_diary->Day()));
        return;
    }
    ShowDayCatches(day);
    if (MonthOf(day).first != m_panelsMonth)
        RefreshMonth();
}

void TCalendarFrm::SpeedButton1Click()
{
    MonthCalendar1->NextMonth();
    MonthCalendar1SelectedDateChange(MonthPanels->SpeedButton1);
}

void TCalendarFrm::SpeedButton2Click()
{
    MonthCalendar1->PrevMonth();
    MonthCalendar1SelectedDateChange(MonthPanels->SpeedButton2);
}

void TCalendarFrm::RefreshMonth()
{
    m_panelsMonth = MonthOf(SelectedDay()).first;
    RefreshAssignedDays();
    RefreshMonthPanels();
}

void TCalendarFrm::RefreshAssignedDays()
{
    // The marks are read once per refresh; the paint callback only looks them up. A
    // re-read that fails (a locked file) leaves the marks on screen as they were.
    std::set<TDateTime> marked;
    if (m_diary->HasData()) {
        AssignedDays->SetSQL(CalendarStatements::AssignedDays(MonthOf(SelectedDay()).first));
        AssignedDays->Open();
        TField *const data = AssignedDays->FindField(QStringLiteral("data"));
        for (AssignedDays->First(); data && !AssignedDays->Eof(); AssignedDays->Next()) {
            try {
                marked.insert(data->AsDateTime());
            } catch (const Exception &) {
                // A date that does not read marks nothing.
            }
        }
    }
    m_markedDays.swap(marked);
    MonthCalendar1->Repaint();
}

void TCalendarFrm::MonthCalendar1PaintCell(QObject *, int, int, TRect &Rect, TGridDrawState, TDateTime Date)
{
    try {
        const std::optional<MoonPhase> phase = DayPanel->SkyPanel->NewOrFullMoonOn(Date);
        if (QPainter *painter = MonthCalendar1->CellCanvas()->Painter(); phase && painter)
            TSkyPanel::PaintPhaseMark(
                painter, QRect(Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top), *phase);
        if (m_markedDays.find(Date) == m_markedDays.end())
            return;
        TCanvas *canvas = MonthCalendar1->CellCanvas();
        canvas->Brush().Color = clNavy;
        canvas->Rectangle(Rect.Left + 60, Rect.Top + 20, Rect.Left + 50, Rect.Top + 30);
    } catch (...) {
        // A mark that cannot be drawn leaves the cell unmarked.
    }
}

void TCalendarFrm::RefreshMonthPanels()
{
    const auto [start, end] = MonthOf(SelectedDay());
    MonthPanels->ShowMonth(start, end, m_diary->HasData());
}
