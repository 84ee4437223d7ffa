#include "sky/SkyPlace.h"

#include "base/UserSettings.h"

namespace {
const QString NameKey = QStringLiteral("niebo/miejsce");
const QString LatitudeKey = QStringLiteral("niebo/szerokosc");
const QString LongitudeKey = QStringLiteral("niebo/dlugosc");
} // namespace

namespace SkyPlaces {

const std::vector<SkyPlace> &Listed()
{
    static const std::vector<SkyPlace> places = {
        {QStringLiteral("Środek Polski (Piątek)"), {52.0692, 19.4803}},
        {QStringLiteral("Białystok"), {53.1325, 23.1688}},
        {QStringLiteral("Bydgoszcz"), {53.1235, 18.0084}},
        {QStringLiteral("Gdańsk"), {54.3520, 18.6466}},
        {QStringLiteral("Gorzów Wielkopolski"), {52.7368, 15.2288}},
        {QStringLiteral("Katowice"), {50.2649, 19.0238}},
        {QStringLiteral("Kielce"), {50.8661, 20.6286}},
        {QStringLiteral("Kraków"), {50.0647, 19.9450}},
        {QStringLiteral("Lublin"), {51.2465, 22.5684}},
        {QStringLiteral("Łódź"), {51.7592, 19.4560}},
        {QStringLiteral("Olsztyn"), {53.7784, 20.4801}},
        {QStringLiteral("Opole"), {50.6751, 17.9213}},
        {QStringLiteral("Poznań"), {52.4064, 16.9252}},
        {QStringLiteral("Rzeszów"), {50.0412, 21.9991}},
        {QStringLiteral("Szczecin"), {53.4285, 14.5528}},
        {QStringLiteral("Toruń"), {53.0138, 18.5984}},
        {QStringLiteral("Warszawa"), {52.2297, 21.0122}},
        {QStringLiteral("Wrocław"), {51.1079, 17.0385}},
        {QStringLiteral("Zielona Góra"), {51.9356, 15.5062}},
    };
    return places;
}

const SkyPlace &Default()
{
    return Listed().front();
}

bool Valid(const Astronomy::Site &site)
{
    return site.Valid();
}

SkyPlace Load()
{
    QSettings settings = UserSettings();
    bool latOk = false, lonOk = false;
    const SkyPlace place{settings.value(NameKey).toString(),
                         {settings.value(LatitudeKey).toDouble(&latOk), settings.value(LongitudeKey).toDouble(&lonOk)}};
    if (!latOk || !lonOk || !Valid(place.site))
        return Default();
    return place;
}

void Save(const SkyPlace &place)
{
    QSettings settings = UserSettings();
    settings.setValue(NameKey, place.name);
    settings.setValue(LatitudeKey, place.site.latitude);
    settings.setValue(LongitudeKey, place.site.longitude);
}

} // namespace SkyPlaces
