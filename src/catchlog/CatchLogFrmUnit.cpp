#include "catchlog/CatchLogFrmUnit.h"

#include "base/DateUtils.h"
#include "base/Exception.h"
#include "catchlog/BiteTimesPage.h"
#include "catchlog/CatchAlbumPage.h"
#include "catchlog/CatchLogCharts.h"
#include "catchlog/CatchLogModel.h"
#include "catchlog/CatchRegisterPage.h"
#include "catchlog/PermitFrmUnit.h"
#include "catchlog/PhotoImportDialog.h"
#include "catchlog/WatersFrmUnit.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/CatchLogCsv.h"
#include "diary/CatchLogStats.h"
#include "diary/CatchRules.h"
#include "diary/DatabaseBackup.h"
#include "diary/UserDataFolder.h"
#include "sky/CatchSky.h"
#include "sky/SkyPlace.h"
#include "widgets/AppWindows.h"
#include "widgets/ExportFile.h"
#include "widgets/Platform.h"
#include "widgets/TDataSource.h"
#include "widgets/Utils.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("Rybowid");
const QString AllSpecies = QStringLiteral("(wszystkie)");

// Keeps the wait cursor up while a long errand runs.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

QDoubleSpinBox *NewBoundEdit(QWidget *parent, const char *name, double maximum, const QString &suffix)
{
    auto *edit = new QDoubleSpinBox(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    edit->setDecimals(2);
    edit->setRange(0, maximum);
    edit->setSingleStep(suffix == QLatin1String(" kg") ? 0.5 : 5);
    edit->setSuffix(suffix);
    edit->setSpecialValueText(QStringLiteral("dowolna"));
    edit->setGroupSeparatorShown(false);
    return edit;
}
} // namespace

TCatchLogFrm::TCatchLogFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CatchLogFrm"));
    setWindowTitle(QStringLiteral("Dziennik połowów"));
    resize(960, 640);

    m_model = new CatchLogModel(m_log, this);
    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(CreateCatchPage(), QStringLiteral("Połowy"));
    Charts = new CatchLogCharts(Pages);
    Pages->addTab(Charts, QStringLiteral("Statystyki"));
    BitePage = new BiteTimesPage(Pages);
    Pages->addTab(BitePage, QStringLiteral("Kiedy biorą"));
    AlbumPage = new CatchAlbumPage(Pages);
    Pages->addTab(AlbumPage, QStringLiteral("Album"));
    connect(AlbumPage, &CatchAlbumPage::CatchChosen, this, &TCatchLogFrm::ShowInCalendar);
    RegisterPage = new CatchRegisterPage(m_log, Pages);
    Pages->addTab(RegisterPage, QStringLiteral("Rejestr roczny"));
    connect(Pages, &QTabWidget::currentChanged, this, &TCatchLogFrm::UpdateCharts);

    auto button = [this](const char *name, const QString &text, const QString &hint) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setAutoDefault(false);
        return b;
    };
    BackupButton = button("BackupButton", QStringLiteral("Kopia zapasowa"),
                          QStringLiteral("Zapisz bazę danych i zdjęcia połowów w wybranym folderze"));
    RestoreButton =
        button("RestoreButton", QStringLiteral("Przywróć"), QStringLiteral("Przywróć dziennik z kopii zapasowej"));
    UndoRestoreButton = button("UndoRestoreButton", QStringLiteral("Cofnij przywrócenie"),
                               QStringLiteral("Wróć do dziennika sprzed ostatniego przywrócenia"));
    LeftoversButton = button("LeftoversButton", QStringLiteral("Usuń pozostałości…"),
                             QStringLiteral("Usuń to, co zostało po przerwanych kopiach i przywróceniach"));
    LeftoversButton->setVisible(false);
    CloseButton = button("CloseButton", QStringLiteral("Zamknij"), QString());
    PermitButton = button("PermitButton", QStringLiteral("Moje zezwolenie…"),
                          QStringLiteral("Zasady z Twojego zezwolenia: wymiary, okresy i limity dzienne"));
    WatersButton = button("WatersButton", QStringLiteral("Moje łowiska…"),
                          QStringLiteral("Łowiska z numerami do rejestru połowów"));
    PhotosButton = button("PhotosButton", QStringLiteral("Dodaj połowy ze zdjęć…"),
                          QStringLiteral("Połowy z dniem, godziną i łowiskiem odczytanymi ze zdjęć z telefonu"));
    auto *photosMenu = new QMenu(PhotosButton);
    photosMenu->addAction(QStringLiteral("Wybierz zdjęcia…"), this, [this] { PhotosButtonClick(false); })
        ->setObjectName(QStringLiteral("PhotoFilesAction"));
    photosMenu->addAction(QStringLiteral("Wybierz cały folder…"), this, [this] { PhotosButtonClick(true); })
        ->setObjectName(QStringLiteral("PhotoFolderAction"));
    PhotosButton->setMenu(photosMenu);
    connect(PermitButton, &QPushButton::clicked, this, &TCatchLogFrm::PermitButtonClick);
    connect(WatersButton, &QPushButton::clicked, this, &TCatchLogFrm::WatersButtonClick);
    connect(BackupButton, &QPushButton::clicked, this, &TCatchLogFrm::BackupButtonClick);
    connect(RestoreButton, &QPushButton::clicked, this, &TCatchLogFrm::RestoreButtonClick);
    connect(UndoRestoreButton, &QPushButton::clicked, this, &TCatchLogFrm::UndoRestoreButtonClick);
    connect(LeftoversButton, &QPushButton::clicked, this, &TCatchLogFrm::LeftoversButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(BackupButton);
    bottom->addWidget(RestoreButton);
    bottom->addWidget(UndoRestoreButton);
    bottom->addWidget(LeftoversButton);
    bottom->addSpacing(12);
    bottom->addWidget(PermitButton);
    bottom->addWidget(WatersButton);
    bottom->addWidget(PhotosButton);
    bottom->addStretch();
    bottom->addWidget(CloseButton);
    // Where the last file saved from the window went; a box to close would be one too many.
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    StatusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(Charts, &CatchLogCharts::Saved, this, &TCatchLogFrm::ShowSaved);
    connect(RegisterPage, &CatchRegisterPage::Saved, this, &TCatchLogFrm::ShowSaved);
    connect(BitePage, &BiteTimesPage::Saved, this, &TCatchLogFrm::ShowSaved);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addLayout(bottom);
    layout->addWidget(StatusLabel);
}

