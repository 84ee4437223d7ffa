#pragma once

#include <QImage>

// The backgrounds of the links window and the About window.
QImage LinksPicture();
QImage AboutPicture();
