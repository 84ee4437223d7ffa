#pragma once

#include "diary/Waters.h"

#include <QDialog>

class QPushButton;
class QTableWidget;
class QToolButton;
class TDbConnection;

// "Moje łowiska": the waters the angler fishes with their numbers in the district's
// list and, when the angler gives it, where they lie. The diary offers their names for
// the place; the yearly register prints the numbers; the sky of a catch is seen from its
// water.
class TWatersFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TWatersFrm(TDbConnection &connection, QWidget *parent = nullptr);

    // Shows the stored waters; true when the angler saved them.
    bool Execute();

    enum Column { NameColumn, NumberColumn, LatitudeColumn, LongitudeColumn, ColumnCount };

    // The waters as typed; a position that does not read as one, or half a position,
    // is refused with the row and column at fault (the row -1 when all is well).
    struct Typed
    {
        std::vector<Water> waters;
        QString refusal;
        int row = -1;
        int column = 0;
    };
    Typed WatersFromControls() const;
    void ShowWaters(const std::vector<Water> &waters);
    void AddButtonClick();
    void RemoveButtonClick();
    void SaveButtonClick();
    // Puts a listed place's position on the current row.
    void PlaceChosen(int listed);
    // Waypoints of a GPX file, ticked in a list, become rows of the table; they are
    // stored with "Zapisz" as typed rows are.
    void ImportButtonClick();
    // The waters as typed, and the diary's catches at those with a position, to a GPX
    // file.
    void ExportButtonClick();

    QTableWidget *WatersTable = nullptr;
    QPushButton *AddButton = nullptr;
    QPushButton *RemoveButton = nullptr;
    // "Położenie z listy": the position of a listed town for the current water.
    QToolButton *PlaceButton = nullptr;
    QPushButton *ImportButton = nullptr;
    QPushButton *ExportButton = nullptr;
    QPushButton *SaveButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    void AppendRow(const Water &water);
    // Shows what WatersFromControls refused and puts the cursor on it.
    void ShowRefusal(const Typed &typed);

    TDbConnection &m_connection;
};
