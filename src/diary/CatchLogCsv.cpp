#include "diary/CatchLogCsv.h"

#include "base/CheckedFile.h"
#include "diary/CatchLog.h"

#include <QDir>
#include <QRegularExpression>

namespace {
// Characters a spreadsheet passes over before it looks for a formula's sign: white space
// of every kind, line breaks and the invisible ones.
bool Skipped(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Format || c == QChar(0x200B);
}

// A spreadsheet takes a field that starts like this for a formula.
bool LooksLikeFormula(const QString &text)
{
    static const QString signs = QStringLiteral("=+-@\uFF1D\uFF0B\uFF0D\uFF20");
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?[0-9]+([.,][0-9]+)?$"));
    if (text.isEmpty() || plainNumber.match(text).hasMatch())
        return false;
    if (text.front() == QLatin1Char('\t') || text.front() == QLatin1Char('\r'))
        return true;
    for (const QChar c : text) {
        if (!Skipped(c))
            return signs.contains(c);
    }
    return false;
}

} // namespace

namespace CatchLogCsv {

QString Field(const QString &value)
{
    // A leading apostrophe keeps the text as text, as OWASP advises for CSV files.
    const QString text = LooksLikeFormula(value) ? QLatin1Char('\'') + value : value;
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray Text(const std::vector<CatchRecord> &records, const std::vector<int> &shown)
{
    QString text;
    text.reserve(int(shown.size()) * 80 + 200);
    auto line = [&text](auto &&fieldOf) {
        for (int c = 0; c < CatchLog::ColumnCount; ++c) {
            if (c > 0)
                text += QLatin1Char(';');
            text += Field(fieldOf(CatchLog::Column(c)));
        }
        text += QLatin1String("\r\n");
    };
    line([](CatchLog::Column c) { return CatchLog::ColumnTitle(c); });
    for (const int index : shown)
        line([&](CatchLog::Column c) { return CatchLog::ColumnText(records[size_t(index)], c); });
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

bool Write(const QString &path, const std::vector<CatchRecord> &records, const std::vector<int> &shown, QString *error)
{
    return WriteWholeFile(path, Text(records, shown), error);
}

} // namespace CatchLogCsv
