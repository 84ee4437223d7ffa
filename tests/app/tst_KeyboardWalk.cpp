#include "AppTestMain.h"

#include "app/MainFrmUnit.h"
#include "base/Clock.h"
#include "base/DateUtils.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/DayFrmUnit.h"
#include "calendar/TMonthCalendar.h"
#include "catchlog/CatchLogFrmUnit.h"
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

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <memory>

namespace {
QWidget *FrontView(QWidget *panel)
{
    QWidget *hit = panel->childAt(panel->rect().center());
    while (hit && hit->parentWidget() != panel)
        hit = hit->parentWidget();
    return hit;
}

// The controls of a view a keyboard user must be able to reach: shown, enabled, taking
// the focus by Tab, and not the inner parts of another control (a grid's cell editor).
QList<QWidget *> TabStops(QWidget *view)
{
    QList<QWidget *> stops;
    for (QWidget *w : view->findChildren<QWidget *>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(view->window()) || !w->isEnabled() || w->focusProxy())
            continue;
        bool inner = false;
        for (QWidget *up = w->parentWidget(); up && up != view; up = up->parentWidget())
            inner = inner || (up->focusPolicy() & Qt::TabFocus);
        if (!inner)
            stops << w;
    }
    return stops;
}

// The stop a focused widget belongs to: itself, or the control whose part it is.
QWidget *StopOf(QWidget *focused, const QList<QWidget *> &stops)
{
    for (QWidget *w = focused; w; w = w->parentWidget()) {
        if (stops.contains(w))
            return w;
    }
    return focused;
}

// The letter after a lone "&" of a caption, or a null character.
QChar Mnemonic(const QString &text)
{
    static const QRegularExpression amp(QStringLiteral("(?<!&)&([^&\\s])"));
    const QRegularExpressionMatch m = amp.match(text);
    return m.hasMatch() ? m.captured(1).at(0).toLower() : QChar();
}

QString Caption(QWidget *w)
{
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
        return label->text();
    if (auto *box = qobject_cast<QGroupBox *>(w))
        return box->title();
    return {};
}

QList<QWidget *> AllWindows()
{
    const AppWindows &w = Windows();
    return {w.MainFrm,          w.AboutFrm, w.CalendarFrm, w.DayFrm,     w.EncyklopediaFrm, w.TestyRybyFrm,
            w.TestyPrzepisyFrm, w.InfoFrm,  w.OpisFrm,     w.ReklamaFrm, w.CatchLogFrm};
}
} // namespace

class KeyboardWalkTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void menuBarWorksByKeyboard();
    void tabAndShiftTabCrossEveryViewAndComeBack_data();
    void tabAndShiftTabCrossEveryViewAndComeBack();
    void noWindowHasTwoMnemonicsOnOneLetter_data();
    void noWindowHasTwoMnemonicsOnOneLetter();

private:
    void Start();
    TMainFrm *Main() const { return Windows().MainFrm; }
    QWidget *Front() const { return FrontView(Main()->DockPanel); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Main(), Qt::Key(key), modifiers);
    }
    // Tab (or Shift+Tab) from the menu bar until the focus is back on it: the controls
    // passed on the way, each once; empty when the focus never came back.
    QList<QWidget *> Walk(QWidget *view, bool forward);

    std::unique_ptr<TestSupport::GuiTestFolder> m_dir;
};

void KeyboardWalkTest::init()
{
    m_dir = std::make_unique<TestSupport::GuiTestFolder>();
    QVERIFY(m_dir->isValid());
}

void KeyboardWalkTest::cleanup()
{
    m_dir.reset();
}

void KeyboardWalkTest::Start()
{
    // A day with two catches, so that the diary's grid and buttons are all in use.
    QVERIFY(m_dir->exec(QStringLiteral("insert into dziennik (data,gatunek,waga,dlugosc,miejsce) values "
                                       "('2005-01-24','Lin',1,30,'Staw'),('2005-01-24','Karp',2,45,'Staw');")));
    OverrideExecutableFolder(m_dir->path());
    Clock::Pin(EncodeDateTime(2005, 1, 24, 10, 0, 0, 0));
    CreateWindows();
    QVERIFY(Main());
    Main()->show();
    Main()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Main()));
}

