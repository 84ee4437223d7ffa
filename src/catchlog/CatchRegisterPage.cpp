#include "catchlog/CatchRegisterPage.h"

#include "base/CheckedFile.h"
#include "base/Clock.h"
#include "base/DateUtils.h"
#include "diary/CatchLog.h"
#include "diary/CatchValues.h"
#include "widgets/ExportFile.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QDate Today()
{
    return ToQDate(Clock::Today());
}
} // namespace

CatchRegisterPage::CatchRegisterPage(const CatchLog &log, QWidget *parent) : QWidget(parent), m_log(log)
{
    setObjectName(QStringLiteral("RegisterPage"));
    YearEdit = new QSpinBox(this);
    YearEdit->setObjectName(QStringLiteral("RegisterYearEdit"));
    YearEdit->setRange(1900, 2100);
    YearEdit->setValue(Today().year());
    NoteLabel = new QLabel(this);
    NoteLabel->setObjectName(QStringLiteral("RegisterNoteLabel"));
    HeadingLabel = new QLabel(this);
    HeadingLabel->setObjectName(QStringLiteral("RegisterHeadingLabel"));
    HeadingLabel->setWordWrap(true);
    RegisterTable = new QTableWidget(0, 6, this);
    RegisterTable->setObjectName(QStringLiteral("RegisterTable"));
    RegisterTable->setHorizontalHeaderLabels({QStringLiteral("Data"), QStringLiteral("Łowisko"),
                                              QStringLiteral("Nr łowiska"), QStringLiteral("Gatunek"),
                                              QStringLiteral("Liczba szt."), QStringLiteral("Waga (kg)")});
    RegisterTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    RegisterTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    RegisterTable->verticalHeader()->setDefaultSectionSize(20);
    RegisterTable->verticalHeader()->hide();
    TotalLabel = new QLabel(this);
    TotalLabel->setObjectName(QStringLiteral("RegisterTotalLabel"));
    QFont bold = TotalLabel->font();
    bold.setBold(true);
    TotalLabel->setFont(bold);
    NoteLabel->setFont(bold);
    PdfButton = new QPushButton(QStringLiteral("Zapisz PDF…"), this);
    PdfButton->setObjectName(QStringLiteral("RegisterPdfButton"));
    PdfButton->setToolTip(QStringLiteral("Rejestr do wydruku: A4, z podsumowaniem według gatunków i łowisk"));
    CsvButton = new QPushButton(QStringLiteral("Eksport do CSV…"), this);
    CsvButton->setObjectName(QStringLiteral("RegisterCsvButton"));
    for (QPushButton *b : {PdfButton, CsvButton})
        b->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Rok:"), this));
    top->addWidget(YearEdit);
    top->addSpacing(12);
    top->addWidget(NoteLabel, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(TotalLabel, 1);
    bottom->addWidget(PdfButton);
    bottom->addWidget(CsvButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(HeadingLabel);
    layout->addWidget(RegisterTable, 1);
    layout->addLayout(bottom);

    connect(YearEdit, &QSpinBox::valueChanged, this, &CatchRegisterPage::Rebuild);
    connect(PdfButton, &QPushButton::clicked, this, &CatchRegisterPage::PdfButtonClick);
    connect(CsvButton, &QPushButton::clicked, this, &CatchRegisterPage::CsvButtonClick);
}

void CatchRegisterPage::Refresh(TDbConnection *connection)
{
    m_waters.clear();
    m_permit = Permit();
    // Without the waters the register still lists every fish, only without numbers.
    if (connection) {
        try {
            m_waters = Waters::Read(*connection);
            m_permit = Permit::Read(*connection);
        } catch (const std::exception &) {
        }
    }
    // A long diary's register fills thousands of table rows: not for a page unseen.
    m_stale = true;
    if (isVisible())
        Rebuild();
}

void CatchRegisterPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_stale)
        Rebuild();
}

void CatchRegisterPage::Rebuild()
{
    m_stale = false;
    m_register = CatchRegister::Build(m_log.Records(), m_waters, YearEdit->value());
    NoteLabel->setText(m_register.Unfinished(Today())
                           ? QStringLiteral("Rok %1 jeszcze trwa: rejestr może się powiększyć.").arg(m_register.year)
                           : QString());
    // The heading as the form prints it.
    QStringList fields;
    bool missing = false;
    for (const auto &[caption, value] : CatchRegisterPdf::Fields(m_register, Heading())) {
        fields << caption + QLatin1Char(' ') + (value.isEmpty() ? QStringLiteral("—") : value);
        missing = missing || value.isEmpty();
    }
    HeadingLabel->setText(fields.join(QStringLiteral("     ")) +
                          (missing ? QStringLiteral("\nBrakujące dane wpisz w „Moje zezwolenie…”; na wydruku "
                                                    "zostanie miejsce do wpisania ich ręcznie.")
                                   : QString()));
    TotalLabel->setText(
        QStringLiteral("Razem: %1 szt., %2 kg").arg(m_register.count).arg(CatchValues::MeasureText(m_register.weight)));
    FillTable();
}

void CatchRegisterPage::FillTable()
{
    RegisterTable->setUpdatesEnabled(false);
    RegisterTable->clearSpans();
    RegisterTable->setRowCount(0);
    auto add = [this](const QStringList &cells, bool bold) {
        const int row = RegisterTable->rowCount();
        RegisterTable->insertRow(row);
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c >= 4)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (bold) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            RegisterTable->setItem(row, c, item);
        }
        // A section's heading runs across the table.
        if (bold && cells.size() == 1)
            RegisterTable->setSpan(row, 0, 1, RegisterTable->columnCount());
    };
    for (const CatchRegister::Line &l : m_register.lines)
        add({l.day, l.water, l.number, l.species, QString::number(l.count), CatchValues::MeasureText(l.weight)}, false);
    add({QStringLiteral("Razem według gatunków")}, true);
    for (const CatchRegister::Total &t : m_register.bySpecies)
        add({QString(), QString(), QString(), t.name, QString::number(t.count), CatchValues::MeasureText(t.weight)},
            false);
    add({QStringLiteral("Razem według łowisk")}, true);
    for (const CatchRegister::Total &t : m_register.byWater)
        add({QString(), t.name, t.number, QString(), QString::number(t.count), CatchValues::MeasureText(t.weight)},
            false);
    RegisterTable->setUpdatesEnabled(true);
}

void CatchRegisterPage::PdfButtonClick()
{
    Save(QStringLiteral("Rejestr połowów do PDF"), QStringLiteral("rejestr-polowow-%1.pdf").arg(m_register.year),
         QStringLiteral("Dokument PDF|*.pdf"), [this](const QString &path, QString *error) {
             return CatchRegisterPdf::Write(path, m_register, Heading(), error);
         });
}

void CatchRegisterPage::CsvButtonClick()
{
    Save(QStringLiteral("Rejestr połowów do CSV"), QStringLiteral("rejestr-polowow-%1.csv").arg(m_register.year),
         QStringLiteral("Plik CSV (arkusz kalkulacyjny)|*.csv"),
         [this](const QString &path, QString *error) { return WriteWholeFile(path, m_register.Csv(), error); });
}

void CatchRegisterPage::Save(const QString &title, const QString &name, const QString &filter,
                             const ExportFile::Writer &write)
{
    const QString saved = ExportFile::Save(this, ExportFile::Kind::Document, title, name, filter, write);
    if (!saved.isEmpty())
        Q_EMIT Saved(saved);
}

CatchRegisterPdf::Heading CatchRegisterPage::Heading() const
{
    return {m_permit.angler, m_permit.name, m_permit.number, Today()};
}
