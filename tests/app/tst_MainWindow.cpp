#include "AppTestMain.h"

#include "app/MainFrmUnit.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/DayFrmUnit.h"
#include "data/TDbConnection.h"
#include "encyclopedia/EncyklopediaFrmUnit.h"
#include "guide/AboutFrmUnit.h"
#include "guide/OpisFrmUnit.h"
#include "guide/ReklamaFrmUnit.h"
#include "quiz/TestyPrzepisyFrmUnit.h"
#include "quiz/TestyRybyFrmUnit.h"
#include "support/TestSupport.h"
#include "widgets/AppWindows.h"
#include "widgets/InfoUnit.h"
#include "widgets/Platform.h"
#include "widgets/TLinkLabel.h"

#include <QCheckBox>
#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <memory>

namespace {
// Counts the non-spontaneous show events of a view: the runs of its show handler.
class ShowCounter : public QObject
{
public:
    int Shows = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous())
            ++Shows;
        return false;
    }
};

// Notes every widget the moment it is created, in order.
class CreationRecorder : public QObject
{
public:
    QList<QObject *> Created;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Create)
            Created.append(watched);
        return false;
    }
};

QWidget *FrontView(QWidget *panel)
{
    QWidget *hit = panel->childAt(panel->rect().center());
    while (hit && hit->parentWidget() != panel)
        hit = hit->parentWidget();
    return hit;
}

QList<QWidget *> AllWindows()
{
    const AppWindows &w = Windows();
    return {w.MainFrm,      w.AboutFrm,         w.CalendarFrm, w.DayFrm,  w.EncyklopediaFrm,
            w.TestyRybyFrm, w.TestyPrzepisyFrm, w.InfoFrm,     w.OpisFrm, w.ReklamaFrm};
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startUpCreatesTheWindowsInOrderAndConnects();
    void missingEngineLibraryIsReportedAndTheProgramComesUp_data();
    void missingEngineLibraryIsReportedAndTheProgramComesUp();
    void programDirKeepsSpacesAndPolishLetters();
    void viewsDockOnTopOfEachOtherAndKeepTheirState();
    void testItemsDockAndStartAFreshTestEachTime();
    void labelPopupsOpenAtThePointer();
    void chaptersOpenInTheViewer_data();
    void chaptersOpenInTheViewer();
    void aboutAndLinksShowModally();
    void closingTheMainWindowEndsTheProgram();
    void screenshot();

private:
    void Start(const QString &programDir);
    TMainFrm *Main() const { return Windows().MainFrm; }

    std::unique_ptr<TestSupport::GuiTestFolder> m_dir;
    ShowCounter m_calendarShows;
};

void MainWindowTest::init()
{
    m_dir = std::make_unique<TestSupport::GuiTestFolder>();
    QVERIFY(m_dir->isValid());
    m_calendarShows.Shows = 0;
}

void MainWindowTest::cleanup()
{
    m_dir.reset();
}

void MainWindowTest::Start(const QString &programDir)
{
    OverrideExecutableFolder(programDir);
    CreateWindows();
    if (Windows().CalendarFrm)
        Windows().CalendarFrm->installEventFilter(&m_calendarShows);
    QVERIFY(Main());
    Main()->show();
    QVERIFY(QTest::qWaitForWindowExposed(Main()));
}

