#include "data/RowStatements.h"

#include "data/FieldConvert.h"
#include "data/TextEncoding.h"

#include <QRegularExpression>
#include <string_view>

namespace {
const QString LineBreak = QStringLiteral("\r\n");

// The engine's keywords, each between blanks; a column named like one must be quoted to
// be read as a name.
constexpr std::string_view Keywords =
    " "
    "ABORT ACTION ADD AFTER ALL ALTER ALWAYS ANALYZE AND AS ASC ATTACH AUTOINCREMENT BEFORE BEGIN "
    "BETWEEN BY CASCADE CASE CAST CHECK COLLATE COLUMN COMMIT CONFLICT CONSTRAINT CREATE CROSS CURRENT "
    "CURRENT_DATE CURRENT_TIME CURRENT_TIMESTAMP DATABASE DEFAULT DEFERRABLE DEFERRED DELETE DESC DETACH "
    "DISTINCT DO DROP EACH ELSE END ESCAPE EXCEPT EXCLUDE EXCLUSIVE EXISTS EXPLAIN FAIL FILTER FIRST "
    "FOLLOWING FOR FOREIGN FROM FULL GENERATED GLOB GROUP GROUPS HAVING IF IGNORE IMMEDIATE IN INDEX "
    "INDEXED INITIALLY INNER INSERT INSTEAD INTERSECT INTO IS ISNULL JOIN KEY LAST LEFT LIKE LIMIT MATCH "
    "MATERIALIZED NATURAL NO NOT NOTHING NOTNULL NULL NULLS OF OFFSET ON OR ORDER OTHERS OUTER OVER "
    "PARTITION PLAN PRAGMA PRECEDING PRIMARY QUERY RAISE RANGE RECURSIVE REFERENCES REGEXP REINDEX "
    "RELEASE RENAME REPLACE RESTRICT RETURNING RIGHT ROLLBACK ROW ROWS SAVEPOINT SELECT SET TABLE TEMP "
    "TEMPORARY THEN TIES TO TRANSACTION TRIGGER UNBOUNDED UNION UNIQUE UPDATE USING VACUUM VALUES VIEW "
    "VIRTUAL WHEN WHERE WINDOW WITH WITHOUT ";

bool plainIdentifier(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        if (!letter && !(i > 0 && c >= '0' && c <= '9'))
            return false;
    }
    const QByteArray word = ' ' + name.toUpper().toLatin1() + ' ';
    return Keywords.find(std::string_view(word.constData(), size_t(word.size()))) == std::string_view::npos;
}

void replaceLastComma(QStringList &lines, const QString &with)
{
    if (!lines.isEmpty() && lines.last().endsWith(QLatin1Char(','))) {
        QString &last = lines.last();
        last.chop(1);
        last += with;
    }
}
QString blobLiteral(const QByteArray &bytes)
{
    return QStringLiteral("X'") + QString::fromLatin1(bytes.toHex()) + QLatin1Char('\'');
}

bool engineSpace(QChar c)
{
    return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
}

// Text the engine reads as a numeric literal when it applies numeric affinity, except a
// plain integer in the form it writes back itself.
bool numberOfAnotherForm(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    static const QRegularExpression canonical(QStringLiteral("^-?(0|[1-9][0-9]{0,17})$"));
    qsizetype first = 0, last = text.size();
    while (first < last && engineSpace(text[first]))
        ++first;
    while (last > first && engineSpace(text[last - 1]))
        --last;
    if (first == last)
        return false;
    const QStringView core = QStringView(text).mid(first, last - first);
    if (!number.match(core).hasMatch())
        return false;
    return first != 0 || last != text.size() || core == QLatin1String("-0") || !canonical.match(core).hasMatch();
}
} // namespace

QString JoinedStatement(const QStringList &lines)
{
    // Only the breaks between the statement's own lines become blanks: a value may hold
    // line breaks of its own (a note of several lines) and is written as it is.
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1Char(' ');
    return text;
}

