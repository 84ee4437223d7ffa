#include "sky/BiteTimes.h"

#include "sky/CatchSky.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {
constexpr double Minute = 1.0 / (24 * 60);
constexpr double HalfHour = 30 * Minute;
// Days this close are computed as one span: a span shares its positions of the Sun and
// the Moon, which costs less than a day computed alone.
constexpr int Gap = 3;

struct Span
{
    double from, to;
};

// The part of [day, day + 1) the spans cover, overlaps counted once.
double Covered(std::vector<Span> spans, TDateTime day)
{
    for (Span &s : spans) {
        s.from = std::max(s.from, day);
        s.to = std::min(s.to, day + 1);
    }
    std::sort(spans.begin(), spans.end(), [](const Span &a, const Span &b) { return a.from < b.from; });
    double covered = 0, reached = day;
    for (const Span &s : spans) {
        const double from = std::max(s.from, reached);
        if (s.to > from) {
            covered += s.to - from;
            reached = s.to;
        }
    }
    return covered;
}

bool Within(TDateTime t, const std::optional<TDateTime> &centre)
{
    return centre && t >= *centre - HalfHour && t < *centre + HalfHour;
}
} // namespace

BiteTimes::DayCover BiteTimes::DayCover::Of(const DaySky &sky)
{
    std::vector<Span> major, any;
    for (const SolunarPeriod &p : sky.periods) {
        (p.major ? major : any).push_back({p.start, p.end});
    }
    any.insert(any.end(), major.begin(), major.end());
    DayCover cover;
    cover.major = Covered(major, sky.day);
    cover.minor = Covered(any, sky.day) - cover.major;
    auto hour = [&sky](const std::optional<TDateTime> &centre) {
        return centre ? Covered({{*centre - HalfHour, *centre + HalfHour}}, sky.day) : 0.0;
    };
    cover.sunrise = hour(sky.sunrise);
    cover.sunset = hour(sky.sunset);
    return cover;
}

void BiteTimes::Add(const DaySky &sky, const DayCover &cover, int minute)
{
    ++catches;
    ++byPhase[size_t(sky.phase)];
    int year = 0, month = 0, day = 0;
    DecodeDate(sky.day, year, month, day);
    ++byMonth[size_t(month - 1)];
    if (minute < 0 || minute >= 24 * 60)
        return;
    ++timed;
    ++byHour[size_t(minute / 60)];
    // The middle of the minute written: the angler knows the hour to the minute, not the
    // second.
    const TDateTime at = sky.day + (minute + 0.5) * Minute;
    if (const SolunarPeriod *period = PeriodAt(sky, at))
        ++(period->major ? major : minor).inside;
    sunrise.inside += Within(at, sky.sunrise);
    sunset.inside += Within(at, sky.sunset);
    major.dayShare += cover.major;
    minor.dayShare += cover.minor;
    sunrise.dayShare += cover.sunrise;
    sunset.dayShare += cover.sunset;
}

void BiteTimes::Finish()
{
    for (Share *share : {&major, &minor, &sunrise, &sunset})
        share->dayShare = timed > 0 ? share->dayShare / timed : 0;
}

BiteTimes BiteTimes::Count(const std::vector<Moment> &moments, const std::vector<Astronomy::Site> &sites)
{
    // The distinct days of each site, each sky made once.
    std::vector<std::vector<int>> days(sites.size());
    for (const Moment &m : moments)
        if (m.site >= 0 && size_t(m.site) < sites.size())
            days[size_t(m.site)].push_back(int(std::floor(m.day)));
    QHash<qint64, int> skyOf;
    std::vector<DaySky> skies;
    std::vector<DayCover> covers;
    for (size_t site = 0; site < sites.size(); ++site) {
        std::vector<int> &d = days[site];
        std::sort(d.begin(), d.end());
        d.erase(std::unique(d.begin(), d.end()), d.end());
        for (size_t first = 0; first < d.size();) {
            size_t last = first;
            while (last + 1 < d.size() && d[last + 1] - d[last] <= Gap)
                ++last;
            const std::vector<DaySky> span = SkyOfDays(d[first], d[last] - d[first] + 1, sites[site]);
            for (size_t i = first; i <= last; ++i) {
                const DaySky &sky = span[size_t(d[i] - d[first])];
                skyOf.insert(qint64(site) << 32 | quint32(d[i]), int(skies.size()));
                skies.push_back(sky);
                covers.push_back(DayCover::Of(sky));
            }
            first = last + 1;
        }
    }
    BiteTimes times;
    for (const Moment &m : moments) {
        const int at = skyOf.value(qint64(m.site) << 32 | quint32(int(std::floor(m.day))), -1);
        if (at >= 0)
            times.Add(skies[size_t(at)], covers[size_t(at)], m.minute);
    }
    times.Finish();
    return times;
}
