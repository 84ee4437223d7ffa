#include "data/TResultRows.h"

#include "base/DateUtils.h"
#include "data/DbErrors.h"
#include "data/FieldConvert.h"
#include "data/TextEncoding.h"

#include <cstring>

namespace {
// Bytes of the longest prefix of UTF-8 text that holds at most `units` UTF-16 units.
size_t utf8PrefixForUnits(const char *text, size_t bytes, int units)
{
    if (bytes <= size_t(units))
        return bytes;
    size_t at = 0;
    int used = 0;
    while (at < bytes) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const size_t length = lead < 0x80         ? 1
                              : (lead >> 5) == 6  ? 2
                              : (lead >> 4) == 14 ? 3
                              : (lead >> 3) == 30 ? 4
                                                  : 1;
        const int width = length == 4 ? 2 : 1;
        if (used + width > units)
            break;
        used += width;
        at += length;
    }
    return std::min(at, bytes);
}

// Text that is not UTF-8 was stored by an older program in the Windows code page; read
// as UTF-8 it would show replacement characters and be written back as them.
std::string_view utf8Text(std::string_view bytes, std::string &converted)
{
    if (TextEncoding::IsValidUtf8(bytes))
        return bytes;
    converted = TextEncoding::Windows1250ToUtf8(bytes);
    return converted;
}

QString withDataSetName(const QString &name, const QString &message)
{
    return name.isEmpty() ? message : name + QStringLiteral(": ") + message;
}
} // namespace

void TResultRows::DefineField(const QString &name, const QString &declaredType, const FetchOptions &options)
{
    for (const TFieldDef &def : fieldDefs) {
        if (def.name.compare(name, Qt::CaseInsensitive) == 0)
            throw EDatabaseError(
                withDataSetName(options.dataSetName, QStringLiteral("Duplicate field name '%1'").arg(name)));
    }
    const FieldInfo info = options.typeLess ? FieldInfo{} : GetFieldInfo(declaredType);
    rowWidth += GetNativeFieldSize(name, info.type, info.size);
    m_slotWidth += FieldSlotSize(info.type, info.size);
    const bool sized = info.type == TFieldType::ftString || info.type == TFieldType::ftFloat;
    fieldDefs.push_back({name, info.type, sized ? info.size : 0, info.type == TFieldType::ftFloat ? info.precision : 0,
                         ConvertsNumericText(declaredType)});
}

void TResultRows::CheckRowFits() const
{
    if (m_slotWidth > RowAssemblyBufferSize)
        throw EDataLayerError(QStringLiteral("The fields of this result need %1 bytes per row; a row holds at most %2")
                                  .arg(m_slotWidth)
                                  .arg(RowAssemblyBufferSize));
}

void TResultRows::StartRow()
{
    m_cells.resize(m_cells.size() + fieldDefs.size());
}

TResultRows::TextRef TResultRows::storeText(const char *text, size_t bytes)
{
    if (m_texts.size() + bytes > 0xFFFFFFFFu)
        throw EDataLayerError(QStringLiteral("The result is too large to be held in memory"));
    const TextRef ref{quint32(m_texts.size()), quint32(bytes)};
    m_texts.append(text, bytes);
    return ref;
}

void TResultRows::AssignFromText(int field, const char *text, int bytes, const FetchOptions &options)
{
    const TFieldDef &def = fieldDefs[size_t(field)];
    Cell &target = m_cells[m_cells.size() - fieldDefs.size() + size_t(field)];
    const std::string_view value = text ? std::string_view(text, size_t(bytes)) : std::string_view();
    std::string converted;
    auto fail = [&] {
        const std::string_view shown = utf8Text(value, converted);
        FieldConvert::RaiseConvertError(def.type, QString::fromUtf8(shown.data(), qsizetype(shown.size())));
    };

    switch (def.type) {
    case TFieldType::ftString:
    case TFieldType::ftUnknown:
        if (text) {
            const std::string_view utf8 = utf8Text(value, converted);
            target.text = storeText(utf8.data(), utf8PrefixForUnits(utf8.data(), utf8.size(), def.size));
            target.null = false;
        }
        return;
    case TFieldType::ftMemo:
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        if (text) {
            const void *zero = std::memchr(text, 0, value.size());
            const size_t length = zero ? size_t(static_cast<const char *>(zero) - text) : value.size();
            // A blob keeps its bytes; a memo is text.
            const std::string_view bytes(text, length);
            const std::string_view stored = def.type == TFieldType::ftMemo ? utf8Text(bytes, converted) : bytes;
            target.text = storeText(stored.data(), stored.size());
            target.null = false;
        }
        return;
    case TFieldType::ftInteger: {
        int number = 0;
        if (!FieldConvert::ParseInteger(value, number))
            fail();
        target.integer = number;
        target.null = false;
        return;
    }
    case TFieldType::ftBoolean: {
        bool flag = false;
        if (!FieldConvert::ParseBoolean(value, flag))
            fail();
        target.integer = flag ? 1 : 0;
        target.null = false;
        return;
    }
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency: {
        double number = 0;
        if (!FieldConvert::ParseFloat(value, number))
            fail();
        target.number = number;
        target.null = false;
        return;
    }
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
    case TFieldType::ftTimeStamp: {
        // An empty text or a NULL is the zero date; it stays empty when written back.
        if (value.empty())
            return;
        TDateTime moment = 0;
        if (def.type == TFieldType::ftDateTime && options.sqliteDateFormat)
            moment = FieldConvert::ParseSQLiteDateTime(value);
        else if (!FieldConvert::ParseDate(value, moment) &&
                 !(def.type == TFieldType::ftTime && FieldConvert::ParseTimeOfDay(value, moment)))
            fail();
        target.number = FieldConvert::KindPart(def.type, moment);
        target.null = false;
        return;
    }
    }
}

