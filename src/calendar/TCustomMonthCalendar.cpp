#include "calendar/TCustomMonthCalendar.h"

#include "base/CalendarNames.h"
#include "base/Clock.h"
#include "base/Exception.h"
#include "calendar/TMonthCalendarColors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {
constexpr int GridLineWidth = 1;

bool IsWeekendColumn(int col)
{
    return col == 0 || col == 6;
}

int DayOfMonth(TDateTime date)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return day;
}
} // namespace

// The 7 x 7 day grid: the only focusable part of the calendar. It draws and reacts
// through its owner, which holds all the rules.
class TCustomMonthCalendar::TDayGrid : public QWidget
{
public:
    explicit TDayGrid(TCustomMonthCalendar &owner) : QWidget(&owner), m_owner(owner)
    {
        setObjectName(QStringLiteral("DayGrid"));
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_owner.PaintGrid(painter);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        m_owner.GridMouseDown(event->button(), event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (event->buttons() & Qt::LeftButton)
            m_owner.GridMouseMove(event->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent *event) override { m_owner.GridMouseUp(event->button()); }
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        // A double click is two single clicks. Usually the second press has arrived
        // already and this event adds nothing; when it comes alone it is the press.
        if (!m_owner.m_leftButtonDown || event->button() != Qt::LeftButton)
            m_owner.GridMouseDown(event->button(), event->position().toPoint());
    }
    void keyPressEvent(QKeyEvent *event) override { m_owner.GridKeyEvent(event); }
    void focusInEvent(QFocusEvent *event) override
    {
        m_owner.m_focusSeen = true;
        QWidget::focusInEvent(event);
    }

private:
    TCustomMonthCalendar &m_owner;
};

TCustomMonthCalendar::TCustomMonthCalendar(QWidget *parent) : QFrame(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    resize(205, 158);
    setFocusPolicy(Qt::NoFocus);

    m_calendarColors = std::make_unique<TMonthCalendarColors>(this);
    m_useDateRanges = false;
    const TDateTime now = Clock::Now();
    m_minDate = now - 365;
    m_maxDate = now + 365;
    m_calendarFont = font();
    m_showGridLines = false;
    m_grid = new TDayGrid(*this);
    m_grid->setFont(m_calendarFont);
    m_canvas = std::make_unique<TCanvas>(*m_grid);
    setFocusProxy(m_grid);
    m_showWeekends = true;
    UpdateCellSizes();
    SetSelectedDate(now);
}

TCustomMonthCalendar::~TCustomMonthCalendar() = default;

QWidget *TCustomMonthCalendar::DayGrid() const
{
    return m_grid;
}

void TCustomMonthCalendar::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    UpdateCellSizes();
}

void TCustomMonthCalendar::UpdateCellSizes()
{
    m_grid->setGeometry(contentsRect());
    m_grid->update();
}

// A hidden widget gets its resize event only when shown, so the cell sizes are taken
// from the frame's inner rectangle each time rather than kept from the last resize.
int TCustomMonthCalendar::ColWidth(int ACol) const
{
    const int width = contentsRect().width();
    return width / 7 + (!m_showGridLines && ACol < width % 7 ? 1 : 0);
}

int TCustomMonthCalendar::RowHeight(int ARow) const
{
    const int height = contentsRect().height();
    return height / 7 + (!m_showGridLines && ARow < height % 7 ? 1 : 0);
}

TRect TCustomMonthCalendar::CellRect(int ARow, int ACol) const
{
    const int line = m_showGridLines ? GridLineWidth : 0;
    TRect rect;
    for (int c = 0; c < ACol; ++c)
        rect.Left += ColWidth(c) + line;
    for (int r = 0; r < ARow; ++r)
        rect.Top += RowHeight(r) + line;
    rect.Right = rect.Left + ColWidth(ACol);
    rect.Bottom = rect.Top + RowHeight(ARow);
    return rect;
}

