#include "app/MainFrmUnit.h"

#include "app/TApplication.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/TMonthCalendar.h"
#include "data/TDbConnection.h"
#include "diary/DatabaseFile.h"
#include "diary/DiarySchema.h"
#include "diary/UserDataFolder.h"
#include "encyclopedia/EncyklopediaFrmUnit.h"
#include "guide/AboutFrmUnit.h"
#include "guide/OpisFrmUnit.h"
#include "guide/ReklamaFrmUnit.h"
#include "quiz/EgzaminFrmUnit.h"
#include "quiz/NaukaFrmUnit.h"
#include "quiz/TestyPrzepisyFrmUnit.h"
#include "quiz/TestyRybyFrmUnit.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TImage.h"
#include "widgets/TLinkLabel.h"
#include "widgets/Utils.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>

namespace {
const QColor LabelColor(192, 192, 192);
const QColor PanelColor(230, 230, 230);

// Painted when the background picture cannot be read: the same header, band and grey area.
QImage FallbackBackground()
{
    QImage image(780, 600, QImage::Format_RGB32);
    image.fill(PanelColor);
    QPainter p(&image);
    QLinearGradient header(0, 0, 0, 122);
    header.setColorAt(0, QColor(16, 42, 84));
    header.setColorAt(1, QColor(28, 70, 128));
    p.fillRect(0, 0, 780, 122, header);
    p.fillRect(0, 122, 780, 3, QColor(180, 190, 205));
    QLinearGradient band(0, 125, 0, 157);
    band.setColorAt(0, QColor(36, 44, 58));
    band.setColorAt(1, QColor(18, 24, 34));
    p.fillRect(0, 125, 780, 32, band);
    p.setPen(QColor(235, 240, 248));
    QFont title(QStringLiteral("Sans Serif"), 30, QFont::Bold);
    title.setStyleHint(QFont::SansSerif);
    p.setFont(title);
    p.drawText(QRect(24, 20, 500, 60), Qt::AlignLeft | Qt::AlignVCenter, TApplication::Title());
    return image;
}
} // namespace

