#include "catchlog/PhotoImportDialog.h"

#include "base/Exception.h"
#include "diary/CatchLog.h"
#include "diary/CatchRules.h"
#include "diary/CatchValues.h"
#include "diary/UserDataFolder.h"
#include "diary/Waters.h"
#include "widgets/ExportFile.h"
#include "widgets/Platform.h"
#include "widgets/Utils.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

namespace {
const QString Title = QStringLiteral("Dodaj połowy ze zdjęć");
// A folder with more files than this is not a phone's day of fishing.
constexpr int MostFiles = 20000;
// The names a summary lists before it only counts the rest.
constexpr int NamedRefusals = 20;

bool JpegName(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
}

// A progress dialog with "Anuluj" over a long step; false once the angler cancels.
class Progress
{
public:
    Progress(QWidget *parent, const QString &label, int total)
        : m_dialog(label, QStringLiteral("Anuluj"), 0, std::max(total, 1), parent)
    {
        m_dialog.setWindowTitle(Title);
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(300);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
    }
    bool Step(int done)
    {
        m_dialog.setValue(done);
        QCoreApplication::processEvents();
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
};

QTableWidgetItem *Cell(const QString &text, bool editable = true)
{
    auto *item = new QTableWidgetItem(text);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QString Text(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

// A weight or length typed with a comma or a point; 0 for none, -1 for no number.
double Measure(const QString &text)
{
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const double value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? value : -1;
}
} // namespace

TPhotoImportFrm::TPhotoImportFrm(TDbConnection &connection, QWidget *parent)
    : QDialog(parent), m_connection(connection)
{
    setObjectName(QStringLiteral("PhotoImportFrm"));
    setWindowTitle(Title);
    resize(900, 460);
    NoteLabel = new QLabel(this);
    NoteLabel->setObjectName(QStringLiteral("NoteLabel"));
    NoteLabel->setWordWrap(true);
    ProposalTable = new QTableWidget(0, ColumnCount, this);
    ProposalTable->setObjectName(QStringLiteral("ProposalTable"));
    ProposalTable->setHorizontalHeaderLabels({QStringLiteral("Połów"), QStringLiteral("Zdjęcia"), QStringLiteral("Dzień"),
                                              QStringLiteral("Godzina"), QStringLiteral("Łowisko"),
                                              QStringLiteral("Gatunek"), QStringLiteral("Waga (kg)"),
                                              QStringLiteral("Długość (cm)")});
    ProposalTable->verticalHeader()->hide();
    ProposalTable->horizontalHeader()->setSectionResizeMode(PhotoColumn, QHeaderView::Stretch);
    ProposalTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    ProposalTable->setSelectionMode(QAbstractItemView::SingleSelection);
    ProposalTable->setEditTriggers(QAbstractItemView::AllEditTriggers);
    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    SplitButton = button("SplitButton", QStringLiteral("&Rozdziel zdjęcia"));
    SplitButton->setToolTip(QStringLiteral("Każde zdjęcie wybranego połowu staje się osobnym połowem"));
    SaveButton = button("SaveButton", QStringLiteral("&Zapisz"));
    CancelButton = button("CancelButton", QStringLiteral("Anuluj"));
    connect(SplitButton, &QPushButton::clicked, this, &TPhotoImportFrm::SplitButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, &TPhotoImportFrm::SaveButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(SplitButton);
    buttons->addStretch();
    buttons->addWidget(SaveButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(NoteLabel);
    layout->addWidget(ProposalTable, 1);
    layout->addLayout(buttons);
}

std::vector<qint64> TPhotoImportFrm::Execute(bool folder)
{
    QStringList chosen;
    const QString start = ExportFile::StartFolder(ExportFile::Kind::Photo);
    if (folder) {
        const QString picked = Platform::ChooseFolder(this, QStringLiteral("Wybierz folder ze zdjęciami połowów"));
        if (!picked.isEmpty())
            chosen << picked;
    } else {
        chosen = Platform::OpenFiles(this, QStringLiteral("Wybierz zdjęcia połowów"), start,
                                     QStringLiteral("Zdjęcia JPEG (*.jpg *.jpeg *.JPG *.JPEG)|*.jpg *.jpeg *.JPG *.JPEG"));
    }
    if (chosen.isEmpty())
        return {};
    ExportFile::Remember(ExportFile::Kind::Photo, chosen.front());
    return Import(chosen);
}

std::vector<qint64> TPhotoImportFrm::Import(const QStringList &chosen)
{
    m_stored.clear();
    // The files: those chosen, and in a chosen folder and its subfolders those named as
    // JPEG photos. Links to folders are not followed, so a loop of links ends.
    QStringList files;
    int skipped = 0;
    for (const QString &path : chosen) {
        const QFileInfo info(path);
        if (!info.isDir() || info.isSymLink()) {
            files << path;
            continue;
        }
        QDirIterator it(path, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext() && files.size() < MostFiles) {
            const QString file = it.next();
            if (JpegName(file))
                files << file;
            else
                ++skipped;
        }
    }

    QStringList refused;
    std::vector<PhotoCatches::PhotoFacts> photos;
    {
        Progress progress(this, QStringLiteral("Czytanie zdjęć…"), int(files.size()));
        for (int i = 0; i < files.size(); ++i) {
            if (!progress.Step(i))
                return {};
            PhotoCatches::ChosenPhoto photo = PhotoCatches::ReadPhoto(files[i]);
            if (photo.refusal.isEmpty())
                photos.push_back(std::move(photo.facts));
            else
                refused << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(files[i]), photo.refusal);
        }
    }
    QStringList paths;
    for (const PhotoCatches::PhotoFacts &photo : photos)
        paths << photo.path;
    int known = 0;
    try {
        const QStringList inDiary = PhotoCatches::AlreadyInDiary(m_connection, UserDataFolder::PhotoFolder(), paths);
        m_proposals = PhotoCatches::Propose(std::move(photos), Waters::Read(m_connection));
        known = PhotoCatches::LeaveOutStored(m_proposals, inDiary);
    } catch (...) {
        ShowCurrentException();
        return {};
    }

    QStringList summary;
    if (known > 0)
        summary << QStringLiteral("Zdjęcia już zapisane w dzienniku (pominięte): %1.").arg(known);
    if (skipped > 0)
        summary << QStringLiteral("Pliki, które nie są zdjęciami JPEG (pominięte): %1.").arg(skipped);
    if (!refused.isEmpty()) {
        QStringList named = refused.mid(0, NamedRefusals);
        if (refused.size() > NamedRefusals)
            named << QStringLiteral("…i %1 innych (wszystkie w szczegółach).").arg(refused.size() - NamedRefusals);
        summary << QStringLiteral("Nie dodano zdjęć:\n") + named.join(QLatin1Char('\n'));
    }
    if (!m_proposals.empty()) {
        ShowProposals();
        Platform::ShowModal(this);
    } else {
        summary.prepend(QStringLiteral("Wybrane pliki nie dają żadnego nowego połowu."));
    }
    if (!m_stored.empty()) {
        // Judged as a typed catch is: against the rules and the other catches of its day.
        QStringList warnings;
        try {
            const std::vector<CatchRecord> records = CatchLog::ReadRecords(m_connection);
            const CatchRules rules = CatchRules::OfDiary(m_connection);
            const std::vector<QStringList> judged = rules.Judge(records);
            const std::set<qint64> stored(m_stored.begin(), m_stored.end());
            for (size_t i = 0; i < records.size(); ++i)
                if (stored.count(records[i].rowId) && !judged[i].isEmpty())
                    warnings << QStringLiteral("%1, %2: %3")
                                    .arg(records[i].day.left(10), records[i].species, judged[i].join(QStringLiteral("; ")));
        } catch (const std::exception &) {
            // The catches are stored; their warnings show in the diary and the log.
        }
        summary.prepend(QStringLiteral("Zapisane połowy: %1.").arg(m_stored.size()));
        if (!warnings.isEmpty())
            summary << QStringLiteral("Naruszone przepisy:\n") + warnings.join(QLatin1Char('\n'));
    }
    if (!summary.isEmpty())
        Platform::ShowMessage(parentWidget(), Title, summary.join(QStringLiteral("\n\n")),
                              refused.isEmpty() ? Platform::Icon::Information : Platform::Icon::Warning,
                              refused.size() > NamedRefusals ? refused.join(QLatin1Char('\n')) : QString());
    return m_stored;
}

void TPhotoImportFrm::ShowProposals()
{
    int undated = 0;
    ProposalTable->setRowCount(0);
    for (const PhotoCatches::Proposal &p : m_proposals) {
        const int row = ProposalTable->rowCount();
        ProposalTable->insertRow(row);
        auto *keep = Cell(QString(), false);
        keep->setFlags(keep->flags() | Qt::ItemIsUserCheckable);
        keep->setCheckState(p.keep ? Qt::Checked : Qt::Unchecked);
        ProposalTable->setItem(row, KeepColumn, keep);
        QStringList names;
        for (const QString &photo : p.photos)
            names << QFileInfo(photo).fileName();
        auto *photos = Cell(names.join(QStringLiteral(", ")), false);
        photos->setToolTip(p.photos.join(QLatin1Char('\n')));
        ProposalTable->setItem(row, PhotoColumn, photos);
        ProposalTable->setItem(row, DayColumn, Cell(p.day.isValid() ? p.day.toString(Qt::ISODate) : QString()));
        ProposalTable->setItem(row, HourColumn, Cell(p.hour.isValid() ? p.hour.toString(QStringLiteral("HH:mm")) : QString()));
        ProposalTable->setItem(row, WaterColumn, Cell(p.water));
        ProposalTable->setItem(row, SpeciesColumn, Cell(p.species));
        ProposalTable->setItem(row, WeightColumn, Cell(p.weight > 0 ? CatchValues::MeasureText(p.weight) : QString()));
        ProposalTable->setItem(row, LengthColumn, Cell(p.length > 0 ? CatchValues::MeasureText(p.length) : QString()));
        undated += !p.day.isValid();
    }
    NoteLabel->setText(QStringLiteral("Połowy ze zdjęć: %1. Wpisz gatunek każdej ryby (wagę i długość, jeśli chcesz), "
                                      "odznacz to, co nie jest połowem, i naciśnij „Zapisz”; do tego czasu nic nie "
                                      "trafia do dziennika.%2")
                           .arg(m_proposals.size())
                           .arg(undated > 0 ? QStringLiteral(" Zdjęcia bez daty (%1) są na końcu listy: wpisz dzień "
                                                             "połowu (rrrr-mm-dd).")
                                                  .arg(undated)
                                            : QString()));
    ProposalTable->resizeColumnsToContents();
    // Room for the species the angler types, which the empty column does not have.
    ProposalTable->setColumnWidth(SpeciesColumn, std::max(ProposalTable->columnWidth(SpeciesColumn),
                                                          fontMetrics().horizontalAdvance(QStringLiteral("Karaś srebrzysty")) + 12));
    ProposalTable->horizontalHeader()->setSectionResizeMode(PhotoColumn, QHeaderView::Stretch);
    ProposalTable->setCurrentCell(0, SpeciesColumn);
}

bool TPhotoImportFrm::ReadTable()
{
    // The cell at fault is current, and has the keys, before and after the reason is read.
    auto refuse = [this](int row, int column, const QString &reason) {
        ProposalTable->setCurrentCell(row, column);
        ProposalTable->setFocus();
        Platform::ShowMessage(this, Title, reason, Platform::Icon::Warning);
        ProposalTable->setFocus();
        return false;
    };
    for (int row = 0; row < ProposalTable->rowCount() && row < int(m_proposals.size()); ++row) {
        PhotoCatches::Proposal &p = m_proposals[size_t(row)];
        p.keep = ProposalTable->item(row, KeepColumn)->checkState() == Qt::Checked;
        if (!p.keep)
            continue;
        p.day = QDate::fromString(Text(ProposalTable, row, DayColumn), Qt::ISODate);
        if (!p.day.isValid())
            return refuse(row, DayColumn, QStringLiteral("Podaj dzień połowu jako rrrr-mm-dd, np. 2025-05-01."));
        const std::optional<QString> hour = CatchValues::HourText(Text(ProposalTable, row, HourColumn));
        if (!hour)
            return refuse(row, HourColumn, QStringLiteral("Godzinę połowu wpisz jako gg:mm, od 00:00 do 23:59, np. 5:10."));
        p.hour = QTime::fromString(*hour, QStringLiteral("HH:mm"));
        p.water = Text(ProposalTable, row, WaterColumn);
        p.species = Text(ProposalTable, row, SpeciesColumn);
        if (p.species.isEmpty())
            return refuse(row, SpeciesColumn,
                          QStringLiteral("Podaj gatunek złowionej ryby albo odznacz zdjęcie, które nie jest połowem."));
        for (const auto &[column, name] : {std::pair{WeightColumn, "waga"}, std::pair{LengthColumn, "dlugosc"}}) {
            const double value = Measure(Text(ProposalTable, row, column));
            const QString refusal = value < 0 ? CatchValues::Refusal(QLatin1String(name), -1)
                                              : value > 0 ? CatchValues::Refusal(QLatin1String(name), value) : QString();
            if (!refusal.isEmpty())
                return refuse(row, column, refusal);
            (column == WeightColumn ? p.weight : p.length) = value;
        }
    }
    return true;
}

void TPhotoImportFrm::SplitButtonClick()
{
    const int row = ProposalTable->currentRow();
    if (row < 0 || row >= int(m_proposals.size()) || m_proposals[size_t(row)].photos.size() < 2)
        return;
    ReadTable();
    const std::vector<PhotoCatches::Proposal> parts = PhotoCatches::Split(m_proposals[size_t(row)]);
    m_proposals.erase(m_proposals.begin() + row);
    m_proposals.insert(m_proposals.begin() + row, parts.begin(), parts.end());
    ShowProposals();
    ProposalTable->setCurrentCell(row, SpeciesColumn);
}

void TPhotoImportFrm::SaveButtonClick()
{
    if (!ReadTable())
        return;
    int kept = 0;
    for (const PhotoCatches::Proposal &p : m_proposals)
        kept += p.keep;
    if (kept == 0) {
        accept();
        return;
    }
    try {
        Progress progress(this, QStringLiteral("Zapisywanie połowów i kopiowanie zdjęć…"), kept);
        m_stored = PhotoCatches::Store(m_connection, UserDataFolder::PhotoFolder(), m_proposals, MoonPhaseOf,
                                       [&progress](int done) { return progress.Step(done); });
    } catch (...) {
        ShowCurrentException();
        return;
    }
    // Cancelled while copying: nothing was stored, and the list stays for another try.
    if (!m_stored.empty())
        accept();
}
