#include "../app/AppTestMain.h"

#include "app/MainFrmUnit.h"
#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/TMonthCalendar.h"
#include "catchlog/CatchLogCharts.h"
#include "catchlog/BiteTimesPage.h"
#include "catchlog/CatchAlbumPage.h"
#include "catchlog/CatchLogFrmUnit.h"
#include "catchlog/PhotoImportDialog.h"
#include "quiz/NaukaFrmUnit.h"
#include "diary/Waters.h"
#include "support/ExifBlock.h"
#include "data/TDbTable.h"
#include "support/TestSupport.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBGrid.h"
#include "widgets/TLinkLabel.h"

#include <sys/stat.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QBuffer>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <memory>

namespace {
// Two seasons of catches, the two on 10 April 2005 being a pike and the same pike typed
// with its weight a decimal place off, and the empty row of the pinned day.
QString Seed()
{
    const QStringList species{"Szczupak", "Okoń", "Leszcz", "Sandacz", "Karp", "Płoć", "Lin", "Węgorz"};
    const QStringList places{"Jezioro Łańskie", "Wisła pod Płockiem", "Zalew Zegrzyński", "Staw w Mielnie"};
    const QStringList baits{"wobler", "guma", "czerwony robak", "kukurydza", "błystka"};
    QString sql = "begin;";
    for (int i = 0; i < 44; ++i) {
        const double weight = 0.2 + (i * 37 % 50) / 10.0;
        sql += QStringLiteral("insert into dziennik values ('%1','%2',%3,%4,'%5','%6','SW','pełnia','%7','');")
                   .arg(QDate(2004, 3, 1).addDays(i * 17).toString(Qt::ISODate), species[i % species.size()])
                   .arg(weight)
                   .arg(int(22 + weight * 11 + i % 5))
                   .arg(places[i % places.size()], baits[i % baits.size()],
                        i % 3 ? QString() : QStringLiteral("z łodzi, rano"));
    }
    sql += "insert into dziennik values ('2005-04-10','Szczupak',4.2,78,'Jezioro Łańskie','wobler','','','','');"
           "insert into dziennik values ('2005-04-10','Szczupak',35.0,75,'Jezioro Łańskie','wobler','','','','');"
           "insert into dziennik values ('2005-01-24','',0.0,0.0,'','','','','','');";
    return sql + "commit;";
}

// Types text key by key, Polish letters included (QTest::keyClicks knows only ASCII).
using TestSupport::TypeText;

bool Recorded(const QString &kind, const QString &title)
{
    for (const Platform::Record &record : Platform::Records())
        if (record.kind == kind && record.title == title)
            return true;
    return false;
}
} // namespace

class CatchLogFrmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void filtersTotalsExportAndCharts();
    void doubleClickShowsTheCatchInTheCalendar();
    void backupRestoreAndUndoFromTheWindow();
    void aDiaryThatCannotBeReadEmptiesTheTable();
    void whenTheyBiteNeedsTwentyCatches();
    void theAlbumShowsThePhotosAndLeadsToTheirDays();
    void catchesComeFromPhotosOnceAndOnlyWhenSaved();
    void aHostileFolderIsReadToItsEnd();

private:
    void Start();
    // In test mode the modal window comes back hidden at once; it is shown again to be
    // driven as the user would.
    void ShowAgain()
    {
        Log()->show();
        QVERIFY(QTest::qWaitForWindowExposed(Log()));
    }
    TCatchLogFrm *Log() const { return Windows().CatchLogFrm; }
    int Rows() const { return Log()->CatchGrid->model()->rowCount(); }
    QStringList Stored(const QString &sql) const { return TestSupport::QueryColumn(m_dir->dbPath(), sql); }

    std::unique_ptr<TestSupport::GuiTestFolder> m_dir;
};

void CatchLogFrmTest::init()
{
    m_dir = std::make_unique<TestSupport::GuiTestFolder>(TestSupport::TempProgramDir::Content::SchemaOnly);
    QVERIFY(m_dir->isValid());
}

void CatchLogFrmTest::cleanup()
{
    m_dir.reset();
}

