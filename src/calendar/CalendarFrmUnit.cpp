#include "calendar/CalendarFrmUnit.h"

#include "base/Clock.h"
#include "base/Exception.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarNames.h"
#include "calendar/TCatchGuard.h"
#include "calendar/TMonthCalendar.h"
#include "calendar/TMonthCalendarColors.h"
#include "calendar/TSkyPanel.h"
#include "data/TDbConnection.h"
#include "data/TDbQuery.h"
#include "data/TDbTable.h"
#include "data/TField.h"
#include "diary/CalendarStatements.h"
#include "diary/CatchValues.h"
#include "widgets/AppWindows.h"
#include "widgets/Artwork.h"
#include "widgets/Platform.h"
#include "widgets/TDBGrid.h"
#include "widgets/TDBNavigator.h"
#include "widgets/TDataSource.h"
#include "widgets/TImage.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TListView.h"
#include "widgets/Utils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <algorithm>
#include <limits>
#include <utility>

namespace {
const QColor HeadingColor(0, 0, 128);

QToolButton *MakeMonthButton(QWidget *parent, const char *name, const QString &artwork, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(ArtworkIcon(artwork + QStringLiteral(".png"), artwork + QStringLiteral("_szara.png")));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(hint);
    // A click never takes the keyboard focus from the grid; Tab reaches it.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void FirstAndLastOfMonth(TDateTime day, TDateTime &first, TDateTime &last)
{
    int year = 0, month = 0, dayOfMonth = 0;
    DecodeDate(day, year, month, dayOfMonth);
    first = EncodeDate(year, month, 1);
    last = EncodeDateTime(year, month, DaysInMonth(year, month), 23, 59, 59, 999);
}
} // namespace

TCalendarFrm::TCalendarFrm(QWidget *parent) : QWidget(parent), m_shownDay(std::numeric_limits<TDateTime>::quiet_NaN())
{
    setObjectName(QStringLiteral("CalendarFrm"));
    setWindowTitle(QStringLiteral("Kalendarz"));
    resize(767, 426);
    SetViewBackground(this);

    CreateDataSets();
    CreateControls();
    ApplyCalendarSettings();
    FormCreate();

    // A database that cannot be opened is reported; the view still comes up, empty.
    // Without a connection the main window has already said why.
    if (HasData()) {
        try {
            // Narrowed to the day the grid starts on, which is the day the first show
            // selects: the rows of a long diary are never all read.
            try {
                dziennikTable->SetFilter(CalendarStatements::DayFilter(SelectedDay()));
                dziennikTable->SetFiltered(true);
            } catch (const Exception &) {
                // Told in the engine's own words, as the open of the whole table tells it.
                if (!dziennikTable->Active())
                    dziennikTable->Open();
            }
        } catch (...) {
            ShowCurrentException();
        }
    }
}

TCalendarFrm::~TCalendarFrm()
{
    // Ending the program without closing the window (a logout) leaves the day too; what
    // was typed and not saved is gone by then.
    try {
        if (dziennikTable->Active())
            dziennikTable->Cancel();
    } catch (const std::exception &) {
    }
    DropUnfilledRows();
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
    auto makeQuery = [this, connection](const char *name) {
        auto *query = new TDbQuery(this);
        query->setObjectName(QLatin1String(name));
        query->SetConnection(connection);
        return query;
    };
    AssignedDays = makeQuery("AssignedDays");
    TipsQuery = makeQuery("TipsQuery");
    TipsQuery2 = makeQuery("TipsQuery2");
    Query = makeQuery("Query");

    dziennikTable = new TDbTable(this);
    dziennikTable->setObjectName(QStringLiteral("dziennikTable"));
    dziennikTable->SetConnection(connection);
    dziennikTable->TableName = QStringLiteral("dziennik");
    dziennikTable->AfterEdit = [this](TDbBaseQuery *dataSet) { dziennikTableAfterEdit(dataSet); };
    // However a row is started (navigator, grid, the details dialog), it belongs to the
    // selected day. Written here it does not count as a change, so an untouched new row
    // is still dropped when the user leaves it.
    dziennikTable->OnNewRecord = [this](TDbBaseQuery *) {
        if (TField *data = dziennikTable->FindField(QStringLiteral("data")))
            data->SetAsDateTime(SelectedDay());
        if (TField *phase = dziennikTable->FindField(QStringLiteral("faza_ksiezyca")))
            phase->SetAsString(MoonPhaseOf(SelectedDay()));
        // A fish is kept unless the angler says it went back.
        if (TField *kept = dziennikTable->FindField(QStringLiteral("zabrana")))
            kept->SetAsString(QStringLiteral("1"));
    };

    // A weight or length the angler writes must be one a fish can have; what a file
    // already holds is kept and shown as it is, so only the columns written since the
    // row was started or opened for editing are checked.
    auto forgetWritten = [this](TDbBaseQuery *) { m_writtenColumns.clear(); };
    dziennikTable->BeforeEdit = forgetWritten;
    dziennikTable->BeforeInsert = forgetWritten;
    connect(dziennikTable, &TDbBaseQuery::fieldChanged, this, [this](TField *field) {
        if (field)
            m_writtenColumns.insert(field->FieldName().toLower());
    });
    dziennikTable->BeforePost = [this](TDbBaseQuery *) {
        m_postingInsert = dziennikTable->State() == TDataSetState::dsInsert;
        for (const QString &column : {QStringLiteral("waga"), QStringLiteral("dlugosc")}) {
            TField *field = m_writtenColumns.contains(column) ? dziennikTable->FindField(column) : nullptr;
            if (!field)
                continue;
            // A cleared value is an unmeasured fish, kept as 0 like the day's first row:
            // a stored null would make the whole day unreadable.
            if (field->IsNull()) {
                field->SetAsFloat(0);
                continue;
            }
            const QString refusal = CatchValues::Refusal(column, field->AsFloat());
            if (!refusal.isEmpty())
                throw Exception(refusal);
        }
    };
    dziennikTable->AfterPost = [this](TDbBaseQuery *) {
        if (std::exchange(m_postingInsert, false))
            m_startedRows.insert(dziennikTable->RowId());
    };

    DataSource1 = new TDataSource(this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->SetDataSet(dziennikTable);
}

void TCalendarFrm::CreateControls()
{
    const QString artwork = ProgramDir() + QStringLiteral("data/grafika/");

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

    SpeedButton1 = MakeMonthButton(this, "SpeedButton1", artwork + QStringLiteral("strzalka_prawo"),
                                   QStringLiteral("Następny miesiąc"));
    SpeedButton1->setGeometry(472, 332, 22, 22);
    SpeedButton2 = MakeMonthButton(this, "SpeedButton2", artwork + QStringLiteral("strzalka_lewo"),
                                   QStringLiteral("Poprzedni miesiąc"));
    SpeedButton2->setGeometry(448, 332, 22, 22);
    Label64 = new QLabel(QStringLiteral("Miesiąc:"), this);
    Label64->setObjectName(QStringLiteral("Label64"));
    Label64->setGeometry(368, 332, 76, 22);
    Label64->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { TDataSource::Guard([this] { SpeedButton1Click(); }); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { TDataSource::Guard([this] { SpeedButton2Click(); }); });

    DayPanel = new QFrame(this);
    DayPanel->setObjectName(QStringLiteral("DayPanel"));
    DayPanel->setGeometry(512, 6, 249, 322);
    DayPanel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    Label1 = MakeLabel(DayPanel, "Label1", QStringLiteral("Wybrany dzień:"), 8, 10);
    Label2 = new QLabel(DayPanel);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 28, 180, 18);
    Label2->setFont(ProgramFont(9, true));

    Image1 = new TImage(DayPanel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(DayPanel->width() - 8 - 48, 6, 48, 48);
    Image1->SetPicture(ArtworkImage(artwork + QStringLiteral("dzien.png")));

    SkyPanel = new TSkyPanel(DayPanel);
    SkyPanel->setGeometry(3, 52, 243, SkyPanel->height());
    const int diaryTop = SkyPanel->geometry().bottom() + 2;

    CheckBox1 = new QCheckBox(QStringLiteral("Złowione ryby"), DayPanel);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(8, diaryTop, 160, 20);
    CheckBox1->adjustSize();
    // Only a real toggle acts, by mouse or by the space bar; a click beside the caption
    // or with another button changes nothing and so does nothing.
    connect(CheckBox1, &QCheckBox::clicked, this,
            [this](bool ticked) { TDataSource::Guard([this, ticked] { CheckBox1MouseUp(!ticked); }); });
    auto *logLink = new TLinkLabel(QStringLiteral("Dziennik połowów"), DayPanel);
    logLink->setObjectName(QStringLiteral("CatchLogLink"));
    logLink->setToolTip(QStringLiteral("Wszystkie połowy: wyszukiwanie, statystyki, eksport i kopia zapasowa"));
    logLink->setStyleSheet(QStringLiteral("color: #000080; text-decoration: underline"));
    logLink->adjustSize();
    // On the diary's own row, at the right: the sky's lines above run as long as a phase
    // name and a percentage make them.
    logLink->move(DayPanel->width() - 8 - logLink->width(),
                  CheckBox1->y() + (CheckBox1->height() - logLink->height()) / 2);
    connect(logLink, &TLinkLabel::clicked, this, [] { Windows().OpenCatchLog ? Windows().OpenCatchLog() : void(); });
    auto *permitLink = new TLinkLabel(QStringLiteral("Moje zezwolenie"), DayPanel);
    permitLink->setObjectName(QStringLiteral("PermitLink"));
    permitLink->setToolTip(QStringLiteral("Zasady z Twojego zezwolenia: wymiary, okresy i limity dzienne"));
    permitLink->setStyleSheet(logLink->styleSheet());
    permitLink->adjustSize();
    permitLink->move(Label1->x() + Label1->sizeHint().width() + 10, Label1->y());
    connect(permitLink, &TLinkLabel::clicked, this, [] { Windows().OpenPermit ? Windows().OpenPermit() : void(); });

    DBGrid1 = new TDBGrid(DayPanel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    // The designer's widths (80, 25, 33, 88) were measured for a narrower face: with this
    // one a weight such as 12,75 no longer fits 25 pixels, so the same total is shared out
    // to keep two decimals readable.
    DBGrid1->AddColumn(QStringLiteral("gatunek"), QStringLiteral("Gatunek"), 62);
    DBGrid1->AddColumn(QStringLiteral("waga"), QStringLiteral("Kg."), 40);
    DBGrid1->AddColumn(QStringLiteral("dlugosc"), QStringLiteral("Dł.cm."), 36);
    DBGrid1->AddColumn(QStringLiteral("miejsce"), QStringLiteral("Miejsce"), 62);
    DBGrid1->AddCheckColumn(QStringLiteral("zabrana"), QStringLiteral("Zabr."), 26);
    DBGrid1->SetDataSource(DataSource1);
    DBGrid1->horizontalHeader()->setFont(ProgramFont(7));
    DBGrid1->setGeometry(3, diaryTop + 22, 243, 282 - (diaryTop + 22));

    DBNavigator1 = new TDBNavigator(DayPanel);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->SetVisibleButtons({TNavigateBtn::nbInsert, TNavigateBtn::nbPost, TNavigateBtn::nbCancel});
    DBNavigator1->SetFlat(true);
    DBNavigator1->SetDataSource(DataSource1);
    DBNavigator1->setGeometry(4, 289, 75, 25);
    DBNavigator1->BeforeAction = [this](TNavigateBtn button, bool &handled) {
        DBNavigator1BeforeAction(button, handled);
    };

    Button1 = new QPushButton(QStringLiteral("&Szczegóły"), DayPanel);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Więcej informacji o złowionej rybie"));
    Button1->setGeometry(101, 289, 80, 25);
    Button2 = new QPushButton(QStringLiteral("&Usuń"), DayPanel);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setToolTip(QStringLiteral("Skasuj wybrany opis ryby"));
    Button2->setGeometry(185, 289, 60, 25);
    for (QPushButton *button : {Button1, Button2}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
    }
    connect(Button1, &QPushButton::clicked, this, [this] { TDataSource::Guard([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { TDataSource::Guard([this] { Button2Click(); }); });
    SetDiaryControlsEnabled(false);
    CatchGuard = new TCatchGuard(this);

    Label11 = new QLabel(QStringLiteral("Porady z kategorii:"), this);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setGeometry(6, 332, 104, 22);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(false);
    ComboBox2->addItems({QStringLiteral("Regulamin"), QStringLiteral("Wymiary i okresy ochronne"),
                         QStringLiteral("Porady wędkarskie"), QStringLiteral("Biologia i ochrona środowiska")});
    for (int i = 0; i < ComboBox2->count(); ++i)
        ComboBox2->setItemData(i, QSize(0, 16), Qt::SizeHintRole);
    ComboBox2->setCurrentIndex(0);
    ComboBox2->setGeometry(112, 332, 196, 22);
    connect(ComboBox2, &QComboBox::activated, this, [this] { TDataSource::Guard([this] { ComboBox2Click(); }); });

    Label6 = new TLinkLabel(QStringLiteral("Następna >>"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    QFont linkFont = Label6->font();
    linkFont.setUnderline(true);
    Label6->setFont(linkFont);
    QPalette navy = Label6->palette();
    navy.setColor(QPalette::WindowText, HeadingColor);
    Label6->setPalette(navy);
    Label6->move(318, 336);
    Label6->adjustSize();
    connect(Label6, &TLinkLabel::clicked, this, [this] { TDataSource::Guard([this] { Label6Click(); }); });

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setGeometry(6, 358, 488, 62);

    ListView1 = new TListView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    // A little wider than the day panel above it, so that the species list keeps its
    // heading whole beside a scroll bar.
    ListView1->setGeometry(500, 332, 261, 88);
    ListView1->setHeaderLabels({QStringLiteral("Okres ochronny mają aktualnie:"), QStringLiteral("Termin:")});
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    // The caption of the first column has to fit beside the 90-pixel "Termin:" column.
    ListView1->header()->setFont(ProgramFont(7));
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListView1->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    // "Termin:" takes what its dates need rather than 90 pixels, so that the first
    // heading is not cut when the scroll bar takes its share of the width.
    const int periodWidth = QFontMetrics(ListView1->font()).horizontalAdvance(QStringLiteral("00-00 - 00-00")) + 10;
    ListView1->header()->resizeSection(1, std::min(90, periodWidth));
    // ImageList1: a species row, and the row that says no species is protected.
    ListView1->SetSmallImages({ArtworkIcon(artwork + QStringLiteral("ikona_gatunek.png")),
                               ArtworkIcon(artwork + QStringLiteral("ikona_brak.png"))});

    MonthCalendar1 = new TMonthCalendar(this);
    MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    MonthCalendar1->setGeometry(6, 36, 500, 292);

    // Tab follows the reading order: the month, the day's diary, the tips and the list.
    Label6->setFocusPolicy(Qt::TabFocus);
    Memo1->setTabChangesFocus(true);
    QList<QWidget *> chain{MonthCalendar1->DayGrid(), SpeedButton2, SpeedButton1, CheckBox1, DBGrid1};
    chain << DBNavigator1->TabStops() << Button1 << Button2 << ComboBox2 << Label6 << Memo1 << ListView1;
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
    // UseDateRanges stays off, so the range has no effect. A clock set years back makes
    // the grid refuse it; that is reported and the view comes up all the same.
    try {
        MonthCalendar1->SetMinDate(EncodeDate(2004, 2, 25));
        MonthCalendar1->SetMaxDate(EncodeDate(2006, 1, 24));
    } catch (...) {
        ShowCurrentException();
    }
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

QString TCalendarFrm::MoonPhaseOf(TDateTime day) const
{
    if (DateOf(day) == SkyPanel->Sky().day)
        return MoonPhaseName(SkyPanel->Sky().phase);
    return MoonPhaseName(SkyOfDay(day, SkyPanel->Place().site).phase);
}

QString TCalendarFrm::ProgramDir() const
{
    return SuppliedDataRoot();
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
    if (MonthKey(working) != MonthKey(SelectedDay()) && !m_followingWorkingDate) {
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
    Label2->setText(DayNames[size_t(DayOfWeek(day))] + QStringLiteral(", ") + DayText(day));
    SkyPanel->ShowDay(day);

    // The day on show keeps its rows as they are: the row being typed, and no second
    // read for the second of the two notifications every click fires.
    if (day == m_shownDay && dziennikTable->Active())
        return;
    // Re-reading the diary would drop what was typed and not yet posted: post it first.
    // When that fails the grid goes back to the day of the pending row.
    if (!SettleDiary()) {
        MonthCalendar1->SetSelectedDate(m_shownDay);
        return;
    }
    ShowDayCatches(day);
    if (MonthKey(day) != m_panelsMonth)
        RefreshMonth();
}

void TCalendarFrm::SpeedButton1Click()
{
    MonthCalendar1->NextMonth();
    MonthCalendar1SelectedDateChange(SpeedButton1);
}

void TCalendarFrm::SpeedButton2Click()
{
    MonthCalendar1->PrevMonth();
    MonthCalendar1SelectedDateChange(SpeedButton2);
}

void TCalendarFrm::RefreshMonth()
{
    m_panelsMonth = MonthKey(SelectedDay());
    RefreshAssignedDays();
    RefreshMonthPanels();
}

int TCalendarFrm::MonthKey(TDateTime day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    DecodeDate(day, year, month, dayOfMonth);
    return year * 12 + month - 1;
}

void TCalendarFrm::RefreshAssignedDays()
{
    // The marks are read once per refresh; the paint callback only looks them up. A
    // re-read that fails (a locked file) leaves the marks on screen as they were.
    std::set<TDateTime> marked;
    if (!HasData()) {
        m_markedDays.clear();
        MonthCalendar1->Repaint();
        return;
    }
    TDateTime first = 0, last = 0;
    FirstAndLastOfMonth(SelectedDay(), first, last);
    AssignedDays->SetSQL(CalendarStatements::AssignedDays(first));
    AssignedDays->Open();
    if (TField *data = AssignedDays->FindField(QStringLiteral("data"))) {
        for (AssignedDays->First(); !AssignedDays->Eof(); AssignedDays->Next()) {
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
        const std::optional<MoonPhase> phase = SkyPanel->NewOrFullMoonOn(Date);
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

bool TCalendarFrm::HasData() const
{
    return dziennikTable->Connection() && dziennikTable->Connection()->Connected();
}

void TCalendarFrm::RefreshMonthPanels()
{
    if (!HasData()) {
        ListView1->clear();
        Memo1->clear();
        return;
    }
    TDateTime start = 0, end = 0;
    FirstAndLastOfMonth(SelectedDay(), start, end);
    ShowTerminyOchronne(start, end);
    GetPorady(ComboBox2->currentIndex());
}

void TCalendarFrm::ShowTerminyOchronne(TDateTime start, TDateTime end)
{
    ListView1->clear();
    TipsQuery->SetSQL(CalendarStatements::ProtectedSpecies(start, end));
    TipsQuery->ExecSQL();
    if (TipsQuery->IsEmpty()) {
        AddListRow(QStringLiteral("Brak ryb z terminem ochronnym"), {}, 1, ListView1);
        return;
    }
    TField *const name = TipsQuery->FieldByName(QStringLiteral("nazwa"));
    TField *const from = TipsQuery->FieldByName(QStringLiteral("od"));
    TField *const to = TipsQuery->FieldByName(QStringLiteral("do"));
    for (TipsQuery->First(); !TipsQuery->Eof(); TipsQuery->Next()) {
        AddListRow(name->AsString(),
                   {MonthDay(from->AsDateTime()) + QStringLiteral(" - ") + MonthDay(to->AsDateTime())}, 0, ListView1);
    }
}

void TCalendarFrm::GetPorady(int category)
{
    TipIndex = 0;
    TipsQuery2->SetSQL(CalendarStatements::Tips(category));
    TipsQuery2->ExecSQL();
    if (TipsQuery2->IsEmpty())
        Memo1->setPlainText(QStringLiteral("Brak porad na ten miesiąc..."));
    else
        ShowTip();
}

void TCalendarFrm::ComboBox2Click()
{
    RefreshMonthPanels();
}

void TCalendarFrm::Label6Click()
{
    if (!TipsQuery2->Active() || TipsQuery2->IsEmpty())
        return;
    if (TipIndex < TipsQuery2->GetRecordCount() - 1) {
        TipsQuery2->Next();
        ++TipIndex;
    } else {
        TipsQuery2->First();
        TipIndex = 0;
    }
    ShowTip();
}

void TCalendarFrm::ShowTip()
{
    Memo1->setPlainText(TipsQuery2->FieldByName(QStringLiteral("porada"))->AsString());
}
