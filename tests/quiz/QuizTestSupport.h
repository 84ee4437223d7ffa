#pragma once

#include "app/MainFrmUnit.h"
#include "app/Startup.h"
#include "base/ProgramPaths.h"
#include "quiz/QuizReviewFrmUnit.h"
#include "quiz/TRadioGroup.h"
#include "support/TestSupport.h"
#include "widgets/AppWindows.h"
#include "widgets/InfoUnit.h"
#include "widgets/Platform.h"
#include "widgets/TLinkLabel.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QStringList>
#include <QTest>
#include <functional>

namespace QuizTest {

// The text of the review window that open() brings up, saved as png and closed with its
// button; empty when none came within five seconds.
inline QString ReviewText(const std::function<void()> &open, const QString &png)
{
    QString review;
    Platform::SetModalHandler([&review, png](QDialog *dialog) {
        auto *frm = qobject_cast<TQuizReviewFrm *>(dialog);
        if (!frm)
            return -1;
        review = frm->Memo1->toPlainText();
        TestSupport::SavePng(frm, png);
        QTest::mouseClick(frm->Button1, Qt::LeftButton);
        return 0;
    });
    open();
    static_cast<void>(QTest::qWaitFor([&review] { return !review.isEmpty(); }, 5000));
    Platform::SetModalHandler({});
    return review;
}

// One row of przepisy; the parts of a regulations row beyond the first stay empty.
struct Question
{
    QString id;
    int kind = 0;
    QString zdjecie;
    QStringList questions; // one or three
    QList<int> right;      // one or three
};

inline QString InsertStatement(const QList<Question> &rows)
{
    QStringList values;
    for (const Question &q : rows) {
        QStringList cells{QLatin1Char('\'') + q.id + QLatin1Char('\''), QString::number(q.kind),
                          QLatin1Char('\'') + q.zdjecie + QLatin1Char('\'')};
        for (int part = 0; part < 3; ++part)
            cells << QLatin1Char('\'') + q.questions.value(part) + QLatin1Char('\'');
        for (int part = 0; part < 3; ++part) {
            for (int answer = 1; answer <= 3; ++answer)
                cells << (part < q.questions.size() ? QStringLiteral("'%1: odpowiedź %2'").arg(q.id).arg(answer)
                                                    : QStringLiteral("''"));
        }
        for (int part = 0; part < 3; ++part)
            cells << QString::number(q.right.value(part));
        cells << QStringLiteral("'Wyjaśnienie %1'").arg(q.id);
        values << QLatin1Char('(') + cells.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return QStringLiteral("insert into przepisy (id,rodzaj_pytania,zdjecie,pytanie1,pytanie2,pytanie3,"
                          "odp1_1,odp1_2,odp1_3,odp2_1,odp2_2,odp2_3,odp3_1,odp3_2,odp3_3,"
                          "odp1_prawidlowa,odp2_prawidlowa,odp3_prawidlowa,przepis) values ") +
           values.join(QLatin1Char(',')) + QLatin1Char(';');
}

// The text the support table stores as answer n of question id.
inline QString AnswerText(const QString &id, int n)
{
    return QStringLiteral("%1: odpowiedź %2").arg(id).arg(n);
}

// Chooses, by its text, answer n of question id, wherever the shuffle has put it.
inline void Choose(TRadioGroup *group, const QString &id, int n)
{
    const qsizetype shown = group->Items().indexOf(AnswerText(id, n));
    QVERIFY2(shown >= 0, qPrintable(AnswerText(id, n)));
    QTest::mouseClick(group->Button(int(shown)), Qt::LeftButton);
}

// The letters of the Alt shortcuts of a window's buttons and labels; a letter used twice
// only moves the focus between its owners.
inline QStringList MnemonicLetters(const QWidget *window)
{
    static const QRegularExpression mnemonic(QStringLiteral("(?<!&)&([^&])"));
    QStringList letters;
    QStringList texts;
    // Only what lies in this window: a dialog it owns has letters of its own.
    for (const QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (button->window() == window->window())
            texts << button->text();
    }
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (label->window() == window->window())
            texts << label->text();
    }
    for (const QString &text : std::as_const(texts)) {
        const QRegularExpressionMatch match = mnemonic.match(text);
        if (match.hasMatch())
            letters << match.captured(1).toLower();
    }
    return letters;
}

// Starts the program on a folder and opens a test from the menu of "Karta wędkarska".
inline void OpenTest(const QString &programDir, const char *menuItem)
{
    OverrideExecutableFolder(programDir);
    CreateWindows();
    QVERIFY(Windows().MainFrm);
    Windows().MainFrm->show();
    QVERIFY(QTest::qWaitForWindowExposed(Windows().MainFrm));
    Platform::QueuePopupChoice(QLatin1String(menuItem));
    QTest::mouseClick(Windows().MainFrm->Label4, Qt::LeftButton);
}

// Answers every explanation with OK, keeping its text; whileShown runs with it open.
inline void CatchExplanations(QStringList &texts, std::function<void()> whileShown = {})
{
    Platform::SetModalHandler([&texts, whileShown](QDialog *dialog) {
        auto *info = qobject_cast<TInfoFrm *>(dialog);
        if (!info)
            return -1;
        texts << info->memo1->text();
        if (whileShown)
            whileShown();
        QTest::mouseClick(info->Button1, Qt::LeftButton);
        return 0;
    });
}

// The texts of the "Koniec testu:" boxes shown so far.
inline QStringList EndMessages()
{
    QStringList texts;
    for (const Platform::Record &record : Platform::Records()) {
        if (record.kind == QLatin1String("message") && record.title == QLatin1String("Koniec testu:") &&
            record.icon == Platform::Icon::Information)
            texts << record.text;
    }
    return texts;
}

inline QString EndText(int points, int possible)
{
    return QStringLiteral("Dziękujemy za udział w teście. Zdobyłeś: %1 na %2 możliwych punktów. Możesz spróbować "
                          "swoich sił ponownie!")
        .arg(points)
        .arg(possible);
}

} // namespace QuizTest
