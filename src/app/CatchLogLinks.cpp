#include "app/CatchLogLinks.h"

#include "app/MainFrmUnit.h"
#include "calendar/CalendarFrmUnit.h"
#include "catchlog/CatchLogFrmUnit.h"
#include "catchlog/PermitFrmUnit.h"
#include "data/TDbConnection.h"
#include "quiz/EgzaminFrmUnit.h"
#include "quiz/NaukaFrmUnit.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDataSource.h"
#include "widgets/TLinkLabel.h"

#include <QApplication>
#include <QKeySequence>
#include <QMenu>

namespace {
void OpenCatchLog()
{
    AppWindows &w = Windows();
    if (!w.CatchLogFrm)
        return;
    // What is being typed in the day's diary belongs in the log too.
    if (w.CalendarFrm && !w.CalendarFrm->SettleDiary())
        return;
    w.CatchLogFrm->Execute();
}

// Catches from photos, asked for from the calendar: the log's own import, its summary
// and the calendar's new marks.
void ImportCatchPhotos()
{
    AppWindows &w = Windows();
    if (!w.CatchLogFrm || (w.CalendarFrm && !w.CalendarFrm->SettleDiary()))
        return;
    w.CatchLogFrm->PhotosButtonClick(false);
}

void ShowCatchInCalendar(QDate day, qint64 rowId)
{
    AppWindows &w = Windows();
    if (!w.CalendarFrm)
        return;
    if (w.MainFrm)
        w.MainFrm->Label2Click();
    w.CalendarFrm->ShowCatch(day, rowId);
}

void OwnRulesChanged()
{
    if (TCalendarFrm *calendar = Windows().CalendarFrm)
        calendar->OwnRulesChanged();
}

void OpenPermit()
{
    AppWindows &w = Windows();
    if (!w.DataBase || !w.DataBase->Connected())
        return;
    QWidget *parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : w.MainFrm;
    TPermitFrm dialog(*w.DataBase, parent);
    if (dialog.Execute())
        OwnRulesChanged();
}

void DiaryReplaced()
{
    const AppWindows &w = Windows();
    if (w.CalendarFrm)
        w.CalendarFrm->DiaryReplaced();
    // Practice and the exams' scores are kept in the diary: the restored one has its own.
    if (w.NaukaFrm)
        w.NaukaFrm->Start();
    if (w.EgzaminFrm)
        w.EgzaminFrm->Open();
}
} // namespace

void WireCatchLog()
{
    AppWindows &w = Windows();
    w.OpenCatchLog = [] { TDataSource::Guard(OpenCatchLog); };
    w.ShowCatchInCalendar = [](QDate day, qint64 rowId) {
        TDataSource::Guard([day, rowId] { ShowCatchInCalendar(day, rowId); });
    };
    w.DiaryReplaced = [] { TDataSource::Guard(DiaryReplaced); };
    w.OpenPermit = [] { TDataSource::Guard(OpenPermit); };
    w.OwnRulesChanged = [] { TDataSource::Guard(OwnRulesChanged); };
    if (!w.MainFrm)
        return;
    // The label keeps its text and its click; the log is one right click away.
    auto *menu = new QMenu(w.MainFrm);
    menu->setObjectName(QStringLiteral("CalendarPopupMenu"));
    QAction *item = menu->addAction(QStringLiteral("Dziennik połowów…"));
    item->setObjectName(QStringLiteral("DziennikPolowow1"));
    // The same action in the main window answers its shortcut wherever the focus is.
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    item->setShortcutContext(Qt::WindowShortcut);
    w.MainFrm->addAction(item);
    QObject::connect(item, &QAction::triggered, menu, [] { Windows().OpenCatchLog(); });
    QAction *photos = menu->addAction(QStringLiteral("Dodaj połowy ze zdjęć…"));
    photos->setObjectName(QStringLiteral("DodajZeZdjec1"));
    QObject::connect(photos, &QAction::triggered, menu, [] { TDataSource::Guard(ImportCatchPhotos); });
    const QString keys = item->shortcut().toString(QKeySequence::NativeText);
    TLinkLabel *label = w.MainFrm->Label2;
    label->setToolTip(label->toolTip() +
                      QStringLiteral("\nPrawy przycisk albo klawisz menu: dziennik połowów (%1)").arg(keys));
    if (w.CalendarFrm) {
        TLinkLabel *link = w.CalendarFrm->DayPanel->CatchLogLink;
        link->setToolTip(link->toolTip() + QStringLiteral(" (%1)").arg(keys));
    }
    QObject::connect(label, &TLinkLabel::menuRequested, menu,
                     [menu](const QPoint &at) { Platform::PopupMenu(menu, at); });
}
