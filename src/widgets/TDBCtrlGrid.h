#pragma once

#include "widgets/FollowedDataSource.h"
#include "widgets/TDBCtrlGridItem.h"
#include "widgets/TDataSource.h"

#include <QAbstractScrollArea>
#include <functional>
#include <vector>

// A scrolling grid of equal panels, one per row of a data source's dataset, laid out
// ColCount to a line with RowCount lines in view. Every panel shows the same bound
// texts for its own row; the current row's panel is highlighted. The grid only moves
// the current row: it never adds, changes or deletes one.
class TDBCtrlGrid : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TDBCtrlGrid(QWidget *parent = nullptr);

    TDataSource *DataSource() const { return m_source; }
    void SetDataSource(TDataSource *source);

    int ColCount() const { return m_colCount; }
    void SetColCount(int count);
    int RowCount() const { return m_rowCount; }
    void SetRowCount(int count);
    QSize PanelSize() const { return m_panelSize; }
    void SetPanelSize(const QSize &size);

    void AddItem(const TDBCtrlGridItem &item);
    void AddItem(const QString &fieldName, const QRect &geometry, const QFont &font, const QColor &color);
    const std::vector<TDBCtrlGridItem> &Items() const { return m_items; }

    // Runs before the grid's own key handling; setting key to 0 ends it there.
    std::function<void(int &key, Qt::KeyboardModifiers shift)> OnKeyDown;

    // The dataset row shown first in view (a multiple of ColCount).
    int TopRow() const;
    // The dataset row whose panel lies under a point of the viewport, -1 when none.
    int RowAt(const QPoint &point) const;
    QRect PanelRect(int row) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int RecordCount() const;
    int CurrentRow() const;
    void MoveTo(int row);
    void UpdateScrollRange();
    void ScrollToCurrent();
    void OnDataSetChanged();
    void PaintPanel(QPainter &painter, int row, const QRect &rect, const std::vector<int> &fields) const;

    FollowedDataSource m_source;
    std::vector<TDBCtrlGridItem> m_items;
    int m_colCount = 1;
    int m_rowCount = 3;
    QSize m_panelSize{200, 72};
};
