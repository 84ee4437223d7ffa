#pragma once

#include "sky/DaySky.h"
#include "sky/SkyPlace.h"

#include <QWidget>
#include <map>
#include <optional>

class QLabel;
class QPainter;
class TLinkLabel;

// The selected day's sky beside the catch diary: a picture of the Moon as it looks
// that day, its phase and lit part, sunrise and sunset, moonrise and moonset and the
// solunar periods, for the place the user chose. A click on the place's name opens
// the choice of place.
class TSkyPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TSkyPanel(QWidget *parent = nullptr);

    void ShowDay(TDateTime day);
    const DaySky &Sky() const { return m_sky; }
    const SkyPlace &Place() const { return m_place; }
    // New moon or full moon when one falls on that local day.
    std::optional<MoonPhase> NewOrFullMoonOn(TDateTime day);
    // A small new or full moon in the top left corner of a month grid cell.
    static void PaintPhaseMark(QPainter *painter, const QRect &cell, MoonPhase phase);

    // Opens the place dialog; a place accepted there is saved and shown at once.
    void PlaceLabelClick();

    QLabel *PhaseLabel = nullptr;
    TLinkLabel *PlaceLabel = nullptr;
    QLabel *SunLabel = nullptr;
    QLabel *MoonLabel = nullptr;
    QLabel *MajorLabel = nullptr;
    QLabel *MinorLabel = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void ShowSky();

    SkyPlace m_place;
    DaySky m_sky;
    bool m_shown = false;
    // New and full moons of the month last asked about, by local day.
    int m_phaseMonth = -1;
    std::map<TDateTime, MoonPhase> m_principal;
};
