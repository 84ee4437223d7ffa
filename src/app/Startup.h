#pragma once

#include <QString>
#include <memory>

class QApplication;
class QLockFile;

// Start-up, in this order: PrepareWebEngine before the application object exists;
// InitApplication once it does; CreateWindows; RunApplication; DestroyWindows at exit.

// The embedded web view's one-time set-up, which must precede the application object.
void PrepareWebEngine();
// Title, Polish texts for the standard buttons, the program's font, and the data layer's
// messages routed to a message box.
void InitApplication(QApplication &app);
// Keeps a second copy of the program off the data folder (the diary and its photos):
// the lock is held for as long as the returned object lives. Null when another running
// copy holds it, which the user has then been told in Polish. A lock left by a copy that
// was killed is taken over. The folder is made when it is missing.
std::unique_ptr<QLockFile> LockDataFolder(const QString &dataFolder);
// The same for the folder this program keeps its diary in.
std::unique_ptr<QLockFile> LockDataFolder();
// Creates the ten windows hidden, once each, in the program's fixed order. A window
// whose creation fails is reported in the standard error box and start-up goes on.
void CreateWindows();
// Shows the main window and runs the event loop until it closes.
int RunApplication();
// Destroys the windows in reverse order of creation.
void DestroyWindows();