bool TCustomMonthCalendar::MouseCell(QPoint pos, int &ARow, int &ACol) const
{
    if (pos.x() < 0 || pos.y() < 0)
        return false;
    const int line = m_showGridLines ? GridLineWidth : 0;
    ACol = -1;
    for (int c = 0, left = 0; c < 7 && ACol < 0; ++c) {
        left += ColWidth(c) + line;
        if (pos.x() < left)
            ACol = c;
    }
    ARow = -1;
    for (int r = 0, top = 0; r < 7 && ARow < 0; ++r) {
        top += RowHeight(r) + line;
        if (pos.y() < top)
            ARow = r;
    }
    return ACol >= 0 && ARow >= 0;
}

int TCustomMonthCalendar::DayOfCell(int ARow, int ACol) const
{
    return 7 * (ARow - 1) + ACol - m_firstWeekday + 2;
}

void TCustomMonthCalendar::CellOfDate(TDateTime date, int &ARow, int &ACol)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    const int k = day + DayOfWeek(EncodeDate(year, month, 1)) - 2;
    ARow = k / 7 + 1;
    ACol = k % 7;
}

TDateTime TCustomMonthCalendar::CellDate(int ARow, int ACol) const
{
    return EncodeDate(m_year, m_month, DayOfCell(ARow, ACol));
}

bool TCustomMonthCalendar::IsSelectableCell(int ARow, int ACol) const
{
    if (ARow < 1 || ARow > 6 || ACol < 0 || ACol > 6)
        return false;
    const int day = DayOfCell(ARow, ACol);
    if (day < 1 || day > m_monthLength)
        return false;
    if (!m_useDateRanges)
        return true;
    const TDateTime date = CellDate(ARow, ACol);
    return m_minDate <= date && date <= m_maxDate;
}

TDateTime TCustomMonthCalendar::DayClampedDate(int year, int month, int day)
{
    if (day > MonthLengths[month])
        day = (month == 2 && IsLeapYear(year) && day >= 29) ? 29 : MonthLengths[month];
    return EncodeDate(year, month, day);
}

TDateTime TCustomMonthCalendar::RangeClampedDate(TDateTime value) const
{
    TDateTime result = DateOf(value);
    if (m_useDateRanges) {
        // The default bounds carry the time of day of creation; the nearest whole days
        // inside them keep the selected day both whole and selectable.
        if (result < m_minDate)
            result = std::ceil(m_minDate);
        if (result > m_maxDate)
            result = DateOf(m_maxDate);
    }
    return result;
}

void TCustomMonthCalendar::LayOutMonth(TDateTime date)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    m_year = static_cast<quint16>(year);
    m_month = static_cast<quint16>(month);
    m_monthLength = static_cast<quint16>(MonthLengths[month] + (month == 2 && IsLeapYear(year) ? 1 : 0));
    m_firstWeekday = static_cast<quint16>(DayOfWeek(EncodeDate(year, month, 1)));
    CellOfDate(date, m_cursorRow, m_cursorCol);
    m_grid->update();
}

void TCustomMonthCalendar::FireWorkingDateChange()
{
    if (m_onWorkingDateChange)
        m_onWorkingDateChange(this);
}

void TCustomMonthCalendar::FireSelectedDateChange()
{
    if (m_onSelectedDateChange)
        m_onSelectedDateChange(this);
}

void TCustomMonthCalendar::SetSelectedDate(TDateTime value)
{
    m_selectedDate = RangeClampedDate(value);
    LayOutMonth(m_selectedDate);
    if (m_workingDate != m_selectedDate) {
        m_workingDate = m_selectedDate;
        FireWorkingDateChange();
    }
    FireSelectedDateChange();
}

void TCustomMonthCalendar::MoveWorkingDate(TDateTime value)
{
    m_workingDate = RangeClampedDate(value);
    LayOutMonth(m_workingDate);
    FireWorkingDateChange();
}

void TCustomMonthCalendar::CommitWorkingDate()
{
    if (m_focusSeen)
        SetSelectedDate(m_workingDate);
}

void TCustomMonthCalendar::StepMonth(int delta)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(m_workingDate, year, month, day);
    month += delta;
    if (month > 12) {
        month = 1;
        ++year;
    } else if (month < 1) {
        month = 12;
        --year;
    }
    MoveWorkingDate(DayClampedDate(year, month, day));
    GridClick();
}

void TCustomMonthCalendar::StepYear(int delta)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(m_workingDate, year, month, day);
    MoveWorkingDate(DayClampedDate(year + delta, month, day));
}

