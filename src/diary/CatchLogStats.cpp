#include "diary/CatchLogStats.h"

#include "diary/CatchLog.h"

#include <algorithm>

namespace {
const QString NoSpecies = QStringLiteral("(bez nazwy)");
// Cells of the weight-length plane per axis, a few pixels each on the chart.
constexpr int Cells = 200;

// Totals per key of one name list; the last slot gathers the catches without a name.
class Grouper
{
public:
    explicit Grouper(const QStringList &names) : m_names(names), m_groups(size_t(names.size()) + 1) {}

    void Add(int key, double weight)
    {
        CatchGroup &group = m_groups[key >= 0 ? size_t(key) : m_groups.size() - 1];
        ++group.count;
        group.weight += weight;
        group.heaviest = std::max(group.heaviest, weight);
    }

    std::vector<CatchGroup> Ranked(const QString &unnamed)
    {
        std::vector<CatchGroup> groups;
        for (size_t key = 0; key < m_groups.size(); ++key) {
            if (m_groups[key].count == 0)
                continue;
            const bool named = key < size_t(m_names.size());
            if (!named && unnamed.isEmpty())
                continue;
            groups.push_back(m_groups[key]);
            groups.back().name = named ? m_names[qsizetype(key)] : unnamed;
        }
        std::sort(groups.begin(), groups.end(), [](const CatchGroup &a, const CatchGroup &b) {
            if (a.count != b.count)
                return a.count > b.count;
            if (a.weight != b.weight)
                return a.weight > b.weight;
            return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
        });
        return groups;
    }

private:
    const QStringList &m_names;
    std::vector<CatchGroup> m_groups;
};
} // namespace

CatchLogStats CatchLogStats::Compute(const CatchLog &log)
{
    CatchLogStats stats;
    const std::vector<CatchRecord> &records = log.Records();
    Grouper species(log.SpeciesKeys()), baits(log.BaitKeys()), places(log.PlaceKeys());
    double maxLength = 0, maxWeight = 0;
    for (const int index : log.Shown()) {
        const CatchRecord &r = records[size_t(index)];
        ++stats.count;
        stats.totalWeight += r.weight;
        if (r.month > 0)
            ++stats.perMonth[size_t(r.month - 1)];
        species.Add(r.speciesKey, r.weight);
        baits.Add(r.baitKey, r.weight);
        places.Add(r.placeKey, r.weight);
        if (r.length > 0 && r.weight > 0) {
            maxLength = std::max(maxLength, r.length);
            maxWeight = std::max(maxWeight, r.weight);
        }
    }
    stats.species = species.Ranked(NoSpecies);
    stats.baits = baits.Ranked(QString());
    stats.places = places.Ranked(QString());

    std::vector<bool> taken(size_t(Cells + 1) * size_t(Cells + 1));
    for (const int index : log.Shown()) {
        const CatchRecord &r = records[size_t(index)];
        if (r.length <= 0 || r.weight <= 0)
            continue;
        const size_t cell =
            size_t(r.length / maxLength * Cells) * size_t(Cells + 1) + size_t(r.weight / maxWeight * Cells);
        if (!taken[cell]) {
            taken[cell] = true;
            stats.lengthWeight.emplace_back(r.length, r.weight);
        }
    }
    return stats;
}
