#include "data/TDbQuery.h"

#include "data/DataLayerMessage.h"
#include "data/DbErrors.h"
#include "data/TDbConnection.h"

namespace {
bool parameterNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Replaces each ":name" outside quoted text by "?"; the engine then binds nothing and
// reads the parameter as NULL.
QString withParameterMarks(const QString &sql)
{
    QString out;
    out.reserve(sql.size());
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            out += c;
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            out += c;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < sql.size() && parameterNameChar(sql[i + 1])) {
            while (i + 1 < sql.size() && parameterNameChar(sql[i + 1]))
                ++i;
            out += QLatin1Char('?');
            continue;
        }
        out += c;
    }
    return out;
}
} // namespace

TDbQuery::TDbQuery(QObject *owner) : TDbBaseQuery(owner) {}

void TDbQuery::SetSQL(const QString &sql)
{
    Close();
    m_sql = sql;
    m_preparedSql = RawSQL ? sql : withParameterMarks(sql);
}

QString TDbQuery::StatementForOpen()
{
    if (m_sql.trimmed().isEmpty()) {
        ShowDataLayerMessage(QStringLiteral("no query specified"));
        return {};
    }
    QString statement = m_preparedSql;
    if (Filtered() && !Filter().isEmpty()) {
        if (statement.toLower().contains(QLatin1String("where")))
            statement += QStringLiteral(" and ") + Filter();
        else
            statement += QStringLiteral(" where ") + Filter();
    }
    return statement;
}

void TDbQuery::ExecSQL()
{
    Close();
    if (!AutoCommit) {
        Open();
        return;
    }
    if (!Connection())
        throw EDataLayerError(QStringLiteral("no database connection"));
    Connection()->StartTransaction();
    try {
        Open();
        Connection()->Commit();
    } catch (const Exception &) {
        try {
            Connection()->RollBack();
        } catch (const Exception &) {
        }
        throw;
    }
}

void TDbQuery::InternalPost()
{
    throw EDataLayerError(QStringLiteral("Missing TDbUpdateSQL component"));
}

void TDbQuery::InternalDelete()
{
    throw EDataLayerError(QStringLiteral("Missing TDbUpdateSQL component"));
}