void KeyboardWalkTest::menuBarWorksByKeyboard()
{
    Start();
    const QList<TLinkLabel *> bar{Main()->Label2, Main()->Label3, Main()->Label4,
                                  Main()->Label5, Main()->Label6, Main()->Label1};
    Main()->Label2->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < bar.size(); ++i) {
        QCOMPARE(QApplication::focusWidget(), bar.at(i));
        const QString tip = bar.at(i)->toolTip();
        QVERIFY2(tip.startsWith(bar.at(i)->text() + QStringLiteral(" (Ctrl+%1)").arg(i + 1)), qPrintable(tip));
        Key(Qt::Key_Tab);
    }
    Main()->Label1->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), Main()->Label6);
    // The focus frame is drawn in the label's silver, which shows on the dark band.
    const QImage label = Main()->Label6->grab().toImage();
    QCOMPARE(label.pixelColor(0, label.height() / 2), QColor(192, 192, 192));

    Main()->Label3->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Return);
    QCOMPARE(Front(), Windows().EncyklopediaFrm);
    Main()->Label2->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Space);
    QCOMPARE(Front(), Windows().CalendarFrm);

    // Down and the menu key drop the popups from their labels, wherever the pointer is;
    // the mouse still opens them at the pointer.
    Platform::SetCursorPos(QPoint(5, 5));
    Main()->Label4->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Down);
    Main()->Label5->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Menu);
    QTest::mouseClick(Main()->Label4, Qt::LeftButton);
    // The calendar's label keeps its click; its one menu, the catch log, drops from it too.
    Main()->Label2->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Menu);
    Key(Qt::Key_F10, Qt::ShiftModifier);
    const QList<Platform::Record> popups = Platform::TakeRecords();
    QCOMPARE(popups.size(), 5);
    const QPoint under2 = Main()->Label2->mapToGlobal(QPoint(0, Main()->Label2->height() + 1));
    for (const int i : {3, 4})
        QCOMPARE(popups.at(i).title + popups.at(i).text,
                 QStringLiteral("CalendarPopupMenu%1,%2").arg(under2.x()).arg(under2.y()));
    const QPoint under4 = Main()->Label4->mapToGlobal(QPoint(0, Main()->Label4->height() + 1));
    QCOMPARE(popups.at(0).title + popups.at(0).text, QStringLiteral("PopupMenu1%1,%2").arg(under4.x()).arg(under4.y()));
    QCOMPARE(popups.at(1).title, QStringLiteral("PopupMenu2"));
    QCOMPARE(popups.at(2).text, QStringLiteral("5,5"));
    QCOMPARE(Main()->PopupMenu1->activeAction()->objectName(), QStringLiteral("estprzepisydotryb1"));

    // Ctrl+1 to Ctrl+6 open what the labels open.
    Platform::QueuePopupChoice(QStringLiteral("Sprzt1"));
    Key(Qt::Key_4, Qt::ControlModifier);
    QCOMPARE(Windows().OpisFrm->Document(), m_dir->path() + QStringLiteral("data/html/rozdzial_2/sprzet/index.html"));
    Key(Qt::Key_5, Qt::ControlModifier);
    Key(Qt::Key_6, Qt::ControlModifier);
    QStringList shown;
    for (const Platform::Record &r : Platform::Records())
        shown << r.title;
    QCOMPARE(shown, QStringList({QStringLiteral("PopupMenu2"), QStringLiteral("Opis:"),
                                 QStringLiteral("Wędkarstwo w Internecie:"), QStringLiteral("O programie:")}));
}

QList<QWidget *> KeyboardWalkTest::Walk(QWidget *view, bool forward)
{
    const QList<QWidget *> stops = TabStops(view);
    (forward ? Main()->Label1 : Main()->Label2)->setFocus(Qt::TabFocusReason);
    QList<QWidget *> visited;
    for (int i = 0; i < 200; ++i) {
        Key(forward ? Qt::Key_Tab : Qt::Key_Backtab, forward ? Qt::NoModifier : Qt::ShiftModifier);
        QWidget *focused = QApplication::focusWidget();
        if (qobject_cast<TLinkLabel *>(focused) && focused->parentWidget() == Main())
            return visited;
        if (QWidget *stop = StopOf(focused, stops); !visited.contains(stop))
            visited << stop;
    }
    return {};
}

