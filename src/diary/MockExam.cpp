#include "diary/MockExam.h"

#include "data/Statement.h"
#include "data/TDbConnection.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace MockExam {

namespace {
constexpr double SecondsPerDay = 86400.0;

QString MomentText(TDateTime moment)
{
    const int seconds = int(std::lround((moment - std::floor(moment)) * SecondsPerDay)) % 86400;
    return DayText(moment) + QStringLiteral(" %1:%2:%3")
                                 .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                                 .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QList<BankQuestion> Pick(QList<BankQuestion> pool, int count, QRandomGenerator &random)
{
    std::shuffle(pool.begin(), pool.end(), random);
    return pool.mid(0, count);
}
} // namespace

QMap<int, int> TopicQuotas(const QMap<int, int> &questionsPerTopic, int seats)
{
    int total = 0;
    for (const int count : questionsPerTopic)
        total += count;
    QMap<int, int> quotas;
    if (total <= 0)
        return quotas;
    seats = std::min(seats, total);
    struct Remainder
    {
        int topic;
        qint64 rest;
    };
    QList<Remainder> remainders;
    int given = 0;
    // In whole numbers, so that equal remainders compare equal.
    for (auto it = questionsPerTopic.begin(); it != questionsPerTopic.end(); ++it) {
        const qint64 share = qint64(it.value()) * seats;
        quotas[it.key()] = int(share / total);
        given += int(share / total);
        remainders.append({it.key(), share % total});
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const Remainder &a, const Remainder &b) { return a.rest > b.rest; });
    for (qsizetype i = 0; given < seats && i < remainders.size(); ++i, ++given)
        ++quotas[remainders[i].topic];
    return quotas;
}

QList<BankQuestion> Draw(const QList<BankQuestion> &bank, QRandomGenerator &random)
{
    QMap<int, QList<BankQuestion>> regulations;
    QList<BankQuestion> fish;
    for (const BankQuestion &q : bank) {
        if (q.Kind == 1)
            fish << q;
        else
            regulations[q.Topic] << q;
    }
    QMap<int, int> counts;
    for (auto it = regulations.begin(); it != regulations.end(); ++it)
        counts[it.key()] = int(it.value().size());
    const QMap<int, int> quotas = TopicQuotas(counts, RegulationQuestions);
    QList<BankQuestion> drawn;
    for (auto it = quotas.begin(); it != quotas.end(); ++it)
        drawn << Pick(regulations[it.key()], it.value(), random);
    // Mixed, as an exam asks them: in topic order each question would tell the next one's.
    std::shuffle(drawn.begin(), drawn.end(), random);
    drawn << Pick(fish, FishCards, random);
    return drawn;
}

int PassMark(int possiblePoints)
{
    return (possiblePoints * PassPercent + 99) / 100;
}

QList<Result> ReadResults(TDbConnection &connection)
{
    QList<Result> results;
    Statement rows(connection,
                   QStringLiteral("SELECT data, punkty, mozliwe, limit_czasu FROM egzamin_proba ORDER BY data, rowid"));
    while (rows.Next()) {
        Result result;
        if (!TryParseDateText(rows.Text(0), result.When))
            continue;
        result.Points = int(rows.Integer(1));
        result.PossiblePoints = int(rows.Integer(2));
        result.Timed = rows.Integer(3) != 0;
        results << result;
    }
    return results;
}

void SaveResult(TDbConnection &connection, const Result &result)
{
    Statement(connection,
              QStringLiteral("INSERT INTO egzamin_proba (data, punkty, mozliwe, limit_czasu) VALUES (?, ?, ?, ?)"),
              MomentText(result.When), result.Points, result.PossiblePoints, result.Timed ? 1 : 0)
        .Run();
}

Session::Session(QList<BankQuestion> questions, TDateTime start, bool timed)
    : m_questions(std::move(questions)), m_start(start), m_timed(timed)
{
    for (const BankQuestion &q : m_questions)
        m_chosen.append(QList<int>(q.PartCount(), 0));
}

bool Session::Choose(int question, int part, int storedAnswer, TDateTime now)
{
    if (TimeIsUp(now) || question < 0 || question >= m_chosen.size() || part < 0 || part >= m_chosen[question].size())
        return false;
    m_chosen[question][part] = storedAnswer;
    return true;
}

int Session::Chosen(int question, int part) const
{
    return m_chosen.value(question).value(part);
}

bool Session::TimeIsUp(TDateTime now) const
{
    return m_timed && SecondsLeft(now) <= 0;
}

int Session::SecondsLeft(TDateTime now) const
{
    if (!m_timed)
        return TimeLimitMinutes * 60;
    const double left = TimeLimitMinutes * 60 - (now - m_start) * SecondsPerDay;
    // A moment's rounding of the day fraction must not end the exam a second early.
    return std::max(0, int(std::ceil(left - 1e-4)));
}

int Session::Unanswered() const
{
    return int(std::count_if(m_chosen.begin(), m_chosen.end(), [](const QList<int> &parts) {
        return std::any_of(parts.begin(), parts.end(), [](int chosen) { return chosen == 0; });
    }));
}

int Session::Points() const
{
    int points = 0;
    for (qsizetype q = 0; q < m_questions.size(); ++q) {
        for (int part = 0; part < m_questions[q].PartCount(); ++part) {
            if (m_chosen[q][part] != 0 && m_chosen[q][part] == m_questions[q].Right.value(part))
                ++points;
        }
    }
    return points;
}

int Session::PossiblePoints() const
{
    int possible = 0;
    for (const BankQuestion &q : m_questions)
        possible += q.PartCount();
    return possible;
}

Result Session::Finish(TDateTime now) const
{
    return {now, Points(), PossiblePoints(), m_timed};
}

} // namespace MockExam
