#include "catchlog/WatersFrmUnit.h"

#include "base/Exception.h"
#include "widgets/Platform.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("Moje łowiska");

QString Cell(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}
} // namespace

TWatersFrm::TWatersFrm(TDbConnection &connection, QWidget *parent) : QDialog(parent), m_connection(connection)
{
    setObjectName(QStringLiteral("WatersFrm"));
    setWindowTitle(Title);
    resize(480, 380);

    auto *hint = new QLabel(QStringLiteral("Łowiska, na których łowisz, z numerami z wykazu okręgu. Nazwy podpowiada "
                                           "pole „Miejsce złowienia”, a numery trafiają do rocznego rejestru połowów."),
                            this);
    hint->setWordWrap(true);
    WatersTable = new QTableWidget(0, 2, this);
    WatersTable->setObjectName(QStringLiteral("WatersTable"));
    WatersTable->setHorizontalHeaderLabels({QStringLiteral("Nazwa łowiska"), QStringLiteral("Nr łowiska")});
    WatersTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    WatersTable->verticalHeader()->hide();

    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    AddButton = button("AddButton", QStringLiteral("Dodaj łowisko"));
    RemoveButton = button("RemoveButton", QStringLiteral("Usuń łowisko"));
    SaveButton = button("SaveButton", QStringLiteral("Zapisz"));
    CancelButton = button("CancelButton", QStringLiteral("Anuluj"));
    connect(AddButton, &QPushButton::clicked, this, &TWatersFrm::AddButtonClick);
    connect(RemoveButton, &QPushButton::clicked, this, &TWatersFrm::RemoveButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TWatersFrm::SaveButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(AddButton);
    buttons->addWidget(RemoveButton);
    buttons->addStretch();
    buttons->addWidget(SaveButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(WatersTable, 1);
    layout->addLayout(buttons);
}

bool TWatersFrm::Execute()
{
    try {
        ShowWaters(Waters::Read(m_connection));
    } catch (...) {
        ShowCurrentException();
        return false;
    }
    return Platform::ShowModal(this) == QDialog::Accepted;
}

std::vector<Water> TWatersFrm::WatersFromControls() const
{
    std::vector<Water> waters;
    for (int row = 0; row < WatersTable->rowCount(); ++row)
        if (!Cell(WatersTable, row, 0).isEmpty())
            waters.push_back({Cell(WatersTable, row, 0), Cell(WatersTable, row, 1)});
    return waters;
}

void TWatersFrm::ShowWaters(const std::vector<Water> &waters)
{
    WatersTable->setRowCount(0);
    for (const Water &water : waters) {
        const int row = WatersTable->rowCount();
        WatersTable->insertRow(row);
        WatersTable->setItem(row, 0, new QTableWidgetItem(water.name));
        WatersTable->setItem(row, 1, new QTableWidgetItem(water.number));
    }
}

void TWatersFrm::AddButtonClick()
{
    const int row = WatersTable->rowCount();
    WatersTable->insertRow(row);
    WatersTable->setItem(row, 0, new QTableWidgetItem);
    WatersTable->setItem(row, 1, new QTableWidgetItem);
    WatersTable->setCurrentCell(row, 0);
    WatersTable->editItem(WatersTable->item(row, 0));
}

void TWatersFrm::RemoveButtonClick()
{
    const int row = WatersTable->currentRow();
    if (row >= 0)
        WatersTable->removeRow(row);
}

void TWatersFrm::SaveButtonClick()
{
    try {
        Waters::Write(m_connection, WatersFromControls());
    } catch (...) {
        ShowCurrentException();
        return;
    }
    accept();
}
