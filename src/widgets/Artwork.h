#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

// The program's own pictures (data/grafika), read as LoadPicture reads them, so that a
// PNG does not make the toolkit load every image format plugin at start-up. A missing or
// broken file gives an empty picture, as QImage(path) and QIcon(path) do.
QImage ArtworkImage(const QString &path);
// With a second file for the disabled look, when the artwork has one.
QIcon ArtworkIcon(const QString &path, const QString &disabledPath = QString());
