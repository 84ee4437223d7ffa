// The text-to-value conversions of every field kind, as the fetch and the fields apply
// them: any text converts or fails with the conversion error, and a value that converts
// reads back the same from its own text form.
#include "FuzzInput.h"
#include "base/Exception.h"
#include "data/FieldConvert.h"
#include "data/TResultRows.h"

#include <cmath>
#include <cstdlib>

namespace {
struct Kind
{
    const char *declared;
    TFieldType type;
};
constexpr Kind Kinds[] = {
    {"varchar(20)", TFieldType::ftString}, {"text", TFieldType::ftString},       {"memo", TFieldType::ftMemo},
    {"blob", TFieldType::ftBlob},          {"integer", TFieldType::ftInteger},   {"float", TFieldType::ftFloat},
    {"money", TFieldType::ftCurrency},     {"boolean", TFieldType::ftBoolean},   {"date", TFieldType::ftDate},
    {"time", TFieldType::ftTime},          {"datetime", TFieldType::ftDateTime},
};

bool sameValue(TFieldType type, const QVariant &a, const QVariant &b)
{
    switch (type) {
    case TFieldType::ftInteger:
    case TFieldType::ftBoolean:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftDate:
        return a == b;
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
        // Their text form keeps whole seconds.
        return std::fabs(a.toDouble() - b.toDouble()) * 86400.0 < 1.0;
    default:
        return true;
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const Kind &kind = Kinds[input.take<uint8_t>() % std::size(Kinds)];
    const bool sqliteDateFormat = input.take<uint8_t>() & 1;
    const QByteArray text = input.rest();

    FetchOptions options;
    options.sqliteDateFormat = sqliteDateFormat;
    TResultRows rows;
    rows.DefineField(QStringLiteral("f"), QString::fromLatin1(kind.declared), options);
    rows.StartRow();
    try {
        rows.AssignFromText(0, text.constData(), int(text.size()), options);
        rows.FinishRow(1);
        (void)rows.Text(0, 0);
    } catch (const EConvertError &) {
    }

    // Typed text, as the controls write it.
    const QString typed = QString::fromUtf8(text);
    QVariant value;
    try {
        value = FieldConvert::ValueFromText(kind.type, typed, sqliteDateFormat);
    } catch (const EConvertError &) {
        return 0;
    }
    if (!value.isValid())
        return 0;
    if (kind.type == TFieldType::ftDateTime && sqliteDateFormat)
        return 0; // positional parsing reads text of another form than the one written
    const QString written = FieldConvert::TextOfValue(kind.type, value);
    QVariant again;
    try {
        again = FieldConvert::ValueFromText(kind.type, written, sqliteDateFormat);
    } catch (const EConvertError &) {
        std::abort();
    }
    if (!sameValue(kind.type, value, again))
        std::abort();
    return 0;
}
