#pragma once

// The diary and the files TestGpx reads. Kept apart from the test's class: moc takes a
// raw string holding "//" for the start of a comment and then misses the class.

// Two waters with a position (one whose name needs escaping), one without, and catches
// in summer and winter time, one past midnight, one without an hour, one at the water
// without a position. The perch's species was pasted with a control character.
inline constexpr const char *Diary = R"(
insert into lowiska values ('Jezioro Łańskie', 'P-12', 53.871, 20.55);
insert into lowiska values ('Zalew "Zegrzyński" & <Narew>', 'W/7', 52.4659, 21.0361);
insert into lowiska values ('Wisła', '3', NULL, NULL);
insert into dziennik (data, gatunek, waga, dlugosc, miejsce, zabrana, godzina)
  values ('2005-06-10', 'Szczupak', 4.2, 78, ' jezioro  ŁAŃSKIE', 1, '18:30');
insert into dziennik (data, gatunek, waga, dlugosc, miejsce, zabrana, godzina)
  values ('2005-01-24', 'Okoń' || char(1), 0.35, 28, 'Zalew "Zegrzyński" & <Narew>', 0, '07:05');
insert into dziennik (data, gatunek, waga, dlugosc, miejsce, zabrana, godzina)
  values ('2005-04-22', 'Leszcz', 0, 45, 'Jezioro Łańskie', 1, '');
insert into dziennik (data, gatunek, waga, dlugosc, miejsce, zabrana, godzina)
  values ('2005-07-02', 'Sandacz', 2.0, 60, 'Wisła', 1, '12:00');
insert into dziennik (data, gatunek, waga, dlugosc, miejsce, zabrana, godzina)
  values ('2005-01-01', 'Sum', 12.5, 140, 'Jezioro Łańskie', 1, '0:30');
)";

// What an independent reader makes of a GPX file, one line a waypoint:
// name|lat|lon|UTC time or -|cmt|type.
inline constexpr const char *GpxpyScript = R"(
import sys, gpxpy
gpx = gpxpy.parse(open(sys.argv[1], encoding='utf-8'))
print(gpx.version, gpx.creator)
for w in gpx.waypoints:
    t = '-' if w.time is None else (w.time - w.time.utcoffset()).replace(tzinfo=None).isoformat() + 'Z'
    print('|'.join([w.name, repr(w.latitude), repr(w.longitude), t, w.comment or '', w.type or '']))
)";

// Waypoints of a map app on a phone: elevation, times, symbols, extensions of its own
// namespace, a track and a route beside them. The first lies 30 m from a water the
// angler has, the second of that name a kilometre off; the fourth repeats the third.
inline constexpr const char *PhoneApp = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<gpx version="1.1" creator="OsmAnd Maps 4.6" xmlns="http://www.topografix.com/GPX/1/1"
     xmlns:osmand="https://osmand.net" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"
     xsi:schemaLocation="http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd">
  <metadata><name>favourites</name><time>2024-05-01T05:00:00Z</time></metadata>
  <wpt lat="53.8712" lon="20.5503">
    <ele>135.2</ele><time>2024-05-01T05:12:00Z</time>
    <name>  JEZIORO
       łańskie </name>
    <desc>Pomost</desc><sym>Fishing</sym><type>Wędkarstwo</type>
    <extensions><osmand:icon>special_fishing</osmand:icon><osmand:color>#ff0000</osmand:color></extensions>
  </wpt>
  <wpt lat="53.880" lon="20.550"><name>Jezioro Łańskie</name></wpt>
  <wpt lat="52.2297" lon="21.0122">
    <name>Wisła &amp; Warszawa &#x2013; bulwar</name><cmt>zejście do wody</cmt>
    <extensions><osmand:address><osmand:street>Wybrzeże</osmand:street></osmand:address></extensions>
  </wpt>
  <wpt lat="+52.22975" lon="21.01225"><name>wisła &amp; warszawa – bulwar</name></wpt>
  <wpt lat="-33.5" lon="-70.25"><name><![CDATA[Río <Maipo>]]></name><link href="http://example.org"><text>x</text></link></wpt>
  <wpt lat="50.0" lon="19.9"/>
  <rte><rtept lat="51" lon="19"><name>Trasa</name></rtept></rte>
  <trk><name>Spacer</name><trkseg><trkpt lat="51.1" lon="19.1"><ele>100</ele></trkpt></trkseg></trk>
  <extensions><osmand:points_groups><group name="Ryby" color="#ff0000"/></osmand:points_groups></extensions>
</gpx>
)";

// A GPS receiver's file through an old converter.
inline constexpr const char *Gpx10File = R"(<?xml version="1.0"?>
<gpx version="1.0" creator="GPSBabel - https://www.gpsbabel.org" xmlns="http://www.topografix.com/GPX/1/0">
<time>2023-08-01T10:00:00Z</time>
<bounds minlat="54.1" minlon="18.7" maxlat="54.1" maxlon="18.7"/>
<wpt lat="54.100000" lon="18.700000">
  <ele>2.0</ele>
  <name>Ujście Wisły</name>
  <cmt>Łowisko morskie</cmt>
  <sym>Fishing Area</sym>
</wpt>
</gpx>
)";

// Files that are no GPX or a hostile one, each with the words of the reason given.
struct RefusedSample
{
    const char *what;
    const char *text;
    const char *reason;
};
inline constexpr RefusedSample RefusedSamples[] = {
    {"KML", R"(<kml xmlns="http://www.opengis.net/kml/2.2"><Placemark/></kml>)", "elementu <kml> zamiast"},
    {"GPX 2.0", R"(<gpx xmlns="http://www.topografix.com/GPX/2/0"/>)", "nieznaną wersję"},
    {"entity bomb",
     R"(<?xml version="1.0"?><!DOCTYPE gpx [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;">
        <!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;">]>
        <gpx xmlns="http://www.topografix.com/GPX/1/1"><wpt lat="1" lon="1"><name>&c;</name></wpt></gpx>)",
     "(DTD)"},
    {"external entity",
     R"(<!DOCTYPE gpx [<!ENTITY x SYSTEM "file:///etc/passwd">]>
        <gpx xmlns="http://www.topografix.com/GPX/1/1"><wpt lat="1" lon="1"><name>&x;</name></wpt></gpx>)",
     "(DTD)"},
    {"undeclared entity", R"(<gpx><wpt lat="1" lon="1"><name>&x;</name></wpt></gpx>)", "uszkodzona"},
    {"no latitude", R"(<gpx><wpt lat="1" lon="1"/>
                       <wpt lon="20"><name>x</name></wpt></gpx>)",
     "w wierszu 2 ma błędne położenie"},
    {"beyond the pole", R"(<gpx><wpt lat="90.5" lon="1"/></gpx>)", "błędne położenie"},
    {"an exponent", R"(<gpx><wpt lat="1" lon="1e2"/></gpx>)", "błędne położenie"},
    {"not a number", R"(<gpx><wpt lat="NaN" lon="1"/></gpx>)", "błędne położenie"},
};
