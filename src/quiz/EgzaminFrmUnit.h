#pragma once

#include "diary/MockExam.h"
#include "quiz/QuizRules.h"

#include <QHash>
#include <QImage>
#include <QWidget>
#include <memory>

class QChartView;
class QCheckBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTimer;
class QuestionCard;
class TQuizReviewFrm;

// "Egzamin próbny": a mock exam under exam conditions (MockExam), with its rules and pass
// mark stated before the start, an optional time limit counted down on screen, the score
// and the review at the end, and a chart of the results so far.
class TEgzaminFrm : public QWidget
{
    Q_OBJECT

public:
    explicit TEgzaminFrm(QWidget *parent = nullptr);
    ~TEgzaminFrm() override;

    QStackedWidget *Pages = nullptr;
    // Before the start.
    QLabel *Label1 = nullptr;
    QLabel *RulesLabel = nullptr;
    QLabel *NoticeLabel = nullptr;
    QCheckBox *TimeLimitCheck = nullptr;
    QPushButton *StartButton = nullptr;
    QLabel *ResultLabel = nullptr;
    QPushButton *ReviewButton = nullptr;
    QChartView *ResultsChart = nullptr;
    // During the exam.
    QLabel *CounterLabel = nullptr;
    QLabel *TimeLabel = nullptr;
    QuestionCard *Card = nullptr;
    QPushButton *PrevButton = nullptr;
    QPushButton *NextButton = nullptr;
    QPushButton *FinishButton = nullptr;
    QLabel *AnsweredLabel = nullptr;
    // Reads the clock while a timed exam runs.
    QTimer *Ticker = nullptr;
    TQuizReviewFrm *ReviewFrm = nullptr;

    // Shows the page before the start with the results so far; an exam under way goes on.
    void Open();
    void StartButtonClick();
    void PrevButtonClick();
    void NextButtonClick();
    void FinishButtonClick();
    void ReviewButtonClick();
    // Shows the time left, and ends the exam once it is up.
    void Tick();
    bool ExamRunning() const { return m_session != nullptr; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool HasData() const;
    void ShowQuestionAt(int index);
    void EndExam(bool timeUp);
    // Draws the chart of the results kept; returns them.
    QList<MockExam::Result> ShowResults();
    QList<QuizRules::ReviewItem> Review(QHash<QString, QImage> &pictures) const;

    std::unique_ptr<MockExam::Session> m_session;
    int m_current = 0;
    QString m_reviewHtml;
    QHash<QString, QImage> m_reviewPictures;
};
