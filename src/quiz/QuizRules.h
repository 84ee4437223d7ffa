#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rules both knowledge tests share: which question comes next, how a question is
// graded, where its picture lies and what the end of a test says.
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

// The picture of a fish question: ".jpg" is appended to a name without a dot.
QString PicturePath(const QString &programDir, const QString &zdjecie);

QString CounterText(int questionNo);
QString EndOfTestText(int points, int possiblePoints);

} // namespace QuizRules
