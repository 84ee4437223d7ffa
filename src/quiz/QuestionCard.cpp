#include "quiz/QuestionCard.h"

#include "base/Exception.h"
#include "base/ProgramPaths.h"
#include "quiz/QuizRules.h"
#include "quiz/TRadioGroup.h"
#include "widgets/TImage.h"
#include "widgets/Utils.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

QuestionCard::QuestionCard(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("QuestionCard"));
    Picture = new TImage(this);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->SetStretch(true);
    Picture->SetProportional(true);
    Picture->SetCenter(true);
    Picture->setFixedWidth(230);
    Picture->SetBackdrop(Qt::white);

    QuestionText = new QLabel(this);
    QuestionText->setObjectName(QStringLiteral("QuestionText"));
    QuestionText->setTextFormat(Qt::PlainText);
    QuestionText->setWordWrap(true);
    QuestionText->setFont(ProgramFont(11, true));
    QuestionText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QuestionText->setMinimumHeight(48);

    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(QuestionText);
    for (int part = 0; part < 3; ++part) {
        auto *group = new TRadioGroup(this);
        group->setObjectName(QStringLiteral("RadioGroup%1").arg(part + 1));
        group->setFont(ProgramFont(9));
        column->addWidget(group, 1);
        Groups << group;
    }
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Picture);
    layout->addLayout(column, 1);
    Clear();
}

void QuestionCard::ShowQuestion(const BankQuestion &question)
{
    m_question = question;
    m_order.clear();
    const bool fish = question.Kind == 1;
    Picture->setVisible(fish);
    QuestionText->setVisible(!fish);
    QuestionText->setText(fish ? QString() : question.Parts.value(0));
    if (fish) {
        try {
            Picture->LoadFromFile(QuizRules::PicturePath(SuppliedDataRoot(), question.Picture));
        } catch (const Exception &) {
            // Without its picture the card still asks its questions.
            Picture->Clear();
        }
    }
    for (int part = 0; part < Groups.size(); ++part) {
        TRadioGroup *group = Groups[part];
        group->setEnabled(true);
        if (part >= question.PartCount()) {
            group->SetItems({});
            group->hide();
            continue;
        }
        group->setTitle(fish ? question.Parts[part] : QStringLiteral("Odpowiedź:"));
        const QStringList &stored = question.Answers[part];
        const QList<int> order = QuizRules::ShuffledOrder(int(stored.size()), *QRandomGenerator::global());
        QStringList shown;
        for (const int number : order)
            shown << stored.value(number - 1);
        group->SetItems(shown);
        group->show();
        m_order << order;
        for (int i = 0; i < shown.size(); ++i)
            connect(group->Button(i), &QRadioButton::toggled, this, [this, part, i](bool on) {
                if (on)
                    Q_EMIT answerChosen(part, QuizRules::StoredAnswer(m_order.value(part), i));
            });
    }
}

void QuestionCard::Clear()
{
    m_question = {};
    m_order.clear();
    Picture->hide();
    QuestionText->clear();
    QuestionText->show();
    for (TRadioGroup *group : std::as_const(Groups)) {
        group->SetItems({});
        group->setTitle(QString());
        group->setVisible(group == Groups.first());
    }
}

QList<int> QuestionCard::Chosen() const
{
    QList<int> chosen;
    for (qsizetype part = 0; part < m_order.size(); ++part)
        chosen << QuizRules::StoredAnswer(m_order[part], Groups[part]->ItemIndex());
    return chosen;
}

void QuestionCard::SetChosen(const QList<int> &stored)
{
    for (qsizetype part = 0; part < m_order.size(); ++part) {
        Groups[part]->SetItemIndex(int(m_order[part].indexOf(stored.value(part))));
    }
}

void QuestionCard::Reveal()
{
    const QList<int> chosen = Chosen();
    for (qsizetype part = 0; part < m_order.size(); ++part) {
        TRadioGroup *group = Groups[part];
        const int right = m_question.Right.value(part);
        for (qsizetype shown = 0; shown < m_order[part].size(); ++shown) {
            const int stored = m_order[part][shown];
            QLabel *label = group->Label(int(shown));
            if (stored == right)
                label->setStyleSheet(QStringLiteral("color: #006400; font-weight: bold"));
            else if (stored == chosen[part])
                label->setStyleSheet(QStringLiteral("color: #b00000; text-decoration: line-through"));
        }
        // Locked by the buttons alone, so the frame and texts keep their colours.
        for (qsizetype shown = 0; shown < m_order[part].size(); ++shown)
            group->Button(int(shown))->setEnabled(false);
    }
}

void QuestionCard::FocusAnswers()
{
    if (QRadioButton *first = Groups.first()->Button(0))
        first->setFocus(Qt::OtherFocusReason);
}

QImage QuestionCard::ReviewPicture() const
{
    const QImage &shown = Picture->Picture();
    return m_question.Kind != 1 || shown.isNull() ? QImage() : shown.scaledToWidth(200, Qt::SmoothTransformation);
}
