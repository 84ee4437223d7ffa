#include "../app/AppTestMain.h"

#include "app/MainFrmUnit.h"
#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/DayFrmUnit.h"
#include "calendar/TCatchGuard.h"
#include "catchlog/CatchLogFrmUnit.h"
#include "catchlog/CatchRegisterPage.h"
#include "catchlog/GpxImportDialog.h"
#include "catchlog/PermitFrmUnit.h"
#include "catchlog/WatersFrmUnit.h"
#include "sky/SkyPlace.h"
#include "diary/CatchRegisterPdf.h"
#include "support/TestSupport.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDBCheckBox.h"
#include "widgets/TDBEdit.h"
#include "widgets/TDBGrid.h"
#include "widgets/TDBNavigator.h"
#include "widgets/TDataSetModel.h"
#include "widgets/TLinkLabel.h"

#include <QCompleter>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStringListModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <memory>

namespace {
// The national rules of pike and eel, and an old diary (without the kept column) of two
// seasons: a 47 cm pike and a perch on one June day, two eels on the pinned day.
const char *const Seed = R"(
insert into ryby (nazwa,od,do,wymiar) values ('Szczupak','0001-01-01','0001-04-30','45');
insert into ryby (nazwa,od,do,wymiar) values ('Węgorz','','','50');
insert into dziennik values ('2005-06-10','Szczupak',4.0,47,'Jezioro Łańskie','wobler','','','','');
insert into dziennik values ('2005-06-10','Okoń',0.3,25,'jezioro łańskie','robak','','','','');
insert into dziennik values ('2005-07-02','Leszcz',1.5,40,'Wisła','','','','','');
insert into dziennik values ('2004-05-01','Sandacz',2.0,60,'Wisła','','','','','');
insert into dziennik values ('2005-11-24','Węgorz',0.8,70,'Wisła','','','','','');
insert into dziennik values ('2005-11-24','Węgorz',0.9,72,'Wisła','','','','','');
)";

// Types text key by key, Polish letters included (QTest::keyClicks knows only ASCII).
using TestSupport::TypeText;

// Types a cell of a table the way the user does: its editor opened, the text typed,
// Enter.
bool TypeCell(QTableWidget *table, int row, int column, const QString &text)
{
    // A closed editor is hidden at once and deleted later: only the open one takes keys.
    auto openEditor = [table]() -> QLineEdit * {
        for (QLineEdit *editor : table->viewport()->findChildren<QLineEdit *>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    };
    if (table->currentRow() != row || table->currentColumn() != column || !openEditor()) {
        table->setCurrentCell(row, column);
        table->editItem(table->item(row, column));
    }
    // The delegate deletes its editor once it has committed: held by a guard.
    const QPointer<QLineEdit> editor = openEditor();
    if (!editor)
        return false;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    TypeText(editor, text);
    // The delegate commits what Enter finished once the key has been handled.
    QTest::keyClick(editor, Qt::Key_Return);
    return QTest::qWaitFor(
        [&] { return table->item(row, column)->text() == text && (!editor || !editor->isVisible()); });
}

QStringList Messages()
{
    QStringList texts;
    for (const Platform::Record &record : Platform::Records())
        if (record.kind == QLatin1String("message"))
            texts << record.text;
    return texts;
}
} // namespace

class PermitAndRegisterTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void thePermitTypedInItsDialogMarksTheLog();
    void keptOrReleasedIsATickAndOnlyKeptFishAreWarned();
    void theRegisterOfAYearWithItsWatersGoesToPdfAndCsv();
    void watersComeFromAPhoneAndGoOutAsGpx();

private:
    void Start();
    void OpenLog();
    TCatchLogFrm *Log() const { return Windows().CatchLogFrm; }
    TCalendarFrm *View() const { return Windows().CalendarFrm; }
    QStringList Stored(const QString &sql) const { return TestSupport::QueryColumn(m_dir->dbPath(), sql); }
    // The log's row of the catch of a day and species.
    int LogRow(const QString &day, const QString &species) const;

    std::unique_ptr<TestSupport::GuiTestFolder> m_dir;
};

