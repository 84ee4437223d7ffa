#pragma once

#include "diary/Permit.h"

#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TDbConnection;

// "Moje zezwolenie": the angler types the rules of their own permit, which may be
// stricter than the national ones. Nothing is preset; the program ships no district's
// rules and says so.
class TPermitFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TPermitFrm(TDbConnection &connection, QWidget *parent = nullptr);

    // Shows the stored permit; true when the angler saved a changed one.
    bool Execute();

    // The permit as the controls hold it; false with a Polish reason when a value is
    // not one the rules can use.
    bool PermitFromControls(Permit &permit, QString &problem) const;
    void ShowPermit(const Permit &permit);
    void AddSpeciesButtonClick();
    void RemoveSpeciesButtonClick();
    void SaveButtonClick();

    enum SpeciesColumn { NameColumn, SizeColumn, FromColumn, ToColumn, CountColumn, SpeciesColumnCount };

    QLabel *NoticeLabel = nullptr;
    QLineEdit *AnglerEdit = nullptr;
    QLineEdit *NameEdit = nullptr;
    QLineEdit *NumberEdit = nullptr;
    QSpinBox *YearEdit = nullptr;
    QDoubleSpinBox *DailyKgEdit = nullptr;
    QTableWidget *SpeciesTable = nullptr;
    QPushButton *AddSpeciesButton = nullptr;
    QPushButton *RemoveSpeciesButton = nullptr;
    QPushButton *SaveButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    TDbConnection &m_connection;
};