TMainFrm::TMainFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MainFrm"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(779, 598);
    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    DataBase = new TDbConnection(this);
    DataBase->setObjectName(QStringLiteral("DataBase"));

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 780, 600);

    // Made in reading order, which is the order Tab takes along the band.
    Label2 = MakeLabel("Label2", QStringLiteral("Kalendarz"), QRect(7, 132, 47, 13));
    Label3 = MakeLabel("Label3", QStringLiteral("Encyklopedia ryb"), QRect(63, 132, 81, 13));
    Label4 = MakeLabel("Label4", QStringLiteral("Karta wędkarska"), QRect(152, 132, 80, 13));
    Label5 = MakeLabel("Label5", QStringLiteral("Nauka łowienia"), QRect(240, 132, 75, 13));
    Label6 = MakeLabel("Label6", QStringLiteral("Wędkarstwo w Internecie"), QRect(584, 132, 121, 13));
    Label1 = MakeLabel("Label1", QStringLiteral("O programie"), QRect(712, 132, 57, 13));
    FitLabels();
    connect(Label1, &TLinkLabel::clicked, this, &TMainFrm::Label1Click);
    connect(Label2, &TLinkLabel::clicked, this, &TMainFrm::Label2Click);
    connect(Label3, &TLinkLabel::clicked, this, &TMainFrm::Label3Click);
    connect(Label4, &TLinkLabel::clicked, this, &TMainFrm::Label4Click);
    connect(Label5, &TLinkLabel::clicked, this, &TMainFrm::Label5Click);
    connect(Label6, &TLinkLabel::clicked, this, &TMainFrm::Label6Click);
    Label4->SetOpensMenu(true);
    Label5->SetOpensMenu(true);
    // The menu bar in reading order, each label with its shortcut.
    const QList<TLinkLabel *> bar{Label2, Label3, Label4, Label5, Label6, Label1};
    for (qsizetype i = 0; i < bar.size(); ++i) {
        TLinkLabel *label = bar.at(i);
        label->setFocusPolicy(Qt::TabFocus);
        const QKeySequence keys(Qt::CTRL | Qt::Key(Qt::Key_1 + i));
        label->setToolTip(label->text() + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) +
                          QLatin1Char(')'));
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setObjectName(label->objectName() + QStringLiteral("Shortcut"));
        connect(shortcut, &QShortcut::activated, label, &TLinkLabel::Activate);
    }

    DockPanel = new QWidget(this);
    DockPanel->setObjectName(QStringLiteral("DockPanel"));
    DockPanel->setGeometry(8, 161, 767, 426);
    SetViewBackground(DockPanel);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    MakeItem(PopupMenu1, "estprzepisydotryb1", QStringLiteral("Test - przepisy dot. ryb"),
             &TMainFrm::estprzepisydotryb1Click);
    MakeItem(PopupMenu1, "estprzepisydotsprztuwdkarzaimetodpo1",
             QStringLiteral("Test - przepisy dot. sprzętu, wędkarza i metod połowu"),
             &TMainFrm::estprzepisydotsprztuwdkarzaimetodpo1Click);
    PopupMenu1->addSeparator();
    MakeItem(PopupMenu1, "Nauka1", QStringLiteral("&Nauka: pytania z całego zbioru"), &TMainFrm::Nauka1Click);
    MakeItem(PopupMenu1, "Egzaminprbny1", QStringLiteral("&Egzamin próbny"), &TMainFrm::Egzaminprbny1Click);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    MakeItem(PopupMenu2, "Zaczynamyowi1", QStringLiteral("&Zaczynamy łowić"), &TMainFrm::Zaczynamyowi1Click);
    MakeItem(PopupMenu2, "Sprzt1", QStringLiteral("&Sprzęt"), &TMainFrm::Sprzt1Click);
    MakeItem(PopupMenu2, "Miniporadnik1", QStringLiteral("&Miniporadnik"), &TMainFrm::Miniporadnik1Click);
    MakeItem(PopupMenu2, "Indeksmultimediw1", QStringLiteral("&Indeks multimediów"), &TMainFrm::Indeksmultimediw1Click);

    // A failure here (no engine library, say) is reported and the window still comes up.
    try {
        FormCreate();
    } catch (...) {
        ShowCurrentException();
    }
    LoadBackground();

    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TMainFrm::FormCreate()
{
    ProgramDir = SuppliedDataRoot();
    setWindowTitle(TApplication::Title());
    DataBase->SetDriverDLL(EngineFolder() + SqliteLibraryFileName());
    DataBase->SetDefaultDir(UserDataFolder::Path());
    DataBase->SetDatabase(QStringLiteral("wedkarz.db"));
    // Nothing that opens the connection later may create an empty file in place of a
    // missing database.
    DataBase->SetMustExist(true);
    const QString unwritable = UserDataFolder::Prepare();
    if (OpenedReadOnly(unwritable))
        return;
    if (const std::optional<QString> problem = InstallationProblem(unwritable)) {
        // One clear message instead of an error from every view; the program comes up
        // without data and never creates or writes a database file in its place.
        if (!problem->isEmpty())
            Platform::ShowError(*problem);
        return;
    }
    DataBase->SetConnected(true);
    UpgradeDiarySchema(*DataBase);
}

bool TMainFrm::OpenedReadOnly(const QString &unwritable)
{
    // A diary that is there but whose folder cannot be written (a read-only stick, a
    // folder of another user) is never swapped for another one: the user is told why and
    // may open it for reading only.
    const QString path = QDir::toNativeSeparators(UserDataFolder::DatabasePath());
    if (unwritable.isEmpty() || CheckDatabaseFile(path) != DatabaseFileState::Ready || !DataBase->LoadLibs())
        return false;
    if (Platform::AskYesNo(this, QStringLiteral("Pytanie:"),
                           unwritable + QStringLiteral("\n\nDziennik połowów %1 można otworzyć tylko do odczytu: "
                                                       "będzie go można przeglądać, ale żadnej zmiany nie da się "
                                                       "zapisać. Otworzyć go tylko do odczytu?")
                                            .arg(path))) {
        DataBase->SetReadOnly(true);
        DataBase->SetConnected(true);
    }
    return true;
}

