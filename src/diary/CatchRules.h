#pragma once

#include "diary/CatchRecord.h"
#include "diary/Permit.h"
#include "diary/ProtectionRule.h"
#include "diary/TextNumbers.h"

#include <QHash>
#include <QStringList>
#include <memory>
#include <vector>

// The rules a kept fish is held against: the national regulation (the species table and
// a daily limit of two eels) and the angler's permit, which may be stricter. Of two
// sizes the larger binds, of two daily counts the smaller; a closed season of either
// binds. A released fish breaks no rule and counts towards no limit.
class CatchRules
{
public:
    // The national daily limit of eels.
    static constexpr int NationalEelsADay = 2;

    CatchRules() = default;
    CatchRules(std::vector<SpeciesProtection> national, Permit permit);
    // The rules a diary holds: the species table and the stored permit. What cannot be
    // read is left out, so a damaged permit never hides the national rules.
    static CatchRules OfDiary(TDbConnection &connection);


    // The rules each catch breaks, one Polish sentence each naming the rule's source,
    // in the order of the records given. The catches of one day are counted together,
    // in the order they were entered (row id).
    std::vector<QStringList> Judge(const std::vector<CatchRecord> &records) const;
    // Judges each record; its Warning() then tells its broken rules, joined by "; ".
    void Mark(std::vector<CatchRecord> &records) const;
    // The sentences of a record marked by these rules, joined by "; ".
    QString WarningOf(const CatchRecord &record) const;

private:
    struct Found;
    class Counter;

public:
    // Marks catches handed over one at a time in entry order, as a long diary is read,
    // with the numbers the reading gave their texts. The rules are copied: the marks
    // outlive them.
    class Marker
    {
    public:
        explicit Marker(const CatchRules &rules);
        ~Marker();
        Marker(const Marker &) = delete;
        Marker &operator=(const Marker &) = delete;
        void Mark(CatchRecord &record, const TextNumbers &numbers = {});

    private:
        std::shared_ptr<const CatchRules> m_rules;
        std::unique_ptr<Counter> m_counter;
    };

private:
    // What judging found of one catch.
    struct Found
    {
        quint8 broken = 0;
        int count = 0;
        double keptKg = 0;
        // Indexes of the species' national and binding permit rules, -1 for none.
        int national = -1;
        int own = -1;
        bool eel = false;
    };
    // Reports what it finds of each record, by its index, in entry order.
    template <typename Report> void Tally(const std::vector<CatchRecord> &records, Report report) const;
    static void Store(CatchRecord &record, const Found &found, const std::shared_ptr<const CatchRules> &rules);
    QStringList Sentences(const CatchRecord &record, const Found &found) const;
    QString PermitSource() const;
    void IndexNames();

    std::vector<SpeciesProtection> m_national;
    Permit m_permit;
    // Each species' rules by its folded name, so that judging a long diary looks each
    // name up once, not every rule for every catch.
    QHash<QString, int> m_nationalOf;
    QHash<QString, int> m_permitOf;
};
