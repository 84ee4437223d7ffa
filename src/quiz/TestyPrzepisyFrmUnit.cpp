#include "quiz/TestyPrzepisyFrmUnit.h"

#include "data/TDbQuery.h"
#include "data/TField.h"
#include "quiz/TRadioGroup.h"

#include <QLabel>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

TTestyPrzepisyFrm::TTestyPrzepisyFrm(QWidget *parent)
    : TQuizFrm(QStringLiteral("TestyPrzepisyFrm"),
               QStringLiteral("Test - przepisy dot. sprzętu, wędkarza i metod połowu"),
               QStringLiteral("Test wiedzy o przepisach wędkarskich:"), 0, parent)
{
    Label7 = new QLabel(QStringLiteral("Pytanie:"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setGeometry(8, 48, 100, 18);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setAcceptRichText(false);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Sans Serif"), 12);
    font.setStyleHint(QFont::SansSerif);
    Memo1->setFont(font);
    QPalette tooltip = Memo1->palette();
    tooltip.setColor(QPalette::Base, tooltip.color(QPalette::ToolTipBase));
    tooltip.setColor(QPalette::Text, tooltip.color(QPalette::ToolTipText));
    Memo1->setPalette(tooltip);
    Memo1->setGeometry(8, 68, 440, 309);

    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setTitle(QStringLiteral("Odpowiedź: "));
    RadioGroup1->setGeometry(456, 62, 303, 315);
    QFont answerFont(QStringLiteral("Sans Serif"), 10);
    answerFont.setStyleHint(QFont::SansSerif);
    RadioGroup1->setFont(answerFont);

    SetAnswerGroups({RadioGroup1}, {});
}

void TTestyPrzepisyFrm::ShowQuestion()
{
    Memo1->setPlainText(Query->FieldByName(QStringLiteral("pytanie1"))->AsString());
    QTextCursor all(Memo1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
}

void TTestyPrzepisyFrm::ClearQuestion()
{
    Memo1->clear();
}
