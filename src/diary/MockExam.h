#pragma once

#include "base/DateUtils.h"
#include "diary/QuestionBank.h"

#include <QList>
#include <QMap>

class QRandomGenerator;
class TDbConnection;

// The mock exam for the angler's card: twenty regulations questions spread over the topics
// as the bank spreads them, five fish cards, a pass mark of 80% of the points and an
// optional thirty minutes. The real exam is set by the examining body and may differ.
namespace MockExam {

inline constexpr int RegulationQuestions = 20;
inline constexpr int FishCards = 5;
inline constexpr int PassPercent = 80;
inline constexpr int TimeLimitMinutes = 30;

// How many of seats each topic gets, in proportion to the questions it has (topic to
// count): the whole parts first, then one more to the largest remainders, the lower topic
// first on a tie.
QMap<int, int> TopicQuotas(const QMap<int, int> &questionsPerTopic, int seats);

// The questions of one exam: the regulations questions as the topics' quotas say, in a
// random order, then the fish cards drawn at random. Fewer when the bank is smaller.
QList<BankQuestion> Draw(const QList<BankQuestion> &bank, QRandomGenerator &random);

// The fewest points that pass.
int PassMark(int possiblePoints);

struct Result
{
    TDateTime When = ZeroDate;
    int Points = 0;
    int PossiblePoints = 0;
    bool Timed = false;

    bool Passed() const { return Points >= PassMark(PossiblePoints); }
};

// The results kept in the diary database (egzamin_proba), the oldest first.
QList<Result> ReadResults(TDbConnection &connection);
void SaveResult(TDbConnection &connection, const Result &result);

// One exam being taken: the questions, the answers chosen so far and, when timed, the
// moment time is up. Answers chosen after that moment do not count.
class Session
{
public:
    Session(QList<BankQuestion> questions, TDateTime start, bool timed);

    const QList<BankQuestion> &Questions() const { return m_questions; }
    bool Timed() const { return m_timed; }
    // False, and nothing is changed, once time is up.
    bool Choose(int question, int part, int storedAnswer, TDateTime now);
    // The stored number of the chosen answer, 0 for none.
    int Chosen(int question, int part) const;
    bool TimeIsUp(TDateTime now) const;
    // Whole seconds left, rounded up; 0 once time is up; the whole limit when untimed.
    int SecondsLeft(TDateTime now) const;
    // Questions with any part not answered.
    int Unanswered() const;
    int Points() const;
    int PossiblePoints() const;
    Result Finish(TDateTime now) const;

private:
    QList<BankQuestion> m_questions;
    QList<QList<int>> m_chosen;
    TDateTime m_start = ZeroDate;
    bool m_timed = false;
};

} // namespace MockExam
