#include "diary/CatchLogCsv.h"

#include "diary/CatchLog.h"

#include <QSaveFile>

namespace {
QString Field(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
} // namespace

namespace CatchLogCsv {

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Text(records, shown)) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace CatchLogCsv
