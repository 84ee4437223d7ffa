#pragma once

#include <QDate>
#include <QtGlobal>
#include <functional>

class TMainFrm;
class TAboutFrm;
class TCalendarFrm;
class TDayFrm;
class TEncyklopediaFrm;
class TTestyRybyFrm;
class TTestyPrzepisyFrm;
class TNaukaFrm;
class TEgzaminFrm;
class TInfoFrm;
class TOpisFrm;
class TReklamaFrm;
class TCatchLogFrm;
class TDbConnection;

// The program's single window instances, created once at start-up (CreateWindows) and
// destroyed at exit. Views declare the windows they reach and include only the headers of
// windows in their own folder or below. A window whose creation failed stays null.
struct AppWindows
{
    TMainFrm *MainFrm = nullptr;
    TAboutFrm *AboutFrm = nullptr;
    TCalendarFrm *CalendarFrm = nullptr;
    TDayFrm *DayFrm = nullptr;
    TEncyklopediaFrm *EncyklopediaFrm = nullptr;
    TTestyRybyFrm *TestyRybyFrm = nullptr;
    TTestyPrzepisyFrm *TestyPrzepisyFrm = nullptr;
    TNaukaFrm *NaukaFrm = nullptr;
    TEgzaminFrm *EgzaminFrm = nullptr;
    TInfoFrm *InfoFrm = nullptr;
    TOpisFrm *OpisFrm = nullptr;
    TReklamaFrm *ReklamaFrm = nullptr;
    TCatchLogFrm *CatchLogFrm = nullptr;

    // The main window's connection, which every dataset of the views borrows. Views reach
    // it here rather than through the main window, which sits above them.
    TDbConnection *DataBase = nullptr;

    // Errands between views that may not include one another, wired at start-up.
    // Opens the catch log.
    std::function<void()> OpenCatchLog;
    // Shows the calendar on a day with the diary row of that rowid current.
    std::function<void(QDate day, qint64 rowId)> ShowCatchInCalendar;
    // The diary was replaced underneath the views (a restored backup): read it again.
    std::function<void()> DiaryReplaced;
    // Opens "Moje zezwolenie".
    std::function<void()> OpenPermit;
    // The angler's permit or waters were saved: the diary's warnings and completion follow.
    std::function<void()> OwnRulesChanged;
};

// The one place the windows are reached from.
AppWindows &Windows();
