// Reading a phone's GPX file of 10,000 waypoints into proposed waters, against a bare
// pass of Qt's XML reader over the same file: the reading may cost at most twice the
// parsing it cannot do without.

#include "BenchFixture.h"
#include "BenchRatio.h"

#include "diary/Gpx.h"

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

constexpr int Waypoints = 10000;

// Names, times, elevations and a few extension elements each, as a map app writes its
// favourites; one name in ten repeats an earlier waypoint's, and the angler already has
// a hundred waters of those names.
struct PhoneFile
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("ulubione.gpx"));
    std::vector<Water> existing;

    PhoneFile()
    {
        QByteArray text = R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.1" creator="OsmAnd" xmlns="http://www.topografix.com/GPX/1/1" xmlns:osmand="https://osmand.net">
)";
        for (int i = 0; i < Waypoints; ++i) {
            const int named = i % 10 == 9 ? i - 9 : i;
            const double lat = 49.5 + (i * 7919 % 4500) / 1000.0;
            const double lon = 14.5 + (i * 104729 % 9500) / 1000.0;
            text += QStringLiteral("  <wpt lat=\"%1\" lon=\"%2\">\n"
                                   "    <ele>%3</ele>\n"
                                   "    <time>2024-05-%4T05:%5:00Z</time>\n"
                                   "    <name>Łowisko nr %6 – pomost</name>\n"
                                   "    <desc>Zejście do wody przy drodze</desc>\n"
                                   "    <sym>Fishing</sym>\n"
                                   "    <extensions>\n"
                                   "      <osmand:icon>special_fishing</osmand:icon>\n"
                                   "      <osmand:color>#ff%7</osmand:color>\n"
                                   "      <osmand:background>circle</osmand:background>\n"
                                   "    </extensions>\n"
                                   "  </wpt>\n")
                        .arg(lat, 0, 'f', 6)
                        .arg(lon, 0, 'f', 6)
                        .arg(100 + i % 300)
                        .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                        .arg(i % 60, 2, 10, QLatin1Char('0'))
                        .arg(named)
                        .arg(i % 10000, 4, 10, QLatin1Char('0'))
                        .toUtf8();
            if (i % 100 == 0)
                existing.push_back({QStringLiteral("Łowisko nr %1 – pomost").arg(i), QString(), GeoPoint{lat, lon}});
        }
        text += "</gpx>\n";
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qFatal("The benchmark's GPX file could not be written");
    }
};

void BM_BareXmlPass(benchmark::State &state)
{
    const PhoneFile &phone = SharedFixture<PhoneFile>();
    for (auto _ : state) {
        QFile file(phone.path);
        file.open(QIODevice::ReadOnly);
        QXmlStreamReader xml(&file);
        qsizetype touched = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement)
                touched += xml.name().size();
        }
        if (xml.hasError())
            state.SkipWithError("the file does not parse");
        benchmark::DoNotOptimize(touched);
    }
}
BENCHMARK(BM_BareXmlPass)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_ImportWaypoints(benchmark::State &state)
{
    const PhoneFile &phone = SharedFixture<PhoneFile>();
    for (auto _ : state) {
        const Gpx::Reading reading = Gpx::ReadFile(phone.path, phone.existing);
        if (reading.waypoints.size() != size_t(Waypoints))
            state.SkipWithError("the waypoints were not all read");
        benchmark::DoNotOptimize(reading.waypoints.data());
    }
}
BENCHMARK(BM_ImportWaypoints)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"BM_ImportWaypoints", "BM_BareXmlPass", 2.0}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    FixtureHolder<PhoneFile>().reset();
    return 0;
}
