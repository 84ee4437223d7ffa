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

// The program's single window instances, created once at start-up (CreateWindows) and
// destroyed at exit. A window whose creation failed stays null.
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
};

// The one place the windows are reached from.
AppWindows &Windows();
