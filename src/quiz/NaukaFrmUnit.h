#pragma once

#include "diary/PracticeProgress.h"
#include "diary/QuestionBank.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QuestionCard;

// "Nauka": practice on the whole question bank or chosen topics. The questions the
// learner knows least come first (PracticeProgress); after each answer the right one and
// its explanation show at once, and the bars tell how much of each topic is mastered.
class TNaukaFrm : public QWidget
{
    Q_OBJECT

public:
    explicit TNaukaFrm(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QLabel *StatusLabel = nullptr;
    QList<QCheckBox *> TopicChecks;
    QList<QProgressBar *> TopicBars;
    QPushButton *ResetButton = nullptr;
    QuestionCard *Card = nullptr;
    QLabel *Feedback = nullptr;
    // "Sprawdź" while a question waits for its answer, "Następne pytanie" after.
    QPushButton *NextButton = nullptr;

    // Reads the bank and the learner's progress afresh and asks the first question.
    void Start();
    void NextButtonClick();
    void ResetButtonClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool HasData() const;
    QSet<int> ChosenTopics() const;
    void AskNext();
    void Check();
    void ShowProgress();
    const BankQuestion *Find(qint64 id) const;

    QList<BankQuestion> m_bank;
    QHash<qint64, PracticeProgress::Card> m_cards;
    qint64 m_lastAsked = -1;
    bool m_answered = false;
};
