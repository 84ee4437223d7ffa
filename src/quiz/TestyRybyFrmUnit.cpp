#include "quiz/TestyRybyFrmUnit.h"

#include "base/Exception.h"
#include "data/TDbQuery.h"
#include "data/TField.h"
#include "quiz/QuizRules.h"
#include "quiz/TRadioGroup.h"
#include "widgets/TImage.h"

#include <QFrame>

namespace {
QFont AnswerFont()
{
    QFont font(QStringLiteral("Sans Serif"), 9);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
} // namespace

TTestyRybyFrm::TTestyRybyFrm(QWidget *parent)
    : TQuizFrm(QStringLiteral("TestyRybyFrm"), QStringLiteral("Test - przepisy dot. ryb"),
               QStringLiteral("Test wiedzy o rybach:"), 1, parent)
{
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setGeometry(8, 52, 437, 325);
    Shape1->setAutoFillBackground(true);
    QPalette white = Shape1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Shape1->setPalette(white);

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(10, 54, 433, 321);
    Image1->SetStretch(true);
    Image1->SetProportional(true);
    Image1->SetCenter(true);

    const QString cross = ProgramDir() + QStringLiteral("data/grafika/krzyzyk.png");
    QList<TRadioGroup *> groups;
    QList<TImage *> marks;
    for (int i = 0; i < 3; ++i) {
        auto *group = new TRadioGroup(this);
        group->setObjectName(QStringLiteral("RadioGroup%1").arg(i + 1));
        group->setGeometry(456, 40 + i * 116, 274, 110);
        group->setFont(AnswerFont());
        groups.append(group);

        auto *mark = new TImage(this);
        mark->setObjectName(QStringLiteral("Image%1").arg(i + 2));
        mark->setGeometry(736, 40 + i * 116 + 48, 24, 24);
        mark->SetTransparent(true);
        try {
            mark->LoadFromFile(cross);
        } catch (const Exception &) {
            // Without its picture the mark is missing; the test still grades.
        }
        mark->hide();
        marks.append(mark);
    }
    RadioGroup1 = groups[0];
    RadioGroup2 = groups[1];
    RadioGroup3 = groups[2];
    Image2 = marks[0];
    Image3 = marks[1];
    Image4 = marks[2];
    SetAnswerGroups(groups, marks);
}

void TTestyRybyFrm::ShowQuestion()
{
    try {
        Image1->LoadFromFile(
            QuizRules::PicturePath(ProgramDir(), Query->FieldByName(QStringLiteral("zdjecie"))->AsString()));
    } catch (const Exception &) {
        // A missing or unreadable picture leaves the one shown before.
    }

    auto text = [this](const char *column) { return Query->FieldByName(QLatin1String(column))->AsString(); };
    RadioGroup1->setTitle(text("pytanie1"));
    RadioGroup2->setTitle(text("pytanie2"));
    RadioGroup3->setTitle(text("pytanie3"));
}

QImage TTestyRybyFrm::QuestionPicture() const
{
    const QImage &shown = Image1->Picture();
    return shown.isNull() ? QImage() : shown.scaledToWidth(200, Qt::SmoothTransformation);
}

void TTestyRybyFrm::ClearQuestion()
{
    for (TRadioGroup *group : {RadioGroup1, RadioGroup2, RadioGroup3})
        group->setTitle(QString());
}