void MainWindowTest::startUpCreatesTheWindowsInOrderAndConnects()
{
    CreationRecorder recorder;
    qApp->installEventFilter(&recorder);
    Start(m_dir->path());
    qApp->removeEventFilter(&recorder);

    const QList<QWidget *> windows = AllWindows();
    // Compared as plain addresses: many recorded objects are gone by now.
    const QList<QObject *> windowObjects(windows.begin(), windows.end());
    QList<QObject *> order;
    for (QObject *created : recorder.Created) {
        if (windowObjects.contains(created))
            order.append(created);
    }
    QCOMPARE(order.size(), 10);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(order.at(i), windows.at(i));

    QVERIFY(Platform::Records().isEmpty());
    QCOMPARE(Main()->ProgramDir, m_dir->path());
    QCOMPARE(Main()->windowTitle(), QStringLiteral("Rybowid"));
    QVERIFY(Main()->DataBase->Connected());
    QCOMPARE(QDir::cleanPath(Main()->DataBase->DatabasePath()), QDir::cleanPath(m_dir->dbPath()));

    // Only the main window is showing, with the calendar docked in front.
    for (QWidget *w : windows.mid(1)) {
        if (w != Windows().CalendarFrm)
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }
    QCOMPARE(FrontView(Main()->DockPanel), Windows().CalendarFrm);
    QCOMPARE(m_calendarShows.Shows, 1);
}

void MainWindowTest::missingEngineLibraryIsReportedAndTheProgramComesUp_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("named");
    QTest::newRow("no engine library") << "library" << SqliteLibraryFileName();
    QTest::newRow("no database file") << "missing"
                                      << "wedkarz.db";
    QTest::newRow("empty database file") << "empty"
                                         << "wedkarz.db";
    QTest::newRow("not a database") << "garbage"
                                    << "wedkarz.db";
}

void MainWindowTest::missingEngineLibraryIsReportedAndTheProgramComesUp()
{
    // A broken installation is told once, in Polish, naming the file; the program comes
    // up without data and leaves the files as they were.
    QFETCH(QString, fault);
    QFETCH(QString, named);
    const QByteArray garbage(3000, 'x');
    if (fault == QLatin1String("library"))
        QVERIFY(QFile::remove(m_dir->path() + SqliteLibraryFileName()));
    if (fault != QLatin1String("library"))
        QVERIFY(QFile::remove(m_dir->dbPath()));
    if (fault == QLatin1String("empty") || fault == QLatin1String("garbage")) {
        QFile file(m_dir->dbPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fault == QLatin1String("garbage") ? garbage : QByteArray());
    }
    Start(m_dir->path());
    QCoreApplication::processEvents();

    QCOMPARE(Platform::Records().size(), 1);
    const Platform::Record first = Platform::Records().first();
    QCOMPARE(first.kind, QStringLiteral("error"));
    QCOMPARE(first.title, QStringLiteral("Rybowid"));
    QVERIFY2(first.text.contains(named) && first.text.contains(QStringLiteral("ponownie")), qPrintable(first.text));
    QVERIFY(!Main()->DataBase->Connected());
    QCOMPARE(QFileInfo::exists(m_dir->dbPath()), fault != QLatin1String("missing"));
    if (fault == QLatin1String("garbage")) {
        QFile file(m_dir->dbPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), garbage);
    }

    QVERIFY(Main()->isVisible());
    QCOMPARE(FrontView(Main()->DockPanel), Windows().CalendarFrm);
    QVERIFY(!Windows().CalendarFrm->DayPanel->CheckBox1->isEnabled());
}

void MainWindowTest::programDirKeepsSpacesAndPolishLetters()
{
    QTemporaryDir outer;
    const QString folder = outer.path() + QStringLiteral("/Wędkarz — łowisko nr 1");
    QVERIFY(QFile::link(QDir(m_dir->path()).absolutePath(), folder));
    Start(folder);

    QCOMPARE(Main()->ProgramDir, QDir::toNativeSeparators(folder) + QDir::separator());
    QVERIFY(Main()->DataBase->Connected());
    QVERIFY(Main()->DataBase->DatabasePath().startsWith(Main()->ProgramDir + QStringLiteral("data")));
    QVERIFY(Platform::Records().isEmpty());
}

