#include "data/FieldInfo.h"

#include "data/DbErrors.h"

namespace {
bool leadingNumber(QStringView text, int &value)
{
    int digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    if (digits == 0)
        return false;
    bool ok = false;
    value = text.left(digits).toInt(&ok);
    return ok;
}

FieldInfo sizedType(const QString &type, qsizetype open, qsizetype close)
{
    const QString base = type.left(open);
    const QStringView inside = QStringView(type).mid(open + 1, close - open - 1);
    int size = 0;
    if (base == QLatin1String("varchar") || base == QLatin1String("char") || base == QLatin1String("varchar2")) {
        bool ok = false;
        size = inside.trimmed().toInt(&ok);
        if (ok && size > 0)
            return {TFieldType::ftString, size, 0};
        return {TFieldType::ftString, 255, 0};
    }
    if (base == QLatin1String("numeric")) {
        qsizetype separator = inside.indexOf(QLatin1Char('.'));
        if (separator < 0)
            separator = inside.indexOf(QLatin1Char(','));
        if (separator < 0) {
            leadingNumber(inside.trimmed(), size);
            return {TFieldType::ftFloat, size, 0};
        }
        int precision = 0;
        leadingNumber(inside.left(separator).trimmed(), size);
        leadingNumber(inside.mid(separator + 1, 2), precision);
        return {TFieldType::ftFloat, size, precision};
    }
    return {TFieldType::ftString, 255, 0};
}
} // namespace

FieldInfo GetFieldInfo(const QString &declaredType)
{
    const QString type = declaredType.toLower();
    const qsizetype open = type.indexOf(QLatin1Char('('));
    if (open >= 0) {
        const qsizetype close = type.indexOf(QLatin1Char(')'), open);
        if (close < 0)
            return {TFieldType::ftString, 256, 0};
        return sizedType(type, open, close);
    }
    struct Named
    {
        const char *name;
        TFieldType type;
        int size;
    };
    static constexpr Named named[] = {
        {"date", TFieldType::ftDate, 0},          {"datetime", TFieldType::ftDateTime, 0},
        {"time", TFieldType::ftTime, 0},          {"timestamp", TFieldType::ftTimeStamp, 0},
        {"integer", TFieldType::ftInteger, 0},    {"float", TFieldType::ftFloat, 0},
        {"real", TFieldType::ftFloat, 0},         {"boolean", TFieldType::ftBoolean, 0},
        {"logical", TFieldType::ftBoolean, 0},    {"text", TFieldType::ftString, 255},
        {"string", TFieldType::ftString, 255},    {"currency", TFieldType::ftCurrency, 0},
        {"financial", TFieldType::ftCurrency, 0}, {"money", TFieldType::ftCurrency, 0},
        {"blob", TFieldType::ftBlob, 0},          {"graphic", TFieldType::ftGraphic, 0},
        {"clob", TFieldType::ftMemo, 0},          {"memo", TFieldType::ftMemo, 0},
        {"longtext", TFieldType::ftMemo, 0},
    };
    for (const Named &n : named) {
        if (type == QLatin1String(n.name))
            return {n.type, n.size, 0};
    }
    return {TFieldType::ftString, 255, 0};
}

bool ConvertsNumericText(const QString &declaredType)
{
    // The engine's affinity rules, in their order: INTEGER, TEXT, BLOB (none), REAL, NUMERIC.
    const QString type = declaredType.toUpper();
    if (type.contains(QLatin1String("INT")))
        return true;
    if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("CLOB")) ||
        type.contains(QLatin1String("TEXT")))
        return false;
    return !(type.isEmpty() || type.contains(QLatin1String("BLOB")));
}

int GetNativeFieldSize(const QString &fieldName, TFieldType type, int size)
{
    switch (type) {
    case TFieldType::ftString:
        return size;
    case TFieldType::ftDateTime:
        return 20;
    case TFieldType::ftInteger:
    case TFieldType::ftBoolean:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
    case TFieldType::ftMemo:
        return 12;
    case TFieldType::ftTimeStamp:
    case TFieldType::ftUnknown:
        break;
    }
    throw EDataLayerError(QStringLiteral("Fieldtype of Field \"%1\" not supported!").arg(fieldName));
}

int FieldSlotSize(TFieldType type, int size)
{
    switch (type) {
    case TFieldType::ftString:
        return size;
    case TFieldType::ftBoolean:
        return 2;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftDateTime:
        return 8;
    default:
        return 4;
    }
}
