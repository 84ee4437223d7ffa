#include "quiz/EgzaminFrmUnit.h"

#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "quiz/QuestionCard.h"
#include "quiz/QuizReviewFrmUnit.h"
#include "quiz/TRadioGroup.h"
#include "widgets/AppWindows.h"
#include "widgets/ChartParts.h"
#include "widgets/Platform.h"
#include "widgets/TDataSource.h"
#include "widgets/Utils.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScatterSeries>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

namespace {
constexpr int Possible = MockExam::RegulationQuestions + 3 * MockExam::FishCards;

int Percent(const MockExam::Result &result)
{
    return result.PossiblePoints > 0 ? int(std::lround(100.0 * result.Points / result.PossiblePoints)) : 0;
}

QString ResultText(const MockExam::Result &result)
{
    return QStringLiteral("%1 z %2 punktów (%3%), %4")
        .arg(result.Points)
        .arg(result.PossiblePoints)
        .arg(Percent(result))
        .arg(result.Passed() ? QStringLiteral("egzamin zdany") : QStringLiteral("egzamin niezdany"));
}

QLabel *Heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(ProgramFont(14, true));
    QPalette navy = label->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(navy);
    return label;
}
} // namespace

TEgzaminFrm::TEgzaminFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("EgzaminFrm"));
    setWindowTitle(QStringLiteral("Egzamin próbny na kartę wędkarską"));
    resize(767, 426);
    SetViewBackground(this);
    Pages = new QStackedWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));

    // Before the start: the rules, the pass mark, what the real exam is, the results so far.
    auto *start = new QWidget(Pages);
    start->setObjectName(QStringLiteral("StartPage"));
    Label1 = Heading(QStringLiteral("Egzamin próbny"), start);
    Label1->setObjectName(QStringLiteral("Label1"));
    RulesLabel = new QLabel(
        QStringLiteral("Egzamin ma %1 pytań: %2 z przepisów, wybranych z tematów w takich proporcjach jak w całym "
                       "zbiorze, i %3 kart ryb po trzy pytania. Każda dobra odpowiedź to jeden punkt, razem %4.\n\n"
                       "Aby zdać, trzeba zdobyć co najmniej %5% punktów, czyli %6 z %4. Odpowiedzi można "
                       "zmieniać do końca egzaminu; wynik i przegląd odpowiedzi pokażą się na końcu.")
            .arg(MockExam::RegulationQuestions + MockExam::FishCards)
            .arg(MockExam::RegulationQuestions)
            .arg(MockExam::FishCards)
            .arg(Possible)
            .arg(MockExam::PassPercent)
            .arg(MockExam::PassMark(Possible)),
        start);
    RulesLabel->setObjectName(QStringLiteral("RulesLabel"));
    RulesLabel->setWordWrap(true);
    RulesLabel->setFont(ProgramFont(10));
    NoticeLabel = new QLabel(
        QStringLiteral("To tylko ćwiczenie. Prawdziwy egzamin na kartę wędkarską przeprowadza komisja "
                       "egzaminacyjna (na przykład okręgu PZW) i to ona ustala pytania, ich liczbę, czas i próg "
                       "zaliczenia, które mogą być inne niż tutaj."),
        start);
    NoticeLabel->setObjectName(QStringLiteral("NoticeLabel"));
    NoticeLabel->setWordWrap(true);
    NoticeLabel->setFont(ProgramFont(9));
    NoticeLabel->setMargin(6);
    NoticeLabel->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    NoticeLabel->setAutoFillBackground(true);
    QPalette note = NoticeLabel->palette();
    note.setColor(QPalette::Window, QColor(255, 248, 210));
    NoticeLabel->setPalette(note);
    TimeLimitCheck = new QCheckBox(QStringLiteral("&Limit czasu: %1 minut").arg(MockExam::TimeLimitMinutes), start);
    TimeLimitCheck->setObjectName(QStringLiteral("TimeLimitCheck"));
    TimeLimitCheck->setChecked(true);
    StartButton = new QPushButton(QStringLiteral("&Rozpocznij egzamin"), start);
    StartButton->setObjectName(QStringLiteral("StartButton"));
    ResultLabel = new QLabel(start);
    ResultLabel->setObjectName(QStringLiteral("ResultLabel"));
    ResultLabel->setWordWrap(true);
    ResultLabel->setFont(ProgramFont(10, true));
    ReviewButton = new QPushButton(QStringLiteral("Przejrzyj &odpowiedzi"), start);
    ReviewButton->setObjectName(QStringLiteral("ReviewButton"));
    ReviewButton->setEnabled(false);
    QChart *chart = NewChart(QStringLiteral("Twoje wyniki egzaminów próbnych (%)"));
    ResultsChart = NewView(chart, "ResultsChart", start);
    ResultsChart->setMinimumSize(320, 240);

    auto *startButtons = new QHBoxLayout;
    startButtons->addWidget(StartButton);
    startButtons->addWidget(ReviewButton);
    startButtons->addStretch(1);
    auto *startText = new QVBoxLayout;
    startText->addWidget(Label1);
    startText->addWidget(RulesLabel);
    startText->addWidget(NoticeLabel);
    startText->addWidget(TimeLimitCheck);
    startText->addLayout(startButtons);
    startText->addWidget(ResultLabel);
    startText->addStretch(1);
    auto *startLayout = new QHBoxLayout(start);
    startLayout->setContentsMargins(0, 0, 0, 0);
    startLayout->addLayout(startText, 1);
    startLayout->addWidget(ResultsChart, 1);

    // The exam: where one is, the time left, the question and the way through.
    auto *exam = new QWidget(Pages);
    exam->setObjectName(QStringLiteral("ExamPage"));
    CounterLabel = new QLabel(exam);
    CounterLabel->setObjectName(QStringLiteral("CounterLabel"));
    CounterLabel->setFont(ProgramFont(12, true));
    TimeLabel = new QLabel(exam);
    TimeLabel->setObjectName(QStringLiteral("TimeLabel"));
    TimeLabel->setFont(ProgramFont(12, true));
    TimeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Card = new QuestionCard(exam);
    PrevButton = new QPushButton(QStringLiteral("<< &Poprzednie"), exam);
    PrevButton->setObjectName(QStringLiteral("PrevButton"));
    NextButton = new QPushButton(QStringLiteral("&Następne >>"), exam);
    NextButton->setObjectName(QStringLiteral("NextButton"));
    FinishButton = new QPushButton(QStringLiteral("&Zakończ egzamin"), exam);
    FinishButton->setObjectName(QStringLiteral("FinishButton"));
    AnsweredLabel = new QLabel(exam);
    AnsweredLabel->setObjectName(QStringLiteral("AnsweredLabel"));
    auto *top = new QHBoxLayout;
    top->addWidget(CounterLabel, 1);
    top->addWidget(TimeLabel);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(AnsweredLabel, 1);
    bottom->addWidget(FinishButton);
    bottom->addSpacing(24);
    bottom->addWidget(PrevButton);
    bottom->addWidget(NextButton);
    auto *examLayout = new QVBoxLayout(exam);
    examLayout->setContentsMargins(0, 0, 0, 0);
    examLayout->addLayout(top);
    examLayout->addWidget(Card, 1);
    examLayout->addLayout(bottom);

    Pages->addWidget(start);
    Pages->addWidget(exam);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(Pages);

    for (QPushButton *button : {StartButton, ReviewButton, PrevButton, NextButton, FinishButton}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
    }
    const auto guarded = [this](void (TEgzaminFrm::*handler)()) {
        return [this, handler] { TDataSource::Guard([this, handler] { (this->*handler)(); }); };
    };
    connect(StartButton, &QPushButton::clicked, this, guarded(&TEgzaminFrm::StartButtonClick));
    connect(ReviewButton, &QPushButton::clicked, this, guarded(&TEgzaminFrm::ReviewButtonClick));
    connect(PrevButton, &QPushButton::clicked, this, guarded(&TEgzaminFrm::PrevButtonClick));
    connect(NextButton, &QPushButton::clicked, this, guarded(&TEgzaminFrm::NextButtonClick));
    connect(FinishButton, &QPushButton::clicked, this, guarded(&TEgzaminFrm::FinishButtonClick));
    connect(Card, &QuestionCard::answerChosen, this, [this](int part, int stored) {
        if (!m_session)
            return;
        // Once time is up the answer no longer counts, and the exam ends.
        if (!m_session->Choose(m_current, part, stored, Clock::Now())) {
            TDataSource::Guard([this] { Tick(); });
            return;
        }
        AnsweredLabel->setText(QStringLiteral("Bez odpowiedzi: %1 z %2 pytań")
                                   .arg(m_session->Unanswered())
                                   .arg(m_session->Questions().size()));
    });

    Ticker = new QTimer(this);
    Ticker->setObjectName(QStringLiteral("Ticker"));
    Ticker->setInterval(250);
    connect(Ticker, &QTimer::timeout, this, guarded(&TEgzaminFrm::Tick));
    ReviewFrm = new TQuizReviewFrm(this);

    QList<QWidget *> order{TimeLimitCheck, StartButton, ReviewButton};
    for (TRadioGroup *group : std::as_const(Card->Groups))
        order << group;
    order << NextButton << PrevButton << FinishButton;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

