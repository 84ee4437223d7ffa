#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TDbConnection;

// The knowledge-test questions of the supplied table przepisy, as practice and the mock
// exam use them: every part of a question with its answers, the right one and the
// explanation, and the topic it belongs to.
struct BankQuestion
{
    qint64 Id = 0;
    // 0 a regulations question (one part), 1 a fish card (a picture and three parts).
    int Kind = 0;
    int Topic = 0;
    QString Picture;
    QStringList Parts;
    // Per part, its three answers in stored order.
    QList<QStringList> Answers;
    // Per part, the stored number (1 to 3) of its right answer.
    QList<int> Right;
    QString Explanation;

    int PartCount() const { return int(Parts.size()); }
};

namespace QuestionTopic {

inline constexpr int Count = 8;
// Every fish card, and nothing else, belongs to the last topic.
inline constexpr int FishCards = 8;

// The Polish name of a topic (1 to Count).
QString Name(int topic);

// The topic a question of an older bank most likely has, from its words: the banks that
// carried no topic still have to serve practice and the mock exam.
int Guess(int kind, const QString &question);

} // namespace QuestionTopic

// Every question of przepisy, in id order. A bank without topics is read with the guessed
// ones.
QList<BankQuestion> ReadQuestionBank(TDbConnection &connection);

// Gives przepisy its topic column when the copied table lacks it, each question taking
// its guessed topic. Run inside the caller's transaction after the supplied tables are
// copied.
void MendQuestionTopics(TDbConnection &connection);
