#pragma once

#include <QString>

// Draws a side view of every species of the encyclopedia into folder, one JPEG each,
// named as the species table names them. False when a picture could not be written.
bool DrawSpeciesPictures(const QString &folder);