QString QuotedValue(const QString &valueText)
{
    QString doubled = valueText;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString SqlName(const QString &name)
{
    if (plainIdentifier(name))
        return name;
    QString doubled = name;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString TableSelectStatement(const QString &tableName, const QString &filter, int maxResults, int startResult)
{
    QString text = QStringLiteral("select *, rowid from ") + tableName + LineBreak;
    if (!filter.isEmpty())
        text += QStringLiteral(" where ") + filter + LineBreak;
    if (maxResults != 0)
        text += QStringLiteral(" limit ") + QString::number(maxResults) + LineBreak;
    if (startResult != 0)
        text += QStringLiteral(" offset ") + QString::number(startResult) + LineBreak;
    return text;
}

QString RowValueText(TFieldType type, const QVariant &value, const QString &dateTimeFormat)
{
    if (!value.isValid()) {
        switch (type) {
        case TFieldType::ftInteger:
        case TFieldType::ftFloat:
        case TFieldType::ftCurrency:
            return QStringLiteral("0");
        case TFieldType::ftBoolean:
            return QStringLiteral("False");
        default:
            return {};
        }
    }
    if (type == TFieldType::ftDateTime || type == TFieldType::ftTimeStamp) {
        if (dateTimeFormat.isEmpty())
            return DayText(value.toDouble());
        return FieldConvert::FormatDateTimeText(dateTimeFormat, value.toDouble());
    }
    return FieldConvert::TextOfValue(type, value);
}

QString RowValueLiteral(TFieldType type, const QVariant &value, const QString &dateTimeFormat, bool convertsNumbers)
{
    if ((type == TFieldType::ftBlob || type == TFieldType::ftGraphic) && value.isValid()) {
        const QByteArray bytes = value.toByteArray();
        if (!TextEncoding::IsValidUtf8(std::string_view(bytes.constData(), size_t(bytes.size()))))
            return blobLiteral(bytes);
    }
    // A number nobody gave (a weight not measured) stays unknown rather than becoming a
    // measured 0.
    const bool isNumber =
        type == TFieldType::ftInteger || type == TFieldType::ftFloat || type == TFieldType::ftCurrency;
    if (isNumber && !value.isValid())
        return QStringLiteral("NULL");
    const QString text = RowValueText(type, value, dateTimeFormat);
    const bool isText = type == TFieldType::ftString || type == TFieldType::ftMemo || type == TFieldType::ftUnknown;
    if (isText && convertsNumbers && numberOfAnotherForm(text))
        return blobLiteral(text.toUtf8());
    return QuotedValue(text);
}

QString RowUpdateStatement(const QString &tableName, const QStringList &fieldNames, const QStringList &valueLiterals,
                           qint64 rowId)
{
    QStringList lines{QStringLiteral("update ") + tableName + QStringLiteral(" set ")};
    for (qsizetype i = 0; i < fieldNames.size(); ++i)
        lines << SqlName(fieldNames[i]) + QLatin1Char('=') + valueLiterals.value(i, QStringLiteral("''")) +
                     QLatin1Char(',');
    replaceLastComma(lines, QStringLiteral(" "));
    lines << QStringLiteral(" where rowid=") + QString::number(rowId);
    return JoinedStatement(lines);
}

QString RowInsertStatement(const QString &tableName, const QStringList &fieldNames, const QStringList &valueLiterals)
{
    QStringList lines{QStringLiteral("insert into ") + tableName + QStringLiteral(" (")};
    for (const QString &name : fieldNames)
        lines << SqlName(name) + QLatin1Char(',');
    replaceLastComma(lines, QStringLiteral(")"));
    lines << QStringLiteral(" values (");
    for (const QString &literal : valueLiterals)
        lines << literal + QLatin1Char(',');
    replaceLastComma(lines, QStringLiteral(")"));
    return JoinedStatement(lines);
}

QString RowDeleteStatement(const QString &tableName, qint64 rowId)
{
    return JoinedStatement({QStringLiteral("delete from ") + tableName + QStringLiteral(" where rowid=") +
                            QuotedValue(QString::number(rowId))});
}
