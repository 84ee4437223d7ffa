#include "catchlog/WatersFrmUnit.h"

#include "base/Exception.h"
#include "catchlog/GpxImportDialog.h"
#include "diary/CatchLog.h"
#include "diary/Gpx.h"
#include "sky/SkyPlace.h"
#include "widgets/ExportFile.h"
#include "widgets/Platform.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("Moje łowiska");
const QString GpxFilter = QStringLiteral("Plik GPX (*.gpx)|*.gpx");

QString Cell(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

void SetCell(QTableWidget *table, int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = table->item(row, column))
        item->setText(text);
    else
        table->setItem(row, column, new QTableWidgetItem(text));
}

QString LatitudeText(double value)
{
    return DegreesText(value, QLatin1Char('N'), QLatin1Char('S'));
}

QString LongitudeText(double value)
{
    return DegreesText(value, QLatin1Char('E'), QLatin1Char('W'));
}
} // namespace

TWatersFrm::TWatersFrm(TDbConnection &connection, QWidget *parent) : QDialog(parent), m_connection(connection)
{
    setObjectName(QStringLiteral("WatersFrm"));
    setWindowTitle(Title);
    resize(760, 380);

    auto *hint = new QLabel(QStringLiteral("Łowiska, na których łowisz, z numerami z wykazu okręgu. Nazwy podpowiada "
                                           "pole „Miejsce złowienia”, a numery trafiają do rocznego rejestru połowów. "
                                           "Z położenia łowiska liczone jest niebo jego połowów (np. 53,87 i 20,55)."),
                            this);
    hint->setWordWrap(true);
    WatersTable = new QTableWidget(0, ColumnCount, this);
    WatersTable->setObjectName(QStringLiteral("WatersTable"));
    WatersTable->setHorizontalHeaderLabels({QStringLiteral("Nazwa łowiska"), QStringLiteral("Nr łowiska"),
                                            QStringLiteral("Szerokość geogr."), QStringLiteral("Długość geogr.")});
    WatersTable->horizontalHeader()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    WatersTable->setColumnWidth(LatitudeColumn, 120);
    WatersTable->setColumnWidth(LongitudeColumn, 120);
    WatersTable->verticalHeader()->hide();

    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    AddButton = button("AddButton", QStringLiteral("Dodaj łowisko"));
    RemoveButton = button("RemoveButton", QStringLiteral("Usuń łowisko"));
    PlaceButton = new QToolButton(this);
    PlaceButton->setObjectName(QStringLiteral("PlaceButton"));
    PlaceButton->setText(QStringLiteral("Położenie z listy"));
    PlaceButton->setToolTip(QStringLiteral("Wstawia do wybranego łowiska położenie pobliskiego miasta"));
    PlaceButton->setPopupMode(QToolButton::InstantPopup);
    auto *places = new QMenu(PlaceButton);
    const std::vector<SkyPlace> &listed = SkyPlaces::Listed();
    for (int i = 0; i < int(listed.size()); ++i)
        places->addAction(listed[size_t(i)].name, this, [this, i] { PlaceChosen(i); });
    PlaceButton->setMenu(places);
    ImportButton = button("ImportButton", QStringLiteral("Wczytaj z GPX…"));
    ImportButton->setToolTip(QStringLiteral("Dodaj łowiska z punktów zapisanych w telefonie albo odbiorniku GPS"));
    ExportButton = button("ExportButton", QStringLiteral("Zapisz do GPX…"));
    ExportButton->setToolTip(
        QStringLiteral("Zapisz łowiska z położeniem i ich połowy w pliku dla telefonu albo odbiornika GPS"));
    SaveButton = button("SaveButton", QStringLiteral("Zapisz"));
    CancelButton = button("CancelButton", QStringLiteral("Anuluj"));
    connect(AddButton, &QPushButton::clicked, this, &TWatersFrm::AddButtonClick);
    connect(RemoveButton, &QPushButton::clicked, this, &TWatersFrm::RemoveButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TWatersFrm::SaveButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ImportButton, &QPushButton::clicked, this, &TWatersFrm::ImportButtonClick);
    connect(ExportButton, &QPushButton::clicked, this, &TWatersFrm::ExportButtonClick);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(AddButton);
    buttons->addWidget(RemoveButton);
    buttons->addWidget(PlaceButton);
    buttons->addWidget(ImportButton);
    buttons->addWidget(ExportButton);
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

TWatersFrm::Typed TWatersFrm::WatersFromControls() const
{
    Typed typed;
    for (int row = 0; row < WatersTable->rowCount(); ++row) {
        const QString name = Cell(WatersTable, row, NameColumn);
        if (name.isEmpty())
            continue;
        Water &water = typed.waters.emplace_back(Water{name, Cell(WatersTable, row, NumberColumn), std::nullopt});
        const QString latitude = Cell(WatersTable, row, LatitudeColumn);
        const QString longitude = Cell(WatersTable, row, LongitudeColumn);
        if (latitude.isEmpty() && longitude.isEmpty())
            continue;
        const auto lat = ParseDegrees(latitude, 90, QLatin1Char('N'), QLatin1Char('S'));
        const auto lon = ParseDegrees(longitude, 180, QLatin1Char('E'), QLatin1Char('W'));
        if (typed.row < 0 && (!lat || !lon)) {
            typed.row = row;
            typed.column = lat ? LongitudeColumn : LatitudeColumn;
            typed.refusal = lat ? QStringLiteral("Długość geograficzna łowiska „%1” to liczba stopni od -180 do 180, "
                                                 "np. 20,55 (na zachód od Greenwich z minusem albo literą W).")
                                      .arg(name)
                                : QStringLiteral("Szerokość geograficzna łowiska „%1” to liczba stopni od -90 do 90, "
                                                 "np. 53,87 (na południe od równika z minusem albo literą S).")
                                      .arg(name);
        }
        if (lat && lon)
            water.position = GeoPoint{*lat, *lon};
    }
    return typed;
}

void TWatersFrm::ShowWaters(const std::vector<Water> &waters)
{
    WatersTable->setRowCount(0);
    for (const Water &water : waters)
        AppendRow(water);
}

void TWatersFrm::AppendRow(const Water &water)
{
    const int row = WatersTable->rowCount();
    WatersTable->insertRow(row);
    SetCell(WatersTable, row, NameColumn, water.name);
    SetCell(WatersTable, row, NumberColumn, water.number);
    SetCell(WatersTable, row, LatitudeColumn, water.position ? LatitudeText(water.position->latitude) : QString());
    SetCell(WatersTable, row, LongitudeColumn, water.position ? LongitudeText(water.position->longitude) : QString());
}

void TWatersFrm::AddButtonClick()
{
    const int row = WatersTable->rowCount();
    WatersTable->insertRow(row);
    for (int column = 0; column < ColumnCount; ++column)
        WatersTable->setItem(row, column, new QTableWidgetItem);
    WatersTable->setCurrentCell(row, 0);
    WatersTable->editItem(WatersTable->item(row, 0));
}

void TWatersFrm::RemoveButtonClick()
{
    const int row = WatersTable->currentRow();
    if (row >= 0)
        WatersTable->removeRow(row);
}

void TWatersFrm::PlaceChosen(int listed)
{
    int row = WatersTable->currentRow();
    if (row < 0) {
        AddButtonClick();
        row = WatersTable->currentRow();
    }
    const SkyPlace &place = SkyPlaces::Listed()[size_t(listed)];
    SetCell(WatersTable, row, LatitudeColumn, LatitudeText(place.site.latitude));
    SetCell(WatersTable, row, LongitudeColumn, LongitudeText(place.site.longitude));
    if (Cell(WatersTable, row, NameColumn).isEmpty())
        SetCell(WatersTable, row, NameColumn, place.name);
}

void TWatersFrm::SaveButtonClick()
{
    const Typed typed = WatersFromControls();
    if (typed.row >= 0) {
        ShowRefusal(typed);
        return;
    }
    try {
        Waters::Write(m_connection, typed.waters);
    } catch (...) {
        ShowCurrentException();
        return;
    }
    accept();
}

void TWatersFrm::ShowRefusal(const Typed &typed)
{
    Platform::ShowMessage(this, Title, typed.refusal, Platform::Icon::Warning);
    WatersTable->setCurrentCell(typed.row, typed.column);
    WatersTable->editItem(WatersTable->item(typed.row, typed.column));
}

void TWatersFrm::ImportButtonClick()
{
    const QString path = Platform::OpenFile(this, QStringLiteral("Wczytaj łowiska z pliku GPX"),
                                            ExportFile::StartFolder(ExportFile::Kind::Document), GpxFilter);
    if (path.isEmpty())
        return;
    ExportFile::Remember(ExportFile::Kind::Document, path);
    // Compared with the rows as they stand, saved or not, so that a file read twice adds
    // nothing the second time.
    Gpx::Reading reading = Gpx::ReadFile(path, WatersFromControls().waters);
    if (!reading.error.isEmpty()) {
        Platform::ShowMessage(this, Title, reading.error, Platform::Icon::Warning);
        return;
    }
    if (reading.waypoints.empty()) {
        Platform::ShowMessage(this, Title,
                              QStringLiteral("W pliku „%1” nie ma punktów (waypointów), z których można dodać "
                                             "łowiska. Trasy i ślady nie są wczytywane.")
                                  .arg(QFileInfo(path).fileName()),
                              Platform::Icon::Information);
        return;
    }
    GpxImportDialog dialog(std::move(reading.waypoints), QFileInfo(path).fileName(), this);
    if (Platform::ShowModal(&dialog) != QDialog::Accepted)
        return;
    const int first = WatersTable->rowCount();
    for (const Water &water : dialog.Chosen())
        AppendRow(water);
    if (WatersTable->rowCount() > first) {
        WatersTable->setCurrentCell(first, NameColumn);
        WatersTable->scrollToItem(WatersTable->item(first, NameColumn));
    }
}

void TWatersFrm::ExportButtonClick()
{
    const Typed typed = WatersFromControls();
    if (typed.row >= 0) {
        ShowRefusal(typed);
        return;
    }
    if (std::none_of(typed.waters.begin(), typed.waters.end(), [](const Water &w) { return w.position.has_value(); })) {
        Platform::ShowMessage(this, Title,
                              QStringLiteral("Żadne łowisko nie ma położenia, a plik GPX zawiera tylko miejsca z "
                                             "położeniem. Wpisz szerokość i długość geograficzną łowiska albo wybierz "
                                             "je przyciskiem „Położenie z listy”."),
                              Platform::Icon::Information);
        return;
    }
    std::vector<CatchRecord> catches;
    try {
        catches = CatchLog::ReadRecords(m_connection);
    } catch (...) {
        ShowCurrentException();
        return;
    }
    ExportFile::Save(this, ExportFile::Kind::Document, QStringLiteral("Zapisz łowiska i połowy do GPX"),
                     QStringLiteral("Moje łowiska.gpx"), GpxFilter, [&](const QString &path, QString *error) {
                         return Gpx::Write(path, typed.waters, catches, error);
                     });
}
