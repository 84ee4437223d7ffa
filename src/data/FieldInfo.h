#pragma once

#include "data/TField.h"

#include <QString>

// A field's kind and size as the fetch defines it from a column's declared type.
struct FieldInfo
{
    TFieldType type = TFieldType::ftString;
    int size = 255;
    int precision = 0;
};

// The column's declared type (as sqlite3_column_decltype reports it; "" for an
// expression), compared in lower case.
FieldInfo GetFieldInfo(const QString &declaredType);

// Whether the engine gives a column of this declared type numeric affinity: it then stores
// text that reads as a number as that number ("007" comes back as "7").
bool ConvertsNumericText(const QString &declaredType);

// The width a field adds to RowWidth. Raises EDataLayerError for a kind the layer does
// not hold ("timestamp").
int GetNativeFieldSize(const QString &fieldName, TFieldType type, int size);

// The bytes a field's slot takes in an assembled row; a result's slots must fit in
// RowAssemblyBufferSize.
int FieldSlotSize(TFieldType type, int size);
constexpr int RowAssemblyBufferSize = 30000;

// One column of a result, as the fetch defines it.
struct TFieldDef
{
    QString name;
    TFieldType type = TFieldType::ftString;
    int size = 0;
    int precision = 0;
    bool convertsNumbers = false;
};
