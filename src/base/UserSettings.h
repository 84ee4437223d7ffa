#pragma once

#include <QSettings>

// The user's settings of this program (the sky's place, the folders files were saved in).
// An INI file in every system, so that tests can point it at a folder of their own.
QSettings UserSettings();
