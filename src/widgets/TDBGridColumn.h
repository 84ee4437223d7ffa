#pragma once

#include <QString>

// One column of a data grid: the field it shows, its title, its width in pixels and
// whether it is a tick box.
struct TDBGridColumn
{
    QString FieldName;
    QString Title;
    int Width = 64;
    // Shown as a tick box: a non-zero number is ticked; ticking writes 1, clearing 0.
    bool Check = false;
};