void TCustomMonthCalendar::NextMonth()
{
    StepMonth(1);
}

void TCustomMonthCalendar::PrevMonth()
{
    StepMonth(-1);
}

void TCustomMonthCalendar::NextYear()
{
    StepYear(1);
}

void TCustomMonthCalendar::PrevYear()
{
    StepYear(-1);
}

void TCustomMonthCalendar::SetCalendarColors(const TMonthCalendarColors &value)
{
    m_calendarColors->Assign(value);
}

void TCustomMonthCalendar::SetCalendarFont(const QFont &value)
{
    m_calendarFont = value;
    m_grid->setFont(m_calendarFont);
    Invalidate();
}

void TCustomMonthCalendar::SetShowWeekends(bool value)
{
    m_showWeekends = value;
    Invalidate();
}

void TCustomMonthCalendar::SetShowGridLines(bool value)
{
    if (m_showGridLines == value)
        return;
    m_showGridLines = value;
    UpdateCellSizes();
}

void TCustomMonthCalendar::SetMaxDate(TDateTime value)
{
    value = DateOf(value);
    if (value == m_maxDate)
        return;
    if (value <= m_minDate)
        throw Exception(QStringLiteral("MaxDate value can't be less than or equal to the MinDate value"));
    m_maxDate = value;
    if (m_useDateRanges && m_selectedDate > m_maxDate)
        SetSelectedDate(m_maxDate);
    m_grid->update();
}

void TCustomMonthCalendar::SetMinDate(TDateTime value)
{
    value = DateOf(value);
    if (value == m_minDate)
        return;
    if (value >= m_maxDate)
        throw Exception(QStringLiteral("MinDate value can't be greater than or equal to the MaxDate value"));
    m_minDate = value;
    if (m_useDateRanges && m_selectedDate < m_minDate)
        SetSelectedDate(m_minDate);
    m_grid->update();
}

void TCustomMonthCalendar::SetUseDateRanges(bool value)
{
    if (m_useDateRanges == value)
        return;
    m_useDateRanges = value;
    if (m_useDateRanges) {
        if (m_selectedDate < m_minDate)
            SetSelectedDate(m_minDate);
        if (m_selectedDate > m_maxDate)
            SetSelectedDate(m_maxDate);
    }
    m_grid->update();
}

void TCustomMonthCalendar::Invalidate()
{
    update();
    m_grid->update();
}

void TCustomMonthCalendar::Repaint()
{
    repaint();
    m_grid->repaint();
}

bool TCustomMonthCalendar::GridHasFocus() const
{
    return m_grid->hasFocus();
}

TCustomMonthCalendar::TCellLook TCustomMonthCalendar::CellLook(int ARow, int ACol) const
{
    const TMonthCalendarColors &colors = *m_calendarColors;
    TCellLook look;
    if (ARow == 0) {
        look.BackgroundColor = colors.DayNamesBackgroundColor();
        look.TextColor =
            m_showWeekends && IsWeekendColumn(ACol) ? colors.WeekendTextColor() : colors.DayNamesTextColor();
        look.Text = DayNames[ACol + 1];
        return look;
    }
    const int day = DayOfCell(ARow, ACol);
    const bool cursor = ARow == m_cursorRow && ACol == m_cursorCol;
    if (IsSelectableCell(ARow, ACol)) {
        look.Selectable = true;
        if (cursor) {
            look.BackgroundColor = clHighlight;
            look.TextColor = clHighlightText;
        } else if (m_showWeekends && IsWeekendColumn(ACol)) {
            look.BackgroundColor = colors.WeekendBackgroundColor();
            look.TextColor = colors.WeekendTextColor();
        } else {
            look.BackgroundColor = colors.WeekdayBackgroundColor();
            look.TextColor = colors.WeekdayTextColor();
        }
        look.Text = QString::number(day);
    } else {
        look.BackgroundColor = colors.OtherMonthDayBackgroundColor();
        look.TextColor = colors.OtherMonthDayTextColor();
        if (day > m_monthLength) {
            look.Text = QString::number(day - m_monthLength);
        } else if (day <= 0) {
            const int previousLength = m_month == 3 && IsLeapYear(m_year) ? 29 : MonthLengths[m_month - 1];
            look.Text = QString::number(previousLength + day);
        } else {
            look.Hatched = true;
            look.Text = QString::number(day);
        }
    }
    int todayYear = 0, todayMonth = 0, todayDay = 0;
    DecodeDate(Clock::Today(), todayYear, todayMonth, todayDay);
    if (todayYear == m_year && todayMonth == m_month && day == todayDay) {
        look.Bold = true;
        if (!cursor)
            look.TextColor = colors.TodayTextColor();
    }
    return look;
}

