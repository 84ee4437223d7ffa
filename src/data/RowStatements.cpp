#include "data/RowStatements.h"

#include "data/FieldConvert.h"

namespace {
const QString LineBreak = QStringLiteral("\r\n");

void replaceLastComma(QStringList &lines, const QString &with)
{
    if (!lines.isEmpty() && lines.last().endsWith(QLatin1Char(','))) {
        QString &last = lines.last();
        last.chop(1);
        last += with;
    }
}
} // namespace

QString JoinedStatement(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + LineBreak;
    return text.replace(LineBreak, QStringLiteral(" "));
}

QString QuotedValue(const QString &valueText)
{
    QString doubled = valueText;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
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

QString RowUpdateStatement(const QString &tableName, const QStringList &fieldNames, const QStringList &valueTexts,
                           qint64 rowId)
{
    QStringList lines{QStringLiteral("update ") + tableName + QStringLiteral(" set ")};
    for (qsizetype i = 0; i < fieldNames.size(); ++i)
        lines << fieldNames[i] + QLatin1Char('=') + QuotedValue(valueTexts.value(i)) + QLatin1Char(',');
    replaceLastComma(lines, QStringLiteral(" "));
    lines << QStringLiteral(" where rowid=") + QString::number(rowId);
    return JoinedStatement(lines);
}

QString RowInsertStatement(const QString &tableName, const QStringList &fieldNames, const QStringList &valueTexts,
                           bool autoIncFirst)
{
    QStringList lines{QStringLiteral("insert into ") + tableName + QStringLiteral(" (")};
    for (const QString &name : fieldNames)
        lines << name + QLatin1Char(',');
    replaceLastComma(lines, QStringLiteral(")"));
    lines << QStringLiteral(" values (");
    qsizetype first = 0;
    if (autoIncFirst) {
        lines << QStringLiteral("null,");
        first = 1;
    }
    for (qsizetype i = first; i < valueTexts.size(); ++i)
        lines << QuotedValue(valueTexts[i]) + QLatin1Char(',');
    replaceLastComma(lines, QStringLiteral(")"));
    return JoinedStatement(lines);
}

QString RowDeleteStatement(const QString &tableName, qint64 rowId)
{
    return JoinedStatement({QStringLiteral("delete from ") + tableName + QStringLiteral(" where rowid=") +
                            QuotedValue(QString::number(rowId))});
}
