#pragma once

#include "diary/CatchRegister.h"

#include <QWidget>

class CatchLog;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TDbConnection;

// The catch log's page "Rejestr roczny": the register of kept fish of a chosen year as
// the paper form lays it out, printed to PDF or exported for a spreadsheet.
class CatchRegisterPage : public QWidget
{
    Q_OBJECT

public:
    CatchRegisterPage(const CatchLog &log, QWidget *parent = nullptr);

    // Builds the register of the chosen year from the log's catches and the diary's
    // waters and permit.
    void Refresh(TDbConnection *connection);
    const CatchRegister &Register() const { return m_register; }

    void PdfButtonClick();
    void CsvButtonClick();

    QSpinBox *YearEdit = nullptr;
    QLabel *NoteLabel = nullptr;
    QTableWidget *RegisterTable = nullptr;
    QLabel *TotalLabel = nullptr;
    QPushButton *PdfButton = nullptr;
    QPushButton *CsvButton = nullptr;

private:
    void Rebuild();
    void FillTable();

    const CatchLog &m_log;
    std::vector<Water> m_waters;
    QString m_permitName;
    CatchRegister m_register;
};
