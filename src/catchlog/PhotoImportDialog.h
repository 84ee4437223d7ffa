#pragma once

#include "diary/PhotoCatches.h"

#include <QDialog>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class TDbConnection;

// "Dodaj połowy ze zdjęć": the catches the chosen photos make, in a list where the angler
// names each fish and unticks what is not a catch. Nothing is stored until "Zapisz".
class TPhotoImportFrm : public QDialog
{
    Q_OBJECT

public:
    TPhotoImportFrm(TDbConnection &connection, QWidget *parent = nullptr);

    // The moon phase a catch is stored with.
    std::function<QString(QDate, QTime)> MoonPhaseOf;

    // Asks for photos or a folder, reads them, shows the proposals and stores what the
    // angler saves. The row ids stored; none when nothing was.
    std::vector<qint64> Execute(bool folder);
    // The same for files already chosen (a folder is read with its subfolders).
    std::vector<qint64> Import(const QStringList &chosen);

    enum Column { KeepColumn, PhotoColumn, DayColumn, HourColumn, WaterColumn, SpeciesColumn, WeightColumn,
                  LengthColumn, ColumnCount };

    void SplitButtonClick();
    void SaveButtonClick();

    QLabel *NoteLabel = nullptr;
    QTableWidget *ProposalTable = nullptr;
    QPushButton *SplitButton = nullptr;
    QPushButton *SaveButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    void ShowProposals();
    // The proposals as the table now has them; false, with the cell at fault current and
    // the reason shown, when a kept one cannot be stored.
    bool ReadTable();

    TDbConnection &m_connection;
    std::vector<PhotoCatches::Proposal> m_proposals;
    std::vector<qint64> m_stored;
};
