#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QRandomGenerator;

// The rules both knowledge tests share: which question comes next, how a question is
// graded, where its picture lies, what the end of a test says and how its review reads.
namespace QuizRules {

inline constexpr int QuestionsPerTest = 12;

// All questions of one kind (0 regulations, 1 fish), in the engine's random order.
QString DrawStatement(int kind);

// Ids are compared as text, without regard to letter case.
bool IsUsed(const QStringList &usedIds, const QString &id);

// One question's answers: for each part, the number of its right answer (1 to 3) and
// the position of the chosen one (1 to 3, 0 when none was chosen).
struct Grade
{
    int Score = 0;
    QList<bool> Wrong;
};
Grade GradeQuestion(const QList<int> &rightAnswers, const QList<int> &chosen);

// The order in which a group's answers are shown: entry i is the stored number (1 to n)
// of the answer at position i. Drawn afresh for every question shown, so that the place
// of the right answer gives nothing away.
QList<int> ShuffledOrder(int count, QRandomGenerator &random);
// The stored number of the answer chosen at a shown position (from 0), or 0 for none.
int StoredAnswer(const QList<int> &order, int shownIndex);

// What the review after a test lists: each part-question with the answer chosen (empty
// when none was), the right one and whether they were the same, and the question's
// explanation.
struct ReviewPart
{
    QString Question;
    QString Chosen;
    QString Right;
    bool IsRight = false;
};
struct ReviewItem
{
    QList<ReviewPart> Parts;
    QString Explanation;
    // The name under which the review window holds the question's picture; empty for none.
    QString Picture;
};
// The review as rich text for a text browser; every stored text is escaped.
QString ReviewHtml(const QList<ReviewItem> &items, int points, int possiblePoints);

// The picture of a fish question: ".jpg" is appended to a name without a dot.
QString PicturePath(const QString &programDir, const QString &zdjecie);

QString CounterText(int questionNo);
QString EndOfTestText(int points, int possiblePoints);

} // namespace QuizRules
