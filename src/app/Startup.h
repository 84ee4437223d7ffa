#pragma once

class QApplication;

// Start-up, in this order: PrepareWebEngine before the application object exists;
// InitApplication once it does; CreateWindows; RunApplication; DestroyWindows at exit.

// The embedded web view's one-time set-up, which must precede the application object.
void PrepareWebEngine();
// Title, Polish texts for the standard buttons, the program's font, and the data layer's
// messages routed to a message box.
void InitApplication(QApplication &app);
// Creates the ten windows hidden, once each, in the program's fixed order. A window
// whose creation fails is reported in the standard error box and start-up goes on.
void CreateWindows();
// Shows the main window and runs the event loop until it closes.
int RunApplication();
// Destroys the windows in reverse order of creation.
void DestroyWindows();
