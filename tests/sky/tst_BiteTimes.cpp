#include "sky/BiteTimes.h"
#include "sky/CatchSky.h"

#include <QTest>

namespace {
constexpr double Minute = 1.0 / (24 * 60);

TDateTime At(TDateTime day, int hour, int minute)
{
    return day + (hour * 60 + minute) * Minute;
}
} // namespace

class BiteTimesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A hand-made day: major periods 04:50–06:50 and 17:00–19:00 (four hours, a sixth of
    // the day), minor ones 06:30–07:30 (its 40 minutes after 06:50 count as minor) and
    // 11:00–12:00, sunrise 07:00, sunset 16:00. Every figure below is worked out by hand.
    void catchesAreSetAgainstTheShareOfTheDayTheirTimesTakeUp()
    {
        DaySky sky;
        sky.day = EncodeDate(2025, 5, 14);
        sky.phase = MoonPhase::FullMoon;
        sky.sunrise = At(sky.day, 7, 0);
        sky.sunset = At(sky.day, 16, 0);
        sky.periods = {{At(sky.day, 4, 50), At(sky.day, 6, 50), true},
                       {At(sky.day, 6, 30), At(sky.day, 7, 30), false},
                       {At(sky.day, 11, 0), At(sky.day, 12, 0), false},
                       {At(sky.day, 17, 0), At(sky.day, 19, 0), true}};
        const BiteTimes::DayCover cover = BiteTimes::DayCover::Of(sky);
        QCOMPARE(qRound(cover.major / Minute), 240);
        QCOMPARE(qRound(cover.minor / Minute), 100);
        QCOMPARE(qRound(cover.sunrise / Minute), 60);

        BiteTimes times;
        // 05:10 falls in the major period, 07:00 outside it (in a minor one, and in the
        // hour around sunrise), 12:30 in nothing, 16:10 in the hour around sunset.
        for (const int minute : {5 * 60 + 10, 7 * 60, 12 * 60 + 30, 16 * 60 + 10, -1})
            times.Add(sky, cover, minute);
        times.Finish();
        QCOMPARE(times.catches, 5);
        QCOMPARE(times.timed, 4);
        QCOMPARE(times.byPhase[size_t(MoonPhase::FullMoon)], 5);
        QCOMPARE(times.byMonth[4], 5);
        QCOMPARE(times.byHour[5] + times.byHour[7] + times.byHour[12] + times.byHour[16], 4);
        QCOMPARE(times.major.inside, 1);
        QCOMPARE(times.minor.inside, 1);
        QCOMPARE(times.sunrise.inside, 1);
        QCOMPARE(times.sunset.inside, 1);
        QCOMPARE(qRound(times.major.dayShare * 1440), 240);
        QCOMPARE(qRound(times.minor.dayShare * 1440), 100);
        QCOMPARE(qRound(times.sunset.dayShare * 1440), 60);
    }

    // The line of a catch: the period it fell in (a major one where a minor overlaps),
    // the nearer of sunrise and sunset, and the Moon.
    void aCatchsSkyIsSaidInOneLine()
    {
        DaySky sky;
        sky.day = EncodeDate(2025, 5, 14);
        sky.sunrise = At(sky.day, 4, 40);
        sky.sunset = At(sky.day, 20, 10);
        sky.periods = {{At(sky.day, 4, 50), At(sky.day, 6, 50), true},
                       {At(sky.day, 6, 30), At(sky.day, 7, 30), false}};
        QCOMPARE(CatchSkyText(sky, At(sky.day, 6, 40), true),
                 QStringLiteral("W głównym okresie solunarnym (04:50–06:50); 2 h po wschodzie słońca; księżyc nad "
                                "horyzontem."));
        QCOMPARE(CatchSkyText(sky, At(sky.day, 7, 0), false),
                 QStringLiteral("W drugorzędnym okresie solunarnym (06:30–07:30); 2 h 20 min po wschodzie słońca; "
                                "księżyc pod horyzontem."));
        QCOMPARE(CatchSkyText(sky, At(sky.day, 19, 35), false),
                 QStringLiteral("Poza okresami solunarnymi; 35 min przed zachodem słońca; księżyc pod horyzontem."));
        // A polar day has neither sunrise nor sunset to measure from.
        sky.sunrise.reset();
        sky.sunset.reset();
        QCOMPARE(CatchSkyText(sky, At(sky.day, 12, 0), true),
                 QStringLiteral("Poza okresami solunarnymi; księżyc nad horyzontem."));
    }

    // The counting over a real sky agrees with the sky of each day, wherever the catch
    // was seen from, and a day of two places is computed for each.
    void countingOverRealSkiesFollowsEachDaysPeriods()
    {
        const std::vector<Astronomy::Site> sites{{52.07, 19.48}, {69.65, 18.96}};
        const TDateTime first = EncodeDate(2024, 6, 1);
        std::vector<BiteTimes::Moment> moments;
        int inMajor = 0;
        for (int d = 0; d < 40; d += 2) {
            for (int site = 0; site < 2; ++site) {
                const DaySky sky = SkyOfDay(first + d, sites[size_t(site)]);
                // Just inside the first major period, and in the middle of the night.
                const SolunarPeriod *major = nullptr;
                for (const SolunarPeriod &p : sky.periods)
                    if (p.major && !major && p.start >= sky.day)
                        major = &p;
                const int minute = major ? int((major->start - sky.day) / Minute) + 2 : 0;
                inMajor += major != nullptr;
                moments.push_back({first + d, minute, site});
            }
        }
        const BiteTimes times = BiteTimes::Count(moments, sites);
        QCOMPARE(times.catches, 40);
        QCOMPARE(times.timed, 40);
        QCOMPARE(times.major.inside, inMajor);
        QVERIFY(times.major.dayShare > 0.1 && times.major.dayShare < 0.25);
        // Beyond the polar circle in June the Sun neither rises nor sets: only the days
        // in Poland have an hour around sunrise.
        QCOMPARE(qRound(times.sunrise.dayShare * 1440 * 2), 60);
    }
};

QTEST_GUILESS_MAIN(BiteTimesTest)
#include "tst_BiteTimes.moc"