void CatchLogFrmTest::Start()
{
    QString error;
    QVERIFY2(m_dir->exec(Seed(), &error), qPrintable(error));
    OverrideExecutableFolder(m_dir->path());
    Clock::Pin(EncodeDateTime(2005, 1, 24, 10, 30, 0, 0));
    CreateWindows();
    QVERIFY(Windows().MainFrm && Windows().CalendarFrm && Log());
    Windows().MainFrm->show();
    QVERIFY(QTest::qWaitForWindowExposed(Windows().MainFrm));
}

void CatchLogFrmTest::filtersTotalsExportAndCharts()
{
    Start();
    auto *link = Windows().CalendarFrm->findChild<TLinkLabel *>("CatchLogLink");
    QVERIFY(link && link->isVisible());
    QTest::mouseClick(link, Qt::LeftButton);
    QVERIFY(Recorded("modal", "Dziennik połowów"));
    ShowAgain();
    QAbstractItemModelTester tester(Log()->CatchGrid->model());
    QCOMPARE(Rows(), 47);
    QCOMPARE(Log()->SummaryLabel->text(),
             QStringLiteral("Pokazane połowy: 47 z 47     Łączna waga: %1 kg")
                 .arg(Stored("select round(sum(waga), 3) from dziennik").first().replace('.', ',')));
    TestSupport::SavePng(Log(), "catchlog_table");
    Log()->Pages->setCurrentIndex(1);
    QApplication::processEvents();
    TestSupport::SavePng(Log(), "catchlog_charts");
    Log()->Pages->setCurrentIndex(0);

    // "Every pike of at least 3 kg from Łańskie", typed and picked in the controls.
    Log()->PlaceEdit->setFocus();
    // An Alt+letter nothing claims types nothing into a plain field either.
    QTest::keyClick(Log()->PlaceEdit, Qt::Key_K, Qt::AltModifier);
    QVERIFY(Log()->PlaceEdit->text().isEmpty());
    TypeText(Log()->PlaceEdit, "łańskie");
    const QString where = "instr(miejsce, 'Łańskie') > 0";
    QCOMPARE(Rows(), Stored("select count(*) from dziennik where " + where).first().toInt());
    Log()->SpeciesCombo->setCurrentIndex(Log()->SpeciesCombo->findText("Szczupak"));
    Log()->MinWeightEdit->selectAll();
    QTest::keyClicks(Log()->MinWeightEdit, "3");
    QCOMPARE(Log()->MinWeightEdit->value(), 3.0);
    const QStringList days = Stored("select data||' '||replace(printf('%g', waga), '.', ',') from dziennik where " +
                                    where + " and gatunek = 'Szczupak' and waga >= 3 order by data, rowid");
    QVERIFY(days.size() >= 3);
    QStringList shown;
    for (int row = 0; row < Rows(); ++row)
        shown << Log()->CatchGrid->model()->index(row, 0).data().toString() + ' ' +
                     Log()->CatchGrid->model()->index(row, CatchLog::Weight).data().toString();
    QCOMPARE(shown, days);
    QVERIFY(Log()->SummaryLabel->text().startsWith(QStringLiteral("Pokazane połowy: %1 z 47").arg(days.size())));
    Log()->Pages->setCurrentIndex(1);
    QCOMPARE(Log()->Charts->BaitsTable->item(0, 0)->text(), QStringLiteral("wobler"));
    QCOMPARE(Log()->Charts->BaitsTable->item(0, 1)->text(), QStringLiteral("3"));
    Log()->Pages->setCurrentIndex(0);

    // The user's documents and pictures folders, as the desktop names them.
    QTemporaryDir home;
    const QString documents = home.filePath("Dokumenty"), pictures = home.filePath("Obrazy");
    QVERIFY(QDir().mkpath(documents) && QDir().mkpath(pictures));
    QFile dirs(home.filePath("user-dirs.dirs"));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write(QStringLiteral("XDG_DOCUMENTS_DIR=\"%1\"\nXDG_PICTURES_DIR=\"%2\"\n").arg(documents, pictures).toUtf8());
    dirs.close();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    // The path the last file chooser proposed.
    auto proposed = [] {
        const QList<Platform::Record> records = Platform::Records();
        for (auto record = records.rbegin(); record != records.rend(); ++record)
            if (record->kind == "saveFile")
                return record->text;
        return QString();
    };

    // The first export is proposed in the documents, saved elsewhere, and said so below.
    const QString chosen = m_dir->path() + "wybrane";
    QVERIFY(QDir().mkpath(chosen));
    const QString csv = chosen + "/szczupaki";
    Platform::QueueFileChoice(csv);
    QTest::mouseClick(Log()->ExportButton, Qt::LeftButton);
    QCOMPARE(proposed(), documents + "/dziennik-polowow.csv");
    QFile file(csv + ".csv");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(bytes.count("\r\n"), days.size() + 1);
    QVERIFY(bytes.contains("2005-04-10;;Szczupak;35;75;Jezioro Łańskie;wobler"));
    QCOMPARE(Log()->StatusLabel->text(), "Zapisano: " + QDir::toNativeSeparators(csv + ".csv"));
    QVERIFY(!Recorded("message", "Rybowid"));

    // A chart goes first to the pictures, whatever folder the documents went to.
    const QString png = m_dir->path() + "wykres.png";
    Platform::QueueFileChoice(png);
    QTest::mouseClick(Log()->Charts->SaveScatterButton, Qt::LeftButton);
    QCOMPARE(proposed(), pictures + "/polowy-waga-dlugosc.png");
    QVERIFY(QImage(png).width() > 200);
    QCOMPARE(Log()->StatusLabel->text(), "Zapisano: " + QDir::toNativeSeparators(png));

    // The next export starts where the last went. One that cannot be written is told in
    // a box, leaves the line as it was and is not remembered.
    Log()->Pages->setCurrentIndex(0);
    Platform::QueueFileChoice(m_dir->path() + "brak/x.csv");
    QTest::mouseClick(Log()->ExportButton, Qt::LeftButton);
    QCOMPARE(proposed(), chosen + "/dziennik-polowow.csv");
    QCOMPARE(Platform::Records().last().icon, Platform::Icon::Error);
    QCOMPARE(Log()->StatusLabel->text(), "Zapisano: " + QDir::toNativeSeparators(png));
    QTest::mouseClick(Log()->ExportButton, Qt::LeftButton);
    QCOMPARE(proposed(), chosen + "/dziennik-polowow.csv");
    TestSupport::SavePng(Log(), "catchlog_saved");
    // Opened again, the window has nothing to say yet.
    Windows().OpenCatchLog();
    QCOMPARE(Log()->StatusLabel->text(), QString());
    ShowAgain();
    qunsetenv("XDG_CONFIG_HOME");

    QTest::mouseClick(Log()->ClearFilterButton, Qt::LeftButton);
    QCOMPARE(Rows(), 47);
}

