#pragma once

#include <QString>

// The program's icon for the desktop's hicolor theme: PNG pictures from 16 to 256 pixels
// and a scalable SVG, all drawn from one description. Written under <dir>/hicolor/.
bool DrawAppIcons(const QString &dir);
