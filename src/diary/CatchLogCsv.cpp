#include "diary/CatchLogCsv.h"

#include "diary/CatchLog.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <cerrno>

namespace {
// A spreadsheet takes a field that starts like this for a formula.
bool LooksLikeFormula(const QString &text)
{
    static const QString starts = QStringLiteral("=+-@\t\r");
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?[0-9]+([.,][0-9]+)?$"));
    return !text.isEmpty() && starts.contains(text.front()) && !plainNumber.match(text).hasMatch();
}

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

QString WriteFailure(int error, const QString &fallback)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("na dysku zabrakło miejsca");
    case EFBIG:
        return QStringLiteral("plik byłby większy, niż pozwala ten dysk albo system");
    case EDQUOT:
        return QStringLiteral("wyczerpał się przydział miejsca na dysku");
    case EROFS:
        return QStringLiteral("dysk jest tylko do odczytu");
    case EACCES:
    case EPERM:
        return QStringLiteral("brak uprawnień do zapisu w tym miejscu");
    default:
        return fallback;
    }
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
    errno = 0;
    bool written = file.open(QIODevice::WriteOnly);
    // Every piece is checked: a full disk takes part of a write without a word.
    const QByteArray text = Text(records, shown);
    constexpr qsizetype Piece = 1 << 16;
    for (qsizetype at = 0; written && at < text.size(); at += Piece) {
        const qsizetype size = std::min(Piece, text.size() - at);
        written = file.write(text.constData() + at, size) == size;
    }
    const int failure = errno;
    if (written && file.commit())
        return true;
    const int commitFailure = errno;
    if (error) {
        *error = WriteFailure(written ? commitFailure : failure, file.errorString());
        if (error->isEmpty())
            *error = QStringLiteral("zapis pliku nie powiódł się");
    }
    file.cancelWriting();
    return false;
}

} // namespace CatchLogCsv