void CatchLogFrmTest::doubleClickShowsTheCatchInTheCalendar()
{
    Start();
    // From the main window: the "Kalendarz" label's context menu.
    Platform::QueuePopupChoice("DziennikPolowow1");
    TLinkLabel *label = Windows().MainFrm->Label2;
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, label->rect().center(),
                                label->mapToGlobal(label->rect().center()));
    QApplication::sendEvent(label, &menuEvent);
    // Asked by the mouse, the menu opens where it was clicked.
    const QPoint clicked = label->mapToGlobal(label->rect().center());
    QCOMPARE(Platform::Records().first().text, QStringLiteral("%1,%2").arg(clicked.x()).arg(clicked.y()));
    QVERIFY(Recorded("popup", "CalendarPopupMenu"));
    QVERIFY(Recorded("modal", "Dziennik połowów"));
    ShowAgain();
    QCOMPARE(Windows().MainFrm->Label2->text(), QStringLiteral("Kalendarz"));

    // The heaviest catch first, by two clicks on the weight header.
    QHeaderView *header = Log()->CatchGrid->horizontalHeader();
    const QPoint weightHeader(header->sectionViewportPosition(CatchLog::Weight) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, weightHeader);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, weightHeader);
    QCOMPARE(Log()->CatchGrid->model()->index(0, CatchLog::Weight).data().toString(), QStringLiteral("35"));

    const QRect cell = Log()->CatchGrid->visualRect(Log()->CatchGrid->model()->index(0, 1));
    // A double click begins with a whole click.
    QTest::mouseClick(Log()->CatchGrid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(Log()->CatchGrid->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(!Log()->isVisible());
    QCOMPARE(Log()->result(), int(QDialog::Accepted));
    TCalendarFrm *calendar = Windows().CalendarFrm;
    QCOMPARE(calendar->MonthCalendar1->SelectedDate(), EncodeDate(2005, 4, 10));
    QCOMPARE(calendar->dziennikTable->GetRecordCount(), 2);
    QCOMPARE(QString::number(calendar->dziennikTable->RowId()),
             Stored("select rowid from dziennik where waga = 35").first());
    QCOMPARE(calendar->DayPanel->DBGrid1->currentIndex().row(), calendar->dziennikTable->GetRecNo() - 1);
}

void CatchLogFrmTest::backupRestoreAndUndoFromTheWindow()
{
    Start();
    QVERIFY(m_dir->exec("insert into przepisy (id, rodzaj_pytania, pytanie1, odp1_1, odp1_2, odp1_3, "
                        "odp1_prawidlowa, temat) values (1, 0, 'Od ilu lat?', '14', '16', '18', 1, 1)"));
    Windows().OpenCatchLog();
    ShowAgain();
    QTemporaryDir target;
    Platform::QueueFileChoice(target.path());
    QTest::mouseClick(Log()->BackupButton, Qt::LeftButton);
    const QStringList made = QDir(target.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(made.size(), 1);
    const QString backup = target.path() + '/' + made.first();
    QVERIFY(Platform::Records().last().text.contains(QDir::toNativeSeparators(backup)));

    QVERIFY(m_dir->exec("delete from dziennik"));
    // Practice progress made after the copy, which the restore takes back.
    QVERIFY(m_dir->exec("insert into nauka_postep (pytanie, przegrodka, powtorka) values (1, 5, '2099-01-01')"));
    TNaukaFrm *practice = Windows().NaukaFrm;
    practice->Start();
    QCOMPARE(practice->TopicBars[0]->value(), 1);
    // The live data folder, or a copy from before copies listed their files, is refused
    // at once, before any question.
    const QString old = target.path() + "/stara kopia";
    QVERIFY(QDir().mkpath(old));
    QVERIFY(QFile::copy(backup + "/wedkarz.db", old + "/wedkarz.db"));
    for (const QString &wrong : QStringList{m_dir->path() + "data", old}) {
        Platform::ClearTestState();
        Platform::QueueFileChoice(wrong);
        QTest::mouseClick(Log()->RestoreButton, Qt::LeftButton);
        QCOMPARE(Platform::Records().size(), 2);
        QCOMPARE(Platform::Records().last().icon, Platform::Icon::Warning);
    }
    QVERIFY(Platform::Records().last().text.contains("nie ma spisu plików"));

    Platform::QueueFileChoice(backup);
    Platform::QueueAnswer(false);
    QTest::mouseClick(Log()->RestoreButton, Qt::LeftButton);
    QVERIFY(Recorded("question", "Pytanie:"));
    QCOMPARE(Stored("select count(*) from dziennik"), QStringList{"0"});

    Platform::QueueFileChoice(backup);
    Platform::QueueAnswer(true);
    QTest::mouseClick(Log()->RestoreButton, Qt::LeftButton);
    QCOMPARE(Stored("select count(*) from dziennik"), QStringList{"47"});
    QCOMPARE(Rows(), 47);
    // The calendar and practice read the restored diary: the pinned day has its row
    // again, and the progress is the copy's.
    QVERIFY(Windows().CalendarFrm->DayPanel->CheckBox1->isChecked());
    QCOMPARE(practice->TopicBars[0]->value(), 0);
    QVERIFY(Log()->UndoRestoreButton->isEnabled());

    // After a restart the undoing is still offered, for the replaced diary is still kept.
    DestroyWindows();
    CreateWindows();
    Windows().OpenCatchLog();
    ShowAgain();
    QVERIFY(Log()->UndoRestoreButton->isEnabled());
    Platform::QueueAnswer(true);
    QTest::mouseClick(Log()->UndoRestoreButton, Qt::LeftButton);
    QCOMPARE(Stored("select count(*) from dziennik"), QStringList{"0"});
    QCOMPARE(Rows(), 0);
    QVERIFY(!Windows().CalendarFrm->DayPanel->CheckBox1->isChecked());

    // A copy and a restore killed midway left their parts: listed, and removed on yes.
    const QString data = m_dir->path() + "data";
    QVERIFY(QDir().mkpath(data + "/kopie/Przed przywróceniem 2020-01-01 10.00.00.niedokonczona/foto"));
    QVERIFY(QDir().mkpath(data + "/foto.przywracane/2005-01-24"));
    QVERIFY(!Log()->LeftoversButton->isVisible());
    Log()->Reload();
    QVERIFY(Log()->LeftoversButton->isVisible());
    Platform::ClearTestState();
    Platform::QueueAnswer(false);
    QTest::mouseClick(Log()->LeftoversButton, Qt::LeftButton);
    QVERIFY(Platform::Records().last().text.contains("foto.przywracane") &&
            Platform::Records().last().text.contains(".niedokonczona"));
    QVERIFY(QFileInfo::exists(data + "/foto.przywracane"));
    Platform::QueueAnswer(true);
    QTest::mouseClick(Log()->LeftoversButton, Qt::LeftButton);
    QVERIFY(!QFileInfo::exists(data + "/foto.przywracane"));
    QCOMPARE(QDir(data + "/kopie").entryList({"*.niedokonczona"}, QDir::Dirs), QStringList{});
    // The copies kept aside by the restore and its undoing stay.
    QCOMPARE(QDir(data + "/kopie").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
    QVERIFY(!Log()->LeftoversButton->isVisible());
}

// Reading again fails (here the table is gone, as a damaged file would lose it): the
// message is shown and the table drops the rows it read before, rather than show rows
// the log no longer holds.
void CatchLogFrmTest::aDiaryThatCannotBeReadEmptiesTheTable()
{
    Start();
    Windows().OpenCatchLog();
    ShowAgain();
    QCOMPARE(Rows(), 47);
    QVERIFY(m_dir->exec("alter table dziennik rename to stary_dziennik"));
    Platform::ClearTestState();
    Windows().OpenCatchLog();
    QCOMPARE(Platform::Records().size(), 1);
    QCOMPARE(Platform::Records().first().kind, QStringLiteral("error"));
    QCOMPARE(Rows(), 0);
    QVERIFY(Log()->SummaryLabel->text().startsWith("Pokazane połowy: 0 z 0"));
    ShowAgain();
    Log()->CatchGrid->grab();
}

// Nineteen catches with an hour are too few to chart the hours, twenty are enough; the
// page's charts follow the filter and save like the statistics'.
void CatchLogFrmTest::whenTheyBiteNeedsTwentyCatches()
{
    Start();
    // The diary gained its hours when the program opened it.
    QVERIFY(m_dir->exec("update dziennik set godzina = printf('%02d:%02d', 4 + rowid % 15, rowid * 7 % 60) "
                        "where rowid in (select rowid from dziennik order by rowid limit 19);"));
    Log()->Reload();
    Log()->show();
    BiteTimesPage *page = Log()->BitePage;
    Log()->Pages->setCurrentWidget(page);
    const auto shown = [page](BiteTimesPage::Chart chart) { return page->Views[chart]->isVisible(); };
    QVERIFY(shown(BiteTimesPage::Phases) && shown(BiteTimesPage::Months));
    QVERIFY(!shown(BiteTimesPage::Hours) && !shown(BiteTimesPage::Periods));
    QVERIFY(page->TooFewLabels[BiteTimesPage::Hours]->isVisible());
    QVERIFY2(page->TooFewLabels[BiteTimesPage::Hours]->text().contains(QStringLiteral("19 połowów – za mało")),
             qPrintable(page->TooFewLabels[BiteTimesPage::Hours]->text()));
    QVERIFY(page->SummaryLabel->text().startsWith(QStringLiteral("Pokazane połowy: 47, z godziną połowu: 19.")));

    QVERIFY(m_dir->exec("update dziennik set godzina = '05:10' where godzina is null and rowid = "
                        "(select min(rowid) from dziennik where godzina is null);"));
    Log()->Reload();
    QVERIFY(shown(BiteTimesPage::Hours) && shown(BiteTimesPage::Periods));
    auto *bars = static_cast<QBarSeries *>(page->Views[BiteTimesPage::Hours]->chart()->series().front());
    qreal sum = 0;
    for (int h = 0; h < 24; ++h)
        sum += bars->barSets().front()->at(h);
    QCOMPARE(sum, 20.0);
    QVERIFY(page->Views[BiteTimesPage::Hours]->chart()->title().endsWith(QStringLiteral("20 połowów")));
    QCoreApplication::processEvents();
    TestSupport::SavePng(Log(), "catchlog_bite_times");

    const QString png = m_dir->path() + "fazy.png";
    Platform::QueueFileChoice(png);
    QTest::mouseClick(page->SaveButtons[BiteTimesPage::Months], Qt::LeftButton);
    QVERIFY(QImage(png).width() > 200);
    QCOMPARE(Log()->StatusLabel->text(), "Zapisano: " + QDir::toNativeSeparators(png));

    // A species filter narrows the page with the table; the moon chart counts what is shown.
    Log()->SpeciesCombo->setCurrentIndex(Log()->SpeciesCombo->findText(QStringLiteral("Szczupak")));
    QVERIFY(!shown(BiteTimesPage::Phases));
    QVERIFY(page->TooFewLabels[BiteTimesPage::Phases]->text().contains(QStringLiteral("– za mało")));
    QVERIFY(!page->SaveButtons[BiteTimesPage::Phases]->isEnabled());

}

// The album holds the photos of the shown catches, a missing one marked with its name;
// the keys walk it and Enter shows the catch on its day.
void CatchLogFrmTest::theAlbumShowsThePhotosAndLeadsToTheirDays()
{
    Start();
    const QString folder = m_dir->path() + "data/foto/";
    QVERIFY(QDir().mkpath(folder + "2005-04-10") && QDir().mkpath(folder + "2004-03-18"));
    QImage red(800, 600, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(folder + "2005-04-10/szczupak.jpg", "JPG"));
    QVERIFY(m_dir->exec("update dziennik set foto = 'szczupak.jpg' where waga = 35;"
                        "update dziennik set foto = 'zgubione.jpg' where data = '2004-03-18';"));
    Log()->Reload();
    Log()->show();
    Log()->Pages->setCurrentWidget(Log()->AlbumPage);
    CatchAlbumPage *page = Log()->AlbumPage;
    CatchAlbumModel *model = page->Model();
    QCOMPARE(model->rowCount(), 2);
    QTRY_COMPARE(model->Pending(), 0);
    const QModelIndex pike = model->index(1), lost = model->index(0);
    QCOMPARE(model->RecordAt(1).species + model->RecordAt(0).day, QStringLiteral("Szczupak2004-03-18"));
    QVERIFY(lost.data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("Brak pliku zdjęcia")));
    const QImage thumbnail = pike.data(Qt::DecorationRole).value<QPixmap>().toImage();
    QCOMPARE(thumbnail.width(), CatchAlbumModel::PictureSize);
    QVERIFY(qAbs(thumbnail.pixelColor(thumbnail.rect().center()).red() - 255) < 8);
    QVERIFY(pike.data().toString().startsWith(QStringLiteral("Szczupak, 35 kg\n2005-04-10")));
    QCoreApplication::processEvents();
    TestSupport::SavePng(Log(), "catchlog_album");

    // The keys walk the album; Enter takes the catch to its day in the calendar.
    page->AlbumView->setFocus();
    QTest::keyClick(page->AlbumView, Qt::Key_End);
    QCOMPARE(page->AlbumView->currentIndex(), pike);
    QTest::keyClick(page->AlbumView, Qt::Key_Home);
    QCOMPARE(page->AlbumView->currentIndex(), lost);
    QTest::keyClick(page->AlbumView, Qt::Key_Right);
    QTest::keyClick(page->AlbumView, Qt::Key_Return);
    QVERIFY(!Log()->isVisible());
    TCalendarFrm *calendar = Windows().CalendarFrm;
    QCOMPARE(calendar->MonthCalendar1->SelectedDate(), EncodeDate(2005, 4, 10));
    QCOMPARE(QString::number(calendar->dziennikTable->RowId()),
             Stored("select rowid from dziennik where waga = 35").first());
}

// Photos from a phone: two of one pike ten minutes apart by the Zalew make one catch on
// their day and hour at that water, a same-named photo without EXIF from another folder
// is offered apart, undated; "Anuluj" stores nothing, "Zapisz" both, and the same photos
// chosen again make no new catch.
void CatchLogFrmTest::catchesComeFromPhotosOnceAndOnlyWhenSaved()
{
    Start();
    Waters::Write(*Windows().DataBase, {{"Zalew Zegrzyński", "7", GeoPoint{52.4512, 21.0321}}});
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "JPG"));
    auto photo = [&jpeg](const QString &path, const QByteArray &taken, int seconds) {
        ExifBlock::Layout layout;
        layout.ifd0 = {layout.Number(0x0112, 6)};
        layout.exif = {layout.Text(0x9003, taken), layout.Text(0x9011, "+02:00")};
        layout.gps = {layout.Text(0x0001, "N"), layout.Dms(0x0002, {{52, 1}, {27, 1}, {uint(40 + seconds), 10}}),
                      layout.Text(0x0003, "E"), layout.Dms(0x0004, {{21, 1}, {1, 1}, {556, 10}})};
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) &&
               file.write(ExifBlock::WithSegments(jpeg, ExifBlock::Segment(0xE1, layout.App1()))) > 0;
    };
    const QString phone = m_dir->path() + "telefon/";
    QVERIFY(photo(phone + "DCIM/IMG_0001.jpg", "2025:05:01 05:10:00", 0));
    QVERIFY(photo(phone + "DCIM/IMG_0002.jpg", "2025:05:01 05:20:00", 3));
    QVERIFY(QDir().mkpath(phone + "Kopia"));
    QFile plain(phone + "Kopia/IMG_0001.jpg");
    QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write(jpeg) > 0);
    plain.close();
    QVERIFY(QFile(phone + "notatki.txt").open(QIODevice::WriteOnly));
    const QString count = "select count(*) from dziennik where data = '2025-05-01' or foto like 'IMG%'";

    int shown = 0;
    auto answer = [&shown](bool save) {
        Platform::SetModalHandler([&shown, save](QDialog *dialog) {
            auto *import = qobject_cast<TPhotoImportFrm *>(dialog);
            if (!import)
                return 0;
            QTableWidget *table = import->ProposalTable;
            shown = table->rowCount();
            if (shown != 2 || table->item(0, TPhotoImportFrm::DayColumn)->text() != "2025-05-01" ||
                table->item(0, TPhotoImportFrm::HourColumn)->text() != "05:10" ||
                table->item(0, TPhotoImportFrm::WaterColumn)->text() != "Zalew Zegrzyński" ||
                !table->item(0, TPhotoImportFrm::PhotoColumn)->text().contains("IMG_0002.jpg") ||
                !table->item(1, TPhotoImportFrm::DayColumn)->text().isEmpty())
                return -1;
            table->item(0, TPhotoImportFrm::SpeciesColumn)->setText("Szczupak");
            table->item(0, TPhotoImportFrm::WeightColumn)->setText("3,2");
            table->item(1, TPhotoImportFrm::SpeciesColumn)->setText("Okoń");
            table->item(1, TPhotoImportFrm::DayColumn)->setText("2025-05-02");
            QTest::mouseClick(save ? import->SaveButton : import->CancelButton, Qt::LeftButton);
            return dialog->result();
        });
    };
    answer(false);
    Platform::QueueFileChoice(phone);
    Log()->findChild<QAction *>("PhotoFolderAction")->trigger();
    QCOMPARE(shown, 2);
    QCOMPARE(Stored(count), QStringList{"0"});

    answer(true);
    Platform::QueueFileChoice(phone);
    Log()->findChild<QAction *>("PhotoFolderAction")->trigger();
    QCOMPARE(Stored("select data||'|'||ifnull(godzina,'')||'|'||gatunek||'|'||ifnull(waga,'')||'|'||miejsce||'|'||foto "
                    "from dziennik "
                    "where foto like 'IMG%' order by data"),
             (QStringList{"2025-05-01|05:10|Szczupak|3.2|Zalew Zegrzyński|IMG_0001.jpg",
                          "2025-05-02||Okoń|||IMG_0001.jpg"}));
    QVERIFY(QFile::exists(m_dir->path() + "data/foto/2025-05-02/IMG_0001.jpg"));
    QVERIFY(Platform::Records().last().text.startsWith(QStringLiteral("Zapisane połowy: 2.")));
    QVERIFY(Platform::Records().last().text.contains(QStringLiteral("nie są zdjęciami JPEG (pominięte): 1")));

    // Chosen again: the two stored photos are known by their content, and the pike's
    // second photo, which the diary does not keep, goes with the pike's first.
    shown = 0;
    Platform::QueueFileChoice(phone);
    Log()->findChild<QAction *>("PhotoFolderAction")->trigger();
    QCOMPARE(shown, 0);
    QVERIFY(Platform::Records().last().text.contains(QStringLiteral("już zapisane w dzienniku (pominięte): 3.")));
    QCOMPARE(Stored(count), QStringList{"2"});
}

