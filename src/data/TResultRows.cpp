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
    m_storage.push_back(StorageOf(info.type));
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

TResultRows::Storage TResultRows::StorageOf(TFieldType type)
{
    switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftUnknown:
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        return Storage::Text;
    case TFieldType::ftInteger:
    case TFieldType::ftBoolean:
        return Storage::Integer;
    default:
        return Storage::Number;
    }
}

quint32 TResultRows::newSlot()
{
    if (m_usedSlots == 0xFFFFFFFFu)
        throw EDataLayerError(QStringLiteral("The result is too large to be held in memory"));
    if (m_usedSlots % RowsPerBlock == 0)
        m_cellBlocks.push_back(
            std::make_unique_for_overwrite<Cell[]>(RowsPerBlock * std::max<size_t>(fieldDefs.size(), 1)));
    return m_usedSlots++;
}

void TResultRows::StartRow()
{
    const quint32 slot = newSlot();
    m_slots.push_back(slot);
    // Every field of the row is assigned before the row is finished.
    m_current = slotCells(slot);
}

void TResultRows::storeText(Cell &target, const char *text, size_t bytes)
{
    constexpr size_t MaxBlocks = size_t(1) << (32 - TextOffsetBits);
    if (bytes >= NullLength)
        throw EDataLayerError(QStringLiteral("The result is too large to be held in memory"));
    if (bytes == 0) {
        target.text = {0, 0};
        return;
    }
    if (bytes > TextBlockSize - m_textUsed) {
        if (m_textBlocks.size() == MaxBlocks)
            throw EDataLayerError(QStringLiteral("The result is too large to be held in memory"));
        m_textBlocks.push_back(std::make_unique_for_overwrite<char[]>(std::max(TextBlockSize, bytes)));
        const auto index = quint32(m_textBlocks.size() - 1);
        target.text = {index << TextOffsetBits, quint32(bytes)};
        std::memcpy(m_textBlocks.back().get(), text, bytes);
        // A text as long as a block keeps its block to itself; what is left of the
        // current block stays for the texts after it.
        if (bytes < TextBlockSize) {
            m_textBlock = index;
            m_textUsed = bytes;
        }
        return;
    }
    target.text = {quint32(m_textBlock << TextOffsetBits | m_textUsed), quint32(bytes)};
    std::memcpy(m_textBlocks[m_textBlock].get() + m_textUsed, text, bytes);
    m_textUsed += bytes;
}

void TResultRows::AssignFromText(int field, const char *text, int bytes, const FetchOptions &options)
{
    const TFieldDef &def = fieldDefs[size_t(field)];
    Cell &target = m_current[field];
    const std::string_view value = text ? std::string_view(text, size_t(bytes)) : std::string_view();
    std::string converted;
    auto fail = [&] {
        const std::string_view shown = TextEncoding::AsUtf8(value, converted);
        FieldConvert::RaiseConvertError(def.type, QString::fromUtf8(shown.data(), qsizetype(shown.size())));
    };

    // A number the file does not know (NULL) reads as an empty value, not as a row that
    // cannot be read: one unmeasured fish must not hide the rest of its day.
    if (!text && m_storage[size_t(field)] != Storage::Text) {
        target = NullCell(m_storage[size_t(field)]);
        return;
    }
    switch (def.type) {
    case TFieldType::ftString:
    case TFieldType::ftUnknown:
        if (!text) {
            target = NullCell(Storage::Text);
            return;
        }
        {
            const std::string_view utf8 = TextEncoding::AsUtf8(value, converted);
            storeText(target, utf8.data(), utf8PrefixForUnits(utf8.data(), utf8.size(), def.size));
        }
        return;
    case TFieldType::ftMemo:
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        if (!text) {
            target = NullCell(Storage::Text);
            return;
        }
        {
            const void *zero = std::memchr(text, 0, value.size());
            const size_t length = zero ? size_t(static_cast<const char *>(zero) - text) : value.size();
            // A blob keeps its bytes; a memo is text.
            const std::string_view bytes(text, length);
            const std::string_view stored =
                def.type == TFieldType::ftMemo ? TextEncoding::AsUtf8(bytes, converted) : bytes;
            storeText(target, stored.data(), stored.size());
        }
        return;
    case TFieldType::ftInteger: {
        int number = 0;
        if (!FieldConvert::ParseInteger(value, number))
            fail();
        target.integer = number;
        return;
    }
    case TFieldType::ftBoolean: {
        bool flag = false;
        if (!FieldConvert::ParseBoolean(value, flag))
            fail();
        target.integer = flag ? 1 : 0;
        return;
    }
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency: {
        double number = 0;
        if (!FieldConvert::ParseFloat(value, number))
            fail();
        target.number = number;
        return;
    }
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
    case TFieldType::ftTimeStamp: {
        // An empty text or a NULL is the zero date; it stays empty when written back.
        if (value.empty()) {
            target = NullCell(Storage::Number);
            return;
        }
        TDateTime moment = 0;
        if (def.type == TFieldType::ftDateTime && options.sqliteDateFormat)
            moment = FieldConvert::ParseSQLiteDateTime(value);
        else if (!FieldConvert::ParseDate(value, moment) &&
                 !(def.type == TFieldType::ftTime && FieldConvert::ParseTimeOfDay(value, moment)))
            fail();
        target.number = FieldConvert::KindPart(def.type, moment);
        return;
    }
    }
}

void TResultRows::AssignFloat(int field, double value)
{
    m_current[field].number = value;
}

void TResultRows::FinishRow(qint64 identity)
{
    m_bookmarks.push_back(++m_bookmarkCounter);
    m_identities.push_back(identity);
}

QVariant TResultRows::Value(int row, int field) const
{
    const Cell &c = cell(row, field);
    if (IsNullCell(c, m_storage[size_t(field)]))
        return {};
    switch (fieldDefs[size_t(field)].type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftUnknown:
        return QString::fromUtf8(textOf(c), c.text.length);
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        return QByteArray(textOf(c), c.text.length);
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
    if (IsNullCell(c, m_storage[size_t(field)]))
        return {};
    switch (def.type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
        return QString::fromUtf8(textOf(c), c.text.length);
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
    Cell c = NullCell(m_storage[size_t(field)]);
    if (!value.isValid())
        return c;
    switch (fieldDefs[size_t(field)].type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftUnknown:
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic: {
        const QByteArray bytes =
            value.typeId() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8();
        storeText(c, bytes.constData(), size_t(bytes.size()));
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
        // A NaN put in by a caller must not read back as NULL.
        if (quint64(c.integer) == NullNumberBits)
            c.number = std::numeric_limits<double>::quiet_NaN();
        break;
    }
    return c;
}

void TResultRows::InsertRow(int position, const std::vector<QVariant> &values, qint64 identity)
{
    const quint32 slot = newSlot();
    Cell *const cells = slotCells(slot);
    for (int field = 0; field < FieldCount(); ++field)
        cells[field] = cellFromValue(field, size_t(field) < values.size() ? values[size_t(field)] : QVariant());
    m_slots.insert(m_slots.begin() + position, slot);
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
    m_slots.erase(m_slots.begin() + position);
    m_bookmarks.erase(m_bookmarks.begin() + position);
    m_identities.erase(m_identities.begin() + position);
}