void PermitAndRegisterTest::init()
{
    m_dir = std::make_unique<TestSupport::GuiTestFolder>(TestSupport::TempProgramDir::Content::SchemaOnly);
    QVERIFY(m_dir->isValid());
}

void PermitAndRegisterTest::cleanup()
{
    m_dir.reset();
}

void PermitAndRegisterTest::Start()
{
    QString error;
    QVERIFY2(m_dir->exec(Seed, &error), qPrintable(error));
    OverrideExecutableFolder(m_dir->path());
    Clock::Pin(EncodeDateTime(2005, 11, 24, 10, 30, 0, 0));
    CreateWindows();
    QVERIFY(Windows().MainFrm && View() && Log());
    Windows().MainFrm->show();
    QVERIFY(QTest::qWaitForWindowExposed(Windows().MainFrm));
}

void PermitAndRegisterTest::OpenLog()
{
    QTest::mouseClick(View()->findChild<TLinkLabel *>("CatchLogLink"), Qt::LeftButton);
    Log()->show();
    QVERIFY(QTest::qWaitForWindowExposed(Log()));
}

int PermitAndRegisterTest::LogRow(const QString &day, const QString &species) const
{
    const QAbstractItemModel *model = Log()->CatchGrid->model();
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, CatchLog::Day).data() == day && model->index(row, CatchLog::Species).data() == species)
            return row;
    return -1;
}

