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

// The lines of the open: select with the rowid, the filter as WHERE clause, limit and
// offset when not zero; each line followed by CR LF.
QString TableSelectStatement(const QString &tableName, const QString &filter, int maxResults, int startResult);

// The text written for a field: dates in the DayText form, date-and-time values in
// dateTimeFormat (DayText when empty), numbers with ".". A null text or date is written
// empty; a null number or boolean as its zero so that the row can be read back.
QString RowValueText(TFieldType type, const QVariant &value, const QString &dateTimeFormat);

QString RowUpdateStatement(const QString &tableName, const QStringList &fieldNames, const QStringList &valueTexts,
                           qint64 rowId);
// With autoIncFirst the first value is null, so the engine numbers the row.
QString RowInsertStatement(const QString &tableName, const QStringList &fieldNames, const QStringList &valueTexts,
                           bool autoIncFirst);
QString RowDeleteStatement(const QString &tableName, qint64 rowId);
