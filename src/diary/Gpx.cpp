#include "diary/Gpx.h"

#include "base/CheckedFile.h"
#include "diary/CatchLog.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace {
const QString Gpx11 = QStringLiteral("http://www.topografix.com/GPX/1/1");
const QString Gpx10 = QStringLiteral("http://www.topografix.com/GPX/1/0");
const QString WaterType = QStringLiteral("Łowisko");
const QString CatchType = QStringLiteral("Połów");
// The width of the names in the diary's table.
constexpr qsizetype LongestText = 255;

// XML 1.0 allows no control characters but tab and line breaks, nor a lone half of a
// surrogate pair; one pasted into a name would make the whole file unreadable to every
// GPX reader.
QString XmlText(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            clean += c;
            clean += text.at(++i);
        } else if (!c.isSurrogate() && (c.unicode() >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r') &&
                   c.unicode() != 0xFFFE && c.unicode() != 0xFFFF) {
            clean += c;
        }
    }
    return clean;
}

// xsd:decimal, which GPX's lat and lon are: a point, never an exponent; seven places are
// a centimetre.
QString Decimal(double degrees)
{
    QString text = QString::number(degrees, 'f', 7);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

// The moment of a catch in UTC; none when the angler gave no hour or the day or hour
// does not read. A wall-clock hour that never was (the spring change) is moved past the
// change, and one that was twice (the autumn change) is taken as the first, as Qt does.
QDateTime CatchTime(const CatchRecord &record, const QTimeZone &poland)
{
    const QDate day = QDate::fromString(record.day.trimmed(), Qt::ISODate);
    const QTime hour = QTime::fromString(record.hour.trimmed(), QStringLiteral("H:mm"));
    if (!day.isValid() || !hour.isValid() || !poland.isValid())
        return {};
    return QDateTime(day, hour, poland).toUTC();
}

QString CatchName(const CatchRecord &record)
{
    QString name = record.species.simplified();
    if (name.isEmpty())
        name = CatchType;
    if (record.weight > 0)
        name += u' ' + CatchLog::NumberText(record.weight) + QStringLiteral(" kg");
    else if (record.length > 0)
        name += u' ' + CatchLog::NumberText(record.length) + QStringLiteral(" cm");
    return name;
}

QString CatchDescription(const CatchRecord &record, const Water &water, const QDateTime &time)
{
    QStringList fish{record.species.simplified().isEmpty() ? CatchType : record.species.simplified()};
    if (record.weight > 0)
        fish << CatchLog::NumberText(record.weight) + QStringLiteral(" kg");
    if (record.length > 0)
        fish << CatchLog::NumberText(record.length) + QStringLiteral(" cm");
    fish << (record.kept ? QStringLiteral("zabrana") : QStringLiteral("wypuszczona"));
    QString place = water.name.simplified();
    if (!water.number.trimmed().isEmpty())
        place += QStringLiteral(", nr łowiska ") + water.number.trimmed();
    const QDate day = QDate::fromString(record.day.trimmed(), Qt::ISODate);
    const QString dayText = day.isValid() ? day.toString(QStringLiteral("dd.MM.yyyy")) : record.day.trimmed();
    const QString when = time.isValid() ? QString(dayText + QStringLiteral(", godz. ") + record.hour.trimmed())
                                        : QString(dayText + QStringLiteral(", godzina nieznana"));
    return fish.join(QStringLiteral(", ")) + QStringLiteral(". ") + place + QStringLiteral(". ") + when + u'.';
}

void WriteWaypoint(QXmlStreamWriter &xml, const GeoPoint &at, const QDateTime &time, const QString &name,
                   const QString &comment, const QString &description, const QString &type)
{
    // GPX fixes the order of a waypoint's children: time, name, cmt, desc, …, type.
    xml.writeStartElement(Gpx11, QStringLiteral("wpt"));
    xml.writeAttribute(QStringLiteral("lat"), Decimal(at.latitude));
    xml.writeAttribute(QStringLiteral("lon"), Decimal(at.longitude));
    if (time.isValid())
        xml.writeTextElement(Gpx11, QStringLiteral("time"), time.toString(Qt::ISODate));
    xml.writeTextElement(Gpx11, QStringLiteral("name"), XmlText(name));
    if (!comment.isEmpty())
        xml.writeTextElement(Gpx11, QStringLiteral("cmt"), XmlText(comment));
    if (!description.isEmpty())
        xml.writeTextElement(Gpx11, QStringLiteral("desc"), XmlText(description));
    xml.writeTextElement(Gpx11, QStringLiteral("type"), type);
    xml.writeEndElement();
}

// A coordinate as xsd:decimal writes it (a sign, digits, one point: no exponent, no
// "inf"), within the limit; none otherwise.
std::optional<double> Coordinate(QStringView text, double limit)
{
    text = text.trimmed();
    int digits = 0, points = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.')
            ++points;
        else if (i > 0 || (c != u'-' && c != u'+'))
            return std::nullopt;
    }
    bool ok = false;
    const double value = digits > 0 && points <= 1 ? text.toDouble(&ok) : 0;
    if (!ok || !(std::abs(value) <= limit))
        return std::nullopt;
    return value;
}

