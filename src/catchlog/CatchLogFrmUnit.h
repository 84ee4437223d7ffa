#pragma once

#include "diary/CatchLog.h"
#include "diary/Waters.h"

#include <QDialog>

class BiteTimesPage;
class CatchAlbumPage;
class CatchLogCharts;
class CatchLogModel;
class CatchRegisterPage;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

// "Dziennik połowów": every catch of the diary in a sortable table with filters, the
// statistics of what is shown, its export to a spreadsheet, and the diary's backup.
class TCatchLogFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TCatchLogFrm(QWidget *parent = nullptr);

    // Reads the diary afresh and shows the window modally.
    void Execute();
    // Reads the diary afresh; keeps the filter and the order.
    void Reload();
    // Takes the filter from the controls and refreshes the table, the totals and the
    // charts.
    void ApplyFilter();
    CatchLogFilter FilterFromControls() const;
    // Brings the page shown, statistics, "Kiedy biorą" or "Album", up to the shown
    // catches, if the filter changed since.
    void UpdateCharts();

    void ExportButtonClick();
    // Says in the status line where a file saved from the window went; nothing for an
    // empty path (cancelled or failed).
    void ShowSaved(const QString &path);
    void BackupButtonClick();
    void RestoreButtonClick();
    void UndoRestoreButtonClick();
    void LeftoversButtonClick();
    void CatchGridDoubleClick(int row);
    void PermitButtonClick();
    void WatersButtonClick();
    // "Dodaj połowy ze zdjęć": photos chosen one by one, or a whole folder.
    void PhotosButtonClick(bool folder);

    const CatchLog &Log() const { return m_log; }

    QTabWidget *Pages = nullptr;
    QComboBox *SpeciesCombo = nullptr;
    QCheckBox *FromCheck = nullptr;
    QDateEdit *FromDate = nullptr;
    QCheckBox *ToCheck = nullptr;
    QDateEdit *ToDate = nullptr;
    QLineEdit *PlaceEdit = nullptr;
    QLineEdit *BaitEdit = nullptr;
    QLineEdit *NotesEdit = nullptr;
    QDoubleSpinBox *MinWeightEdit = nullptr;
    QDoubleSpinBox *MinLengthEdit = nullptr;
    QPushButton *ClearFilterButton = nullptr;
    QTableView *CatchGrid = nullptr;
    QLabel *WarningLabel = nullptr;
    QLabel *SummaryLabel = nullptr;
    QPushButton *ExportButton = nullptr;
    CatchLogCharts *Charts = nullptr;
    BiteTimesPage *BitePage = nullptr;
    CatchAlbumPage *AlbumPage = nullptr;
    CatchRegisterPage *RegisterPage = nullptr;
    QPushButton *PermitButton = nullptr;
    QPushButton *WatersButton = nullptr;
    QPushButton *PhotosButton = nullptr;
    QPushButton *BackupButton = nullptr;
    QPushButton *RestoreButton = nullptr;
    QPushButton *UndoRestoreButton = nullptr;
    QPushButton *LeftoversButton = nullptr;
    QPushButton *CloseButton = nullptr;
    QLabel *StatusLabel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *CreateCatchPage();
    void FillSpecies();
    void ClearFilter();
    // The rules the current catch breaks, in full under the table.
    void ShowWarning();
    void RestoreFrom(const QString &folder, const QString &question);
    void ShowStatus();
    // Closes the log and shows the catch on its day in the calendar.
    void ShowInCalendar(const CatchRecord &record);

    CatchLog m_log;
    CatchLogModel *m_model = nullptr;
    // Set while the controls are being filled, so that each change does not refilter.
    bool m_filling = false;
    bool m_chartsStale = true;
    bool m_biteStale = true;
    bool m_albumStale = true;
    // The angler's waters as last read, for the sky of their catches.
    std::vector<Water> m_waters;
    // The file last saved from the window since it was opened.
    QString m_saved;
};
