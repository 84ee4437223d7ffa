#include "widgets/TDBCtrlGrid.h"

#include "data/TDbBaseQuery.h"
#include "data/TField.h"
#include "widgets/TDataSource.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

TDBCtrlGrid::TDBCtrlGrid(QWidget *parent)
    : QAbstractScrollArea(parent), m_source(this, {.dataSetChanged = [this] { OnDataSetChanged(); },
                                                   .stateChanged = [this] { OnDataSetChanged(); },
                                                   .scrolled = [this] { ScrollToCurrent(); },
                                                   .fieldChanged = [this](TField *) { viewport()->update(); },
                                                   .destroyed = [this] { OnDataSetChanged(); }})
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

void TDBCtrlGrid::SetDataSource(TDataSource *source)
{
    if (m_source.Follow(source))
        OnDataSetChanged();
}

void TDBCtrlGrid::SetColCount(int count)
{
    m_colCount = qMax(1, count);
    updateGeometry();
    OnDataSetChanged();
}

void TDBCtrlGrid::SetRowCount(int count)
{
    m_rowCount = qMax(1, count);
    updateGeometry();
    OnDataSetChanged();
}

void TDBCtrlGrid::SetPanelSize(const QSize &size)
{
    m_panelSize = size;
    updateGeometry();
    viewport()->update();
}

void TDBCtrlGrid::AddItem(const TDBCtrlGridItem &item)
{
    m_items.push_back(item);
    viewport()->update();
}

void TDBCtrlGrid::AddItem(const QString &fieldName, const QRect &geometry, const QFont &font, const QColor &color)
{
    TDBCtrlGridItem item;
    item.FieldName = fieldName;
    item.Geometry = geometry;
    item.Font = font;
    item.Color = color;
    AddItem(item);
}

int TDBCtrlGrid::TopRow() const
{
    return verticalScrollBar()->value() * m_colCount;
}

int TDBCtrlGrid::RowAt(const QPoint &point) const
{
    if (point.x() < 0 || point.y() < 0)
        return -1;
    const int column = point.x() / m_panelSize.width();
    const int line = point.y() / m_panelSize.height();
    if (column >= m_colCount || line >= m_rowCount)
        return -1;
    const int row = TopRow() + line * m_colCount + column;
    return row < RecordCount() ? row : -1;
}

QRect TDBCtrlGrid::PanelRect(int row) const
{
    const int offset = row - TopRow();
    return QRect(QPoint((offset % m_colCount) * m_panelSize.width(), (offset / m_colCount) * m_panelSize.height()),
                 m_panelSize);
}

QSize TDBCtrlGrid::sizeHint() const
{
    const int frame = 2 * frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {m_colCount * m_panelSize.width() + scrollBar + frame, m_rowCount * m_panelSize.height() + frame};
}

void TDBCtrlGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Window));
    const int count = RecordCount();
    if (count == 0)
        return;
    const TDbBaseQuery *dataSet = m_source->DataSet();
    std::vector<int> fields;
    fields.reserve(m_items.size());
    for (const TDBCtrlGridItem &item : m_items) {
        const TField *field = dataSet->FindField(item.FieldName);
        fields.push_back(field ? field->Index() : -1);
    }
    const int first = TopRow();
    const int last = qMin(count, first + m_colCount * m_rowCount);
    for (int row = first; row < last; ++row)
        PaintPanel(painter, row, PanelRect(row), fields);
}

void TDBCtrlGrid::PaintPanel(QPainter &painter, int row, const QRect &rect, const std::vector<int> &fields) const
{
    const TDbBaseQuery *dataSet = m_source->DataSet();
    const bool current = row == CurrentRow();
    const QPalette &colours = palette();
    if (current) {
        QColor highlight = colours.color(QPalette::Highlight);
        highlight.setAlpha(56);
        painter.fillRect(rect, colours.color(QPalette::Base));
        painter.fillRect(rect, highlight);
    }
    // A raised edge around every panel, as the panels stand out of the grid.
    const QRect edge = rect.adjusted(0, 0, -1, -1);
    painter.setPen(colours.color(QPalette::Light));
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.topLeft(), edge.bottomLeft());
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
    if (current) {
        painter.setPen(QPen(colours.color(QPalette::Highlight), 1));
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }

    painter.save();
    painter.setClipRect(rect.adjusted(1, 1, -1, -1));
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (fields[i] < 0)
            continue;
        const TDBCtrlGridItem &item = m_items[i];
        const QRect target = item.Geometry.translated(rect.topLeft());
        painter.setFont(item.Font);
        painter.setPen(item.Color);
        const QString text =
            QFontMetrics(item.Font).elidedText(dataSet->DisplayText(row, fields[i]), Qt::ElideRight, target.width());
        painter.drawText(target, static_cast<int>(item.Alignment) | Qt::TextSingleLine, text);
    }
    painter.restore();

    if (current && hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect.adjusted(3, 3, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void TDBCtrlGrid::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    const int row = RowAt(event->position().toPoint());
    if (row >= 0)
        MoveTo(row);
}

void TDBCtrlGrid::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    if (OnKeyDown && !TDataSource::Guard([&] { OnKeyDown(key, event->modifiers()); }))
        return;
    if (key == 0)
        return;
    const int current = CurrentRow();
    const int page = m_colCount * m_rowCount;
    switch (key) {
    case Qt::Key_Left:
        MoveTo(current - 1);
        break;
    case Qt::Key_Right:
        MoveTo(current + 1);
        break;
    case Qt::Key_Up:
        MoveTo(current - m_colCount);
        break;
    case Qt::Key_Down:
        MoveTo(current + m_colCount);
        break;
    case Qt::Key_PageUp:
        MoveTo(current - page);
        break;
    case Qt::Key_PageDown:
        MoveTo(current + page);
        break;
    case Qt::Key_Home:
        MoveTo(0);
        break;
    case Qt::Key_End:
        MoveTo(RecordCount() - 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void TDBCtrlGrid::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TDBCtrlGrid::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TDBCtrlGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

int TDBCtrlGrid::RecordCount() const
{
    return m_source && m_source->Active() ? m_source->DataSet()->DisplayRowCount() : 0;
}

int TDBCtrlGrid::CurrentRow() const
{
    return m_source && m_source->Active() ? m_source->DataSet()->DisplayRow() : -1;
}

void TDBCtrlGrid::MoveTo(int row)
{
    const int count = RecordCount();
    if (count == 0)
        return;
    // Like a move by so many rows: as far as the rows go, never past the last one.
    row = qBound(0, row, count - 1);
    if (row == CurrentRow())
        return;
    TDbBaseQuery *dataSet = m_source->DataSet();
    TDataSource::Guard([dataSet, row] { dataSet->GotoDisplayRow(row); });
}

void TDBCtrlGrid::UpdateScrollRange()
{
    const int lines = (RecordCount() + m_colCount - 1) / m_colCount;
    verticalScrollBar()->setRange(0, qMax(0, lines - m_rowCount));
    verticalScrollBar()->setPageStep(m_rowCount);
}

void TDBCtrlGrid::ScrollToCurrent()
{
    const int row = CurrentRow();
    if (row >= 0) {
        const int line = row / m_colCount;
        const int top = verticalScrollBar()->value();
        if (line < top)
            verticalScrollBar()->setValue(line);
        else if (line >= top + m_rowCount)
            verticalScrollBar()->setValue(line - m_rowCount + 1);
    }
    viewport()->update();
}

void TDBCtrlGrid::OnDataSetChanged()
{
    UpdateScrollRange();
    ScrollToCurrent();
}
