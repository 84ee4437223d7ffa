#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TDbConnection;
struct sqlite3_stmt;

// One statement of the engine: prepared when made, finalized however its owner leaves.
// Values are bound by position (1 for the first "?"), never written into the text.
// Every failure raises EDatabaseError with the engine's message, which the platform
// layer shows in Polish.
class Statement
{
public:
    Statement(TDbConnection &connection, const QString &sql);
    // Prepares and binds the values in order.
    template <typename... Values>
    Statement(TDbConnection &connection, const QString &sql, const Values &...values) : Statement(connection, sql)
    {
        int index = 0;
        (Bind(++index, values), ...);
    }
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &Bind(int index, const QString &text);
    Statement &Bind(int index, const char *text) { return Bind(index, QString::fromUtf8(text)); }
    Statement &Bind(int index, qint64 number);
    Statement &Bind(int index, int number) { return Bind(index, qint64(number)); }
    Statement &Bind(int index, double number);
    Statement &BindNull(int index);

    // Steps once: true when a row is ready to be read.
    bool Next();
    // Steps to the end, discarding any rows.
    void Run();
    // Makes the statement ready to run again with new values.
    void Reset();

    int ColumnCount() const;
    bool IsNull(int column) const;
    QString Text(int column) const;
    qint64 Integer(int column) const;
    double Number(int column) const;

    // For readers that take the columns straight from the engine.
    sqlite3_stmt *Handle() const { return m_stmt; }

    // Every remaining row, each as its column texts ("" for NULL).
    std::vector<QStringList> Rows();
    // The first column of every remaining row.
    QStringList Column();

private:
    [[noreturn]] void Fail() const;

    TDbConnection &m_connection;
    sqlite3_stmt *m_stmt = nullptr;
};

// The statements run between its making and Commit form one transaction; leaving the
// scope without Commit rolls them back, so that a failure leaves the file as it was.
class Transaction
{
public:
    enum class Mode { Deferred, Immediate };
    explicit Transaction(TDbConnection &connection, Mode mode = Mode::Immediate);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void Commit();

private:
    TDbConnection &m_connection;
    bool m_open = true;
};

// A second database file attached to the connection under an alias for as long as the
// object lives. The alias is the caller's constant; the path is bound.
class Attachment
{
public:
    Attachment(TDbConnection &connection, const QString &path, const char *alias);
    ~Attachment();
    Attachment(const Attachment &) = delete;
    Attachment &operator=(const Attachment &) = delete;

private:
    TDbConnection &m_connection;
    QString m_alias;
};
