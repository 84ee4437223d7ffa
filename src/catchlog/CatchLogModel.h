#pragma once

#include <QAbstractTableModel>

class CatchLog;

// The catches a catch log shows, one row each, in its columns. Sorting by a header
// re-sorts the log itself, so that the filter keeps the order.
class CatchLogModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CatchLogModel(CatchLog &log, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The log's shown rows changed.
    void Reset();

private:
    CatchLog &m_log;
};
