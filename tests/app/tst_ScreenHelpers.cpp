#include "AppTestMain.h"

#include "data/DataLayerMessage.h"
#include "data/DbErrors.h"
#include "widgets/Platform.h"
#include "widgets/TLinkLabel.h"
#include "widgets/TListView.h"
#include "widgets/Utils.h"

#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QShowEvent>
#include <QSignalSpy>
#include <QTimer>
#include <stdexcept>

namespace {
// A view that counts its show handler's runs the way the program's views run it.
class CountingView : public QWidget
{
public:
    CountingView()
    {
        resize(500, 300); // a design size unlike the panel's
        Edit = new QLineEdit(this);
    }
    int Shows = 0;
    QLineEdit *Edit;

protected:
    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        if (!event->spontaneous())
            ++Shows;
    }
};

class ThrowingWidget : public QWidget
{
public:
    std::function<void()> OnPress;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        event->accept();
        OnPress();
    }
};

QWidget *TopViewAt(QWidget *panel)
{
    QWidget *hit = panel->childAt(panel->rect().center());
    while (hit && hit->parentWidget() != panel)
        hit = hit->parentWidget();
    return hit;
}
} // namespace

class ScreenHelpersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        Platform::EnableTestMode();
        Platform::ClearTestState();
    }

    void dockViewKeepsCoveredViewsAliveAndUnchanged();
    void dockViewIgnoresAMissingView();
    void popupAtCursorOpensAtThePointer();
    void addListRow();
    void linkLabelClicksOnReleaseOverIt();
    void exceptionsLeavingHandlersAreShownAndTheProgramGoesOn();
    void errorBoxText_data();
    void errorBoxText();
    void startupSettings();
};

void ScreenHelpersTest::dockViewKeepsCoveredViewsAliveAndUnchanged()
{
    QWidget window;
    window.resize(800, 600);
    auto *panel = new QWidget(&window);
    panel->setGeometry(8, 161, 767, 426);
    window.show();

    CountingView calendar;
    CountingView encyclopedia;
    QPointer<CountingView> calendarAlive(&calendar);
    calendar.setWindowTitle(QStringLiteral("Kalendarz"));
    QVERIFY(calendar.isWindow());

    DockView(&calendar, panel);
    QVERIFY(!calendar.isWindow());
    QCOMPARE(calendar.parentWidget(), panel);
    QCOMPARE(calendar.geometry(), QRect(0, 0, 767, 426));
    QVERIFY(calendar.isVisible());
    QCOMPARE(calendar.Shows, 1);
    calendar.Edit->setText(QStringLiteral("stan widoku"));

    DockView(&encyclopedia, panel);
    QCOMPARE(TopViewAt(panel), &encyclopedia);
    QVERIFY(calendarAlive);
    QVERIFY(calendar.isVisible());
    // Covered controls are out of Tab navigation; the front view's are in it.
    QVERIFY(!calendar.Edit->isEnabled());
    QVERIFY(encyclopedia.Edit->isEnabled());

    DockView(&calendar, panel);
    QCOMPARE(TopViewAt(panel), &calendar);
    QCOMPARE(calendar.Shows, 1);
    QCOMPARE(encyclopedia.Shows, 1);
    QCOMPARE(calendar.Edit->text(), QStringLiteral("stan widoku"));
    QVERIFY(calendar.Edit->isEnabled());
    QCOMPARE(calendar.geometry(), QRect(0, 0, 767, 426));

    // Docking the view already in front changes nothing.
    const QObjectList order = panel->children();
    DockView(&calendar, panel);
    QCOMPARE(panel->children(), order);
    QCOMPARE(calendar.Shows, 1);
    QCOMPARE(window.windowTitle(), QString());

    // The panel is the views' owner from now on; give them back before it goes.
    calendar.setParent(nullptr);
    encyclopedia.setParent(nullptr);
}

void ScreenHelpersTest::dockViewIgnoresAMissingView()
{
    QWidget panel;
    DockView(nullptr, &panel);
    QVERIFY(panel.children().isEmpty());
}

void ScreenHelpersTest::popupAtCursorOpensAtThePointer()
{
    QMenu menu;
    menu.setObjectName(QStringLiteral("PopupMenu1"));
    QAction *item = menu.addAction(QStringLiteral("Test - przepisy dot. ryb"));
    item->setObjectName(QStringLiteral("estprzepisydotryb1"));
    QSignalSpy triggered(item, &QAction::triggered);

    Platform::SetCursorPos(QPoint(321, 456));
    PopupAtCursor(&menu);
    Platform::QueuePopupChoice(QStringLiteral("estprzepisydotryb1"));
    PopupAtCursor(&menu);

    QCOMPARE(Platform::Records().size(), 2);
    QCOMPARE(Platform::Records().at(0).kind, QStringLiteral("popup"));
    QCOMPARE(Platform::Records().at(0).title, QStringLiteral("PopupMenu1"));
    QCOMPARE(Platform::Records().at(0).text, QStringLiteral("321,456"));
    // Dismissing does nothing; choosing runs the item's own handler.
    QCOMPARE(triggered.count(), 1);
}