QString Clipped(const QString &text)
{
    return text.simplified().left(LongestText);
}

// One pass over a file: the prolog up to the root, then the root's children, of which
// only the waypoints are read.
class FileReader
{
public:
    FileReader(QIODevice &device, const std::vector<Water> &existing) : m_xml(&device)
    {
        for (const Water &water : existing)
            if (water.position)
                m_known[Waters::NameKey(water.name)].push_back(*water.position);
    }

    Gpx::Reading Run()
    {
        if (!Root() || !Body())
            return {{}, m_error + QStringLiteral(" Nie wczytano z niego żadnego łowiska.")};
        return {std::move(m_waypoints), {}};
    }

private:
    bool Fail(const QString &error)
    {
        m_error = error;
        return false;
    }

    bool Damaged()
    {
        if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            return Fail(m_xml.lineNumber() <= 1 && m_xml.columnNumber() == 0
                            ? QStringLiteral("Plik jest pusty.")
                            : QStringLiteral("Plik urywa się w wierszu %1: jest niepełny, może nie został zapisany "
                                             "albo pobrany do końca.")
                                  .arg(m_xml.lineNumber()));
        return Fail(QStringLiteral("To nie jest poprawny plik GPX: jego treść jest uszkodzona w wierszu %1, "
                                   "kolumnie %2.")
                        .arg(m_xml.lineNumber())
                        .arg(m_xml.columnNumber()));
    }

    bool Root()
    {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            // A document type declaration is where entities are declared (the "billion
            // laughs", a file's contents pulled in); no GPX file has one.
            if (token == QXmlStreamReader::DTD)
                return Fail(QStringLiteral("Plik zawiera deklarację typu dokumentu (DTD), której pliki GPX nie mają; "
                                           "dla bezpieczeństwa nie został wczytany."));
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QStringView space = m_xml.namespaceUri();
            if (m_xml.name() != u"gpx")
                return Fail(QStringLiteral("To nie jest plik GPX: zaczyna się od elementu <%1> zamiast <gpx>.")
                                .arg(m_xml.name().left(40)));
            // Some old programs wrote no namespace at all.
            if (space != Gpx11 && space != Gpx10 && !space.isEmpty())
                return Fail(QStringLiteral("Plik GPX ma nieznaną wersję (przestrzeń nazw %1); wczytywane są pliki "
                                           "GPX 1.0 i 1.1.")
                                .arg(space.left(80)));
            m_namespace = space.toString();
            return true;
        }
        return Damaged();
    }

    bool Body()
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"wpt" && m_xml.namespaceUri() == m_namespace) {
                if (!ReadWaypoint())
                    return false;
            } else {
                m_xml.skipCurrentElement();
            }
        }
        // What follows the root must still be well-formed: a file cut short or another
        // glued to it is damaged.
        while (!m_xml.atEnd())
            m_xml.readNext();
        return !m_xml.hasError() || Damaged();
    }

    bool ReadWaypoint()
    {
        if (++m_count > Gpx::MaxWaypoints)
            return Fail(QStringLiteral("Plik ma ponad %1 punktów: to nie jest lista łowisk.").arg(Gpx::MaxWaypoints));
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const std::optional<double> latitude = Coordinate(attributes.value(QLatin1StringView("lat")), 90);
        const std::optional<double> longitude = Coordinate(attributes.value(QLatin1StringView("lon")), 180);
        if (!latitude || !longitude)
            return Fail(QStringLiteral("Punkt w wierszu %1 ma błędne położenie: szerokość geograficzna (lat) musi "
                                       "być liczbą od -90 do 90, a długość (lon) od -180 do 180.")
                            .arg(m_xml.lineNumber()));
        QString name, comment, type;
        while (m_xml.readNextStartElement()) {
            QString *field = nullptr;
            if (m_xml.namespaceUri() == m_namespace) {
                const QStringView element = m_xml.name();
                field = element == u"name"   ? &name
                        : element == u"cmt"  ? &comment
                        : element == u"type" ? &type
                                             : nullptr;
            }
            if (field)
                *field = m_xml.readElementText(QXmlStreamReader::SkipChildElements);
            else
                m_xml.skipCurrentElement();
        }
        if (m_xml.hasError())
            return true;
        type = type.trimmed();
        if (type.compare(CatchType, Qt::CaseInsensitive) == 0)
            return true;
        Water water{Clipped(name), QString(), GeoPoint{*latitude, *longitude}};
        if (water.name.isEmpty())
            water.name = QStringLiteral("Punkt %1").arg(m_count);
        if (type.compare(WaterType, Qt::CaseInsensitive) == 0)
            water.number = Clipped(comment);
        const Gpx::Found found = Compare(water);
        m_waypoints.push_back({std::move(water), found});
        return true;
    }

    Gpx::Found Compare(const Water &water)
    {
        const QString key = Waters::NameKey(water.name);
        const GeoPoint &at = *water.position;
        // A degree of latitude is over 110 km anywhere: the cheap test keeps a file of
        // many points of one name from costing a distance for every pair.
        constexpr double Latitude = Waters::SameWaterMetres / 110000;
        const auto near = [&](const QHash<QString, std::vector<GeoPoint>> &points) {
            const auto found = points.constFind(key);
            return found != points.cend() && std::any_of(found->begin(), found->end(), [&](const GeoPoint &p) {
                       return std::abs(p.latitude - at.latitude) <= Latitude &&
                              DistanceMetres(p, at) <= Waters::SameWaterMetres;
                   });
        };
        if (near(m_known))
            return Gpx::Found::AlreadyThere;
        if (near(m_read))
            return Gpx::Found::RepeatedInFile;
        m_read[key].push_back(at);
        return Gpx::Found::New;
    }

    QXmlStreamReader m_xml;
    QString m_namespace;
    QString m_error;
    QHash<QString, std::vector<GeoPoint>> m_known;
    QHash<QString, std::vector<GeoPoint>> m_read;
    std::vector<Gpx::Waypoint> m_waypoints;
    int m_count = 0;
};
} // namespace