bool TResultRows::TakesFloat(int field) const
{
    const TFieldType type = fieldDefs[size_t(field)].type;
    return type == TFieldType::ftFloat || type == TFieldType::ftCurrency;
}

void TResultRows::AssignFloat(int field, double value)
{
    Cell &target = m_cells[m_cells.size() - fieldDefs.size() + size_t(field)];
    target.number = value;
    target.null = false;
}

void TResultRows::FinishRow(qint64 identity)
{
    m_bookmarks.push_back(++m_bookmarkCounter);
    m_identities.push_back(identity);
}

QVariant TResultRows::Value(int row, int field) const
{
    const Cell &c = cell(row, field);
    if (c.null)
        return {};
    switch (fieldDefs[size_t(field)].type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftUnknown:
        return QString::fromUtf8(m_texts.data() + c.text.offset, c.text.length);
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        return QByteArray(m_texts.data() + c.text.offset, c.text.length);
    case TFieldType::ftInteger:
        return int(c.integer);
    case TFieldType::ftBoolean:
        return c.integer != 0;
    default:
        return c.number;
    }
}

QString TResultRows::Text(int row, int field) const
{
    const TFieldDef &def = fieldDefs[size_t(field)];
    const Cell &c = cell(row, field);
    if (c.null)
        return {};
    switch (def.type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
        return QString::fromUtf8(m_texts.data() + c.text.offset, c.text.length);
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return FieldConvert::FloatText(c.number);
    case TFieldType::ftDate:
        return DayText(c.number);
    case TFieldType::ftInteger:
        return QString::number(int(c.integer));
    default:
        return FieldConvert::TextOfValue(def.type, Value(row, field));
    }
}

std::vector<QVariant> TResultRows::RowValues(int row) const
{
    std::vector<QVariant> values;
    values.reserve(fieldDefs.size());
    for (int field = 0; field < FieldCount(); ++field)
        values.push_back(Value(row, field));
    return values;
}

int TResultRows::IndexOfBookmark(int bookmark) const
{
    for (size_t i = 0; i < m_bookmarks.size(); ++i) {
        if (m_bookmarks[i] == bookmark)
            return int(i);
    }
    return -1;
}

TResultRows::Cell TResultRows::cellFromValue(int field, const QVariant &value)
{
    Cell c;
    if (!value.isValid())
        return c;
    c.null = false;
    switch (fieldDefs[size_t(field)].type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftUnknown:
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic: {
        const QByteArray bytes =
            value.typeId() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8();
        c.text = storeText(bytes.constData(), size_t(bytes.size()));
        break;
    }
    case TFieldType::ftInteger:
        c.integer = value.toInt();
        break;
    case TFieldType::ftBoolean:
        c.integer = value.toBool() ? 1 : 0;
        break;
    default:
        c.number = value.toDouble();
        break;
    }
    return c;
}

void TResultRows::InsertRow(int position, const std::vector<QVariant> &values, qint64 identity)
{
    std::vector<Cell> cells(fieldDefs.size());
    for (int field = 0; field < FieldCount(); ++field)
        cells[size_t(field)] = cellFromValue(field, size_t(field) < values.size() ? values[size_t(field)] : QVariant());
    m_cells.insert(m_cells.begin() + ptrdiff_t(size_t(position) * fieldDefs.size()), cells.begin(), cells.end());
    m_bookmarks.insert(m_bookmarks.begin() + position, ++m_bookmarkCounter);
    m_identities.insert(m_identities.begin() + position, identity);
}

void TResultRows::OverwriteRow(int position, const std::vector<QVariant> &values)
{
    for (int field = 0; field < FieldCount(); ++field)
        cell(position, field) =
            cellFromValue(field, size_t(field) < values.size() ? values[size_t(field)] : QVariant());
}

void TResultRows::RemoveRow(int position)
{
    const auto first = m_cells.begin() + ptrdiff_t(size_t(position) * fieldDefs.size());
    m_cells.erase(first, first + ptrdiff_t(fieldDefs.size()));
    m_bookmarks.erase(m_bookmarks.begin() + position);
    m_identities.erase(m_identities.begin() + position);
}
