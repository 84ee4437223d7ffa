#pragma once

#include "diary/CatchRecord.h"

#include <QByteArray>
#include <QString>
#include <vector>

// The catches as a spreadsheet on a Polish system reads them: UTF-8 with a byte-order
// mark, ";" between fields, lines ending in CR LF, numbers with a decimal comma, days as
// yyyy-mm-dd, and a field that holds ";", a quote or a line break between quotes.
namespace CatchLogCsv {

// One field: between quotes when it holds a separator, a quote or a line break, and
// after an apostrophe when a spreadsheet would take it for a formula.
QString Field(const QString &value);

QByteArray Text(const std::vector<CatchRecord> &records, const std::vector<int> &shown);
// Writes the file whole or not at all; false with the reason in error.
bool Write(const QString &path, const std::vector<CatchRecord> &records, const std::vector<int> &shown, QString *error);

} // namespace CatchLogCsv