void TCatchLogFrm::showEvent(QShowEvent *event)
{
    // The clear buttons' picture is the first image the toolkit reads by guessing its
    // format, which loads every image format plugin: not at start-up, for a hidden window.
    for (QLineEdit *edit : {PlaceEdit, BaitEdit, NotesEdit})
        edit->setClearButtonEnabled(true);
    QDialog::showEvent(event);
}

QWidget *TCatchLogFrm::CreateCatchPage()
{
    auto *page = new QWidget(Pages);
    auto *filter = new QGroupBox(QStringLiteral("Pokaż połowy"), page);
    filter->setObjectName(QStringLiteral("FilterBox"));

    SpeciesCombo = new QComboBox(filter);
    SpeciesCombo->setObjectName(QStringLiteral("SpeciesCombo"));
    SpeciesCombo->setMinimumContentsLength(14);
    auto dateEdit = [filter](const char *name) {
        auto *edit = new QDateEdit(filter);
        edit->setObjectName(QLatin1String(name));
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setCalendarPopup(true);
        edit->setEnabled(false);
        return edit;
    };
    FromCheck = new QCheckBox(QStringLiteral("od:"), filter);
    FromCheck->setObjectName(QStringLiteral("FromCheck"));
    FromDate = dateEdit("FromDate");
    ToCheck = new QCheckBox(QStringLiteral("do:"), filter);
    ToCheck->setObjectName(QStringLiteral("ToCheck"));
    ToDate = dateEdit("ToDate");
    PlaceEdit = MakeLineEdit(filter, "PlaceEdit", QStringLiteral("fragment nazwy"));
    BaitEdit = MakeLineEdit(filter, "BaitEdit", QStringLiteral("fragment nazwy"));
    NotesEdit = MakeLineEdit(filter, "NotesEdit", QStringLiteral("szukany tekst"));
    MinWeightEdit = NewBoundEdit(filter, "MinWeightEdit", 999, QStringLiteral(" kg"));
    MinLengthEdit = NewBoundEdit(filter, "MinLengthEdit", 999, QStringLiteral(" cm"));
    ClearFilterButton = new QPushButton(QStringLiteral("Wyczyść filtr"), filter);
    ClearFilterButton->setObjectName(QStringLiteral("ClearFilterButton"));
    ClearFilterButton->setAutoDefault(false);

    auto *grid = new QGridLayout(filter);
    auto label = [filter](const QString &text) { return new QLabel(text, filter); };
    grid->addWidget(label(QStringLiteral("Gatunek:")), 0, 0);
    grid->addWidget(SpeciesCombo, 0, 1);
    grid->addWidget(label(QStringLiteral("Dzień:")), 0, 2);
    auto *dates = new QHBoxLayout;
    dates->addWidget(FromCheck);
    dates->addWidget(FromDate);
    dates->addSpacing(8);
    dates->addWidget(ToCheck);
    dates->addWidget(ToDate);
    dates->addStretch();
    grid->addLayout(dates, 0, 3, 1, 3);
    grid->addWidget(label(QStringLiteral("Miejsce:")), 1, 0);
    grid->addWidget(PlaceEdit, 1, 1);
    grid->addWidget(label(QStringLiteral("Przynęta:")), 1, 2);
    grid->addWidget(BaitEdit, 1, 3);
    grid->addWidget(label(QStringLiteral("Opis zawiera:")), 1, 4);
    grid->addWidget(NotesEdit, 1, 5);
    grid->addWidget(label(QStringLiteral("Waga co najmniej:")), 2, 0);
    grid->addWidget(MinWeightEdit, 2, 1);
    grid->addWidget(label(QStringLiteral("Długość co najmniej:")), 2, 2);
    grid->addWidget(MinLengthEdit, 2, 3);
    grid->addWidget(ClearFilterButton, 2, 5, Qt::AlignRight);

    CatchGrid = new QTableView(page);
    CatchGrid->setObjectName(QStringLiteral("CatchGrid"));
    CatchGrid->setModel(m_model);
    CatchGrid->setSortingEnabled(true);
    CatchGrid->horizontalHeader()->setSortIndicator(CatchLog::Day, Qt::AscendingOrder);
    CatchGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    CatchGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    CatchGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CatchGrid->setAlternatingRowColors(true);
    CatchGrid->setWordWrap(false);
    CatchGrid->verticalHeader()->setDefaultSectionSize(20);
    CatchGrid->verticalHeader()->hide();
    CatchGrid->setToolTip(QStringLiteral("Dwukrotne kliknięcie pokazuje dzień połowu w kalendarzu"));
    const int widths[] = {80, 60, 95, 65, 80, 110, 85, 50, 85, 80, 60};
    for (int c = 0; c < int(std::size(widths)); ++c)
        CatchGrid->setColumnWidth(c, widths[c]);
    CatchGrid->horizontalHeader()->setStretchLastSection(true);
    // A chosen row would turn every title bold, and bold they outgrow their columns.
    CatchGrid->horizontalHeader()->setHighlightSections(false);

    // The table's column shows the start of a broken rule's sentence, and its tooltip is
    // out of reach of the keys: the current catch's sentences are written out here. The
    // place is kept when there are none, so that the table does not jump from row to row.
    WarningLabel = new QLabel(page);
    WarningLabel->setObjectName(QStringLiteral("WarningLabel"));
    WarningLabel->setWordWrap(true);
    WarningLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    WarningLabel->setFixedHeight(2 * WarningLabel->fontMetrics().lineSpacing() + 4);
    QPalette warningColours = WarningLabel->palette();
    warningColours.setColor(QPalette::WindowText, QColor(0xA0, 0x10, 0x10));
    WarningLabel->setPalette(warningColours);
    connect(CatchGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TCatchLogFrm::ShowWarning);
    // Filtering and sorting read the rows anew, and no row is current then.
    connect(m_model, &QAbstractItemModel::modelReset, this, &TCatchLogFrm::ShowWarning);

    SummaryLabel = new QLabel(page);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    QFont bold = SummaryLabel->font();
    bold.setBold(true);
    SummaryLabel->setFont(bold);
    ExportButton = new QPushButton(QStringLiteral("Eksport do CSV…"), page);
    ExportButton->setObjectName(QStringLiteral("ExportButton"));
    ExportButton->setToolTip(QStringLiteral("Zapisz pokazane połowy w pliku dla arkusza kalkulacyjnego"));
    ExportButton->setAutoDefault(false);

    auto *summary = new QHBoxLayout;
    summary->addWidget(SummaryLabel);
    summary->addStretch();
    summary->addWidget(ExportButton);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(filter);
    layout->addWidget(CatchGrid, 1);
    layout->addWidget(WarningLabel);
    layout->addLayout(summary);

    auto refilter = [this] {
        if (!m_filling)
            ApplyFilter();
    };
    connect(SpeciesCombo, &QComboBox::currentIndexChanged, this, refilter);
    for (QCheckBox *check : {FromCheck, ToCheck})
        connect(check, &QCheckBox::toggled, this, refilter);
    connect(FromCheck, &QCheckBox::toggled, FromDate, &QWidget::setEnabled);
    connect(ToCheck, &QCheckBox::toggled, ToDate, &QWidget::setEnabled);
    for (QDateEdit *edit : {FromDate, ToDate})
        connect(edit, &QDateEdit::dateChanged, this, refilter);
    for (QLineEdit *edit : {PlaceEdit, BaitEdit, NotesEdit})
        connect(edit, &QLineEdit::textChanged, this, refilter);
    for (QDoubleSpinBox *edit : {MinWeightEdit, MinLengthEdit})
        connect(edit, &QDoubleSpinBox::valueChanged, this, refilter);
    connect(ClearFilterButton, &QPushButton::clicked, this, &TCatchLogFrm::ClearFilter);
    connect(ExportButton, &QPushButton::clicked, this, &TCatchLogFrm::ExportButtonClick);
    connect(CatchGrid, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { CatchGridDoubleClick(index.row()); });
    return page;
}

