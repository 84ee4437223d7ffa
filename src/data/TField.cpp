#include "data/TField.h"

#include "data/DbErrors.h"
#include "data/FieldConvert.h"
#include "data/TDbBaseQuery.h"

#include <cmath>

namespace {
std::string_view view(const QByteArray &bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

bool isText(TFieldType type)
{
    return type == TFieldType::ftString || type == TFieldType::ftMemo || type == TFieldType::ftUnknown;
}

bool isMoment(TFieldType type)
{
    return type == TFieldType::ftDate || type == TFieldType::ftTime || type == TFieldType::ftDateTime ||
           type == TFieldType::ftTimeStamp;
}
} // namespace

TField::TField(TDbBaseQuery *dataSet, int index, QString name, TFieldType type, int size, int precision)
    : m_dataSet(dataSet), m_index(index), m_name(std::move(name)), m_type(type), m_size(size), m_precision(precision)
{
}

QVariant TField::RawValue() const
{
    return m_dataSet ? m_dataSet->CurrentValue(m_index) : QVariant();
}

void TField::Write(const QVariant &value)
{
    if (!m_dataSet)
        throw EDatabaseError(QStringLiteral("Field '%1' belongs to a closed dataset").arg(m_name));
    QVariant stored = value;
    if (m_type == TFieldType::ftString && m_size > 0 && value.isValid()) {
        const QString text = value.toString();
        if (text.size() > m_size)
            stored = text.left(m_size);
    }
    m_dataSet->WriteValue(this, stored);
}

QVariant TField::Value() const
{
    const QVariant raw = RawValue();
    if (raw.isValid())
        return raw;
    switch (m_type) {
    case TFieldType::ftInteger:
        return 0;
    case TFieldType::ftBoolean:
        return false;
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        return QByteArray();
    default:
        return isText(m_type) ? QVariant(QString()) : QVariant(0.0);
    }
}

bool TField::IsNull() const
{
    return !RawValue().isValid();
}

QString TField::AsString() const
{
    return FieldConvert::TextOfValue(m_type, RawValue());
}

int TField::AsInteger() const
{
    const QVariant raw = RawValue();
    if (!raw.isValid())
        return 0;
    if (isText(m_type)) {
        const QString text = raw.toString();
        int value = 0;
        if (!FieldConvert::ParseInteger(view(text.toUtf8()), value))
            FieldConvert::RaiseConvertError(TFieldType::ftInteger, text);
        return value;
    }
    if (m_type == TFieldType::ftInteger || m_type == TFieldType::ftBoolean)
        return raw.toInt();
    if (isMoment(m_type))
        return int(std::trunc(raw.toDouble()));
    return int(std::lround(raw.toDouble()));
}

double TField::AsFloat() const
{
    const QVariant raw = RawValue();
    if (!raw.isValid())
        return 0;
    if (isText(m_type)) {
        const QString text = raw.toString();
        double value = 0;
        if (!FieldConvert::ParseFloat(view(text.toUtf8()), value))
            FieldConvert::RaiseConvertError(TFieldType::ftFloat, text);
        return value;
    }
    return raw.toDouble();
}

TDateTime TField::AsDateTime() const
{
    const QVariant raw = RawValue();
    if (!raw.isValid())
        return ZeroDate;
    if (isText(m_type)) {
        const QString text = raw.toString();
        TDateTime value = 0;
        if (!FieldConvert::ParseDate(view(text.toUtf8()), value))
            FieldConvert::RaiseConvertError(TFieldType::ftDateTime, text);
        return value;
    }
    return raw.toDouble();
}

void TField::SetAsString(const QString &text)
{
    const bool sqliteFormat = m_dataSet && m_dataSet->SQLiteDateFormat;
    Write(FieldConvert::ValueFromText(m_type, text, sqliteFormat));
}

void TField::SetAsInteger(int value)
{
    if (isText(m_type))
        Write(QString::number(value));
    else if (m_type == TFieldType::ftInteger)
        Write(value);
    else if (m_type == TFieldType::ftBoolean)
        Write(value != 0);
    else if (m_type == TFieldType::ftBlob || m_type == TFieldType::ftGraphic)
        Write(QByteArray::number(value));
    else
        Write(double(value));
}

void TField::SetAsFloat(double value)
{
    if (isText(m_type))
        Write(FieldConvert::FloatText(value));
    else if (m_type == TFieldType::ftInteger)
        Write(int(std::lround(value)));
    else if (m_type == TFieldType::ftBoolean)
        Write(value != 0);
    else if (m_type == TFieldType::ftDate)
        Write(DateOf(value));
    else if (m_type == TFieldType::ftBlob || m_type == TFieldType::ftGraphic)
        Write(FieldConvert::FloatText(value).toUtf8());
    else
        Write(value);
}

void TField::SetAsDateTime(TDateTime value)
{
    switch (m_type) {
    case TFieldType::ftDate:
        Write(DateOf(value));
        return;
    case TFieldType::ftTime:
        Write(std::fabs(value - std::trunc(value)));
        return;
    case TFieldType::ftDateTime:
    case TFieldType::ftTimeStamp:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        Write(value);
        return;
    case TFieldType::ftInteger:
        Write(int(std::trunc(value)));
        return;
    default:
        SetAsString(FieldConvert::TextOfValue(TFieldType::ftDateTime, value));
        return;
    }
}

void TField::Clear()
{
    Write(QVariant());
}