TEgzaminFrm::~TEgzaminFrm() = default;

bool TEgzaminFrm::HasData() const
{
    return Windows().DataBase && Windows().DataBase->Connected();
}

void TEgzaminFrm::Open()
{
    if (m_session)
        return;
    Pages->setCurrentIndex(0);
    const QList<MockExam::Result> results = ShowResults();
    // After an exam of this showing its score stays; otherwise the latest one kept.
    if (!ReviewButton->isEnabled())
        ResultLabel->setText(results.isEmpty()
                                 ? QStringLiteral("Nie ma jeszcze wyników.")
                                 : QStringLiteral("Ostatni wynik: ") + ResultText(results.last()) + QLatin1Char('.'));
    StartButton->setEnabled(HasData());
}

QList<MockExam::Result> TEgzaminFrm::ShowResults()
{
    QChart *chart = ResultsChart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    const QList<MockExam::Result> results =
        HasData() ? MockExam::ReadResults(*Windows().DataBase) : QList<MockExam::Result>();
    // One step per exam, in the order taken, each under its day; without results the axes
    // and the pass mark still show what the chart will hold.
    const qreal left = -0.5;
    const qreal right = std::max<qreal>(results.size(), 5) - 0.5;
    auto *mark = new QLineSeries;
    mark->setName(QStringLiteral("Próg zaliczenia"));
    QPen dashed(QColor(0, 128, 0));
    dashed.setStyle(Qt::DashLine);
    dashed.setWidth(2);
    mark->setPen(dashed);
    mark->append(left, MockExam::PassPercent);
    mark->append(right, MockExam::PassPercent);
    chart->addSeries(mark);
    auto *days = new QCategoryAxis;
    days->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    days->setRange(left, right);
    days->setStartValue(left);
    if (!results.isEmpty()) {
        auto *line = new QLineSeries;
        line->setColor(QColor(30, 80, 150));
        auto *points = new QScatterSeries;
        points->setMarkerSize(8);
        points->setColor(QColor(30, 80, 150));
        QStringList labels;
        for (qsizetype i = 0; i < results.size(); ++i) {
            line->append(qreal(i), Percent(results[i]));
            points->append(qreal(i), Percent(results[i]));
            // The axis tells its labels apart by their text; two exams of one day differ by
            // spaces no one sees.
            QString label = ToQDate(results[i].When).toString(QStringLiteral("dd.MM"));
            while (labels.contains(label))
                label += QLatin1Char(' ');
            labels << label;
            days->append(label, qreal(i) + 0.5);
        }
        chart->addSeries(line);
        chart->addSeries(points);
    }
    auto *percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setTickCount(6);
    percent->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(days, Qt::AlignBottom);
    chart->addAxis(percent, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(days);
        series->attachAxis(percent);
    }
    UseSmallLabels(chart);
    return results;
}