void TCatchLogFrm::Execute()
{
    m_saved.clear();
    ShowStatus();
    try {
        Reload();
    } catch (...) {
        ShowCurrentException();
        return;
    }
    Platform::ShowModal(this);
}

void TCatchLogFrm::Reload()
{
    TDbConnection *connection = Windows().DataBase;
    if (!connection)
        throw Exception(QStringLiteral("Baza danych nie jest otwarta."));
    WaitCursor wait;
    // The log, its rules and the register read one state of the diary, which the engine
    // then locks once instead of for every statement.
    Transaction reading(*connection, Transaction::Mode::Deferred);
    try {
        const CatchRules rules = CatchRules::OfDiary(*connection);
        m_log.Load(*connection, &rules);
        m_waters = Waters::Read(*connection);
    } catch (...) {
        // The log is empty then; the table must not go on showing rows it no longer has.
        ApplyFilter();
        throw;
    }
    FillSpecies();
    ApplyFilter();
    RegisterPage->Refresh(connection);
    reading.Commit();
    BackupButton->setEnabled(DatabaseBackup::Available(*connection));
    RestoreButton->setEnabled(BackupButton->isEnabled());
    UndoRestoreButton->setEnabled(BackupButton->isEnabled() &&
                                  !DatabaseBackup::LastSetAside(UserDataFolder::Path()).isEmpty());
    LeftoversButton->setVisible(!DatabaseBackup::Leftovers(UserDataFolder::Path()).isEmpty());
}

