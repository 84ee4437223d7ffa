#pragma once

#include "base/DateUtils.h"
#include "diary/ProtectionRule.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QCompleter;
class QModelIndex;
class TCalendarFrm;

// Keeps the catch diary honest about protected fish: a posted catch whose species is
// in its closed season, or at or under its protected size, is told to the angler (the
// row is kept: the diary records what happened); such rows are marked in the grid; the
// species names of ryby are offered as completion in the grid and the details dialog.
class TCatchGuard : public QObject
{
    Q_OBJECT

public:
    explicit TCatchGuard(TCalendarFrm *view);

    // Reads the species once the database is open; the details dialog exists by now.
    void Prepare();
    const std::vector<SpeciesProtection> &Species() const { return m_species; }

    static QString WarningTitle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AfterPost();
    QVariant CellRole(const QModelIndex &index, int role) const;
    QStringList BrokenInRow(int row) const;

    TCalendarFrm *m_view;
    std::vector<SpeciesProtection> m_species;
    QCompleter *m_gridCompleter = nullptr;
    QCompleter *m_dialogCompleter = nullptr;
    bool m_prepared = false;
    // The warning last given for each row, so that editing its notes does not repeat it.
    QHash<qint64, QString> m_warned;
};
