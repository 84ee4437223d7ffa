#pragma once

#include <QString>
#include <exception>

// The program reports failures as exceptions that carry a message text; whatever
// leaves an event handler is shown in the application's standard error box.
class Exception : public std::exception
{
public:
    explicit Exception(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &Message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that does not convert to a number, a date or a boolean.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// A file or folder operation that failed (creating a day's photo folder, reading a picture).
class EInOutError : public Exception
{
public:
    using Exception::Exception;
};