void TCatchLogFrm::FillSpecies()
{
    const QString chosen = SpeciesCombo->currentIndex() > 0 ? SpeciesCombo->currentText() : QString();
    m_filling = true;
    SpeciesCombo->clear();
    SpeciesCombo->addItem(AllSpecies);
    SpeciesCombo->addItems(m_log.SpeciesNames());
    const int again = chosen.isEmpty() ? 0 : SpeciesCombo->findText(chosen, Qt::MatchFixedString);
    SpeciesCombo->setCurrentIndex(std::max(0, again));
    m_filling = false;

    // The date bounds start on the diary's first and last day.
    if (!FromCheck->isChecked() && !ToCheck->isChecked() && !m_log.Records().empty()) {
        const QStringList &days = m_log.Days();
        m_filling = true;
        FromDate->setDate(QDate::fromString(days.front().left(10), Qt::ISODate));
        ToDate->setDate(QDate::fromString(days.back().left(10), Qt::ISODate));
        m_filling = false;
    }
}

CatchLogFilter TCatchLogFrm::FilterFromControls() const
{
    CatchLogFilter filter;
    if (SpeciesCombo->currentIndex() > 0)
        filter.species = SpeciesCombo->currentText();
    if (FromCheck->isChecked())
        filter.from = FromDate->date().toString(Qt::ISODate);
    if (ToCheck->isChecked())
        filter.to = ToDate->date().toString(Qt::ISODate);
    filter.place = PlaceEdit->text().trimmed();
    filter.bait = BaitEdit->text().trimmed();
    filter.notes = NotesEdit->text().trimmed();
    filter.minWeight = MinWeightEdit->value();
    filter.minLength = MinLengthEdit->value();
    return filter;
}

