#pragma once

#include "sky/SkyPlace.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QPushButton;

// "Miejsce obserwacji": the place whose sky the calendar shows, one of the listed
// places or coordinates typed in.
class TSkyPlaceFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TSkyPlaceFrm(const SkyPlace &place, QWidget *parent = nullptr);

    // The place as the dialog's controls now give it.
    SkyPlace Place() const;

    QComboBox *PlaceCombo = nullptr;
    QDoubleSpinBox *LatitudeEdit = nullptr;
    QDoubleSpinBox *LongitudeEdit = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    void PlaceComboChange();
};
