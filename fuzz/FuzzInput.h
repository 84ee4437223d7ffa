#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>

// Takes typed values off the front of a fuzzer's input; past its end everything reads
// as zero or empty.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    template <typename T> T take()
    {
        T value{};
        const size_t n = std::min(sizeof(T), m_size);
        std::memcpy(&value, m_data, n);
        m_data += n;
        m_size -= n;
        return value;
    }
    // A text of at most `limit` bytes; the bytes are read as UTF-8, so the text is whole.
    QByteArray bytes(size_t limit)
    {
        const size_t n = std::min<size_t>(take<uint8_t>() % (limit + 1), m_size);
        QByteArray out(reinterpret_cast<const char *>(m_data), qsizetype(n));
        m_data += n;
        m_size -= n;
        return out;
    }
    QByteArray rest()
    {
        QByteArray out(reinterpret_cast<const char *>(m_data), qsizetype(m_size));
        m_data += m_size;
        m_size = 0;
        return out;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
};
