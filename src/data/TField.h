#pragma once

#include "base/DateUtils.h"

#include <QString>
#include <QVariant>

class TDbBaseQuery;

enum class TFieldType {
    ftUnknown,
    ftString,
    ftInteger,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftDate,
    ftTime,
    ftDateTime,
    ftTimeStamp,
    ftBlob,
    ftGraphic,
    ftMemo,
};

// One column of a dataset's result. A field always reads and writes the dataset's
// current record: the current row in browse state, the pending record in edit or
// insert state.
class TField
{
public:
    TField(TDbBaseQuery *dataSet, int index, QString name, TFieldType type, int size, int precision);

    TDbBaseQuery *DataSet() const { return m_dataSet; }
    int Index() const { return m_index; }
    const QString &FieldName() const { return m_name; }
    TFieldType DataType() const { return m_type; }
    // Characters for string fields, digits for numeric() fields, 0 otherwise.
    int Size() const { return m_size; }
    int Precision() const { return m_precision; }

    // The value held in typed form: QString, int, bool, double or (for dates and
    // times) a TDateTime double. A null value reads as an empty text or a zero.
    QVariant Value() const;
    bool IsNull() const;

    // The text form: strings unchanged, integers in decimal, numbers with "." as the
    // decimal separator and no needless digits, dates as DayText, booleans
    // "True"/"False", memos their whole text.
    QString AsString() const;
    int AsInteger() const;
    double AsFloat() const;
    TDateTime AsDateTime() const;

    // Writes are accepted only in edit or insert state ("<dataset>: Dataset not in edit
    // or insert mode" otherwise). Text is converted to the field's kind with the
    // reading conversions; a "," typed as decimal separator is taken as ".". Strings
    // are cut to the field size.
    void SetAsString(const QString &text);
    void SetAsInteger(int value);
    void SetAsFloat(double value);
    void SetAsDateTime(TDateTime value);
    void Clear();

private:
    friend class TDbBaseQuery;

    QVariant RawValue() const;
    void Write(const QVariant &value);

    // Null once the dataset has closed the result this field belonged to.
    TDbBaseQuery *m_dataSet;
    int m_index;
    QString m_name;
    TFieldType m_type;
    int m_size;
    int m_precision;
};
