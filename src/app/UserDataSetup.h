#pragma once

// The start, before any window opens the diary: makes the user's data folder with its
// photo folder, finishes or undoes a restore that was cut short, and, for an installed
// program, brings the user's database up to the shipped one. A failure is shown in the
// standard error box; the main window then tells what is missing.
void PrepareUserData();
