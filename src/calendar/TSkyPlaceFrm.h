#pragma once

#include "sky/SkyPlace.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;
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
    QLineEdit *LatitudeEdit = nullptr;
    QLineEdit *LongitudeEdit = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;

public Q_SLOTS:
    // Closes only over coordinates that read; otherwise says what is wrong and leaves
    // the typed text for the angler to mend.
    void accept() override;

private:
    void PlaceComboChange();
};