void TCatchLogFrm::ApplyFilter()
{
    m_log.Apply(FilterFromControls());
    m_model->Reset();
    const int shown = int(m_log.Shown().size());
    SummaryLabel->setText(QStringLiteral("Pokazane połowy: %1 z %2     Łączna waga: %3 kg")
                              .arg(shown)
                              .arg(m_log.Records().size())
                              .arg(CatchLog::NumberText(m_log.ShownWeight())));
    ExportButton->setEnabled(shown > 0);
    // The charts are redrawn when they are looked at, not for every key typed elsewhere.
    m_chartsStale = m_biteStale = m_albumStale = true;
    UpdateCharts();
}

void TCatchLogFrm::ShowWarning()
{
    const int row = CatchGrid->currentIndex().row();
    const QString warning = row >= 0 && row < int(m_log.Shown().size()) ? m_log.ShownAt(row).Warning() : QString();
    WarningLabel->setText(warning.isEmpty() ? QString() : QStringLiteral("Naruszone przepisy: ") + warning);
    WarningLabel->setToolTip(WarningLabel->text());
}

void TCatchLogFrm::UpdateCharts()
{
    if (Pages->currentWidget() == Charts && std::exchange(m_chartsStale, false))
        Charts->Update(CatchLogStats::Compute(m_log));
    if (Pages->currentWidget() == BitePage && std::exchange(m_biteStale, false)) {
        WaitCursor wait;
        BitePage->Update(m_log, m_waters, SkyPlaces::Load().site);
    }
    if (Pages->currentWidget() == AlbumPage && std::exchange(m_albumStale, false))
        AlbumPage->Update(m_log);
}

void TCatchLogFrm::ClearFilter()
{
    m_filling = true;
    SpeciesCombo->setCurrentIndex(0);
    FromCheck->setChecked(false);
    ToCheck->setChecked(false);
    PlaceEdit->clear();
    BaitEdit->clear();
    NotesEdit->clear();
    MinWeightEdit->setValue(0);
    MinLengthEdit->setValue(0);
    m_filling = false;
    ApplyFilter();
}

void TCatchLogFrm::ExportButtonClick()
{
    ShowSaved(ExportFile::Save(this, ExportFile::Kind::Document, QStringLiteral("Eksport połowów do CSV"),
                               QStringLiteral("dziennik-polowow.csv"),
                               QStringLiteral("Plik CSV (arkusz kalkulacyjny)|*.csv"),
                               [this](const QString &path, QString *error) {
                                   return CatchLogCsv::Write(path, m_log.Records(), m_log.Shown(), error);
                               }));
}

void TCatchLogFrm::ShowSaved(const QString &path)
{
    if (path.isEmpty())
        return;
    m_saved = path;
    ShowStatus();
}

void TCatchLogFrm::ShowStatus()
{
    // One line however long the path: its middle gives way, so the file's name stays.
    const QString text =
        m_saved.isEmpty() ? QString() : QStringLiteral("Zapisano: ") + QDir::toNativeSeparators(m_saved);
    StatusLabel->setToolTip(text);
    StatusLabel->setText(StatusLabel->fontMetrics().elidedText(text, Qt::ElideMiddle, StatusLabel->width()));
}

