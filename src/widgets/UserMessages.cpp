#include "widgets/UserMessages.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <array>

namespace {
// Source texts with %1, %2 standing for the parts a message carries.
constexpr std::array Sources{
    QT_TRANSLATE_NOOP("Messages", "Could not load SQLite library"),
    QT_TRANSLATE_NOOP("Messages", "Missing database property"),
    QT_TRANSLATE_NOOP("Messages", "Database %1 does not exist"),
    QT_TRANSLATE_NOOP("Messages", "Database not connected"),
    QT_TRANSLATE_NOOP("Messages", "Database not connected; the record was not saved"),
    QT_TRANSLATE_NOOP("Messages", "Database not connected; the row was not deleted"),
    QT_TRANSLATE_NOOP("Messages", "The row is no longer in the database; the record was not saved"),
    QT_TRANSLATE_NOOP("Messages", "The row is no longer in the database; nothing was deleted"),
    QT_TRANSLATE_NOOP("Messages", "no database connection"),
    QT_TRANSLATE_NOOP("Messages", "no query specified"),
    QT_TRANSLATE_NOOP("Messages", "no table specified"),
    QT_TRANSLATE_NOOP("Messages", "Filter error: %1"),
    QT_TRANSLATE_NOOP("Messages", "Cannot perform this operation on a closed dataset"),
    QT_TRANSLATE_NOOP("Messages", "Cannot perform this operation on an empty dataset"),
    QT_TRANSLATE_NOOP("Messages", "Dataset not in edit or insert mode"),
    QT_TRANSLATE_NOOP("Messages", "Field '%1' not found"),
    QT_TRANSLATE_NOOP("Messages", "Field '%1' belongs to a closed dataset"),
    QT_TRANSLATE_NOOP("Messages", "Bookmark not found"),
    QT_TRANSLATE_NOOP("Messages", "No Records"),
    QT_TRANSLATE_NOOP("Messages", "'%1' is not a valid integer value"),
    QT_TRANSLATE_NOOP("Messages", "'%1' is not a valid boolean value"),
    QT_TRANSLATE_NOOP("Messages", "'%1' is not a valid floating point value"),
    QT_TRANSLATE_NOOP("Messages", "'%1' is not a valid date and time"),
    QT_TRANSLATE_NOOP("Messages", "Unknown exception"),
    // The engine's own texts for its common result codes.
    QT_TRANSLATE_NOOP("Messages", "database is locked"),
    QT_TRANSLATE_NOOP("Messages", "database table is locked"),
    QT_TRANSLATE_NOOP("Messages", "file is not a database"),
    QT_TRANSLATE_NOOP("Messages", "file is encrypted or is not a database"),
    QT_TRANSLATE_NOOP("Messages", "database disk image is malformed"),
    QT_TRANSLATE_NOOP("Messages", "attempt to write a readonly database"),
    QT_TRANSLATE_NOOP("Messages", "database or disk is full"),
    QT_TRANSLATE_NOOP("Messages", "unable to open database file"),
    QT_TRANSLATE_NOOP("Messages", "disk I/O error"),
    QT_TRANSLATE_NOOP("Messages", "no such table: %1"),
};

struct Pattern
{
    const char *source;
    QRegularExpression match;
};

const std::vector<Pattern> &Patterns()
{
    static const std::vector<Pattern> patterns = [] {
        std::vector<Pattern> list;
        for (const char *source : Sources) {
            static const QRegularExpression placeholder(QStringLiteral("%\\d"));
            QStringList pieces = QString::fromUtf8(source).split(placeholder);
            for (QString &piece : pieces)
                piece = QRegularExpression::escape(piece);
            const QString expression = pieces.join(QStringLiteral("(.*)"));
            list.push_back({source, QRegularExpression(QStringLiteral("^") + expression + QStringLiteral("$"))});
        }
        return list;
    }();
    return patterns;
}

QString Translated(const QString &message, int depth)
{
    const QString text = message.endsWith(QLatin1Char('.')) ? message.chopped(1) : message;
    for (const Pattern &pattern : Patterns()) {
        const QRegularExpressionMatch found = pattern.match.match(text);
        if (!found.hasMatch())
            continue;
        QString result = QCoreApplication::translate("Messages", pattern.source);
        // A message that wraps another ("Filter error: ...") has that one translated too.
        for (int i = 1; i <= found.lastCapturedIndex(); ++i)
            result = result.arg(depth < 2 ? Translated(found.captured(i), depth + 1) : found.captured(i));
        return result;
    }
    // A dataset's messages start with its name.
    static const QRegularExpression named(QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*): (.+)$"));
    if (const QRegularExpressionMatch found = named.match(text); found.hasMatch() && depth < 2) {
        const QString inner = Translated(found.captured(2), depth + 1);
        if (inner != found.captured(2))
            return found.captured(1) + QStringLiteral(": ") + inner;
    }
    return message;
}
} // namespace

QString UserText(const QString &message)
{
    return Translated(message, 0);
}
