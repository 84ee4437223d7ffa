#pragma once

// Connects the catch log with the calendar and the main window once both exist: the
// errands of AppWindows and the "Kalendarz" label's context menu.
void WireCatchLog();
