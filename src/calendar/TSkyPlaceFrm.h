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

    // Degrees as an angler types them: a comma or a dot, and south or west given by a
    // minus sign or by the letter (negative); "°" may stand after the number. Nothing
    // when the text is no such number or lies beyond ±limit.
    static std::optional<double> ParseDegrees(const QString &text, double limit, QChar positive, QChar negative);
    // 52,2297° N; a negative value with the other letter, 34,5000° S.
    static QString DegreesText(double value, QChar positive, QChar negative);

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
