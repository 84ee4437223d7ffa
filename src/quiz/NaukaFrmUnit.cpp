#include "quiz/NaukaFrmUnit.h"

#include "base/Clock.h"
#include "data/TDbConnection.h"
#include "quiz/QuestionCard.h"
#include "quiz/TRadioGroup.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"
#include "widgets/TDataSource.h"
#include "widgets/Utils.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>
#include <algorithm>

TNaukaFrm::TNaukaFrm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("NaukaFrm"));
    setWindowTitle(QStringLiteral("Nauka - pytania na kartę wędkarską"));
    resize(767, 426);
    SetViewBackground(this);

    Label1 = new QLabel(QStringLiteral("Nauka do egzaminu na kartę wędkarską"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(ProgramFont(14, true));
    QPalette navy = Label1->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label1->setPalette(navy);

    auto *topics = new QGroupBox(QStringLiteral("Tematy i opanowanie"), this);
    topics->setObjectName(QStringLiteral("TopicsBox"));
    topics->setFont(ProgramFont(9, true));
    auto *grid = new QVBoxLayout(topics);
    grid->setSpacing(1);
    grid->setContentsMargins(8, 4, 8, 6);
    for (int topic = 1; topic <= QuestionTopic::Count; ++topic) {
        auto *check = new QCheckBox(QuestionTopic::Name(topic), topics);
        check->setObjectName(QStringLiteral("Topic%1").arg(topic));
        check->setFont(ProgramFont(9));
        check->setChecked(true);
        auto *bar = new QProgressBar(topics);
        bar->setObjectName(QStringLiteral("TopicBar%1").arg(topic));
        bar->setFont(ProgramFont(8));
        bar->setFixedHeight(14);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setFormat(QStringLiteral("%v z %m"));
        grid->addWidget(check);
        grid->addWidget(bar);
        TopicChecks << check;
        TopicBars << bar;
        connect(check, &QCheckBox::toggled, this, [this] {
            // A question already answered stays for its explanation to be read.
            if (!m_answered)
                TDataSource::Guard([this] { AskNext(); });
        });
    }
    auto *legend = new QLabel(QStringLiteral("Opanowane: dobrze odpowiedziane kilka razy z rzędu."), topics);
    legend->setObjectName(QStringLiteral("LegendLabel"));
    legend->setFont(ProgramFont(8));
    legend->setWordWrap(true);
    grid->addWidget(legend);
    ResetButton = new QPushButton(QStringLiteral("Zacznij &od nowa"), topics);
    ResetButton->setObjectName(QStringLiteral("ResetButton"));
    ResetButton->setFont(ProgramFont(9));
    grid->addWidget(ResetButton);
    grid->addStretch(1);

    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setFont(ProgramFont(9));
    QPalette grey = StatusLabel->palette();
    grey.setColor(QPalette::WindowText, QColor(70, 70, 70));
    StatusLabel->setPalette(grey);

    Card = new QuestionCard(this);

    Feedback = new QLabel(this);
    Feedback->setObjectName(QStringLiteral("Feedback"));
    Feedback->setWordWrap(true);
    Feedback->setTextFormat(Qt::RichText);
    Feedback->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Feedback->setFont(ProgramFont(9));
    Feedback->setMinimumHeight(66);
    Feedback->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    Feedback->setAutoFillBackground(true);
    QPalette paper = Feedback->palette();
    paper.setColor(QPalette::Window, QColor(255, 255, 240));
    Feedback->setPalette(paper);
    Feedback->setMargin(4);

    NextButton = new QPushButton(QStringLiteral("&Sprawdź"), this);
    NextButton->setObjectName(QStringLiteral("NextButton"));
    NextButton->setMinimumWidth(160);
    for (QPushButton *button : {NextButton, ResetButton}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
    }
    connect(NextButton, &QPushButton::clicked, this, [this] { TDataSource::Guard([this] { NextButtonClick(); }); });
    connect(ResetButton, &QPushButton::clicked, this, [this] { TDataSource::Guard([this] { ResetButtonClick(); }); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(StatusLabel, 1);
    buttons->addWidget(NextButton);
    auto *right = new QVBoxLayout;
    right->addWidget(Label1);
    right->addWidget(Card, 1);
    right->addWidget(Feedback);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addLayout(right, 1);
    layout->addWidget(topics);
    topics->setFixedWidth(220);

    // Reading order: the answers, the button that checks them, then the topics.
    QList<QWidget *> order;
    for (TRadioGroup *group : std::as_const(Card->Groups))
        order << group;
    order << NextButton;
    for (qsizetype i = 0; i < TopicChecks.size(); ++i)
        order << TopicChecks[i];
    order << ResetButton;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool TNaukaFrm::HasData() const
{
    return Windows().DataBase && Windows().DataBase->Connected();
}

void TNaukaFrm::Start()
{
    m_bank.clear();
    m_cards.clear();
    m_lastAsked = -1;
    if (HasData()) {
        m_bank = ReadQuestionBank(*Windows().DataBase);
        m_cards = PracticeProgress::Read(*Windows().DataBase);
    }
    ShowProgress();
    AskNext();
}

QSet<int> TNaukaFrm::ChosenTopics() const
{
    QSet<int> topics;
    for (qsizetype i = 0; i < TopicChecks.size(); ++i) {
        if (TopicChecks[i]->isChecked())
            topics.insert(int(i) + 1);
    }
    return topics;
}

const BankQuestion *TNaukaFrm::Find(qint64 id) const
{
    for (const BankQuestion &q : m_bank) {
        if (q.Id == id)
            return &q;
    }
    return nullptr;
}

void TNaukaFrm::AskNext()
{
    m_answered = false;
    Feedback->clear();
    NextButton->setText(QStringLiteral("&Sprawdź"));
    const QList<qint64> order =
        PracticeProgress::DrawingOrder(m_bank, m_cards, ChosenTopics(), Clock::Today(), *QRandomGenerator::global());
    if (order.isEmpty()) {
        Card->Clear();
        NextButton->setEnabled(false);
        StatusLabel->setText(m_bank.isEmpty() ? QString() : QStringLiteral("Zaznacz co najmniej jeden temat."));
        return;
    }
    // The question just answered waits for at least one other.
    const qint64 id = order.size() > 1 && order.first() == m_lastAsked ? order[1] : order.first();
    const BankQuestion *question = Find(id);
    // The keys follow the questions unless they are busy among the topics.
    const QWidget *focus = QApplication::focusWidget();
    const bool follow = !focus || focus == NextButton || Card->isAncestorOf(focus);
    Card->ShowQuestion(*question);
    if (follow && isVisible())
        Card->FocusAnswers();
    m_lastAsked = id;
    NextButton->setEnabled(true);
    const PracticeProgress::Card card = m_cards.value(id);
    const QString box = card.Box == 0 ? QStringLiteral("pytanie nowe")
                                      : QStringLiteral("przegródka %1 z %2").arg(card.Box).arg(PracticeProgress::Boxes);
    StatusLabel->setText(QuestionTopic::Name(question->Topic) + QStringLiteral(" · ") + box);
}

void TNaukaFrm::Check()
{
    const BankQuestion &question = Card->Question();
    const QList<int> chosen = Card->Chosen();
    if (chosen.contains(0)) {
        Feedback->setText(question.PartCount() > 1 ? QStringLiteral("Wybierz odpowiedź w każdej części pytania.")
                                                   : QStringLiteral("Wybierz jedną z odpowiedzi."));
        return;
    }
    bool right = true;
    QStringList rightAnswers;
    for (int part = 0; part < question.PartCount(); ++part) {
        right = right && chosen[part] == question.Right[part];
        rightAnswers << question.Answers[part].value(question.Right[part] - 1).toHtmlEscaped();
    }
    const PracticeProgress::Card card = PracticeProgress::Record(*Windows().DataBase, question.Id, right);
    m_cards.insert(question.Id, card);
    m_answered = true;
    // The answers are locked now: the keys they had go to the button that moves on, not
    // to whatever widget of the main window comes next.
    const QWidget *focus = QApplication::focusWidget();
    const bool follow = !focus || focus == NextButton || Card->isAncestorOf(focus);
    Card->Reveal();
    if (follow)
        NextButton->setFocus();
    const QString verdict = right
                                ? QStringLiteral("<b style=\"color:#006400\">Dobrze!</b>")
                                : QStringLiteral("<b style=\"color:#b00000\">Źle.</b> Prawidłowa odpowiedź: <b>%1</b>.")
                                      .arg(rightAnswers.join(QStringLiteral("; ")));
    Feedback->setText(verdict + QStringLiteral("<br>") + question.Explanation.toHtmlEscaped());
    const int days = PracticeProgress::DaysUntilDue(card.Box);
    StatusLabel->setText(QStringLiteral("Teraz przegródka %1 z %2 · %3")
                             .arg(card.Box)
                             .arg(PracticeProgress::Boxes)
                             .arg(days == 0   ? QStringLiteral("wróci jeszcze dziś")
                                  : days == 1 ? QStringLiteral("wróci jutro")
                                              : QStringLiteral("wróci za %1 dni").arg(days)));
    NextButton->setText(QStringLiteral("&Następne pytanie"));
    ShowProgress();
}

void TNaukaFrm::ShowProgress()
{
    const QList<PracticeProgress::TopicProgress> topics = PracticeProgress::ByTopic(m_bank, m_cards);
    for (const PracticeProgress::TopicProgress &topic : topics) {
        QProgressBar *bar = TopicBars.value(topic.Topic - 1);
        if (!bar)
            continue;
        bar->setRange(0, std::max(topic.Questions, 1));
        bar->setValue(topic.Mastered);
        bar->setToolTip(QStringLiteral("%1: opanowane %2 z %3 pytań")
                            .arg(QuestionTopic::Name(topic.Topic))
                            .arg(topic.Mastered)
                            .arg(topic.Questions));
    }
}

void TNaukaFrm::NextButtonClick()
{
    if (!HasData() || Card->Question().Parts.isEmpty())
        return;
    if (m_answered)
        AskNext();
    else
        Check();
}

void TNaukaFrm::ResetButtonClick()
{
    if (!HasData() ||
        !Platform::AskYesNo(this, QStringLiteral("Zacznij od nowa"),
                            QStringLiteral("Zapomnieć wszystkie dotychczasowe odpowiedzi w nauce? Postęp we "
                                           "wszystkich tematach wróci do zera.")))
        return;
    PracticeProgress::Forget(*Windows().DataBase);
    Start();
}

void TNaukaFrm::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the button that has the keys, and otherwise checks or moves on, so that
    // practice runs on the arrows and Enter alone.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        QPushButton *button = focused && focused->isVisible() ? focused : NextButton;
        if (button->isEnabled())
            button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