std::optional<QString> TMainFrm::InstallationProblem(const QString &unwritable)
{
    const QString untilThen = QStringLiteral(" Do tego czasu dziennik, encyklopedia i testy pozostaną puste.");
    // A data folder that cannot be written is named as such, not taken for a broken installation.
    if (!unwritable.isEmpty())
        return unwritable + untilThen;
    if (!DataBase->LoadLibs()) {
        return QStringLiteral("Nie można załadować silnika bazy danych SQLite z pliku %1. Zainstaluj program ponownie.")
                   .arg(QDir::toNativeSeparators(DataBase->DriverDLL())) +
               untilThen;
    }
    const QString path = QDir::toNativeSeparators(UserDataFolder::DatabasePath());
    switch (CheckDatabaseFile(path)) {
    case DatabaseFileState::Ready:
        return std::nullopt;
    case DatabaseFileState::Missing:
        // Installed, the file is made at start from the one the package ships; when that
        // failed (a full disk), start-up has said why, and restoring or reinstalling
        // would not help.
        if (RunsInstalled() && QFileInfo::exists(SuppliedDataRoot() + QStringLiteral("data/wedkarz.db")))
            return QString();
        return QStringLiteral("Brak pliku bazy danych %1. Przywróć go z kopii zapasowej albo zainstaluj program "
                              "ponownie.")
                   .arg(path) +
               untilThen;
    case DatabaseFileState::Empty:
    case DatabaseFileState::NotDatabase:
        break;
    }
    return QStringLiteral("Plik %1 nie jest bazą danych programu albo jest uszkodzony. Przywróć go z kopii zapasowej "
                          "albo zainstaluj program ponownie.")
               .arg(path) +
           untilThen;
}

void TMainFrm::closeEvent(QCloseEvent *event)
{
    // A catch typed into the diary and not yet saved is saved now; when that fails the
    // error has been shown and the window stays open with the typed values.
    if (TCalendarFrm *calendar = Windows().CalendarFrm; calendar && !calendar->SettleDiary()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TMainFrm::FormShow()
{
    Dock(Windows().CalendarFrm);
}

void TMainFrm::Dock(QWidget *view)
{
    if (!view)
        return;
    DockView(view, DockPanel);
    // Docking puts the view's Tab stops after the menu bar in the order the view gave
    // them, but entered wherever the view's own window happened to stand in that cycle:
    // the calendar is entered at its month grid, the start of its reading order.
    if (TCalendarFrm *calendar = Windows().CalendarFrm; calendar && view == calendar)
        EnterTabChainAt(view, calendar->MonthCalendar1->DayGrid());
}

void TMainFrm::Open(QWidget *view)
{
    Dock(view);
    // The keys go to the view the user opened, not to a covered one or the menu bar:
    // opened with Ctrl+2, the encyclopedia answers the arrows at once.
    const QWidget *focus = QApplication::focusWidget();
    if (!view || (focus && view->isAncestorOf(focus)))
        return;
    QWidget *first = nullptr;
    if (TCalendarFrm *calendar = Windows().CalendarFrm; calendar && view == calendar)
        first = calendar->MonthCalendar1->DayGrid();
    for (QWidget *w = view->nextInFocusChain(); !first && w != view && view->isAncestorOf(w);
         w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(view))
            first = w;
    }
    if (first)
        first->setFocus(Qt::TabFocusReason);
}

void TMainFrm::EnterTabChainAt(QWidget *view, QWidget *first)
{
    QList<QWidget *> stops;
    for (QWidget *w = view->nextInFocusChain(); w != view && view->isAncestorOf(w); w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            stops << w;
    }
    const qsizetype start = stops.indexOf(first);
    if (start <= 0)
        return;
    // The stops before the first one move, in their order, behind the last: the first
    // stop may be the focus proxy of a control that stands before it in the chain, so
    // it is the others that move.
    QWidget *previous = stops.last();
    for (qsizetype i = 0; i < start; ++i) {
        setTabOrder(previous, stops.at(i));
        previous = stops.at(i);
    }
}

void TMainFrm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window restored from the task bar is no new show.
    if (!event->spontaneous())
        FormShow();
}

void TMainFrm::Label1Click()
{
    if (TAboutFrm *about = Windows().AboutFrm)
        Platform::ShowModal(about);
}

void TMainFrm::Label2Click()
{
    Open(Windows().CalendarFrm);
}

void TMainFrm::Label3Click()
{
    Open(Windows().EncyklopediaFrm);
}

void TMainFrm::Label4Click()
{
    OpenPopup(PopupMenu1, Label4);
}

void TMainFrm::Label5Click()
{
    OpenPopup(PopupMenu2, Label5);
}

