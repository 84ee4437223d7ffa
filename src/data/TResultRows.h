#pragma once

#include "data/FieldInfo.h"

#include <QString>
#include <QVariant>
#include <limits>
#include <memory>
#include <vector>

// How a fetch defines and converts the fields of a result.
struct FetchOptions
{
    QString dataSetName;
    bool typeLess = false;
    bool sqliteDateFormat = false;
    // Define the fields from the statement's columns when no row comes back.
    bool fieldsWithoutRows = false;
};

// The in-memory result of one open: the rows in order, each with its bookmark number
// and identity (the rowid, or the row's position when added for a result without one).
// Values are held typed. Cells and texts are written once into blocks that never move,
// so reading a large result allocates per block, not per cell, and never copies what
// it has read; the rows' order is a list of storage slots, so posting a row in the
// middle moves four bytes a row, not the cells.
class TResultRows
{
public:
    std::vector<TFieldDef> fieldDefs;
    qint64 rowWidth = 0;

    TResultRows() = default;
    TResultRows(TResultRows &&) = default;
    TResultRows &operator=(TResultRows &&) = default;

    int RowCount() const { return int(m_identities.size()); }
    int FieldCount() const { return int(fieldDefs.size()); }

    // Adds a field while the first row is read (TypeLess and the kind rules applied).
    // Raises for a duplicate name, an unsupported kind or a row wider than the
    // assembly buffer.
    void DefineField(const QString &name, const QString &declaredType, const FetchOptions &options);
    void CheckRowFits() const;

    // Reading a row: start it, assign each field from the engine's text (nullptr for
    // NULL), finish it with its identity.
    void StartRow();
    void AssignFromText(int field, const char *text, int bytes, const FetchOptions &options);
    void FinishRow(qint64 identity);
    // A finite number the engine holds in floating point, for a field of a floating-point
    // kind, taken as it is: the engine's text of it keeps only 15 digits.
    bool TakesFloat(int field) const
    {
        const TFieldType type = fieldDefs[size_t(field)].type;
        return type == TFieldType::ftFloat || type == TFieldType::ftCurrency;
    }
    void AssignFloat(int field, double value);

    bool IsNull(int row, int field) const { return IsNullCell(cell(row, field), m_storage[size_t(field)]); }
    QVariant Value(int row, int field) const;
    QString Text(int row, int field) const;
    std::vector<QVariant> RowValues(int row) const;

    int Bookmark(int row) const { return m_bookmarks[size_t(row)]; }
    qint64 Identity(int row) const { return m_identities[size_t(row)]; }
    int IndexOfBookmark(int bookmark) const;

    // Posted and deleted rows.
    void InsertRow(int position, const std::vector<QVariant> &values, qint64 identity);
    void OverwriteRow(int position, const std::vector<QVariant> &values);
    void RemoveRow(int position);

private:
    // Eight bytes a cell: a number or an integer, or a text's place and length. NULL is a
    // value no real cell holds: a NaN of our own, the lowest 64-bit integer (fields hold
    // 32 bits) or a length of all ones.
    union Cell {
        double number;
        qint64 integer;
        struct
        {
            quint32 place; // text block in the high bits, offset in it in the low ones
            quint32 length;
        } text;
    };
    static_assert(sizeof(Cell) == 8);
    static constexpr quint32 RowsPerBlock = 1024;
    static constexpr int TextOffsetBits = 20;
    static constexpr size_t TextBlockSize = size_t(1) << TextOffsetBits;
    static constexpr quint32 NullLength = 0xFFFFFFFFu;
    static constexpr qint64 NullInteger = std::numeric_limits<qint64>::min();
    static constexpr quint64 NullNumberBits = 0x7FF4'0000'DEAD'BEEFull;

    enum class Storage : quint8 { Text, Integer, Number };
    static Storage StorageOf(TFieldType type);
    static Cell NullCell(Storage storage)
    {
        Cell c;
        if (storage == Storage::Text)
            c.text = {0, NullLength};
        else
            c.integer = storage == Storage::Integer ? NullInteger : qint64(NullNumberBits);
        return c;
    }
    static bool IsNullCell(const Cell &c, Storage storage)
    {
        if (storage == Storage::Text)
            return c.text.length == NullLength;
        return c.integer == (storage == Storage::Integer ? NullInteger : qint64(NullNumberBits));
    }

    Cell *slotCells(quint32 slot) const
    {
        return &m_cellBlocks[slot / RowsPerBlock][size_t(slot % RowsPerBlock) * fieldDefs.size()];
    }
    const Cell &cell(int row, int field) const { return slotCells(m_slots[size_t(row)])[field]; }
    Cell &cell(int row, int field) { return slotCells(m_slots[size_t(row)])[field]; }
    const char *textOf(const Cell &c) const
    {
        if (c.text.length == 0)
            return "";
        return m_textBlocks[c.text.place >> TextOffsetBits].get() + (c.text.place & (TextBlockSize - 1));
    }
    quint32 newSlot();
    void storeText(Cell &target, const char *text, size_t bytes);
    Cell cellFromValue(int field, const QVariant &value);

    std::vector<Storage> m_storage; // of each field
    std::vector<std::unique_ptr<Cell[]>> m_cellBlocks;
    std::vector<quint32> m_slots;
    quint32 m_usedSlots = 0;
    Cell *m_current = nullptr; // the cells of the row being read
    std::vector<int> m_bookmarks;
    std::vector<qint64> m_identities;
    std::vector<std::unique_ptr<char[]>> m_textBlocks;
    size_t m_textUsed = TextBlockSize; // in the last block of TextBlockSize bytes
    quint32 m_textBlock = 0;           // that block's index
    int m_bookmarkCounter = 0;
    qint64 m_slotWidth = 0;
};
