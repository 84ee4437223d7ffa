#pragma once

#include "base/DateUtils.h"
#include "data/TField.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// The statements a table dataset builds for opening, posting and deleting rows.

// Every line followed by a line break, every line break then turned into one blank.
QString JoinedStatement(const QStringList &lines);
// A value text between single quotes, with each single quote inside doubled.
QString QuotedValue(const QString &valueText);

// A column name as the row statements write it: a plain identifier that is no keyword
// unchanged, any other name between double quotes with each double quote doubled, so
// that a name can never be read as part of the statement.
QString SqlName(const QString &name);

// The lines of the open: select with the rowid, the filter as WHERE clause, limit and
// offset when not zero; each line followed by CR LF.
QString TableSelectStatement(const QString &tableName, const QString &filter, int maxResults, int startResult);

// The text written for a field: dates in the DayText form, date-and-time values in
// dateTimeFormat (DayText when empty), numbers with ".". A null text or date is written
// empty; a null number or boolean as its zero so that the row can be read back.
QString RowValueText(TFieldType type, const QVariant &value, const QString &dateTimeFormat);

// The SQL literal of a field's value: its value text between single quotes. Written as a
// blob literal X'..' instead, so that they are stored unchanged: blob bytes that are not
// UTF-8 text, and, for a column that converts numeric text (convertsNumbers), text that
// the engine would store as a number of another text form ("0.50", "007", "1e3").
QString RowValueLiteral(TFieldType type, const QVariant &value, const QString &dateTimeFormat,
                        bool convertsNumbers = false);

QString RowUpdateStatement(const QString &tableName, const QStringList &fieldNames, const QStringList &valueLiterals,
                           qint64 rowId);
QString RowInsertStatement(const QString &tableName, const QStringList &fieldNames, const QStringList &valueLiterals);
QString RowDeleteStatement(const QString &tableName, qint64 rowId);