void TEgzaminFrm::StartButtonClick()
{
    if (!HasData())
        return;
    const QList<BankQuestion> questions =
        MockExam::Draw(ReadQuestionBank(*Windows().DataBase), *QRandomGenerator::global());
    if (questions.isEmpty())
        return;
    m_session = std::make_unique<MockExam::Session>(questions, Clock::Now(), TimeLimitCheck->isChecked());
    Pages->setCurrentIndex(1);
    TimeLabel->setVisible(m_session->Timed());
    ShowQuestionAt(0);
    AnsweredLabel->setText(QStringLiteral("Bez odpowiedzi: %1 z %1 pytań").arg(m_session->Questions().size()));
    if (m_session->Timed()) {
        Tick();
        Ticker->start();
    }
}

void TEgzaminFrm::ShowQuestionAt(int index)
{
    m_current = index;
    const BankQuestion &question = m_session->Questions()[index];
    // Moved on by its buttons, the keys stay on them; otherwise they go to the answers.
    const QWidget *focus = QApplication::focusWidget();
    Card->ShowQuestion(question);
    if (focus != PrevButton && focus != NextButton)
        Card->FocusAnswers();
    QList<int> chosen;
    for (int part = 0; part < question.PartCount(); ++part)
        chosen << m_session->Chosen(index, part);
    Card->SetChosen(chosen);
    CounterLabel->setText(QStringLiteral("Pytanie %1 z %2 · %3")
                              .arg(index + 1)
                              .arg(m_session->Questions().size())
                              .arg(QuestionTopic::Name(question.Topic)));
    PrevButton->setEnabled(index > 0);
    NextButton->setEnabled(index + 1 < m_session->Questions().size());
}