void MainWindowTest::viewsDockOnTopOfEachOtherAndKeepTheirState()
{
    Start(m_dir->path());
    QWidget *panel = Main()->DockPanel;
    QWidget *calendar = Windows().CalendarFrm;
    QWidget *encyclopedia = Windows().EncyklopediaFrm;

    QTest::mouseClick(Main()->Label3, Qt::LeftButton);
    QCOMPARE(FrontView(panel), encyclopedia);
    QCOMPARE(encyclopedia->geometry(), QRect(0, 0, 767, 426));
    QVERIFY(!encyclopedia->isWindow());
    QVERIFY(calendar->isVisible());
    QCOMPARE(calendar->parentWidget(), panel);

    QTest::mouseClick(Main()->Label2, Qt::LeftButton);
    QCOMPARE(FrontView(panel), calendar);
    QCOMPARE(m_calendarShows.Shows, 1);

    // "Kalendarz" while the calendar is in front changes nothing.
    const QObjectList order = panel->children();
    QTest::mouseClick(Main()->Label2, Qt::LeftButton);
    QCOMPARE(panel->children(), order);
    QCOMPARE(m_calendarShows.Shows, 1);
    QCOMPARE(Main()->windowTitle(), QStringLiteral("Rybowid"));
    QVERIFY(Platform::Records().isEmpty());
}

void MainWindowTest::testItemsDockAndStartAFreshTestEachTime()
{
    Start(m_dir->path());
    QWidget *panel = Main()->DockPanel;
    TTestyRybyFrm *fishTest = Windows().TestyRybyFrm;
    TTestyPrzepisyFrm *rulesTest = Windows().TestyPrzepisyFrm;
    QSignalSpy fishStarts(fishTest, &TTestyRybyFrm::testStarted);
    QSignalSpy rulesStarts(rulesTest, &TTestyPrzepisyFrm::testStarted);

    Platform::QueuePopupChoice(QStringLiteral("estprzepisydotryb1"));
    QTest::mouseClick(Main()->Label4, Qt::LeftButton);
    QCOMPARE(FrontView(panel), fishTest);
    // At the first docking the show handler and the menu item both start one.
    QCOMPARE(fishStarts.count(), 2);

    Platform::QueuePopupChoice(QStringLiteral("estprzepisydotryb1"));
    QTest::mouseClick(Main()->Label4, Qt::LeftButton);
    QCOMPARE(FrontView(panel), fishTest);
    QCOMPARE(fishStarts.count(), 3);

    Platform::QueuePopupChoice(QStringLiteral("estprzepisydotsprztuwdkarzaimetodpo1"));
    QTest::mouseClick(Main()->Label4, Qt::LeftButton);
    QCOMPARE(FrontView(panel), rulesTest);
    QCOMPARE(rulesStarts.count(), 2);
    QCOMPARE(fishStarts.count(), 3);

    // Back to the first test: docked again, and a fresh test.
    Platform::QueuePopupChoice(QStringLiteral("estprzepisydotryb1"));
    QTest::mouseClick(Main()->Label4, Qt::LeftButton);
    QCOMPARE(FrontView(panel), fishTest);
    QCOMPARE(fishStarts.count(), 4);
}

void MainWindowTest::labelPopupsOpenAtThePointer()
{
    Start(m_dir->path());
    Platform::SetCursorPos(QPoint(612, 240));
    QTest::mouseClick(Main()->Label4, Qt::LeftButton, {}, QPoint(1, 1));
    Platform::SetCursorPos(QPoint(700, 250));
    QTest::mouseClick(Main()->Label5, Qt::LeftButton, {}, QPoint(Main()->Label5->width() - 2, 8));

    const QList<Platform::Record> popups = Platform::Records();
    QCOMPARE(popups.size(), 2);
    QCOMPARE(popups.at(0).title, QStringLiteral("PopupMenu1"));
    QCOMPARE(popups.at(0).text, QStringLiteral("612,240"));
    QCOMPARE(popups.at(1).title, QStringLiteral("PopupMenu2"));
    QCOMPARE(popups.at(1).text, QStringLiteral("700,250"));

    // The "Karta wędkarska" menu opens with the first test right under its border: a line
    // drawn above it would double the border.
    QMenu *menu = Main()->PopupMenu1;
    menu->popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QCOMPARE(menu->actions().first()->objectName(), QStringLiteral("estprzepisydotryb1"));
    QCOMPARE(menu->actionGeometry(menu->actions().first()).top(),
             Main()->PopupMenu2->actionGeometry(Main()->PopupMenu2->actions().first()).top());
    TestSupport::SavePng(menu, QStringLiteral("main_menu_karta"));
    menu->hide();
}

