#pragma once

#include "diary/Waters.h"

#include <QDialog>

class QPushButton;
class QTableWidget;
class TDbConnection;

// "Moje łowiska": the waters the angler fishes with their numbers in the district's
// list. The diary offers their names for the place; the yearly register prints the
// numbers.
class TWatersFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TWatersFrm(TDbConnection &connection, QWidget *parent = nullptr);

    // Shows the stored waters; true when the angler saved them.
    bool Execute();

    std::vector<Water> WatersFromControls() const;
    void ShowWaters(const std::vector<Water> &waters);
    void AddButtonClick();
    void RemoveButtonClick();
    void SaveButtonClick();

    QTableWidget *WatersTable = nullptr;
    QPushButton *AddButton = nullptr;
    QPushButton *RemoveButton = nullptr;
    QPushButton *SaveButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    TDbConnection &m_connection;
};