void ScreenHelpersTest::addListRow()
{
    TListView list;
    list.setColumnCount(2);
    QPixmap red(16, 16);
    red.fill(Qt::red);
    list.SetSmallImages({QIcon(red), QIcon()});

    AddListRow(QStringLiteral("Brak ryb z terminem ochronnym"), {}, 1, &list);
    AddListRow(QStringLiteral("Szczupak"), {QStringLiteral("01-01 - 04-30"), QStringLiteral("45")}, 0, &list);
    AddListRow(QStringLiteral("Bez obrazka"), {}, 7, &list);

    QCOMPARE(list.topLevelItemCount(), 3);
    const QTreeWidgetItem *none = list.topLevelItem(0);
    QCOMPARE(none->text(0), QStringLiteral("Brak ryb z terminem ochronnym"));
    QCOMPARE(none->text(1), QString());
    QCOMPARE(TListView::ImageIndex(none), 1);

    const QTreeWidgetItem *pike = list.topLevelItem(1);
    QCOMPARE(pike->text(0), QStringLiteral("Szczupak"));
    QCOMPARE(pike->text(1), QStringLiteral("01-01 - 04-30"));
    QCOMPARE(pike->text(2), QStringLiteral("45"));
    QVERIFY(!pike->icon(0).isNull());

    // An index past the image list shows no picture rather than failing.
    QVERIFY(list.topLevelItem(2)->icon(0).isNull());
}

void ScreenHelpersTest::linkLabelClicksOnReleaseOverIt()
{
    TLinkLabel label(QStringLiteral("Kalendarz"));
    label.resize(80, 16);
    label.show();
    QSignalSpy clicked(&label, &TLinkLabel::clicked);

    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(3, 5));
    QCOMPARE(clicked.count(), 1);

    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(3, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(200, 5));
    QCOMPARE(clicked.count(), 1);

    QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(3, 5));
    QCOMPARE(clicked.count(), 1);
}

void ScreenHelpersTest::exceptionsLeavingHandlersAreShownAndTheProgramGoesOn()
{
    ThrowingWidget widget;
    widget.resize(50, 50);
    widget.show();
    int presses = 0;
    widget.OnPress = [&] {
        ++presses;
        throw EDatabaseError(QStringLiteral("no such table: ryby"));
    };
    QTest::mouseClick(&widget, Qt::LeftButton);
    widget.OnPress = [&] {
        ++presses;
        throw std::runtime_error("out of range");
    };
    QTest::mouseClick(&widget, Qt::LeftButton);

    QTimer::singleShot(0, [] { throw EInOutError(QStringLiteral("Nie można utworzyć folderu")); });
    QTRY_COMPARE(Platform::Records().size(), 3);

    widget.OnPress = [&] { ++presses; };
    QTest::mouseClick(&widget, Qt::LeftButton);
    QCOMPARE(presses, 3);

    const QList<Platform::Record> shown = Platform::Records();
    QCOMPARE(shown.size(), 3);
    for (const Platform::Record &r : shown) {
        QCOMPARE(r.kind, QStringLiteral("error"));
        QCOMPARE(r.title, QStringLiteral("Rybowid"));
    }
    QCOMPARE(shown.at(0).text, QStringLiteral("W bazie danych brakuje tabeli ryby. Zainstaluj program ponownie."));
    QCOMPARE(shown.at(1).text, QStringLiteral("out of range."));
    QCOMPARE(shown.at(2).text, QStringLiteral("Nie można utworzyć folderu."));
}

void ScreenHelpersTest::errorBoxText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << QStringLiteral("Could not load SQLite library")
                           << QStringLiteral("Could not load SQLite library.");
    QTest::newRow("full stop kept") << QStringLiteral("Koniec.") << QStringLiteral("Koniec.");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("sorts before the stop") << QStringLiteral("Uwaga!") << QStringLiteral("Uwaga!");
    QTest::newRow("closing bracket") << QStringLiteral("(brak)") << QStringLiteral("(brak)");
    QTest::newRow("digit") << QStringLiteral("kod 5") << QStringLiteral("kod 5.");
    QTest::newRow("Polish letter") << QStringLiteral("zły stan: łódź") << QStringLiteral("zły stan: łódź.");
}

void ScreenHelpersTest::errorBoxText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorBoxText(message), shown);
}

void ScreenHelpersTest::startupSettings()
{
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Rybowid"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Tak"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Nie"));
    QVERIFY(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));

    ShowDataLayerMessage(QStringLiteral("no query specified"));
    QCOMPARE(Platform::Records().size(), 1);
    QCOMPARE(Platform::Records().at(0).kind, QStringLiteral("message"));
    QCOMPARE(Platform::Records().at(0).title, QStringLiteral("Rybowid"));
    QCOMPARE(Platform::Records().at(0).text, QStringLiteral("nie podano zapytania"));

    // What the data layer and the engine say in English reaches the user in Polish, the
    // values it carries kept, messages wrapped in others translated too.
    Platform::ClearTestState();
    Platform::ShowError(QStringLiteral("dziennikTable: 'abc' is not a valid floating point value"));
    Platform::ShowError(QStringLiteral("Filter error: database is locked"));
    Platform::ShowError(QStringLiteral("attempt to write a readonly database"));
    Platform::ShowError(QStringLiteral("something the program has never seen"));
    QStringList texts;
    for (const Platform::Record &r : Platform::Records())
        texts << r.text;
    QCOMPARE(texts.at(0), QStringLiteral("dziennikTable: „abc” nie jest poprawną liczbą. Wpisz liczbę, np. 2,5."));
    QVERIFY(texts.at(1).startsWith(QStringLiteral("Błąd filtru: Baza danych jest zajęta przez inny program")));
    QVERIFY(texts.at(1).endsWith(QStringLiteral("spróbuj ponownie.")));
    QVERIFY(texts.at(2).contains(QStringLiteral("tylko do odczytu")));
    QCOMPARE(texts.at(3), QStringLiteral("something the program has never seen."));
}

RYBOWID_APP_TEST_MAIN(ScreenHelpersTest)
#include "tst_ScreenHelpers.moc"
