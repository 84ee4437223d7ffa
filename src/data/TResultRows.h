#pragma once

#include "data/FieldInfo.h"

#include <QString>
#include <QVariant>
#include <string>
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
// Values are held typed; texts live in one growing buffer so that reading a large
// result allocates per result, not per cell.
class TResultRows
{
public:
    std::vector<TFieldDef> fieldDefs;
    qint64 rowWidth = 0;

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
    bool TakesFloat(int field) const;
    void AssignFloat(int field, double value);

    bool IsNull(int row, int field) const { return cell(row, field).null; }
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
    struct TextRef
    {
        quint32 offset;
        quint32 length;
    };
    struct Cell
    {
        union {
            double number;
            qint64 integer;
            TextRef text;
        };
        bool null = true;
        Cell() : integer(0) {}
    };

    const Cell &cell(int row, int field) const { return m_cells[size_t(row) * fieldDefs.size() + size_t(field)]; }
    Cell &cell(int row, int field) { return m_cells[size_t(row) * fieldDefs.size() + size_t(field)]; }
    TextRef storeText(const char *text, size_t bytes);
    Cell cellFromValue(int field, const QVariant &value);

    std::vector<Cell> m_cells;
    std::vector<int> m_bookmarks;
    std::vector<qint64> m_identities;
    std::string m_texts;
    int m_bookmarkCounter = 0;
    qint64 m_slotWidth = 0;
};
