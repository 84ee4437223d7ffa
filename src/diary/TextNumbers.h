#pragma once

#include <QtGlobal>

#include <limits>
#include <vector>

// The numbers one reading of the diary gives a catch's texts: each column numbers its
// distinct stored texts from 0 in the order met, so that equal texts, and only they,
// share a number. -1 where a text was not numbered (a record made otherwise).
struct TextNumbers
{
    int day = -1;
    int species = -1;
    int place = -1;
    int bait = -1;
};

// What one reading works out once for each numbered text of a column (a name's key, a
// day's tally): a diary names a few hundred texts a hundred thousand times, and a number
// finds the answer without hashing the text.
class ByTextNumber
{
public:
    // The answer for the text's number, worked out by find when the number is first
    // asked for, or every time for a text without one.
    template <typename Find> Q_ALWAYS_INLINE int Get(int number, const Find &find)
    {
        // A number below 0 is out of range as a size_t.
        if (size_t(number) < m_found.size() && m_found[size_t(number)] != Unknown)
            return m_found[size_t(number)];
        return Remember(number, find());
    }

private:
    // Once per text: kept out of the loops that ask.
    Q_NEVER_INLINE int Remember(int number, int found)
    {
        if (number < 0)
            return found;
        // The numbers come in the order texts are met: each new one is the next.
        if (size_t(number) == m_found.size()) {
            m_found.push_back(found);
            return found;
        }
        if (size_t(number) > m_found.size())
            m_found.resize(size_t(number) + 1, Unknown);
        return m_found[size_t(number)] = found;
    }

    static constexpr int Unknown = std::numeric_limits<int>::min();
    std::vector<int> m_found;
};