void TCustomMonthCalendar::PaintGrid(QPainter &painter)
{
    TCanvas &canvas = *m_canvas;
    canvas.BeginPaint(&painter);
    painter.fillRect(m_grid->rect(), canvas.ColorOf(clWindow));
    const bool focused = GridHasFocus();
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 7; ++col) {
            TGridDrawState state;
            if (row == m_cursorRow && col == m_cursorCol) {
                state |= gdSelected;
                if (focused)
                    state |= gdFocused;
            }
            const TRect rect = CellRect(row, col);
            canvas.Font() = m_calendarFont;
            DrawCell(row, col, rect, state);
            if (state.testFlag(gdFocused)) {
                painter.save();
                painter.setPen(QPen(canvas.ColorOf(clHighlightText), 1, Qt::DotLine));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1);
                painter.restore();
            }
        }
    }
    if (m_showGridLines) {
        const QColor lineColor = canvas.ColorOf(clSilver);
        for (int col = 0; col < 7; ++col) {
            const TRect rect = CellRect(0, col);
            painter.fillRect(rect.Right, 0, GridLineWidth, m_grid->height(), lineColor);
        }
        for (int row = 0; row < 7; ++row) {
            const TRect rect = CellRect(row, 0);
            painter.fillRect(0, rect.Bottom, m_grid->width(), GridLineWidth, lineColor);
        }
    }
    canvas.EndPaint();
}

void TCustomMonthCalendar::DrawCell(int ARow, int ACol, const TRect &rect, TGridDrawState state)
{
    TCanvas &canvas = *m_canvas;
    const TCellLook look = CellLook(ARow, ACol);
    if (look.Selectable && state.testFlag(gdFocused))
        m_focusSeen = true;

    QFont font = m_calendarFont;
    font.setBold(look.Bold);
    canvas.Font() = font;
    canvas.SetFontColor(look.TextColor);

    if (look.Hatched) {
        canvas.Pen().Style = TCanvas::TPenStyle::psClear;
        canvas.Brush().Color = clInactiveCaption;
        canvas.Brush().Style = TCanvas::TBrushStyle::bsDiagCross;
        canvas.Rectangle(rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1);
        canvas.Brush().Style = TCanvas::TBrushStyle::bsClear;
    } else {
        canvas.Brush().Color = look.BackgroundColor;
        canvas.Brush().Style = TCanvas::TBrushStyle::bsSolid;
        canvas.FillRect(rect);
    }
    const int x = rect.Left + rect.Width() / 2 - canvas.TextWidth(look.Text) / 2;
    const int y = rect.Top + rect.Height() / 2 - canvas.TextHeight(look.Text) / 2;
    canvas.TextRect(rect, x, y, look.Text);

    canvas.Brush().Color = look.BackgroundColor;
    canvas.Brush().Style = TCanvas::TBrushStyle::bsSolid;
    if (look.Selectable && m_onPaintCell) {
        TRect handlerRect = rect;
        m_onPaintCell(m_grid, ARow, ACol, handlerRect, state, CellDate(ARow, ACol));
    }
}

void TCustomMonthCalendar::GridClick()
{
    CommitWorkingDate();
}

void TCustomMonthCalendar::GridKeyPress(QChar &Key)
{
    if (Key == QChar(13))
        CommitWorkingDate();
}