void TCatchLogFrm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    ShowStatus();
}

namespace {
// A dialog with "Anuluj" for a backup or a restore, shown only when the work takes a while.
class BackupProgress
{
public:
    BackupProgress(QWidget *parent, const QString &label) : m_dialog(label, QStringLiteral("Anuluj"), 0, 1, parent)
    {
        m_dialog.setWindowTitle(QStringLiteral("Rybowid"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(400);
        m_dialog.setAutoReset(false);
        m_dialog.setValue(0);
    }
    DatabaseBackup::Progress Callback()
    {
        return [this](int done, int total) {
            m_dialog.setMaximum(std::max(total, 1));
            m_dialog.setValue(done);
            QCoreApplication::processEvents();
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};
} // namespace

void TCatchLogFrm::BackupButtonClick()
{
    const QString parent = Platform::ChooseFolder(this, QStringLiteral("Wybierz folder na kopię zapasową"));
    if (parent.isEmpty() || !Windows().DataBase)
        return;
    try {
        QString folder;
        {
            WaitCursor wait;
            BackupProgress progress(this, QStringLiteral("Zapisywanie kopii zapasowej dziennika i zdjęć…"));
            DatabaseBackup::Options options;
            options.progress = progress.Callback();
            folder = DatabaseBackup::Create(*Windows().DataBase, UserDataFolder::PhotoFolder(), parent, options);
        }
        Platform::ShowMessage(this, Title,
                              QStringLiteral("Kopię zapasową dziennika i zdjęć zapisano w folderze:\n%1")
                                  .arg(QDir::toNativeSeparators(folder)),
                              Platform::Icon::Information);
    } catch (const DatabaseBackup::Cancelled &) {
        // Cancelled on purpose: nothing of the copy is left, and nothing needs saying.
    } catch (...) {
        ShowCurrentException();
    }
}

void TCatchLogFrm::RestoreButtonClick()
{
    const QString folder = Platform::ChooseFolder(this, QStringLiteral("Wybierz folder z kopią zapasową"));
    if (folder.isEmpty())
        return;
    RestoreFrom(folder, QStringLiteral("Przywrócić dziennik połowów i zdjęcia z kopii w folderze\n%1?\n\n"
                                       "Obecny dziennik zostanie odłożony na bok, więc można będzie cofnąć "
                                       "tę zmianę.")
                            .arg(QDir::toNativeSeparators(folder)));
}

void TCatchLogFrm::UndoRestoreButtonClick()
{
    // The copy may have been removed since the window last looked.
    const QString aside = DatabaseBackup::LastSetAside(UserDataFolder::Path());
    UndoRestoreButton->setEnabled(!aside.isEmpty());
    if (aside.isEmpty())
        return;
    RestoreFrom(aside, QStringLiteral("Cofnąć przywrócenie i wrócić do dziennika, który był przed nim?"));
}

void TCatchLogFrm::LeftoversButtonClick()
{
    const QStringList leftovers = DatabaseBackup::Leftovers(UserDataFolder::Path());
    LeftoversButton->setVisible(!leftovers.isEmpty());
    if (leftovers.isEmpty())
        return;
    QStringList shown;
    for (const QString &path : leftovers)
        shown << QStringLiteral("• ") + QDir::toNativeSeparators(path);
    if (!Platform::AskYesNo(this, QStringLiteral("Pytanie:"),
                            QStringLiteral("Po przerwanych kopiach zapasowych i przywróceniach zostały:\n%1\n\nNie "
                                           "są potrzebne ani dziennikowi, ani jego kopiom. Usunąć je?")
                                .arg(shown.join(QLatin1Char('\n')))))
        return;
    const QStringList left = DatabaseBackup::RemoveLeftovers(UserDataFolder::Path());
    LeftoversButton->setVisible(!left.isEmpty());
    if (!left.isEmpty()) {
        QStringList named;
        for (const QString &path : left)
            named << QDir::toNativeSeparators(path);
        Platform::ShowMessage(this, Title,
                              QStringLiteral("Nie udało się usunąć:\n%1").arg(named.join(QLatin1Char('\n'))),
                              Platform::Icon::Warning);
    }
}

void TCatchLogFrm::RestoreFrom(const QString &folder, const QString &question)
{
    TDbConnection *connection = Windows().DataBase;
    if (!connection)
        return;
    // A copy that cannot be restored is refused before anything is asked.
    QString problem;
    {
        WaitCursor wait;
        problem = DatabaseBackup::RestoreProblem(*connection, UserDataFolder::Path(), folder);
    }
    if (!problem.isEmpty()) {
        Platform::ShowMessage(this, Title, problem, Platform::Icon::Warning);
        return;
    }
    if (!Platform::AskYesNo(this, QStringLiteral("Pytanie:"), question))
        return;
    try {
        QString notice, aside;
        {
            WaitCursor wait;
            BackupProgress progress(this, QStringLiteral("Przywracanie dziennika i zdjęć z kopii zapasowej…"));
            DatabaseBackup::Options options;
            options.progress = progress.Callback();
            aside = DatabaseBackup::Restore(*connection, UserDataFolder::Path(), folder, options, &notice);
        }
        if (Windows().DiaryReplaced)
            Windows().DiaryReplaced();
        Reload();
        Platform::ShowMessage(
            this, Title,
            QStringLiteral("Dziennik przywrócono. Poprzedni dziennik i zdjęcia zachowano w folderze:\n%1")
                    .arg(QDir::toNativeSeparators(aside)) +
                (notice.isEmpty() ? QString() : QStringLiteral("\n\n") + notice),
            Platform::Icon::Information);
    } catch (const DatabaseBackup::Cancelled &) {
        // Cancelled before anything live was replaced: the diary is as it was.
    } catch (...) {
        ShowCurrentException();
        // The diary may have been replaced before the photos failed: no view may go on
        // writing the rows it read before.
        try {
            if (Windows().DiaryReplaced)
                Windows().DiaryReplaced();
            Reload();
        } catch (...) {
            ShowCurrentException();
        }
    }
}

void TCatchLogFrm::CatchGridDoubleClick(int row)
{
    if (row >= 0 && row < int(m_log.Shown().size()))
        ShowInCalendar(m_log.ShownAt(row));
}

void TCatchLogFrm::ShowInCalendar(const CatchRecord &record)
{
    const QDate day = QDate::fromString(record.day.left(10), Qt::ISODate);
    if (!day.isValid())
        return;
    // Closing the log may rebuild what the record lives in.
    const qint64 rowId = record.rowId;
    accept();
    if (Windows().ShowCatchInCalendar)
        Windows().ShowCatchInCalendar(day, rowId);
}

void TCatchLogFrm::PermitButtonClick()
{
    TDbConnection *connection = Windows().DataBase;
    if (!connection || !TPermitFrm(*connection, this).Execute())
        return;
    if (Windows().OwnRulesChanged)
        Windows().OwnRulesChanged();
    TDataSource::Guard([this] { Reload(); });
}

void TCatchLogFrm::PhotosButtonClick(bool folder)
{
    TDbConnection *connection = Windows().DataBase;
    if (!connection)
        return;
    TPhotoImportFrm dialog(*connection, this);
    dialog.MoonPhaseOf = [site = SkyPlaces::Load().site](QDate day, QTime hour) {
        const TDateTime date = FromQDate(day);
        return MoonPhaseName(hour.isValid() ? MoonPhaseAt(date + hour.msecsSinceStartOfDay() / 86'400'000.0)
                                            : SkyOfDay(date, site).phase);
    };
    if (dialog.Execute(folder).empty())
        return;
    // The calendar marks the new days; the log shows the new catches.
    if (Windows().DiaryReplaced)
        Windows().DiaryReplaced();
    TDataSource::Guard([this] { Reload(); });
}

void TCatchLogFrm::WatersButtonClick()
{
    TDbConnection *connection = Windows().DataBase;
    if (!connection || !TWatersFrm(*connection, this).Execute())
        return;
    if (Windows().OwnRulesChanged)
        Windows().OwnRulesChanged();
    TDataSource::Guard([this] { Reload(); });
}
