#include "quiz/TQuizFrm.h"

#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "data/TDbQuery.h"
#include "data/TField.h"
#include "quiz/QuizReviewFrmUnit.h"
#include "quiz/TRadioGroup.h"
#include "widgets/AppWindows.h"
#include "widgets/InfoUnit.h"
#include "widgets/Platform.h"
#include "widgets/TDataSource.h"
#include "widgets/TImage.h"
#include "widgets/Utils.h"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShowEvent>

namespace {
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, bool bold)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(ProgramFont(9, bold));
    return label;
}
} // namespace

TQuizFrm::TQuizFrm(const QString &objectName, const QString &caption, const QString &heading, int kind, QWidget *parent)
    : QWidget(parent), m_kind(kind)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    resize(767, 426);
    SetViewBackground(this);

    Query = new TDbQuery(this);
    Query->setObjectName(QStringLiteral("Query"));
    Query->SetConnection(Windows().DataBase);

    Label1 = new QLabel(heading, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(ProgramFont(14, true));
    QPalette navy = Label1->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label1->setPalette(navy);
    Label1->setGeometry(8, 6, 440, 26);

    Label2 = MakeLabel(this, "Label2", QStringLiteral("Pytanie:"), false);
    Label2->setGeometry(456, 10, 52, 20);
    Label3 = MakeLabel(this, "Label3", QuizRules::CounterText(1), true);
    Label3->setGeometry(508, 10, 44, 20);
    Label4 = MakeLabel(this, "Label4", QStringLiteral("Zdobyłeś punktów:"), false);
    Label4->setGeometry(580, 10, 112, 20);
    Label5 = MakeLabel(this, "Label5", QStringLiteral("0"), true);
    Label5->setGeometry(692, 10, 22, 20);
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6 = MakeLabel(this, "Label6", QString(), true);
    Label6->setGeometry(714, 10, 40, 20);

    Button1 = new QPushButton(QStringLiteral("&Nowy test"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(456, 392, 110, 27);
    // Each button has a letter of its own: with two on one letter, Alt only moves the focus.
    Button2 = new QPushButton(QStringLiteral("Następne &pytanie >>"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(599, 392, 160, 27);
    Button3 = new QPushButton(QStringLiteral("Przejrzyj &odpowiedzi"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(296, 392, 152, 27);
    Button3->setEnabled(false);
    for (QPushButton *button : {Button1, Button2, Button3}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
    }
    connect(Button1, &QPushButton::clicked, this, [this] { TDataSource::Guard([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { TDataSource::Guard([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { TDataSource::Guard([this] { Button3Click(); }); });
    ReviewFrm = new TQuizReviewFrm(this);

    FormCreate();
}

TQuizFrm::~TQuizFrm() = default;

void TQuizFrm::SetAnswerGroups(const QList<TRadioGroup *> &groups, const QList<TImage *> &marks)
{
    m_groups = groups;
    m_marks = marks;
    Label6->setText(QStringLiteral("/%1").arg(QuizRules::QuestionsPerTest * groups.size()));
    QList<QWidget *> focusOrder(groups.begin(), groups.end());
    focusOrder << Button2 << Button1 << Button3;
    QWidget *previous = nullptr;
    for (QWidget *next : focusOrder) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

QString TQuizFrm::ProgramDir() const
{
    return SuppliedDataRoot();
}

void TQuizFrm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        TDataSource::Guard([this] { FormShow(); });
}

void TQuizFrm::FormCreate()
{
    UsedIds.clear();
}

void TQuizFrm::FormShow()
{
    NewTest();
}

void TQuizFrm::Button1Click()
{
    NewTest();
}

void TQuizFrm::Button2Click()
{
    NextQuestion();
}

void TQuizFrm::Button3Click()
{
    ReviewFrm->ShowReview(QuizRules::ReviewHtml(m_review, Points, m_possiblePoints), m_reviewPictures);
}

QImage TQuizFrm::QuestionPicture() const
{
    return {};
}

bool TQuizFrm::HasData() const
{
    return Query->Connection() && Query->Connection()->Connected();
}

void TQuizFrm::NewTest()
{
    Q_EMIT testStarted();
    QuestionNo = 0;
    Points = 0;
    UsedIds.clear();
    m_review.clear();
    m_reviewPictures.clear();
    Button3->setEnabled(false);
    if (!HasData()) {
        Label3->setText(QuizRules::CounterText(0));
        Label5->setText(QString::number(Points));
        ClearQuestion();
        for (TRadioGroup *group : std::as_const(m_groups))
            group->SetItems({});
        Button2->setEnabled(false);
        return;
    }
    NextQuestion();
    Button2->setEnabled(true);
}

void TQuizFrm::NextQuestion()
{
    ++QuestionNo;
    if (QuestionNo > 1)
        GradeQuestion();
    if (QuestionNo > QuizRules::QuestionsPerTest) {
        EndTest(QuizRules::QuestionsPerTest);
        return;
    }
    // Once a small question table has run out, the test ends with the questions asked
    // so far instead of drawing for ever.
    if (!DrawQuestion()) {
        EndTest(QuestionNo - 1);
        return;
    }
    Label3->setText(QuizRules::CounterText(QuestionNo));
    Label5->setText(QString::number(Points));
    ShowQuestion();
    ShowAnswers();
}

void TQuizFrm::ShowAnswers()
{
    m_shownOrder.clear();
    for (qsizetype g = 0; g < m_groups.size(); ++g) {
        QStringList stored;
        for (int answer = 1; answer <= 3; ++answer)
            stored.append(Query->FieldByName(QStringLiteral("odp%1_%2").arg(g + 1).arg(answer))->AsString());
        const QList<int> order = QuizRules::ShuffledOrder(int(stored.size()), *QRandomGenerator::global());
        QStringList shown;
        for (const int number : order)
            shown.append(stored[number - 1]);
        m_groups[g]->SetItems(shown);
        m_shownOrder.append(order);
    }
}

void TQuizFrm::GradeQuestion()
{
    QList<int> rightAnswers, chosen;
    QuizRules::ReviewItem review;
    for (qsizetype i = 0; i < m_groups.size(); ++i) {
        const int right = Query->FieldByName(QStringLiteral("odp%1_prawidlowa").arg(i + 1))->AsInteger();
        const int stored = QuizRules::StoredAnswer(m_shownOrder.value(i), m_groups[i]->ItemIndex());
        rightAnswers.append(right);
        chosen.append(stored);
        const auto answer = [this, i](int number) {
            return number < 1 || number > 3
                       ? QString()
                       : Query->FieldByName(QStringLiteral("odp%1_%2").arg(i + 1).arg(number))->AsString();
        };
        review.Parts.append(
            {Query->FieldByName(QStringLiteral("pytanie%1").arg(i + 1))->AsString(), answer(stored), answer(right)});
    }
    const QuizRules::Grade grade = QuizRules::GradeQuestion(rightAnswers, chosen);
    for (qsizetype i = 0; i < review.Parts.size(); ++i)
        review.Parts[i].IsRight = !grade.Wrong.value(i, true);
    review.Explanation = Query->FieldByName(QStringLiteral("przepis"))->AsString();
    if (const QImage picture = QuestionPicture(); !picture.isNull()) {
        review.Picture = QStringLiteral("pytanie%1").arg(m_review.size() + 1);
        m_reviewPictures.insert(review.Picture, picture);
    }
    m_review.append(review);
    for (qsizetype i = 0; i < m_marks.size(); ++i)
        m_marks[i]->setVisible(grade.Wrong.value(i));
    if (grade.Score < m_groups.size()) {
        const QString explanation = Query->FieldByName(QStringLiteral("przepis"))->AsString();
        if (TInfoFrm *info = Windows().InfoFrm)
            info->ShowMsg(explanation);
    }
    for (TImage *mark : m_marks)
        mark->hide();
    Points += grade.Score;
}

bool TQuizFrm::DrawQuestion()
{
    Query->SetSQL(QuizRules::DrawStatement(m_kind));
    Query->ExecSQL();
    // With no rows there is no id column: the data layer's error tells the user.
    TField *const id = Query->FieldByName(QStringLiteral("id"));
    // The rows already come in the engine's random order, so the first unused one is as
    // random a pick as drawing again until an unused one turns up.
    for (Query->First(); !Query->Eof(); Query->Next()) {
        const QString value = id->AsString();
        if (!QuizRules::IsUsed(UsedIds, value)) {
            UsedIds.append(value);
            return true;
        }
    }
    return false;
}

void TQuizFrm::EndTest(int questionsAsked)
{
    Button2->setEnabled(false);
    Label5->setText(QString::number(Points));
    m_possiblePoints = questionsAsked * int(m_groups.size());
    Button3->setEnabled(!m_review.isEmpty());
    Platform::ShowMessage(this, QStringLiteral("Koniec testu:"), QuizRules::EndOfTestText(Points, m_possiblePoints),
                          Platform::Icon::Information);
}
