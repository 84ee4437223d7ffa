#pragma once

#include "base/DateUtils.h"
#include "diary/QuestionBank.h"

#include <QHash>
#include <QList>
#include <QSet>

class QRandomGenerator;
class TDbConnection;

// The learner's practice by Leitner boxes: a question answered wrong goes back to box 1,
// one answered right moves up a box, up to 5, and each box is due again a number of days
// after the answer. Kept per question id in the diary database (nauka_postep), so that a
// backup carries it and a newer question bank keeps the progress of the ids it keeps.
namespace PracticeProgress {

inline constexpr int Boxes = 5;
// From this box on, a question counts as mastered.
inline constexpr int MasteredBox = 4;

struct Card
{
    // 0 for a question never answered.
    int Box = 0;
    // The day from which the question is due again.
    TDateTime Due = ZeroDate;
};

// The days after an answer until a question in the box is due again: 0, 1, 3, 7, 14.
int DaysUntilDue(int box);
// Whether the question is due on day today; one never answered always is.
bool IsDue(const Card &card, TDateTime today);
// The card after an answer given on day today.
Card Answered(Card card, bool right, TDateTime today);

// The cards of every question answered so far, by question id.
QHash<qint64, Card> Read(TDbConnection &connection);
// Records an answer given today (the clock's day) and returns the new card.
Card Record(TDbConnection &connection, qint64 questionId, bool right);
// Forgets every answer: practice starts over.
void Forget(TDbConnection &connection);

// The order in which to ask the questions of the chosen topics: those due today first,
// the least known first (box 1, never answered, box 2 and on), in random order within a
// box; then those not yet due, the soonest due first, so that practice never runs dry.
QList<qint64> DrawingOrder(const QList<BankQuestion> &bank, const QHash<qint64, Card> &cards, const QSet<int> &topics,
                           TDateTime today, QRandomGenerator &random);

struct TopicProgress
{
    int Topic = 0;
    int Questions = 0;
    int Mastered = 0;
};
// For each topic (1 to QuestionTopic::Count) the questions of the bank in it and how many
// are mastered. Cards of ids no longer in the bank count nowhere.
QList<TopicProgress> ByTopic(const QList<BankQuestion> &bank, const QHash<qint64, Card> &cards);

} // namespace PracticeProgress
