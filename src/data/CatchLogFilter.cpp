#include "data/CatchLogFilter.h"

namespace {
// Weights typed with two decimals must not miss a catch stored as 2.3499999.
constexpr double Tolerance = 1e-6;

bool Contains(const QString &text, const QString &part)
{
    return part.isEmpty() || text.contains(part, Qt::CaseInsensitive);
}
} // namespace

bool CatchLogFilter::Matches(const CatchRecord &record) const
{
    if (!species.isEmpty() && record.species.trimmed().compare(species.trimmed(), Qt::CaseInsensitive) != 0)
        return false;
    if (!from.isEmpty() && record.day < from)
        return false;
    // A stored day may carry a time of day after its date.
    if (!to.isEmpty() && record.day.left(10) > to)
        return false;
    if (minWeight > 0 && record.weight < minWeight - Tolerance)
        return false;
    if (minLength > 0 && record.length < minLength - Tolerance)
        return false;
    return Contains(record.place, place) && Contains(record.bait, bait) && Contains(record.notes, notes);
}
