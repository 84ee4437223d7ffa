#include "diary/PracticeProgress.h"

#include "base/Clock.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"

#include <QRandomGenerator>
#include <algorithm>

namespace PracticeProgress {

int DaysUntilDue(int box)
{
    static constexpr int days[Boxes] = {0, 1, 3, 7, 14};
    return days[std::clamp(box, 1, Boxes) - 1];
}

bool IsDue(const Card &card, TDateTime today)
{
    return card.Box == 0 || card.Due <= DateOf(today);
}

Card Answered(Card card, bool right, TDateTime today)
{
    card.Box = right ? std::min(std::max(card.Box, 1) + 1, Boxes) : 1;
    // A question never answered stands in box 1, as every card of a Leitner box does at first.
    card.Due = DateOf(today) + DaysUntilDue(card.Box);
    return card;
}

QHash<qint64, Card> Read(TDbConnection &connection)
{
    QHash<qint64, Card> cards;
    Statement rows(connection, QStringLiteral("SELECT pytanie, przegrodka, powtorka FROM nauka_postep"));
    while (rows.Next()) {
        Card card;
        card.Box = std::clamp(int(rows.Integer(1)), 1, Boxes);
        if (!TryParseDateText(rows.Text(2), card.Due))
            card.Due = ZeroDate;
        cards.insert(rows.Integer(0), card);
    }
    return cards;
}

Card Record(TDbConnection &connection, qint64 questionId, bool right)
{
    Transaction transaction(connection);
    Card card;
    Statement old(connection, QStringLiteral("SELECT przegrodka FROM nauka_postep WHERE pytanie = ?"), questionId);
    if (old.Next())
        card.Box = int(old.Integer(0));
    card = Answered(card, right, Clock::Today());
    Statement(connection, QStringLiteral("DELETE FROM nauka_postep WHERE pytanie = ?"), questionId).Run();
    Statement(connection, QStringLiteral("INSERT INTO nauka_postep (pytanie, przegrodka, powtorka) VALUES (?, ?, ?)"),
              questionId, card.Box, DayText(card.Due))
        .Run();
    transaction.Commit();
    return card;
}

void Forget(TDbConnection &connection)
{
    Statement(connection, QStringLiteral("DELETE FROM nauka_postep")).Run();
}

QList<qint64> DrawingOrder(const QList<BankQuestion> &bank, const QHash<qint64, Card> &cards, const QSet<int> &topics,
                           TDateTime today, QRandomGenerator &random)
{
    struct Entry
    {
        qint64 id;
        bool due;
        int rank;
        TDateTime dueOn;
    };
    QList<Entry> entries;
    for (const BankQuestion &q : bank) {
        if (!topics.contains(q.Topic))
            continue;
        const Card card = cards.value(q.Id);
        // Never answered ranks after a wrong answer and before every box above it.
        const int rank = card.Box == 0 ? 2 : card.Box == 1 ? 1 : card.Box + 1;
        entries.append({q.Id, IsDue(card, today), rank, card.Due});
    }
    std::shuffle(entries.begin(), entries.end(), random);
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.due != b.due)
            return a.due;
        if (a.due)
            return a.rank < b.rank;
        return a.dueOn != b.dueOn ? a.dueOn < b.dueOn : a.rank < b.rank;
    });
    QList<qint64> order;
    for (const Entry &entry : entries)
        order << entry.id;
    return order;
}

QList<TopicProgress> ByTopic(const QList<BankQuestion> &bank, const QHash<qint64, Card> &cards)
{
    QList<TopicProgress> topics;
    for (int topic = 1; topic <= QuestionTopic::Count; ++topic)
        topics.append({topic, 0, 0});
    for (const BankQuestion &q : bank) {
        if (q.Topic < 1 || q.Topic > QuestionTopic::Count)
            continue;
        TopicProgress &progress = topics[q.Topic - 1];
        ++progress.Questions;
        if (cards.value(q.Id).Box >= MasteredBox)
            ++progress.Mastered;
    }
    return topics;
}

} // namespace PracticeProgress