void TCustomMonthCalendar::GridKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    m_grid->setFocus();
    m_focusSeen = true;
    const bool ctrl = Shift.testFlag(Qt::ControlModifier);
    switch (Key) {
    case Qt::Key_Left:
        if (ctrl) {
            PrevMonth();
        } else if (m_cursorCol == 0) {
            int row = 0, col = 0;
            CellOfDate(m_workingDate - 1, row, col);
            if (DayOfMonth(m_workingDate) >= 2 && IsSelectableCell(row, col))
                MoveWorkingDate(m_workingDate - 1);
        } else {
            return;
        }
        Key = 0;
        break;
    case Qt::Key_Right:
        if (ctrl) {
            NextMonth();
        } else if (m_cursorCol == 6) {
            int row = 0, col = 0;
            CellOfDate(m_workingDate + 1, row, col);
            if (DayOfMonth(m_workingDate) + 1 <= m_monthLength && IsSelectableCell(row, col))
                MoveWorkingDate(m_workingDate + 1);
        } else {
            return;
        }
        Key = 0;
        break;
    case Qt::Key_Up:
        if (ctrl) {
            PrevYear();
            Key = 0;
        }
        break;
    case Qt::Key_Down:
        if (ctrl) {
            NextYear();
            Key = 0;
        }
        break;
    default:
        break;
    }
}

void TCustomMonthCalendar::GridMove(int rowStep, int colStep)
{
    const int row = m_cursorRow + rowStep;
    const int col = m_cursorCol + colStep;
    if (row < 0 || row > 6 || col < 0 || col > 6)
        return;
    GridMoveTo(row, col);
}

void TCustomMonthCalendar::GridMoveTo(int ARow, int ACol)
{
    if (IsSelectableCell(ARow, ACol))
        MoveWorkingDate(CellDate(ARow, ACol));
    GridClick();
}

void TCustomMonthCalendar::GridKeyEvent(QKeyEvent *event)
{
    int key = event->key();
    GridKeyDown(key, event->modifiers());
    switch (key) {
    case 0:
        break;
    case Qt::Key_Left:
        GridMove(0, -1);
        break;
    case Qt::Key_Right:
        GridMove(0, 1);
        break;
    case Qt::Key_Up:
        GridMove(-1, 0);
        break;
    case Qt::Key_Down:
        GridMove(1, 0);
        break;
    case Qt::Key_Home:
    case Qt::Key_End: {
        // The first or last day of the month that may take the cursor.
        const bool home = key == Qt::Key_Home;
        for (int i = 0; i < m_monthLength; ++i) {
            const int day = home ? 1 + i : m_monthLength - i;
            int row = 0, col = 0;
            CellOfDate(EncodeDate(m_year, m_month, day), row, col);
            if (IsSelectableCell(row, col)) {
                GridMoveTo(row, col);
                break;
            }
        }
        break;
    }
    case Qt::Key_PageUp:
        PrevMonth();
        break;
    case Qt::Key_PageDown:
        NextMonth();
        break;
    default: {
        QChar ch = event->text().isEmpty() ? QChar() : event->text().at(0);
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            ch = QChar(13);
        if (!ch.isNull())
            GridKeyPress(ch);
        // Characters other than Enter travel on, so Escape and the like still reach the window.
        if (ch != QChar(13)) {
            event->ignore();
            return;
        }
        break;
    }
    }
    event->accept();
}

void TCustomMonthCalendar::GridMouseDown(Qt::MouseButton button, QPoint pos)
{
    m_grid->setFocus(Qt::MouseFocusReason);
    // The press is the user's own hand on the grid. Waiting for the focused cursor cell
    // to be painted let a click that came before that paint (early after start, or
    // right after a window in front had closed) move the highlight but commit nothing,
    // so the day panel stayed on the old day.
    m_focusSeen = true;
    if (button != Qt::LeftButton)
        return;
    m_leftButtonDown = true;
    int row = 0, col = 0;
    if (MouseCell(pos, row, col) && IsSelectableCell(row, col))
        MoveWorkingDate(CellDate(row, col));
}

void TCustomMonthCalendar::GridMouseMove(QPoint pos)
{
    if (!m_leftButtonDown)
        return;
    int row = 0, col = 0;
    if (MouseCell(pos, row, col) && (row != m_cursorRow || col != m_cursorCol) && IsSelectableCell(row, col))
        MoveWorkingDate(CellDate(row, col));
}

void TCustomMonthCalendar::GridMouseUp(Qt::MouseButton button)
{
    if (button != Qt::LeftButton || !m_leftButtonDown)
        return;
    m_leftButtonDown = false;
    GridClick();
}
