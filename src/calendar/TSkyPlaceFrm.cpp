#include "calendar/TSkyPlaceFrm.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
const QString OwnCoordinates = QStringLiteral("Własne współrzędne");

QDoubleSpinBox *MakeDegreesEdit(QWidget *parent, const char *name, double limit, const QString &suffix)
{
    auto *edit = new QDoubleSpinBox(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    edit->setDecimals(4);
    edit->setRange(-limit, limit);
    edit->setSingleStep(0.1);
    edit->setSuffix(suffix);
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
    LatitudeEdit = MakeDegreesEdit(this, "LatitudeEdit", 66, QStringLiteral("° N"));
    LongitudeEdit = MakeDegreesEdit(this, "LongitudeEdit", 180, QStringLiteral("° E"));

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
    LatitudeEdit->setValue(place.site.latitude);
    LongitudeEdit->setValue(place.site.longitude);
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
        LatitudeEdit->setValue(listed.site.latitude);
        LongitudeEdit->setValue(listed.site.longitude);
    }
}

SkyPlace TSkyPlaceFrm::Place() const
{
    const int index = PlaceCombo->currentIndex();
    if (index >= 0 && index < int(SkyPlaces::Listed().size()))
        return SkyPlaces::Listed()[size_t(index)];
    return {OwnCoordinates, {LatitudeEdit->value(), LongitudeEdit->value()}};
}
