#pragma once

#include <QString>

// One column of a data grid: the field it shows, its title and its width in pixels.
struct TDBGridColumn
{
    QString FieldName;
    QString Title;
    int Width = 64;
};
