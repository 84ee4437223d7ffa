#pragma once

#include "diary/CatchRegister.h"
#include "diary/CatchRegisterPdf.h"
#include "diary/Permit.h"
#include "widgets/ExportFile.h"

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

    // Reads the diary's waters and permit; the register of the chosen year is built from
    // the log's catches when the page is next shown (at once when it is on screen).
    void Refresh(TDbConnection *connection);
    const CatchRegister &Register() const { return m_register; }

    void PdfButtonClick();
    void CsvButtonClick();

    QSpinBox *YearEdit = nullptr;
    QLabel *NoteLabel = nullptr;
    // The angler and the permit the printed form carries.
    QLabel *HeadingLabel = nullptr;
    QTableWidget *RegisterTable = nullptr;
    QLabel *TotalLabel = nullptr;
    QPushButton *PdfButton = nullptr;
    QPushButton *CsvButton = nullptr;

Q_SIGNALS:
    // The register was written to the file at path.
    void Saved(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Save(const QString &title, const QString &name, const QString &filter, const ExportFile::Writer &write);
    void Rebuild();
    CatchRegisterPdf::Heading Heading() const;
    void FillTable();

    const CatchLog &m_log;
    std::vector<Water> m_waters;
    Permit m_permit;
    CatchRegister m_register;
    bool m_stale = true;
};