void KeyboardWalkTest::tabAndShiftTabCrossEveryViewAndComeBack_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("item");
    QTest::newRow("calendar and diary") << int(Qt::Key_1) << QString();
    QTest::newRow("encyclopedia") << int(Qt::Key_2) << QString();
    QTest::newRow("fish test") << int(Qt::Key_3) << QStringLiteral("estprzepisydotryb1");
    QTest::newRow("rules test") << int(Qt::Key_3) << QStringLiteral("estprzepisydotsprztuwdkarzaimetodpo1");
}

void KeyboardWalkTest::tabAndShiftTabCrossEveryViewAndComeBack()
{
    QFETCH(int, key);
    QFETCH(QString, item);
    Start();
    if (!item.isEmpty())
        Platform::QueuePopupChoice(item);
    Key(key, Qt::ControlModifier);
    QWidget *shown = Front();
    TCalendarFrm *calendar = Windows().CalendarFrm;
    QCOMPARE(shown == calendar, key == Qt::Key_1);
    // The view opened takes the keys at once.
    QVERIFY(shown->isAncestorOf(QApplication::focusWidget()));
    if (shown == calendar) {
        QVERIFY(calendar->DayPanel->CheckBox1->isChecked());
        // Whatever has the focus is framed in navy, which shows on the views' light grey.
        calendar->DayPanel->CheckBox1->setFocus(Qt::TabFocusReason);
        const QPoint outside =
            calendar->DayPanel->CheckBox1->mapTo(Main(), QPoint(calendar->DayPanel->CheckBox1->width() / 2, -1));
        QCOMPARE(Main()->grab().toImage().pixelColor(outside), QColor(0, 0, 128));
    }

    QList<QWidget *> expected = TabStops(shown);
    QVERIFY(!expected.isEmpty());
    std::sort(expected.begin(), expected.end());
    for (const bool forward : {true, false}) {
        QList<QWidget *> visited = Walk(shown, forward);
        QVERIFY2(!visited.isEmpty(), forward ? "Tab" : "Shift+Tab");
        // The calendar is read from its month grid on, and left from it backwards.
        if (shown == calendar)
            QCOMPARE(forward ? visited.first() : visited.last(), calendar->MonthCalendar1->DayGrid());
        std::sort(visited.begin(), visited.end());
        QCOMPARE(visited, expected);
    }
}

void KeyboardWalkTest::noWindowHasTwoMnemonicsOnOneLetter_data()
{
    QTest::addColumn<int>("window");
    const QStringList names{"MainFrm",         "AboutFrm",     "CalendarFrm",      "DayFrm",
                            "EncyklopediaFrm", "TestyRybyFrm", "TestyPrzepisyFrm", "InfoFrm",
                            "OpisFrm",         "ReklamaFrm",   "CatchLogFrm"};
    for (int i = 0; i < names.size(); ++i)
        QTest::newRow(qPrintable(names.at(i))) << i;
}

void KeyboardWalkTest::noWindowHasTwoMnemonicsOnOneLetter()
{
    // Two captions on one Alt letter make Qt move the focus between them and press
    // neither. Each docked view is a scope of its own: covered views are disabled.
    QFETCH(int, window);
    Start();
    QWidget *root = AllWindows().at(window);
    QVERIFY(root);
    const AppWindows &w = Windows();
    const QList<QWidget *> views{w.CalendarFrm, w.EncyklopediaFrm, w.TestyRybyFrm, w.TestyPrzepisyFrm};
    QHash<QChar, QStringList> byLetter;
    for (QWidget *child : root->findChildren<QWidget *>()) {
        const bool inOtherView =
            std::any_of(views.begin(), views.end(), [&](QWidget *v) { return v != root && v->isAncestorOf(child); });
        const QChar letter = Mnemonic(Caption(child));
        if (!inOtherView && !letter.isNull() && child->window() == root->window())
            byLetter[letter] << Caption(child);
    }
    QStringList clashes;
    for (const QStringList &captions : std::as_const(byLetter)) {
        if (captions.size() > 1)
            clashes << QStringList(captions).join(QStringLiteral(" / "));
    }
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QStringLiteral("; "))));
}

RYBOWID_APP_TEST_MAIN(KeyboardWalkTest)
#include "tst_KeyboardWalk.moc"
