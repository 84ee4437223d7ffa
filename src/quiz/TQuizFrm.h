#pragma once

#include "quiz/QuizRules.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;
class TDbQuery;
class TImage;
class TQuizReviewFrm;
class TRadioGroup;

// What the two knowledge tests share: twelve questions of one kind drawn at random
// without repeats, each graded when the user moves on, an explanation after a wrong
// answer and the score at the end. A test only lays out its own controls and fills
// them with the question on screen.
class TQuizFrm : public QWidget
{
    Q_OBJECT

public:
    ~TQuizFrm() override;

    // The number of NextQuestion calls since the last NewTest: the question on screen.
    int QuestionNo = 0;
    int Points = 0;
    // The ids drawn in this test, compared without regard to letter case.
    QStringList UsedIds;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    // "Przejrzyj odpowiedzi": the review of a finished test.
    QPushButton *Button3 = nullptr;
    TQuizReviewFrm *ReviewFrm = nullptr;
    // The test's own statement dataset; its current row is the question on screen.
    TDbQuery *Query = nullptr;

    void NewTest();
    void NextQuestion();
    void FormCreate();
    // Runs once, when the view first becomes visible (its first docking).
    void FormShow();
    void Button1Click();
    void Button2Click();
    void Button3Click();

Q_SIGNALS:
    void testStarted();

protected:
    TQuizFrm(const QString &objectName, const QString &caption, const QString &heading, int kind, QWidget *parent);

    // The answer groups graded for each question, in order, and the wrong-answer mark
    // beside each (none for a test without marks).
    void SetAnswerGroups(const QList<TRadioGroup *> &groups, const QList<TImage *> &marks);
    // Fills the test's own controls from the current row of Query; the answers of the
    // groups are filled afterwards, in an order drawn for this showing.
    virtual void ShowQuestion() = 0;
    // Empties the test's own controls when there is no data to ask from.
    virtual void ClearQuestion() = 0;
    // The picture the question showed, for the review; none by default.
    virtual QImage QuestionPicture() const;

    QString ProgramDir() const;
    void showEvent(QShowEvent *event) override;

private:
    void GradeQuestion();
    // Makes the first unused question of a fresh random draw the current row; false
    // when every question of the kind has been asked in this test.
    bool DrawQuestion();
    void ShowAnswers();
    void EndTest(int questionsAsked);
    // Without a database the main window has said why once already: the test stays empty.
    bool HasData() const;

    int m_kind = 0;
    QList<TRadioGroup *> m_groups;
    QList<TImage *> m_marks;
    // Per group, the stored number of the answer shown at each position.
    QList<QList<int>> m_shownOrder;
    QList<QuizRules::ReviewItem> m_review;
    QHash<QString, QImage> m_reviewPictures;
    int m_possiblePoints = 0;
};
