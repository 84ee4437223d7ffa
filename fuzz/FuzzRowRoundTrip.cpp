// The row statements' round trip through the real engine: any value a table writes with
// its insert or update statement reads back as the same value, and any column name
// addresses that column only.
#include "FuzzInput.h"
#include "base/DateUtils.h"
#include "base/Exception.h"
#include "data/FieldInfo.h"
#include "data/RowStatements.h"
#include "data/TDbConnection.h"
#include "data/TResultRows.h"

#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>

namespace {
struct Column
{
    const char *name;
    const char *declared;
    TFieldType type;
};
constexpr Column Columns[] = {
    {"s", "varchar(40)", TFieldType::ftString}, {"t", "text", TFieldType::ftString},
    {"m", "memo", TFieldType::ftMemo},          {"i", "integer", TFieldType::ftInteger},
    {"f", "float", TFieldType::ftFloat},        {"c", "money", TFieldType::ftCurrency},
    {"b", "boolean", TFieldType::ftBoolean},    {"d", "date", TFieldType::ftDate},
    {"dt", "datetime", TFieldType::ftDateTime}, {"bl", "blob", TFieldType::ftBlob},
};
constexpr int ColumnCount = int(std::size(Columns));
const QString DateTimeFormat = QStringLiteral("yyyy-mm-dd hh:nn:ss.zzz");

TDbConnection &connection()
{
    static QTemporaryDir dir;
    static TDbConnection db;
    if (!db.Connected()) {
        db.SetDriverDLL(QStringLiteral(SQLITE_ENGINE));
        db.SetDefaultDir(dir.path());
        db.SetDatabase(QStringLiteral("fuzz.db"));
        db.SetConnected(true);
        db.ExecStatement(QStringLiteral("pragma journal_mode=memory"));
        db.ExecStatement(QStringLiteral("pragma synchronous=off"));
        QString create = QStringLiteral("create table t (");
        for (const Column &column : Columns)
            create += QLatin1String(column.name) + QLatin1Char(' ') + QLatin1String(column.declared) + QLatin1Char(',');
        create.back() = QLatin1Char(')');
        db.ExecStatement(create);
    }
    return db;
}

// Texts without the zero character, which ends a memo as it is read.
QString textValue(FuzzInput &input, int limit)
{
    QString text = QString::fromUtf8(input.bytes(size_t(limit) * 3)).remove(QChar(0));
    if (text.size() > limit) {
        text.truncate(limit);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

QVariant valueFor(const Column &column, FuzzInput &input)
{
    switch (column.type) {
    case TFieldType::ftString:
        return textValue(input, 40);
    case TFieldType::ftMemo:
        return textValue(input, 2000);
    case TFieldType::ftInteger:
        return input.take<int32_t>();
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency: {
        const double number = input.take<double>();
        return std::isfinite(number) ? number : 0.0;
    }
    case TFieldType::ftBoolean:
        return bool(input.take<uint8_t>() & 1);
    case TFieldType::ftDate:
        return EncodeDateTime(1 + int(input.take<uint16_t>() % 9999), 1 + input.take<uint8_t>() % 12,
                              1 + input.take<uint8_t>() % 28, 0, 0, 0, 0);
    case TFieldType::ftDateTime:
        return EncodeDateTime(1 + int(input.take<uint16_t>() % 9999), 1 + input.take<uint8_t>() % 12,
                              1 + input.take<uint8_t>() % 28, input.take<uint8_t>() % 24, input.take<uint8_t>() % 60,
                              input.take<uint8_t>() % 60, int(input.take<uint16_t>() % 1000));
    default: {
        QByteArray bytes = input.bytes(200);
        bytes.replace('\0', 'z');
        return bytes;
    }
    }
}

QStringList literals(const std::vector<QVariant> &values)
{
    QStringList out;
    for (int i = 0; i < ColumnCount; ++i)
        out << RowValueLiteral(Columns[i].type, values[size_t(i)], DateTimeFormat,
                               ConvertsNumericText(QLatin1String(Columns[i].declared)));
    return out;
}

TResultRows readBack(TDbConnection &db, const QString &sql)
{
    TResultRows rows;
    FetchOptions options;
    options.sqliteDateFormat = true;
    db.FetchInto(sql, rows, options);
    return rows;
}

// The engine converts the written text to its number itself, and that conversion is not
// correctly rounded far from the magnitudes of weights and lengths: there a last-digit
// difference is the engine's.
bool sameNumber(double read, double written)
{
    const double magnitude = std::fabs(written);
    if (magnitude == 0 || (magnitude >= 1e-12 && magnitude <= 1e12))
        return read == written;
    const double ulp = std::nextafter(magnitude, HUGE_VAL) - magnitude;
    return std::fabs(read - written) <= 2 * ulp;
}

void checkRow(const TResultRows &rows, const std::vector<QVariant> &values)
{
    if (rows.RowCount() != 1)
        std::abort();
    for (int i = 0; i < ColumnCount; ++i) {
        const QVariant read = rows.Value(0, i);
        const QVariant &written = values[size_t(i)];
        const bool same =
            written.typeId() == QMetaType::Double ? sameNumber(read.toDouble(), written.toDouble()) : read == written;
        if (!same) {
            std::fprintf(stderr, "column %s: wrote %s, read %s\n", Columns[i].name, qPrintable(written.toString()),
                         qPrintable(read.toString()));
            std::abort();
        }
    }
}

// A table with a column of that name, and a second row that no statement on the
// first may touch.
void checkColumnName(TDbConnection &db, const QString &name)
{
    if (name.isEmpty() || name.compare(QLatin1String("rowid"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("oid"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("_rowid_"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("other"), Qt::CaseInsensitive) == 0)
        return;
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    db.ExecStatement(QStringLiteral("create table n (\"%1\" text, other text)").arg(quoted));
    const QStringList names{name, QStringLiteral("other")};
    db.ExecStatement(RowInsertStatement(QStringLiteral("n"), names, {QStringLiteral("'a'"), QStringLiteral("'1'")}));
    const qint64 first = db.LastInsertRowId();
    db.ExecStatement(RowInsertStatement(QStringLiteral("n"), names, {QStringLiteral("'b'"), QStringLiteral("'2'")}));
    db.ExecStatement(
        RowUpdateStatement(QStringLiteral("n"), names, {QStringLiteral("'c'"), QStringLiteral("'3'")}, first));
    const TResultRows rows = readBack(db, QStringLiteral("select * from n order by rowid"));
    db.ExecStatement(QStringLiteral("drop table n"));
    if (rows.RowCount() != 2 || rows.Text(0, 0) != QLatin1String("c") || rows.Text(0, 1) != QLatin1String("3") ||
        rows.Text(1, 0) != QLatin1String("b") || rows.Text(1, 1) != QLatin1String("2"))
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TDbConnection &db = connection();
    FuzzInput input(data, size);
    std::vector<QVariant> values;
    QStringList names;
    for (const Column &column : Columns) {
        values.push_back(valueFor(column, input));
        names << QLatin1String(column.name);
    }
    try {
        db.ExecStatement(RowInsertStatement(QStringLiteral("t"), names, literals(values)));
        const qint64 row = db.LastInsertRowId();
        const QString select = QStringLiteral("select *, rowid from t where rowid=%1").arg(row);
        checkRow(readBack(db, select), values);

        // The update writes a second set of values over the same row.
        std::vector<QVariant> changed;
        for (const Column &column : Columns)
            changed.push_back(valueFor(column, input));
        db.ExecStatement(RowUpdateStatement(QStringLiteral("t"), names, literals(changed), row));
        checkRow(readBack(db, select), changed);
        db.ExecStatement(QStringLiteral("delete from t"));

        checkColumnName(db, QString::fromUtf8(input.rest()).remove(QChar(0)));
    } catch (const Exception &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.Message()));
        std::abort();
    }
    return 0;
}
