#pragma once

class TMainFrm;
class TAboutFrm;
class TCalendarFrm;
class TDayFrm;
class TEncyklopediaFrm;
class TTestyRybyFrm;
class TTestyPrzepisyFrm;
class TInfoFrm;
class TOpisFrm;
class TReklamaFrm;
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
    TInfoFrm *InfoFrm = nullptr;
    TOpisFrm *OpisFrm = nullptr;
    TReklamaFrm *ReklamaFrm = nullptr;

    // The main window's connection, which every dataset of the views borrows. Views reach
    // it here rather than through the main window, which sits above them.
    TDbConnection *DataBase = nullptr;
};

// The one place the windows are reached from.
AppWindows &Windows();
