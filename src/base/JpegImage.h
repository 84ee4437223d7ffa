#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Decodes a JPEG file with libjpeg-turbo. With a size to cover, it decodes at the
// smallest of libjpeg's scales (1/8 to 8/8) whose result still covers that size, so a
// camera photo shown in a small area never costs a full-size decode. A missing, broken
// or non-JPEG file raises EInOutError with a message that names the file.
QImage LoadJpeg(const QString &path, const QSize &cover = QSize());

// Loads a picture by its content: JPEG through LoadJpeg, PNG through the toolkit's own
// reader without asking the image format plugins, other formats the toolkit reads (BMP)
// through QImage. Raises EInOutError when nothing can read it.
QImage LoadPicture(const QString &path, const QSize &cover = QSize());
