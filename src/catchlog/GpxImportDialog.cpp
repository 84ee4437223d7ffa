#include "catchlog/GpxImportDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString WaypointText(const Gpx::Waypoint &waypoint)
{
    const Water &water = waypoint.water;
    QString text = water.name + QStringLiteral(" — ") +
                   DegreesText(water.position->latitude, QLatin1Char('N'), QLatin1Char('S')) + QStringLiteral(", ") +
                   DegreesText(water.position->longitude, QLatin1Char('E'), QLatin1Char('W'));
    if (!water.number.isEmpty())
        text += QStringLiteral(", nr ") + water.number;
    switch (waypoint.found) {
    case Gpx::Found::New:
        break;
    case Gpx::Found::AlreadyThere:
        text += QStringLiteral(" (już jest w Moich łowiskach)");
        break;
    case Gpx::Found::RepeatedInFile:
        text += QStringLiteral(" (powtórzony w pliku)");
        break;
    }
    return text;
}
} // namespace

GpxImportDialog::GpxImportDialog(std::vector<Gpx::Waypoint> waypoints, const QString &fileName, QWidget *parent)
    : QDialog(parent), m_waypoints(std::move(waypoints))
{
    setObjectName(QStringLiteral("GpxImportDialog"));
    setWindowTitle(QStringLiteral("Wczytaj łowiska z GPX"));
    resize(560, 360);

    const auto fresh = std::count_if(m_waypoints.begin(), m_waypoints.end(),
                                     [](const Gpx::Waypoint &w) { return w.found == Gpx::Found::New; });
    SummaryLabel = new QLabel(QStringLiteral("Punkty w pliku „%1”: %2, nowe: %3. Zaznacz łowiska do dodania; trafią "
                                             "do tabeli, a zapisze je przycisk „Zapisz”.")
                                  .arg(fileName)
                                  .arg(m_waypoints.size())
                                  .arg(fresh),
                              this);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    SummaryLabel->setWordWrap(true);

    WaypointList = new QListWidget(this);
    WaypointList->setObjectName(QStringLiteral("WaypointList"));
    for (size_t i = 0; i < m_waypoints.size(); ++i) {
        auto *item = new QListWidgetItem(WaypointText(m_waypoints[i]), WaypointList);
        item->setData(Qt::UserRole, qulonglong(i));
        const bool isNew = m_waypoints[i].found == Gpx::Found::New;
        item->setCheckState(isNew ? Qt::Checked : Qt::Unchecked);
        if (!isNew)
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
    }
    WaypointList->setCurrentRow(0);

    AddButton = new QPushButton(QStringLiteral("Dodaj zaznaczone"), this);
    AddButton->setObjectName(QStringLiteral("AddButton"));
    AddButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Anuluj"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);
    connect(AddButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(WaypointList, &QListWidget::itemChanged, this, &GpxImportDialog::Ticked);
    Ticked();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(AddButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SummaryLabel);
    layout->addWidget(WaypointList, 1);
    layout->addLayout(buttons);
}

std::vector<Water> GpxImportDialog::Chosen() const
{
    std::vector<Water> chosen;
    for (int row = 0; row < WaypointList->count(); ++row) {
        const QListWidgetItem *item = WaypointList->item(row);
        if (item->checkState() == Qt::Checked)
            chosen.push_back(m_waypoints[item->data(Qt::UserRole).toULongLong()].water);
    }
    return chosen;
}

void GpxImportDialog::Ticked()
{
    AddButton->setEnabled(!Chosen().empty());
}
