#include "data/CatchLogStats.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {
const QString NoSpecies = QStringLiteral("(bez nazwy)");
// Cells of the weight-length plane per axis; finer than a chart's pixels.
constexpr int Cells = 400;

class Grouper
{
public:
    void Add(const QString &name, double weight)
    {
        const QString trimmed = name.trimmed();
        if (trimmed.isEmpty())
            return;
        const QString key = trimmed.toLower();
        auto it = m_index.find(key);
        if (it == m_index.end()) {
            it = m_index.insert(key, int(m_groups.size()));
            m_groups.push_back({trimmed, 0, 0, 0});
        }
        CatchGroup &group = m_groups[size_t(it.value())];
        ++group.count;
        group.weight += weight;
        group.heaviest = std::max(group.heaviest, weight);
    }

    std::vector<CatchGroup> Ranked()
    {
        std::sort(m_groups.begin(), m_groups.end(), [](const CatchGroup &a, const CatchGroup &b) {
            if (a.count != b.count)
                return a.count > b.count;
            if (a.weight != b.weight)
                return a.weight > b.weight;
            return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
        });
        return std::move(m_groups);
    }

private:
    QHash<QString, int> m_index;
    std::vector<CatchGroup> m_groups;
};
} // namespace

CatchLogStats CatchLogStats::Compute(const std::vector<CatchRecord> &records, const std::vector<int> &shown)
{
    CatchLogStats stats;
    Grouper species, baits, places;
    double maxLength = 0, maxWeight = 0;
    for (const int index : shown) {
        const CatchRecord &r = records[size_t(index)];
        ++stats.count;
        stats.totalWeight += r.weight;
        if (r.month > 0)
            ++stats.perMonth[size_t(r.month - 1)];
        species.Add(r.species.trimmed().isEmpty() ? NoSpecies : r.species, r.weight);
        baits.Add(r.bait, r.weight);
        places.Add(r.place, r.weight);
        if (r.length > 0 && r.weight > 0) {
            maxLength = std::max(maxLength, r.length);
            maxWeight = std::max(maxWeight, r.weight);
        }
    }
    stats.species = species.Ranked();
    stats.baits = baits.Ranked();
    stats.places = places.Ranked();

    QSet<qint64> taken;
    for (const int index : shown) {
        const CatchRecord &r = records[size_t(index)];
        if (r.length <= 0 || r.weight <= 0)
            continue;
        const qint64 cx = qint64(r.length / maxLength * Cells);
        const qint64 cy = qint64(r.weight / maxWeight * Cells);
        if (!taken.contains(cx * (Cells + 1) + cy)) {
            taken.insert(cx * (Cells + 1) + cy);
            stats.lengthWeight.emplace_back(r.length, r.weight);
        }
    }
    return stats;
}
