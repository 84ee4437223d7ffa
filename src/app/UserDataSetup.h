#pragma once

// An installed program's start: makes the user's data folder with its photo folder and
// brings the user's database up to the shipped one, before any window opens it. Does
// nothing for a portable copy. A failure is shown in the standard error box; the main
// window then tells what is missing.
void PrepareUserData();