void TEgzaminFrm::PrevButtonClick()
{
    if (m_session && m_current > 0)
        ShowQuestionAt(m_current - 1);
}

void TEgzaminFrm::NextButtonClick()
{
    if (m_session && m_current + 1 < m_session->Questions().size())
        ShowQuestionAt(m_current + 1);
}

void TEgzaminFrm::FinishButtonClick()
{
    if (!m_session)
        return;
    const int unanswered = m_session->Unanswered();
    const QString question =
        unanswered == 0
            ? QStringLiteral("Zakończyć egzamin i zobaczyć wynik?")
            : QStringLiteral("Bez odpowiedzi zostało pytań: %1. Zakończyć egzamin mimo to?").arg(unanswered);
    if (Platform::AskYesNo(this, QStringLiteral("Zakończ egzamin"), question))
        EndExam(false);
}

void TEgzaminFrm::Tick()
{
    if (!m_session || !m_session->Timed())
        return;
    const TDateTime now = Clock::Now();
    const int left = m_session->SecondsLeft(now);
    TimeLabel->setText(QStringLiteral("Pozostały czas: %1:%2").arg(left / 60).arg(left % 60, 2, 10, QLatin1Char('0')));
    QPalette palette = TimeLabel->palette();
    palette.setColor(QPalette::WindowText, left < 5 * 60 ? QColor(176, 0, 0) : QColor(0, 0, 128));
    TimeLabel->setPalette(palette);
    if (m_session->TimeIsUp(now))
        EndExam(true);
}

void TEgzaminFrm::EndExam(bool timeUp)
{
    Ticker->stop();
    const MockExam::Result result = m_session->Finish(Clock::Now());
    m_reviewPictures.clear();
    m_reviewHtml = QuizRules::ReviewHtml(Review(m_reviewPictures), result.Points, result.PossiblePoints);
    m_session.reset();
    ReviewButton->setEnabled(true);
    // A diary that cannot be written (opened read-only) still shows the score.
    try {
        MockExam::SaveResult(*Windows().DataBase, result);
    } catch (...) {
        ShowCurrentException();
    }
    ResultLabel->setText(QStringLiteral("Wynik: ") + ResultText(result) + QLatin1Char('.'));
    Pages->setCurrentIndex(0);
    ShowResults();
    const QString text =
        (timeUp ? QStringLiteral("Czas minął; liczą się odpowiedzi udzielone do tej pory.\n\n") : QString()) +
        QStringLiteral("Twój wynik: %1.\nPróg zaliczenia: %2 punktów.")
            .arg(ResultText(result))
            .arg(MockExam::PassMark(result.PossiblePoints));
    Platform::ShowMessage(this, QStringLiteral("Koniec egzaminu"), text, Platform::Icon::Information);
    ReviewButton->setFocus();
}

QList<QuizRules::ReviewItem> TEgzaminFrm::Review(QHash<QString, QImage> &pictures) const
{
    QList<QuizRules::ReviewItem> items;
    const QList<BankQuestion> &questions = m_session->Questions();
    for (qsizetype q = 0; q < questions.size(); ++q) {
        const BankQuestion &question = questions[q];
        QuizRules::ReviewItem item;
        for (int part = 0; part < question.PartCount(); ++part) {
            const int chosen = m_session->Chosen(int(q), part);
            const int right = question.Right.value(part);
            item.Parts.append({question.Parts[part], question.Answers[part].value(chosen - 1),
                               question.Answers[part].value(right - 1), chosen != 0 && chosen == right});
        }
        item.Explanation = question.Explanation;
        if (question.Kind == 1) {
            const QImage picture(QuizRules::PicturePath(SuppliedDataRoot(), question.Picture));
            if (!picture.isNull()) {
                item.Picture = QStringLiteral("pytanie%1").arg(q + 1);
                pictures.insert(item.Picture, picture.scaledToWidth(200, Qt::SmoothTransformation));
            }
        }
        items << item;
    }
    return items;
}

void TEgzaminFrm::ReviewButtonClick()
{
    if (!m_reviewHtml.isEmpty())
        ReviewFrm->ShowReview(m_reviewHtml, m_reviewPictures);
}

void TEgzaminFrm::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the button that has the keys; on a question it moves on.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        QPushButton *button = focused && focused->isVisible() && focused->isEnabled() ? focused
                              : Pages->currentIndex() == 1                            ? NextButton
                                                                                      : StartButton;
        if (button->isEnabled())
            button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
