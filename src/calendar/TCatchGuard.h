#pragma once

#include "base/DateUtils.h"
#include "diary/CatchRules.h"
#include "diary/ProtectionRule.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QCompleter;
class QModelIndex;
class DayDiary;
class TDBGrid;

// Keeps the catch diary honest about the rules: a posted kept catch that breaks the
// national regulation or the angler's permit (a closed season, a protected size, a daily
// limit) is told to the angler (the row is kept: the diary records what happened); such
// rows are marked in the grid; the species names of ryby and the angler's waters are
// offered as completion in the grid and the details dialog.
class TCatchGuard : public QObject
{
    Q_OBJECT

public:
    // Watches the day's diary and marks the rows of its grid.
    TCatchGuard(DayDiary *diary, TDBGrid *grid, QObject *parent);

    // Reads the species once the database is open; the details dialog exists by now.
    void Prepare();
    const std::vector<SpeciesProtection> &Species() const { return m_species; }
    // Reads the angler's permit and waters again (after they were edited or restored).
    void ReadOwnRules();

    static QString WarningTitle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AfterPost();
    QVariant CellRole(const QModelIndex &index, int role) const;
    QStringList BrokenInRow(int row) const;

    DayDiary *m_diary;
    TDBGrid *m_grid;
    std::vector<SpeciesProtection> m_species;
    QCompleter *m_gridCompleter = nullptr;
    QCompleter *m_dialogCompleter = nullptr;
    // The angler's waters, offered for the place.
    QCompleter *m_placeCompleter = nullptr;
    CatchRules m_rules;
    bool m_prepared = false;
    // The warning last given for each row, so that editing its notes does not repeat it.
    QHash<qint64, QString> m_warned;
};