void TMainFrm::OpenPopup(QMenu *menu, TLinkLabel *label)
{
    if (!label->ByKeyboard()) {
        PopupAtCursor(menu);
        return;
    }
    // Opened from the keyboard the pointer may be anywhere: the menu drops from the label,
    // its first item ready for Enter.
    if (!menu->actions().isEmpty())
        menu->setActiveAction(menu->actions().first());
    Platform::PopupMenu(menu, label->mapToGlobal(QPoint(0, label->height() + 1)));
}

void TMainFrm::Label6Click()
{
    if (TReklamaFrm *links = Windows().ReklamaFrm)
        Platform::ShowModal(links);
}

void TMainFrm::estprzepisydotryb1Click()
{
    if (TTestyRybyFrm *test = Windows().TestyRybyFrm) {
        Open(test);
        test->NewTest();
    }
}

void TMainFrm::estprzepisydotsprztuwdkarzaimetodpo1Click()
{
    if (TTestyPrzepisyFrm *test = Windows().TestyPrzepisyFrm) {
        Open(test);
        test->NewTest();
    }
}

void TMainFrm::Nauka1Click()
{
    if (TNaukaFrm *practice = Windows().NaukaFrm) {
        Open(practice);
        practice->Start();
    }
}

void TMainFrm::Egzaminprbny1Click()
{
    if (TEgzaminFrm *exam = Windows().EgzaminFrm) {
        Open(exam);
        exam->Open();
    }
}

void TMainFrm::Zaczynamyowi1Click()
{
    OpenChapter(QStringLiteral("data/html/rozdzial_1/index.html"));
}

void TMainFrm::Sprzt1Click()
{
    OpenChapter(QStringLiteral("data/html/rozdzial_2/sprzet/index.html"));
}

void TMainFrm::Miniporadnik1Click()
{
    OpenChapter(QStringLiteral("data/html/rozdzial_3/miniporadnik/index.htm"));
}

void TMainFrm::Indeksmultimediw1Click()
{
    OpenChapter(QStringLiteral("data/html/rozdzial_4/multimedia/index.htm"));
}

void TMainFrm::OpenChapter(const QString &relativePath)
{
    if (TOpisFrm *viewer = Windows().OpisFrm)
        viewer->ShowDocument(ProgramDir + relativePath);
}

TLinkLabel *TMainFrm::MakeLabel(const char *name, const QString &text, const QRect &bounds)
{
    auto *label = new TLinkLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(bounds);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, LabelColor);
    label->setPalette(palette);
    return label;
}

QAction *TMainFrm::MakeItem(QMenu *menu, const char *name, const QString &text, void (TMainFrm::*handler)())
{
    QAction *item = menu->addAction(text);
    item->setObjectName(QLatin1String(name));
    connect(item, &QAction::triggered, this, handler);
    return item;
}

void TMainFrm::FitLabels()
{
    // The labels were laid out for a narrower face than the sans-serif one here: a label
    // grows to its text, the left group keeps its gaps, and the right group keeps its
    // right edges, so no two labels overlap.
    const QFontMetrics metrics(font());
    auto grow = [&](TLinkLabel *label) {
        const int needed = metrics.horizontalAdvance(label->text()) + 2;
        if (needed > label->width())
            label->resize(needed, std::max(label->height(), metrics.height()));
    };
    TLinkLabel *const left[] = {Label2, Label3, Label4, Label5};
    int previousRight = -1;
    int previousDesignedRight = -1;
    for (TLinkLabel *label : left) {
        const int designedLeft = label->x();
        const int designedRight = label->geometry().right();
        grow(label);
        if (previousRight >= 0)
            label->move(std::max(designedLeft, previousRight + (designedLeft - previousDesignedRight)), label->y());
        previousRight = label->geometry().right();
        previousDesignedRight = designedRight;
    }
    int nextLeft = -1;
    int nextDesignedLeft = -1;
    for (TLinkLabel *label : {Label1, Label6}) {
        const int designedLeft = label->x();
        int right = label->geometry().right();
        grow(label);
        if (nextLeft >= 0)
            right = std::min(right, nextLeft - (nextDesignedLeft - right));
        label->move(right - label->width() + 1, label->y());
        nextLeft = label->x();
        nextDesignedLeft = designedLeft;
    }
}

void TMainFrm::LoadBackground()
{
    try {
        Image1->LoadFromFile(ProgramDir + QStringLiteral("data/grafika/tlo.jpg"));
    } catch (...) {
        Image1->SetPicture(FallbackBackground());
    }
}
