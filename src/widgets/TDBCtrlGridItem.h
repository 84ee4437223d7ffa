#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

// One bound text repeated on every panel of a panel grid: the field it shows, where it
// lies inside the panel, and how it is written.
struct TDBCtrlGridItem
{
    QString FieldName;
    QRect Geometry;
    QFont Font;
    QColor Color = Qt::black;
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignVCenter;
};