void MainWindowTest::chaptersOpenInTheViewer_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("path");
    QTest::newRow("Zaczynamy łowić") << QStringLiteral("Zaczynamyowi1")
                                     << QStringLiteral("data/html/rozdzial_1/index.html");
    QTest::newRow("Sprzęt") << QStringLiteral("Sprzt1") << QStringLiteral("data/html/rozdzial_2/sprzet/index.html");
    QTest::newRow("Miniporadnik") << QStringLiteral("Miniporadnik1")
                                  << QStringLiteral("data/html/rozdzial_3/miniporadnik/index.htm");
    QTest::newRow("Indeks multimediów") << QStringLiteral("Indeksmultimediw1")
                                        << QStringLiteral("data/html/rozdzial_4/multimedia/index.htm");
}

void MainWindowTest::chaptersOpenInTheViewer()
{
    QFETCH(QString, item);
    QFETCH(QString, path);
    Start(m_dir->path());
    Platform::QueuePopupChoice(item);
    QTest::mouseClick(Main()->Label5, Qt::LeftButton);

    QCOMPARE(Windows().OpisFrm->Document(), m_dir->path() + path);
    QVERIFY(!Windows().OpisFrm->Document().contains(QDir::separator() + QString(QDir::separator())));
    const QList<Platform::Record> shown = Platform::Records();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(1).kind, QStringLiteral("modal"));
    QCOMPARE(shown.at(1).title, QStringLiteral("Opis:"));
}

void MainWindowTest::aboutAndLinksShowModally()
{
    Start(m_dir->path());
    QList<QWidget *> shownDialogs;
    Platform::SetModalHandler([&](QDialog *dialog) {
        shownDialogs << dialog;
        return 0;
    });
    QTest::mouseClick(Main()->Label1, Qt::LeftButton);
    QTest::mouseClick(Main()->Label6, Qt::LeftButton);
    Platform::SetModalHandler(nullptr);

    QCOMPARE(shownDialogs, QList<QWidget *>({Windows().AboutFrm, Windows().ReklamaFrm}));
    QCOMPARE(Platform::Records().at(0).title, QStringLiteral("O programie:"));
    QCOMPARE(Platform::Records().at(1).title, QStringLiteral("Wędkarstwo w Internecie:"));
    QVERIFY(!Windows().AboutFrm->isVisible());
    QCOMPARE(FrontView(Main()->DockPanel), Windows().CalendarFrm);
}

void MainWindowTest::closingTheMainWindowEndsTheProgram()
{
    Start(m_dir->path());
    Main()->Label3Click();
    // The application decides to quit only inside its event loop, so run it: closing the
    // main window must end it, with no other window of the program (docked views, hidden
    // dialogs) keeping it alive. The second timer only bounds a failing run.
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer::singleShot(0, Main(), [this] { Main()->close(); });
    QTimer bound;
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    bound.start(20000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(lastClosed.count(), 1);
}

void MainWindowTest::screenshot()
{
    Start(m_dir->path());
    TestSupport::SavePng(Main(), QStringLiteral("main_window"));
    // The labels fit their texts and keep their order along the band.
    const QList<TLinkLabel *> row = {Main()->Label2, Main()->Label3, Main()->Label4,
                                     Main()->Label5, Main()->Label6, Main()->Label1};
    for (int i = 0; i < row.size(); ++i) {
        TLinkLabel *label = row.at(i);
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
        if (i > 0)
            QVERIFY2(row.at(i - 1)->geometry().right() < label->x(), qPrintable(label->objectName()));
    }
    QVERIFY(row.last()->geometry().right() < Main()->width());
}

RYBOWID_APP_TEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
