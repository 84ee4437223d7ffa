#pragma once

#include "diary/CatchRecord.h"
#include "diary/Waters.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

// The yearly register of kept fish ("rejestr połowów") in the layout of the paper form:
// one line per day, water and species with the count and the weight, then the totals
// per species and per water. Released fish and catches without a species are not in it.
struct CatchRegister
{
    struct Line
    {
        QString day;
        QString water;
        // The water's number in the district's list; empty when the angler gave none.
        QString number;
        QString species;
        int count = 0;
        double weight = 0;
    };
    struct Total
    {
        QString name;
        QString number;
        int count = 0;
        double weight = 0;
    };

    int year = 0;
    std::vector<Line> lines;
    std::vector<Total> bySpecies;
    std::vector<Total> byWater;
    int count = 0;
    double weight = 0;

    static CatchRegister Build(const std::vector<CatchRecord> &records, const std::vector<Water> &waters, int year);

    // The water of a catch whose place was left empty, in the lines and the totals alike.
    static QString UnnamedWater() { return QStringLiteral("(bez nazwy)"); }

    // Whether the year is still running on the given day, so the register may grow.
    bool Unfinished(const QDate &today) const { return today.year() <= year; }

    // The register for a spreadsheet, the way the catch log's export writes: UTF-8 with
    // a byte-order mark, ";" between fields, CR LF, decimal commas.
    QByteArray Csv() const;
};
