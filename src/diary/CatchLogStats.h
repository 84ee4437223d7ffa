#pragma once

#include <QString>

#include <QPointF>
#include <array>
#include <vector>

// Catches that share a species, a bait or a place.
class CatchLog;

struct CatchGroup
{
    QString name;
    int count = 0;
    double weight = 0;
    double heaviest = 0;
};

// Statistics of the catches a catch log shows.
struct CatchLogStats
{
    int count = 0;
    double totalWeight = 0;
    // January first.
    std::array<int, 12> perMonth{};
    // Most catches first, then the greater total weight, then by name. Names differing
    // only in letter case or surrounding blanks count as one, under the name first
    // written; a catch without a bait or place counts in neither table.
    std::vector<CatchGroup> species;
    std::vector<CatchGroup> baits;
    std::vector<CatchGroup> places;
    // (length, weight) of the catches with both measured. Catches that would fall on one
    // dot of the chart are drawn once, so a long diary stays quick to draw, yet a single
    // odd catch (a typo of a decimal place) is always there.
    std::vector<QPointF> lengthWeight;

    // Of the catches the log shows.
    static CatchLogStats Compute(const CatchLog &log);
};