namespace Gpx {

QByteArray Text(const std::vector<Water> &waters, const std::vector<CatchRecord> &catches)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(Gpx11);
    xml.writeStartElement(Gpx11, QStringLiteral("gpx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Rybowid"));
    xml.writeStartElement(Gpx11, QStringLiteral("metadata"));
    xml.writeTextElement(Gpx11, QStringLiteral("name"), QStringLiteral("Moje łowiska i połowy"));
    xml.writeEndElement();

    for (const Water &water : waters) {
        if (water.position && water.position->Valid() && !water.name.trimmed().isEmpty())
            WriteWaypoint(xml, *water.position, {}, water.name.simplified(), water.number.trimmed(), {}, WaterType);
    }
    const QTimeZone poland(QByteArrayLiteral("Europe/Warsaw"));
    for (const CatchRecord &record : catches) {
        const Water *water = Waters::Named(waters, record.place);
        if (!water || !water->position || !water->position->Valid())
            continue;
        const QDateTime time = CatchTime(record, poland);
        WriteWaypoint(xml, *water->position, time, CatchName(record), water->number.trimmed(),
                      CatchDescription(record, *water, time), CatchType);
    }
    xml.writeEndDocument();
    return bytes;
}

bool Write(const QString &path, const std::vector<Water> &waters, const std::vector<CatchRecord> &catches,
           QString *error)
{
    return WriteWholeFile(path, Text(waters, catches), error);
}

Reading Read(QIODevice &device, const std::vector<Water> &existing)
{
    if (!device.isSequential() && device.size() > MaxFileBytes)
        return {{},
                QStringLiteral("Plik ma %1 MB, a wczytywane są pliki GPX do %2 MB. Nie wczytano z niego żadnego "
                               "łowiska.")
                    .arg((device.size() + 1024 * 1024 - 1) / (1024 * 1024))
                    .arg(MaxFileBytes / (1024 * 1024))};
    return FileReader(device, existing).Run();
}

Reading ReadFile(const QString &path, const std::vector<Water> &existing)
{
    QFile file(path);
    // A pipe or a device would never end.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {{},
                QStringLiteral("Nie można otworzyć pliku „%1”: nie istnieje, nie jest zwykłym plikiem albo brak "
                               "uprawnień do jego odczytu.")
                    .arg(QFileInfo(path).fileName())};
    return Read(file, existing);
}

} // namespace Gpx