// A folder of 2,000 files that are mostly no photos, with a pipe, links and a loop of
// folders: the reading ends, the three photos are offered, and one summary names every
// file refused.
void CatchLogFrmTest::aHostileFolderIsReadToItsEnd()
{
    Start();
    const QString folder = m_dir->path() + "wrogi/";
    QVERIFY(QDir().mkpath(folder + "głębiej"));
    auto write = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QImage picture(32, 24, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "JPG"));
    for (int i = 0; i < 1960; ++i)
        QVERIFY(write(folder + QString("notatka_%1.txt").arg(i), "Leszcz 2 kg"));
    for (int i = 0; i < 10; ++i) {
        QVERIFY(write(folder + QString("tekst_%1.jpg").arg(i), "nie zdjęcie"));
        QVERIFY(write(folder + QString("pusty_%1.jpg").arg(i), {}));
        QVERIFY(write(folder + QString("ucięty_%1.jpeg").arg(i), jpeg.left(100 + i * 20)));
    }
    QVERIFY(write(folder + "ryba.jpg", jpeg));
    QVERIFY(write(folder + "druga ryba.JPG", jpeg + "x"));
    QVERIFY(write(folder + "głębiej/trzecia.jpg", jpeg + "xx"));
    QCOMPARE(::mkfifo(QFile::encodeName(folder + "kolejka.jpg").constData(), 0600), 0);
    QVERIFY(QFile::link(folder + "ryba.jpg", folder + "dowiązanie.jpg"));
    QVERIFY(QFile::link(folder, folder + "głębiej/pętla"));

    Platform::ClearTestState();
    int shown = -1;
    Platform::SetModalHandler([&shown](QDialog *dialog) {
        if (auto *import = qobject_cast<TPhotoImportFrm *>(dialog))
            shown = import->ProposalTable->rowCount();
        return 0;
    });
    Platform::QueueFileChoice(folder);
    Log()->findChild<QAction *>("PhotoFolderAction")->trigger();
    QCOMPARE(shown, 3);
    QList<Platform::Record> messages;
    for (const Platform::Record &record : Platform::Records())
        if (record.kind == "message")
            messages << record;
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].icon, Platform::Icon::Warning);
    QVERIFY(messages[0].text.contains(QStringLiteral("nie są zdjęciami JPEG (pominięte): 1960.")));
    QVERIFY(messages[0].text.contains(QStringLiteral("…i 12 innych")));
    const QStringList named = messages[0].details.split('\n');
    QCOMPARE(named.size(), 32);
    QVERIFY(named.contains(folder + QStringLiteral("kolejka.jpg: to nie jest zwykły plik")));
    QVERIFY(named.filter(QStringLiteral("dowiązanie.jpg: to dowiązanie")).size() == 1);
    QCOMPARE(named.filter(QStringLiteral("ucięty")).size(), 10);
    QCOMPARE(Stored("select count(*) from dziennik where foto like '%.jpg' or foto like '%.JPG'"), QStringList{"0"});
}

RYBOWID_APP_TEST_MAIN(CatchLogFrmTest)
#include "tst_CatchLogFrm.moc"
