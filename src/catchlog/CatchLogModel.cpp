#include "catchlog/CatchLogModel.h"

#include "diary/CatchLog.h"

#include <QColor>

CatchLogModel::CatchLogModel(CatchLog &log, QObject *parent) : QAbstractTableModel(parent), m_log(log) {}

int CatchLogModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_log.Shown().size());
}

int CatchLogModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : CatchLog::ColumnCount;
}

QVariant CatchLogModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= CatchLog::ColumnCount)
        return {};
    const auto column = CatchLog::Column(index.column());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const CatchRecord &record = m_log.ShownAt(index.row());
        // A zero is what an unmeasured catch holds: shown as nothing.
        if ((column == CatchLog::Weight && record.weight == 0) || (column == CatchLog::Length && record.length == 0))
            return QString();
        QString text = CatchLog::ColumnText(record, column);
        if (role == Qt::DisplayRole)
            text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text;
    }
    // A catch that broke a rule stands out in every column; the last one says why.
    if (role == Qt::BackgroundRole && m_log.ShownAt(index.row()).BreaksRules())
        return QColor(255, 200, 200);
    if (role == Qt::TextAlignmentRole && (column == CatchLog::Weight || column == CatchLog::Length))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CatchLogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < CatchLog::ColumnCount)
        return CatchLog::ColumnTitle(CatchLog::Column(section));
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return {};
}

void CatchLogModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= CatchLog::ColumnCount)
        return;
    beginResetModel();
    m_log.Sort(CatchLog::Column(column), order);
    endResetModel();
}

void CatchLogModel::Reset()
{
    beginResetModel();
    endResetModel();
}
