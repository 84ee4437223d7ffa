#pragma once

#include "diary/QuestionBank.h"

#include <QImage>
#include <QList>
#include <QWidget>

class QLabel;
class TImage;
class TRadioGroup;

// One question of the bank on screen, as practice and the mock exam ask it: a regulations
// question's text over its answers, or a fish card's picture beside its three parts. The
// answers of each part are shown in an order drawn afresh, so that their place gives
// nothing away.
class QuestionCard : public QWidget
{
    Q_OBJECT

public:
    explicit QuestionCard(QWidget *parent = nullptr);

    QLabel *QuestionText = nullptr;
    TImage *Picture = nullptr;
    QList<TRadioGroup *> Groups;

    void ShowQuestion(const BankQuestion &question);
    void Clear();
    const BankQuestion &Question() const { return m_question; }

    // Per part, the stored number of the chosen answer, 0 for none.
    QList<int> Chosen() const;
    void SetChosen(const QList<int> &stored);
    // Marks the right answer of each part green and a wrong choice red, and locks the
    // answers.
    void Reveal();
    // Gives the keys to the first answer, for the arrows to choose among them.
    void FocusAnswers();
    // The picture shown, small enough for a review.
    QImage ReviewPicture() const;

Q_SIGNALS:
    // An answer was chosen, by mouse or keyboard.
    void answerChosen(int part, int storedAnswer);

private:
    BankQuestion m_question;
    // Per part, the stored number of the answer at each shown position.
    QList<QList<int>> m_order;
};
