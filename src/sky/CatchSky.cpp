#include "sky/CatchSky.h"

#include "sky/Astronomy.h"

#include <cmath>
#include <cstdlib>

namespace {
constexpr double MinutesPerDay = 24 * 60;

QString Clock(TDateTime local)
{
    const int minutes = int(std::lround((local - std::floor(local)) * MinutesPerDay)) % int(MinutesPerDay);
    return QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// "1 h 20 min", "35 min", "2 h".
QString Span(int minutes)
{
    const int h = minutes / 60, m = minutes % 60;
    if (h == 0)
        return QStringLiteral("%1 min").arg(m);
    return m == 0 ? QStringLiteral("%1 h").arg(h) : QStringLiteral("%1 h %2 min").arg(h).arg(m);
}
} // namespace

MoonPhase MoonPhaseAt(TDateTime local)
{
    const TDateTime ut = UtFromPolishTime(local);
    const std::vector<Astronomy::PhaseInstant> near = Astronomy::PrincipalPhasesBetween(ut - 0.5, ut + 0.5);
    if (!near.empty())
        return MoonPhase(2 * int(near.front().phase));
    return MoonPhase(2 * int(Astronomy::MoonElongation(ut) / 90.0) + 1);
}

const SolunarPeriod *PeriodAt(const DaySky &sky, TDateTime local)
{
    const SolunarPeriod *found = nullptr;
    for (const SolunarPeriod &period : sky.periods) {
        if (local >= period.start && local < period.end && (!found || (period.major && !found->major)))
            found = &period;
    }
    return found;
}

bool NearestSunEvent(const DaySky &sky, TDateTime local, int &minutes, bool &sunrise)
{
    bool found = false;
    for (const auto &[event, rise] : {std::pair{sky.sunrise, true}, std::pair{sky.sunset, false}}) {
        if (!event)
            continue;
        const int from = int(std::lround((local - *event) * MinutesPerDay));
        if (!found || std::abs(from) < std::abs(minutes)) {
            minutes = from;
            sunrise = rise;
            found = true;
        }
    }
    return found;
}

bool MoonUpAt(TDateTime local, const Astronomy::Site &site)
{
    return Astronomy::AboveRising(Astronomy::Body::Moon, UtFromPolishTime(local), site) > 0;
}

QString CatchSkyText(const DaySky &sky, TDateTime local, bool moonUp)
{
    QStringList parts;
    if (const SolunarPeriod *period = PeriodAt(sky, local))
        parts << QStringLiteral("W %1 okresie solunarnym (%2–%3)")
                     .arg(period->major ? QStringLiteral("głównym") : QStringLiteral("drugorzędnym"),
                          Clock(period->start), Clock(period->end));
    else
        parts << QStringLiteral("Poza okresami solunarnymi");
    int minutes = 0;
    bool sunrise = false;
    if (NearestSunEvent(sky, local, minutes, sunrise)) {
        const QString event = sunrise ? QStringLiteral("wschodzie słońca") : QStringLiteral("zachodzie słońca");
        const QString eventBefore = sunrise ? QStringLiteral("wschodem słońca") : QStringLiteral("zachodem słońca");
        if (minutes == 0)
            parts << QStringLiteral("o %1").arg(event);
        else if (minutes > 0)
            parts << QStringLiteral("%1 po %2").arg(Span(minutes), event);
        else
            parts << QStringLiteral("%1 przed %2").arg(Span(-minutes), eventBefore);
    }
    parts << (moonUp ? QStringLiteral("księżyc nad horyzontem") : QStringLiteral("księżyc pod horyzontem"));
    return parts.join(QStringLiteral("; ")) + QLatin1Char('.');
}