void PermitAndRegisterTest::thePermitTypedInItsDialogMarksTheLog()
{
    Start();
    // The old diary was brought up to date on opening: every catch kept.
    QCOMPARE(Stored("select distinct zabrana from dziennik"), QStringList{"1"});
    OpenLog();
    const QAbstractItemModel *model = Log()->CatchGrid->model();
    const int pike = LogRow("2005-06-10", "Szczupak"), perch = LogRow("2005-06-10", "Okoń");
    QVERIFY(pike >= 0 && perch >= 0);
    QVERIFY(!model->index(pike, 0).data(Qt::BackgroundRole).isValid());
    QCOMPARE(model->index(pike, CatchLog::Kept).data().toString(), QStringLiteral("tak"));

    bool driven = false;
    Platform::SetModalHandler([&](QDialog *shown) {
        auto *dialog = qobject_cast<TPermitFrm *>(shown);
        if (!dialog)
            return 0;
        // Nothing preset, and the dialog says why.
        [&] {
            QVERIFY(dialog->NoticeLabel->text().contains(QStringLiteral("nie zawiera przepisów żadnego okręgu")));
            QCOMPARE(dialog->SpeciesTable->rowCount(), 0);
            QVERIFY(dialog->NameEdit->text().isEmpty());
            TestSupport::SavePng(dialog, "permit_dialog_empty");
            dialog->NameEdit->setFocus();
            TypeText(dialog->NameEdit, QStringLiteral("Okręg Testowy"));
            dialog->AnglerEdit->setFocus();
            TypeText(dialog->AnglerEdit, QStringLiteral("Józef Żółć"));
            dialog->NumberEdit->setFocus();
            TypeText(dialog->NumberEdit, QStringLiteral("W-17/2005"));
            QCOMPARE(dialog->YearEdit->value(), 2005);
            // The day's limit is of kilograms, not of fish, and its caption says so.
            const auto *form = dialog->findChild<QFormLayout *>();
            QVERIFY(form);
            const auto *caption = qobject_cast<QLabel *>(form->labelForField(dialog->DailyKgEdit));
            QVERIFY(caption && caption->text().contains(QStringLiteral("(kg)")));
            dialog->DailyKgEdit->selectAll();
            QTest::keyClicks(dialog->DailyKgEdit, "4");
            QCOMPARE(dialog->DailyKgEdit->value(), 4.0);
            QTest::mouseClick(dialog->AddSpeciesButton, Qt::LeftButton);
            QVERIFY(TypeCell(dialog->SpeciesTable, 0, TPermitFrm::NameColumn, QStringLiteral("Szczupak")));
            QVERIFY(TypeCell(dialog->SpeciesTable, 0, TPermitFrm::SizeColumn, QStringLiteral("50")));
            QVERIFY(TypeCell(dialog->SpeciesTable, 0, TPermitFrm::FromColumn, QStringLiteral("13-01")));
            // A season that is no day of the year is refused with a reason; the dialog stays.
            QTest::mouseClick(dialog->SaveButton, Qt::LeftButton);
            QCOMPARE(Messages().size(), 1);
            QVERIFY2(Messages().first().contains(QStringLiteral("miesiąc-dzień")), qPrintable(Messages().first()));
            QVERIFY(dialog->isVisible());
            QVERIFY(TypeCell(dialog->SpeciesTable, 0, TPermitFrm::FromColumn, QString()));
            TestSupport::SavePng(dialog, "permit_dialog");
            QTest::mouseClick(dialog->SaveButton, Qt::LeftButton);
            driven = true;
        }();
        return dialog->result();
    });
    QTest::mouseClick(Log()->PermitButton, Qt::LeftButton);
    QVERIFY(driven);
    QCOMPARE(Stored("select nazwa||'|'||rok||'|'||limit_kg||'|'||wedkarz||'|'||numer from zezwolenie"),
             QStringList{"Okręg Testowy|2005|4.0|Józef Żółć|W-17/2005"});
    QCOMPARE(Stored("select gatunek||'|'||wymiar||'|'||od||'|'||do||'|'||limit_szt from zezwolenie_gatunki"),
             QStringList{"Szczupak|50.0|||0"});

    // The log follows at once: the pike is under the permit's size, the perch passes
    // the day's kilograms; both are marked and the last column says why.
    QVERIFY(model->index(pike, 0).data(Qt::BackgroundRole).isValid());
    QCOMPARE(model->index(pike, CatchLog::Warning).data().toString(),
             QStringLiteral("Szczupak: 47 cm – wymiar ochronny 50 cm, ryba musi być dłuższa (zezwolenie „Okręg "
                            "Testowy”)."));
    QCOMPARE(model->index(perch, CatchLog::Warning).data().toString(),
             QStringLiteral("Zabrane ryby tego dnia: 4,3 kg – dzienny limit 4 kg (zezwolenie „Okręg Testowy”)."));
    QVERIFY(!model->index(LogRow("2005-07-02", "Leszcz"), 0).data(Qt::BackgroundRole).isValid());

    // The column shows only the start of a sentence: reached by the keys, the current
    // catch has them whole under the table, and a catch that breaks nothing has none.
    QTableView *grid = Log()->CatchGrid;
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    while (grid->currentIndex().row() < pike)
        QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(Log()->WarningLabel->text(),
             "Naruszone przepisy: " + model->index(pike, CatchLog::Warning).data().toString());
    TestSupport::SavePng(Log(), "catchlog_marked");
    while (grid->currentIndex().row() < LogRow("2005-07-02", "Leszcz"))
        QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(Log()->WarningLabel->text(), QString());
    // Sorted anew, no catch is current and none is named.
    QTest::keyClick(grid, Qt::Key_Up);
    QVERIFY(!Log()->WarningLabel->text().isEmpty());
    grid->sortByColumn(CatchLog::Weight, Qt::DescendingOrder);
    QCOMPARE(Log()->WarningLabel->text(), QString());

    // The day panel reaches the same dialog, with what was saved.
    int opened = 0;
    Platform::SetModalHandler([&](QDialog *shown) {
        if (auto *dialog = qobject_cast<TPermitFrm *>(shown)) {
            ++opened;
            if (dialog->NameEdit->text() == QStringLiteral("Okręg Testowy") && dialog->SpeciesTable->rowCount() == 1 &&
                dialog->AnglerEdit->text() == QStringLiteral("Józef Żółć"))
                ++opened;
        }
        return 0;
    });
    Log()->hide();
    QTest::mouseClick(View()->findChild<TLinkLabel *>("PermitLink"), Qt::LeftButton);
    QCOMPARE(opened, 2);
}

