#include "catchlog/PermitFrmUnit.h"

#include "base/Clock.h"
#include "base/DateUtils.h"
#include "base/Exception.h"
#include "widgets/Platform.h"
#include "widgets/Utils.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {
const QString Title = QStringLiteral("Moje zezwolenie");

QString Cell(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

QString NumberText(double value)
{
    return value > 0 ? QString::number(value, 'g', 6).replace(QLatin1Char('.'), QLatin1Char(',')) : QString();
}

// An empty cell is no rule; otherwise a number above zero and at most the bound.
bool ReadNumber(const QString &text, double maximum, double &value)
{
    value = 0;
    if (text.isEmpty())
        return true;
    bool ok = false;
    value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && value > 0 && value <= maximum;
}
} // namespace

TPermitFrm::TPermitFrm(TDbConnection &connection, QWidget *parent) : QDialog(parent), m_connection(connection)
{
    setObjectName(QStringLiteral("PermitFrm"));
    setWindowTitle(Title);
    resize(680, 460);

    NoticeLabel = new QLabel(
        QStringLiteral("Program nie zawiera przepisów żadnego okręgu ani zezwolenia: wpisz tu zasady ze swojego "
                       "zezwolenia. Przepisy krajowe (okresy i wymiary ochronne z encyklopedii, najwyżej 2 węgorze "
                       "dziennie) obowiązują zawsze; z dwóch wymiarów liczy się większy, z dwóch limitów mniejszy. "
                       "Puste pole oznacza brak dodatkowej zasady."),
        this);
    NoticeLabel->setObjectName(QStringLiteral("NoticeLabel"));
    NoticeLabel->setWordWrap(true);

    AnglerEdit = MakeLineEdit(this, "AnglerEdit", QStringLiteral("do rejestru połowów"));
    NameEdit = MakeLineEdit(this, "NameEdit", QStringLiteral("np. PZW Okręg Mazowiecki, całoroczne"));
    NumberEdit = MakeLineEdit(this, "NumberEdit", QStringLiteral("jak na zezwoleniu"));
    YearEdit = new QSpinBox(this);
    YearEdit->setObjectName(QStringLiteral("YearEdit"));
    YearEdit->setRange(2000, 2100);
    YearEdit->setValue(ToQDate(Clock::Today()).year());
    DailyKgEdit = new QDoubleSpinBox(this);
    DailyKgEdit->setObjectName(QStringLiteral("DailyKgEdit"));
    DailyKgEdit->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    DailyKgEdit->setRange(0, 400);
    DailyKgEdit->setDecimals(2);
    DailyKgEdit->setSuffix(QStringLiteral(" kg"));
    DailyKgEdit->setSpecialValueText(QStringLiteral("bez limitu"));

    SpeciesTable = new QTableWidget(0, SpeciesColumnCount, this);
    SpeciesTable->setObjectName(QStringLiteral("SpeciesTable"));
    SpeciesTable->setHorizontalHeaderLabels({QStringLiteral("Gatunek"), QStringLiteral("Wymiar ochronny (cm)"),
                                             QStringLiteral("Ochrona od (mm-dd)"), QStringLiteral("Ochrona do (mm-dd)"),
                                             QStringLiteral("Limit (szt. dziennie)")});
    // The numbers' columns as wide as their titles, which turn bold in the current
    // column; the name takes the rest.
    SpeciesTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    SpeciesTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    SpeciesTable->verticalHeader()->hide();

    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    AddSpeciesButton = button("AddSpeciesButton", QStringLiteral("Dodaj gatunek"));
    RemoveSpeciesButton = button("RemoveSpeciesButton", QStringLiteral("Usuń gatunek"));
    SaveButton = button("SaveButton", QStringLiteral("Zapisz"));
    CancelButton = button("CancelButton", QStringLiteral("Anuluj"));
    connect(AddSpeciesButton, &QPushButton::clicked, this, &TPermitFrm::AddSpeciesButtonClick);
    connect(RemoveSpeciesButton, &QPushButton::clicked, this, &TPermitFrm::RemoveSpeciesButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TPermitFrm::SaveButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Imię i nazwisko wędkarza:"), AnglerEdit);
    form->addRow(QStringLiteral("Zezwolenie (okręg, rodzaj):"), NameEdit);
    form->addRow(QStringLiteral("Numer zezwolenia:"), NumberEdit);
    form->addRow(QStringLiteral("Rok:"), YearEdit);
    form->addRow(QStringLiteral("Dzienny limit zabranych ryb (kg):"), DailyKgEdit);
    auto *rows = new QHBoxLayout;
    rows->addWidget(AddSpeciesButton);
    rows->addWidget(RemoveSpeciesButton);
    rows->addStretch();
    rows->addWidget(SaveButton);
    rows->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(NoticeLabel);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Zasady dla gatunków, surowsze lub dodatkowe:"), this));
    layout->addWidget(SpeciesTable, 1);
    layout->addLayout(rows);
}

bool TPermitFrm::Execute()
{
    try {
        ShowPermit(Permit::Read(m_connection));
    } catch (...) {
        ShowCurrentException();
        return false;
    }
    return Platform::ShowModal(this) == QDialog::Accepted;
}

void TPermitFrm::ShowPermit(const Permit &permit)
{
    AnglerEdit->setText(permit.angler);
    NameEdit->setText(permit.name);
    NumberEdit->setText(permit.number);
    if (permit.year > 0)
        YearEdit->setValue(permit.year);
    DailyKgEdit->setValue(permit.dailyKg);
    SpeciesTable->setRowCount(0);
    for (const PermitSpecies &s : permit.species) {
        const int row = SpeciesTable->rowCount();
        SpeciesTable->insertRow(row);
        const QString texts[] = {s.name, NumberText(s.size), Permit::MonthDayText(s.from), Permit::MonthDayText(s.to),
                                 s.dailyCount > 0 ? QString::number(s.dailyCount) : QString()};
        for (int c = 0; c < SpeciesColumnCount; ++c)
            SpeciesTable->setItem(row, c, new QTableWidgetItem(texts[c]));
    }
}

bool TPermitFrm::PermitFromControls(Permit &permit, QString &problem) const
{
    permit = Permit();
    permit.angler = AnglerEdit->text().trimmed();
    permit.name = NameEdit->text().trimmed();
    permit.number = NumberEdit->text().trimmed();
    permit.year = YearEdit->value();
    permit.dailyKg = DailyKgEdit->value();
    for (int row = 0; row < SpeciesTable->rowCount(); ++row) {
        PermitSpecies s;
        s.name = Cell(SpeciesTable, row, NameColumn);
        const QString size = Cell(SpeciesTable, row, SizeColumn), from = Cell(SpeciesTable, row, FromColumn),
                      to = Cell(SpeciesTable, row, ToColumn), count = Cell(SpeciesTable, row, CountColumn);
        if (s.name.isEmpty()) {
            if (size.isEmpty() && from.isEmpty() && to.isEmpty() && count.isEmpty())
                continue;
            problem = QStringLiteral("Wiersz %1: wpisz nazwę gatunku.").arg(row + 1);
            return false;
        }
        if (!ReadNumber(size, 500, s.size)) {
            problem = QStringLiteral("%1: wymiar ochronny musi być liczbą centymetrów od 1 do 500.").arg(s.name);
            return false;
        }
        s.from = Permit::MonthDayOf(from);
        s.to = Permit::MonthDayOf(to);
        if ((!from.isEmpty() && !s.from) || (!to.isEmpty() && !s.to) || (s.from == 0) != (s.to == 0)) {
            problem = QStringLiteral("%1: okres ochronny podaj jako dwa dni w postaci miesiąc-dzień, np. 01-01 i "
                                     "04-30.")
                          .arg(s.name);
            return false;
        }
        double limit = 0;
        if (!ReadNumber(count, 999, limit) || limit != std::floor(limit)) {
            problem = QStringLiteral("%1: limit dzienny musi być liczbą całkowitą sztuk, co najmniej 1.").arg(s.name);
            return false;
        }
        s.dailyCount = int(limit);
        permit.species.push_back(s);
    }
    return true;
}

void TPermitFrm::AddSpeciesButtonClick()
{
    const int row = SpeciesTable->rowCount();
    SpeciesTable->insertRow(row);
    for (int c = 0; c < SpeciesColumnCount; ++c)
        SpeciesTable->setItem(row, c, new QTableWidgetItem);
    SpeciesTable->setCurrentCell(row, NameColumn);
    SpeciesTable->editItem(SpeciesTable->item(row, NameColumn));
}

void TPermitFrm::RemoveSpeciesButtonClick()
{
    const int row = SpeciesTable->currentRow();
    if (row >= 0)
        SpeciesTable->removeRow(row);
}

void TPermitFrm::SaveButtonClick()
{
    Permit permit;
    QString problem;
    if (!PermitFromControls(permit, problem)) {
        Platform::ShowMessage(this, Title, problem, Platform::Icon::Warning);
        return;
    }
    try {
        permit.Write(m_connection);
    } catch (...) {
        ShowCurrentException();
        return;
    }
    accept();
}
