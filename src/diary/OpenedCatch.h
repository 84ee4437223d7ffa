#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>
#include <set>
#include <utility>
#include <vector>

class TDbBaseQuery;

// The catch the details dialog was opened on, as it was then, so that a cancelled visit
// can put it back. While the dialog is open its navigator may write this row, and move
// to, write and start others; putting back touches this row alone.
class OpenedCatch : public QObject
{
    Q_OBJECT

public:
    // Remembers the dataset's current record: the pending one in edit or insert state,
    // which is what the dialog shows.
    explicit OpenedCatch(TDbBaseQuery *dataSet, QObject *parent = nullptr);

    // The photo the catch named when the dialog opened; empty for a new catch.
    const QString &Photo() const { return m_photo; }

    // Drops what is pending, then writes the row's values back where they were written
    // since, or deletes the row when it is a new one written since, and makes the row
    // current again. Returns the photos the row named before (none of them may be named
    // by any row now). Failures of the engine pass through.
    QStringList Restore();

private:
    void FollowNewRow();
    bool GoToRow(qint64 rowId);

    QPointer<TDbBaseQuery> m_dataSet;
    // Opened on a catch being inserted: Restore deletes it instead of writing it back.
    bool m_inserted = false;
    // The inserted catch is still the pending record.
    bool m_insertPending = false;
    // The row's identity; none while an inserted catch is unwritten.
    std::optional<qint64> m_rowId;
    // The rows there were beside an inserted catch, to tell it from them once written.
    std::set<qint64> m_rowsBefore;
    // Each column's text, none for a null.
    std::vector<std::pair<QString, std::optional<QString>>> m_values;
    QString m_photo;
};