void PermitAndRegisterTest::keptOrReleasedIsATickAndOnlyKeptFishAreWarned()
{
    Start();
    TDBGrid *grid = View()->DayPanel->DBGrid1;
    TDataSetModel *model = grid->Model();
    QCOMPARE(model->rowCount(), 2);
    const int tick = model->columnCount() - 1;
    // The grid keeps a row typed in where it was typed until the day is read again.
    auto rowOf = [model](const QString &length) {
        for (int row = 0; row < model->rowCount(); ++row)
            if (model->index(row, 2).data().toString() == length)
                return row;
        return -1;
    };
    QCOMPARE(model->index(0, tick).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    TestSupport::SavePng(View()->DayPanel, "day_panel_kept");

    // A third eel typed in the details dialog, kept as a new catch is: warned, stored.
    TDayFrm *dialog = Windows().DayFrm;
    bool keptShown = false, released = false;
    Platform::SetModalHandler([&](QDialog *shown) {
        if (shown != dialog)
            return 0;
        keptShown = dialog->DBCheckBox1->isChecked() && dialog->DBCheckBox1->isEnabled();
        dialog->DBEdit1->setFocus();
        TypeText(dialog->DBEdit1, QStringLiteral("Węgorz"));
        dialog->DBEdit3->setFocus();
        QTest::keyClick(dialog->DBEdit3, Qt::Key_A, Qt::ControlModifier);
        TypeText(dialog->DBEdit3, released ? QStringLiteral("30") : QStringLiteral("66"));
        if (released)
            QTest::mouseClick(dialog->DBCheckBox1, Qt::LeftButton);
        dialog->DBEdit4->setFocus();
        return 0;
    });
    View()->DayPanel->DBNavigator1->Button(TNavigateBtn::nbInsert)->click();
    QVERIFY(keptShown);
    QTRY_COMPARE(Messages().size(), 1);
    QVERIFY2(Messages().first().startsWith(
                 QStringLiteral("Węgorz: 3. sztuka tego dnia – dzienny limit 2 szt. (przepisy krajowe).\n\n")),
             qPrintable(Messages().first()));
    QCOMPARE(Stored("select dlugosc||'|'||zabrana from dziennik where data='2005-11-24' order by rowid"),
             QStringList({"70.0|1", "72.0|1", "66.0|1"}));
    const int third = rowOf("66");
    QVERIFY(model->index(third, 0).data(Qt::BackgroundRole).isValid());
    QVERIFY(!model->index(rowOf("72"), 0).data(Qt::BackgroundRole).isValid());

    // Unticked in the grid, the third eel went back: stored so, and no longer marked.
    const QRect cell = grid->visualRect(model->index(third, tick));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(model->index(third, tick).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    View()->DayPanel->DBNavigator1->Button(TNavigateBtn::nbPost)->click();
    QCOMPARE(Stored("select dlugosc||'|'||zabrana from dziennik where data='2005-11-24' order by rowid"),
             QStringList({"70.0|1", "72.0|1", "66.0|0"}));
    QVERIFY(!model->index(third, 0).data(Qt::BackgroundRole).isValid());

    // A short eel released from the dialog: neither its size nor the day's count is told.
    released = true;
    View()->DayPanel->DBNavigator1->Button(TNavigateBtn::nbInsert)->click();
    QCOMPARE(Stored("select zabrana from dziennik where dlugosc=30"), QStringList{"0"});
    QCoreApplication::processEvents();
    QCOMPARE(Messages().size(), 1);
    // Kept again from the grid, it breaks both rules and is marked with both.
    const int shortEel = rowOf("30");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(model->index(shortEel, tick)).center());
    QCOMPARE(model->index(shortEel, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Węgorz: 30 cm – wymiar ochronny 50 cm, ryba musi być dłuższa (przepisy krajowe).\n"
                            "Węgorz: 3. sztuka tego dnia – dzienny limit 2 szt. (przepisy krajowe)."));
}

void PermitAndRegisterTest::theRegisterOfAYearWithItsWatersGoesToPdfAndCsv()
{
    Start();
    // A tench whose place was left empty, and the permit the form is signed with.
    QVERIFY(m_dir->exec("insert into dziennik (data, gatunek, waga, dlugosc, miejsce) values "
                        "('2005-08-15', 'Lin', 1.2, 35, '');"
                        "insert into zezwolenie (nazwa, rok, limit_kg, wedkarz, numer) values "
                        "('PZW Okręg Testowy, roczne', 2005, 0, 'Józef Żółć', 'W-17/2005');"));
    OpenLog();
    Platform::SetModalHandler([&](QDialog *shown) {
        auto *dialog = qobject_cast<TWatersFrm *>(shown);
        if (!dialog)
            return 0;
        QTest::mouseClick(dialog->AddButton, Qt::LeftButton);
        TypeCell(dialog->WatersTable, 0, 0, QStringLiteral("Jezioro Łańskie"));
        TypeCell(dialog->WatersTable, 0, 1, QStringLiteral("P-12"));
        // A latitude beyond the pole is refused with its cell, and nothing is stored.
        TypeCell(dialog->WatersTable, 0, 2, QStringLiteral("93,5"));
        TypeCell(dialog->WatersTable, 0, 3, QStringLiteral("20.55"));
        QTest::mouseClick(dialog->SaveButton, Qt::LeftButton);
        if (dialog->result() != 0 || dialog->WatersTable->currentColumn() != 2 ||
            Stored("select count(*) from lowiska") != QStringList{"0"})
            return -1;
        TypeCell(dialog->WatersTable, 0, 2, QStringLiteral("53,871° N"));
        // A second water takes its position from the list of towns, and its name too.
        QTest::mouseClick(dialog->AddButton, Qt::LeftButton);
        dialog->PlaceChosen(1);
        QTest::mouseClick(dialog->SaveButton, Qt::LeftButton);
        return dialog->result();
    });
    QTest::mouseClick(Log()->WatersButton, Qt::LeftButton);
    const SkyPlace &town = SkyPlaces::Listed()[1];
    QCOMPARE(Stored("select nazwa||'|'||numer||'|'||ifnull(szerokosc_geo,'')||'|'||ifnull(dlugosc_geo,'') from lowiska"),
             (QStringList{"Jezioro Łańskie|P-12|53.871|20.55", town.name + "||" + QString::number(town.site.latitude) +
                                                                   "|" + QString::number(town.site.longitude)}));
    const QList<Platform::Record> shown = Platform::TakeRecords();
    QVERIFY(std::any_of(shown.begin(), shown.end(), [](const Platform::Record &r) {
        return r.kind == "message" && r.text.startsWith(QStringLiteral("Szerokość geograficzna łowiska „Jezioro"));
    }));
    // The diary's place field offers the water.
    auto *places = qobject_cast<QStringListModel *>(Windows().DayFrm->DBEdit4->completer()->model());
    QVERIFY(places && places->stringList() == (QStringList{"Jezioro Łańskie", town.name}));

    Log()->Pages->setCurrentWidget(Log()->RegisterPage);
    CatchRegisterPage *page = Log()->RegisterPage;
    QCOMPARE(page->YearEdit->value(), 2005);
    QVERIFY(page->NoteLabel->text().contains(QStringLiteral("jeszcze trwa")));
    const QString kept = "from dziennik where zabrana=1 and data like '2005-%'";
    QCOMPARE(page->TotalLabel->text(), QStringLiteral("Razem: %1 szt., %2 kg")
                                           .arg(Stored("select count(*) " + kept).value(0))
                                           .arg(Stored("select total(waga) " + kept).value(0).replace('.', ',')));
    // The pike and the perch of Łańskie are one line each, with the water's number.
    QCOMPARE(page->RegisterTable->item(0, 0)->text(), QStringLiteral("2005-06-10"));
    QCOMPARE(page->RegisterTable->item(0, 2)->text(), QStringLiteral("P-12"));
    QCOMPARE(page->RegisterTable->item(1, 2)->text(), QStringLiteral("P-12"));
    // The heading of the form, and the tench's water named alike in its line and its total.
    for (const QString &field : QStringList{"Józef Żółć", "PZW Okręg Testowy, roczne", "W-17/2005", "Rok: 2005"})
        QVERIFY2(page->HeadingLabel->text().contains(field), qPrintable(page->HeadingLabel->text()));
    QCOMPARE(page->RegisterTable->findItems(CatchRegister::UnnamedWater(), Qt::MatchExactly).size(), 2);
    TestSupport::SavePng(Log(), "catchlog_register");
    page->YearEdit->setValue(2004);
    QVERIFY(page->NoteLabel->text().isEmpty());
    QCOMPARE(page->TotalLabel->text(), QStringLiteral("Razem: 1 szt., 2 kg"));
    page->YearEdit->setValue(2005);

    const QString pdf = m_dir->path() + "rejestr";
    Platform::QueueFileChoice(pdf);
    QTest::mouseClick(page->PdfButton, Qt::LeftButton);
    QFile file(pdf + ".pdf");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("%PDF"));
    // The printed form says what the page says, and ends with the lines to sign.
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is missing");
    QProcess toText;
    toText.start(pdftotext, {"-layout", file.fileName(), "-"});
    QVERIFY(toText.waitForFinished() && toText.exitCode() == 0);
    const QString printed = QString::fromUtf8(toText.readAllStandardOutput());
    for (const QString &field : QStringList{"Imię i nazwisko wędkarza: Józef Żółć", "PZW Okręg Testowy, roczne",
                                            "Numer zezwolenia: W-17/2005", "Rok: 2005"})
        QVERIFY2(printed.simplified().contains(field), qPrintable(printed));
    QCOMPARE(printed.count(CatchRegister::UnnamedWater()), 2);
    QVERIFY(printed.lastIndexOf("Miejscowość, data") > printed.lastIndexOf("Razem według łowisk"));
    QVERIFY(printed.contains("Podpis wędkarza"));
    QCOMPARE(Log()->StatusLabel->text(), "Zapisano: " + QDir::toNativeSeparators(file.fileName()));
    // The printed pages, as the angler will see them.
    const QString png = qEnvironmentVariable("RYBOWID_PNG_DIR", QDir::tempPath()) + "/register_pdf";
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (!pdftoppm.isEmpty()) {
        QDir().mkpath(QFileInfo(png).absolutePath());
        QCOMPARE(QProcess::execute(pdftoppm, {"-png", "-r", "90", "-singlefile", file.fileName(), png}), 0);
        const QImage page1(png + ".png");
        // A4 upright.
        QVERIFY2(qAbs(page1.width() - 744) <= 2 && qAbs(page1.height() - 1052) <= 2,
                 qPrintable(QStringLiteral("%1x%2").arg(page1.width()).arg(page1.height())));
        // Not blank: the heading and the table are printed in black.
        int dark = 0;
        for (int y = 0; y < page1.height(); y += 2)
            for (int x = 0; x < page1.width(); x += 2)
                dark += qGray(page1.pixel(x, y)) < 100 ? 1 : 0;
        QVERIFY2(dark > 500, qPrintable(QString::number(dark)));
    }

    // A long year goes on over pages, each with its number.
    CatchRegister year;
    year.year = 2005;
    for (int i = 0; i < 120; ++i)
        year.lines.push_back({QStringLiteral("2005-06-%1").arg(i % 28 + 1, 2, 10, QLatin1Char('0')),
                              QStringLiteral("Wisła"), QString(), QStringLiteral("Płoć"), 1, 0.2});
    const QList<QImage> pages = CatchRegisterPdf::Pages(year, {QString(), QString(), QString(), QDate(2006, 1, 2)}, 40);
    QCOMPARE(pages.size(), 4);
    for (const QImage &printed : pages) {
        int inked = 0;
        for (int y = printed.height() * 93 / 100; y < printed.height() * 96 / 100; ++y)
            for (int x = printed.width() / 2; x < printed.width(); ++x)
                inked += qGray(printed.pixel(x, y)) < 128 ? 1 : 0;
        QVERIFY(inked > 0);
    }

    const QString csv = m_dir->path() + "rejestr";
    Platform::QueueFileChoice(csv);
    QTest::mouseClick(page->CsvButton, Qt::LeftButton);
    QFile csvFile(csv + ".csv");
    QVERIFY(csvFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = csvFile.readAll();
    QVERIFY(bytes.contains("2005-06-10;Jezioro Łańskie;P-12;Szczupak;1;4\r\n"));
    QVERIFY(bytes.contains("2005-08-15;(bez nazwy);;Lin;1;1,2\r\n"));
    QVERIFY(bytes.contains("Razem 2005;;;;6;"));
}

void PermitAndRegisterTest::watersComeFromAPhoneAndGoOutAsGpx()
{
    Start();
    QVERIFY(m_dir->exec("insert into lowiska values ('Jezioro Łańskie', 'P-12', 53.871, 20.55);"
                        "update dziennik set godzina = '18:30' where gatunek = 'Szczupak';"));
    // A phone's favourites: a point on the angler's lake (30 m from it), two new ones and
    // a track; and the same file cut short on its way.
    const QByteArray phone = R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.1" creator="OsmAnd" xmlns="http://www.topografix.com/GPX/1/1" xmlns:osmand="https://osmand.net">
  <wpt lat="53.8712" lon="20.5503"><ele>135</ele><time>2024-05-01T05:12:00Z</time><name>Jezioro Łańskie</name>
    <extensions><osmand:icon>special_fishing</osmand:icon></extensions></wpt>
  <wpt lat="53.9" lon="20.6"><name>Staw Dolny</name><sym>Fishing</sym></wpt>
  <wpt lat="52.2297" lon="21.0122"><name>Wisła – bulwar</name></wpt>
  <trk><trkseg><trkpt lat="52.23" lon="21.01"/></trkseg></trk>
</gpx>
)";
    const QString phonePath = m_dir->path() + "ulubione.gpx", damagedPath = m_dir->path() + "uszkodzony.gpx";
    for (const auto &[path, bytes] : {std::pair{phonePath, phone}, std::pair{damagedPath, phone.left(300)}}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    OpenLog();

    QStringList offered, tabbed;
    int imports = 0, rowsAfterDamaged = -1;
    Platform::SetModalHandler([&](QDialog *shown) {
        if (auto *import = qobject_cast<GpxImportDialog *>(shown)) {
            QListWidget *list = import->WaypointList;
            for (int row = 0; row < list->count(); ++row)
                offered << QStringLiteral("%1|%2|%3")
                               .arg(list->item(row)->text())
                               .arg(list->item(row)->checkState() == Qt::Checked)
                               .arg(bool(list->item(row)->flags() & Qt::ItemIsEnabled));
            if (++imports > 1) {
                QTest::mouseClick(import->CancelButton, Qt::LeftButton);
                return import->result();
            }
            // The bulwark is not for fishing: unticked from the keyboard.
            list->setFocus();
            list->setCurrentRow(2);
            QTest::keyClick(list, Qt::Key_Space);
            TestSupport::SavePng(import, "waters_gpx_import");
            QTest::mouseClick(import->AddButton, Qt::LeftButton);
            return import->result();
        }
        auto *dialog = qobject_cast<TWatersFrm *>(shown);
        if (!dialog)
            return 0;
        // A damaged file says so and adds nothing.
        Platform::QueueFileChoice(damagedPath);
        QTest::mouseClick(dialog->ImportButton, Qt::LeftButton);
        rowsAfterDamaged = dialog->WatersTable->rowCount();
        Platform::QueueFileChoice(phonePath);
        QTest::mouseClick(dialog->ImportButton, Qt::LeftButton);
        // Read again, the file has nothing new but the bulwark left out the first time.
        Platform::QueueFileChoice(phonePath);
        QTest::mouseClick(dialog->ImportButton, Qt::LeftButton);
        TestSupport::SavePng(dialog, "waters_gpx");
        // The new buttons follow the list's buttons on the way of the Tab key.
        dialog->activateWindow();
        if (QTest::qWaitFor([dialog] { return dialog->isActiveWindow(); })) {
            dialog->PlaceButton->setFocus();
            for (int i = 0; i < 3; ++i) {
                tabbed << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
        }
        Platform::QueueFileChoice(m_dir->path() + "eksport");
        QTest::mouseClick(dialog->ExportButton, Qt::LeftButton);
        QTest::mouseClick(dialog->SaveButton, Qt::LeftButton);
        return dialog->result();
    });
    QTest::mouseClick(Log()->WatersButton, Qt::LeftButton);
    QCOMPARE(rowsAfterDamaged, 1);
    QCOMPARE(tabbed, QStringList({"PlaceButton", "ImportButton", "ExportButton"}));
    const QStringList messages = Messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(QStringLiteral("urywa się")) &&
                 messages.first().endsWith(QStringLiteral("Nie wczytano z niego żadnego łowiska.")),
             qPrintable(messages.first()));
    QCOMPARE(offered, QStringList({
                          "Jezioro Łańskie — 53,8712° N, 20,5503° E (już jest w Moich łowiskach)|0|0",
                          "Staw Dolny — 53,9000° N, 20,6000° E|1|1",
                          "Wisła – bulwar — 52,2297° N, 21,0122° E|1|1",
                          "Jezioro Łańskie — 53,8712° N, 20,5503° E (już jest w Moich łowiskach)|0|0",
                          "Staw Dolny — 53,9000° N, 20,6000° E (już jest w Moich łowiskach)|0|0",
                          "Wisła – bulwar — 52,2297° N, 21,0122° E|1|1",
                      }));
    QCOMPARE(Stored("select nazwa||'|'||numer||'|'||szerokosc_geo||'|'||dlugosc_geo from lowiska"),
             QStringList({"Jezioro Łańskie|P-12|53.871|20.55", "Staw Dolny||53.9|20.6"}));
    const QList<Platform::Record> asked = Platform::Records();
    QCOMPARE(std::count_if(asked.begin(), asked.end(), [](const Platform::Record &r) { return r.kind == "openFile"; }),
             3);

    // Both waters went out, and the pike of Łańskie with its hour in UTC.
    QFile exported(m_dir->path() + "eksport.gpx");
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QByteArray gpx = exported.readAll();
    QVERIFY(gpx.contains("<time>2005-06-10T16:30:00Z</time>\n    <name>Szczupak 4 kg</name>"));
    const Gpx::Reading back = Gpx::ReadFile(exported.fileName(), {});
    QCOMPARE(back.waypoints.size(), size_t(2));
    QCOMPARE(back.waypoints[0].water, (Water{"Jezioro Łańskie", "P-12", GeoPoint{53.871, 20.55}}));
    QCOMPARE(back.waypoints[1].water, (Water{"Staw Dolny", "", GeoPoint{53.9, 20.6}}));
}

RYBOWID_APP_TEST_MAIN(PermitAndRegisterTest)
#include "tst_PermitAndRegister.moc"
