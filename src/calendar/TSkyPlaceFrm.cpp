#include "calendar/TSkyPlaceFrm.h"

#include "base/GeoPoint.h"
#include "widgets/Platform.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {
const QString OwnCoordinates = QStringLiteral("Własne współrzędne");
constexpr double LatitudeLimit = 90;
constexpr double LongitudeLimit = 180;

QLineEdit *MakeDegreesEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(24);
    return edit;
}
} // namespace

TSkyPlaceFrm::TSkyPlaceFrm(const SkyPlace &place, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SkyPlaceFrm"));
    setWindowTitle(QStringLiteral("Miejsce obserwacji"));

    PlaceCombo = new QComboBox(this);
    PlaceCombo->setObjectName(QStringLiteral("PlaceCombo"));
    for (const SkyPlace &listed : SkyPlaces::Listed())
        PlaceCombo->addItem(listed.name);
    PlaceCombo->addItem(OwnCoordinates);
    LatitudeEdit = MakeDegreesEdit(this, "LatitudeEdit");
    LatitudeEdit->setToolTip(QStringLiteral("Od -90 do 90 stopni; na południe od równika z minusem albo literą S"));
    LongitudeEdit = MakeDegreesEdit(this, "LongitudeEdit");
    LongitudeEdit->setToolTip(QStringLiteral("Od -180 do 180 stopni; na zachód od Greenwich z minusem albo literą W"));

    OkButton = new QPushButton(QStringLiteral("&OK"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("&Anuluj"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Miejsce:"), PlaceCombo);
    form->addRow(QStringLiteral("&Szerokość geograficzna:"), LatitudeEdit);
    form->addRow(QStringLiteral("&Długość geograficzna:"), LongitudeEdit);
    auto *hint =
        new QLabel(QStringLiteral("Wschody, zachody i pory brań liczone są dla tego miejsca, w czasie polskim."), this);
    hint->setWordWrap(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addLayout(buttons);
    setFixedWidth(360);

    int index = PlaceCombo->count() - 1;
    for (int i = 0; i < int(SkyPlaces::Listed().size()); ++i)
        if (SkyPlaces::Listed()[size_t(i)] == place)
            index = i;
    PlaceCombo->setCurrentIndex(index);
    LatitudeEdit->setText(DegreesText(place.site.latitude, QLatin1Char('N'), QLatin1Char('S')));
    LongitudeEdit->setText(DegreesText(place.site.longitude, QLatin1Char('E'), QLatin1Char('W')));
    PlaceComboChange();
    connect(PlaceCombo, &QComboBox::currentIndexChanged, this, &TSkyPlaceFrm::PlaceComboChange);
}

void TSkyPlaceFrm::PlaceComboChange()
{
    const int index = PlaceCombo->currentIndex();
    const bool own = index >= int(SkyPlaces::Listed().size());
    LatitudeEdit->setEnabled(own);
    LongitudeEdit->setEnabled(own);
    if (!own) {
        const SkyPlace &listed = SkyPlaces::Listed()[size_t(index)];
        LatitudeEdit->setText(DegreesText(listed.site.latitude, QLatin1Char('N'), QLatin1Char('S')));
        LongitudeEdit->setText(DegreesText(listed.site.longitude, QLatin1Char('E'), QLatin1Char('W')));
    }
}

SkyPlace TSkyPlaceFrm::Place() const
{
    const int index = PlaceCombo->currentIndex();
    if (index >= 0 && index < int(SkyPlaces::Listed().size()))
        return SkyPlaces::Listed()[size_t(index)];
    const auto latitude = ParseDegrees(LatitudeEdit->text(), LatitudeLimit, QLatin1Char('N'), QLatin1Char('S'));
    const auto longitude = ParseDegrees(LongitudeEdit->text(), LongitudeLimit, QLatin1Char('E'), QLatin1Char('W'));
    return {OwnCoordinates, {latitude.value_or(0), longitude.value_or(0)}};
}

void TSkyPlaceFrm::accept()
{
    if (LatitudeEdit->isEnabled()) {
        QLineEdit *wrong = nullptr;
        QString why;
        if (!ParseDegrees(LatitudeEdit->text(), LatitudeLimit, QLatin1Char('N'), QLatin1Char('S'))) {
            wrong = LatitudeEdit;
            why = QStringLiteral("Szerokość geograficzna musi być liczbą stopni od -90 do 90, z przecinkiem albo "
                                 "kropką. Na południe od równika wpisz ją z minusem albo z literą S, np. 52,2297 "
                                 "albo 34,5 S.");
        } else if (!ParseDegrees(LongitudeEdit->text(), LongitudeLimit, QLatin1Char('E'), QLatin1Char('W'))) {
            wrong = LongitudeEdit;
            why = QStringLiteral("Długość geograficzna musi być liczbą stopni od -180 do 180, z przecinkiem albo "
                                 "kropką. Na zachód od Greenwich wpisz ją z minusem albo z literą W, np. 21,0122 "
                                 "albo 70,5 W.");
        }
        if (wrong) {
            Platform::ShowMessage(this, windowTitle(), why, Platform::Icon::Warning);
            wrong->setFocus();
            wrong->selectAll();
            return;
        }
    }
    QDialog::accept();
}
