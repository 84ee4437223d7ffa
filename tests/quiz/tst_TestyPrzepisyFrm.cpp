#include "../app/AppTestMain.h"
#include "QuizTestSupport.h"

#include "data/TDbQuery.h"
#include "data/TField.h"
#include "quiz/QuizReviewFrmUnit.h"
#include "quiz/TRadioGroup.h"
#include "quiz/TestyPrzepisyFrmUnit.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTextEdit>
#include <memory>

using namespace QuizTest;

class TestyPrzepisyFrmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void twelveQuestionsGradedWithoutRepeats();
    void smallTableEndsEarly();
    void answersAreShuffledAndGradedAsShown();
    void buttonsHaveLettersOfTheirOwn();
    void missingDatabaseLeavesTheTestQuietlyEmpty();

private:
    void Open(const QString &seed);
    TTestyPrzepisyFrm *View() const { return Windows().TestyPrzepisyFrm; }
    QString CurrentId() const { return View()->Query->FieldByName(QStringLiteral("id"))->AsString(); }

    std::unique_ptr<TestSupport::TempProgramDir> m_dir;
};

void TestyPrzepisyFrmTest::init()
{
    Platform::EnableTestMode();
    Platform::ClearTestState();
    m_dir = std::make_unique<TestSupport::TempProgramDir>(TestSupport::TempProgramDir::Content::SchemaOnly);
    QVERIFY(m_dir->isValid());
}

void TestyPrzepisyFrmTest::cleanup()
{
    DestroyWindows();
    m_dir.reset();
}

void TestyPrzepisyFrmTest::Open(const QString &seed)
{
    QString error;
    QVERIFY2(m_dir->exec(seed, &error), qPrintable(error));
    OpenTest(m_dir->path(), "estprzepisydotsprztuwdkarzaimetodpo1");
}

void TestyPrzepisyFrmTest::twelveQuestionsGradedWithoutRepeats()
{
    QList<Question> rows;
    for (int i = 1; i <= 14; ++i)
        rows.append({QString::number(i), 0, {}, {QStringLiteral("Pytanie numer %1 <b>").arg(i)}, {i % 3 + 1}});
    // Stored texts are plain: the markup in the questions must show as written. A fish
    // question never turns up in this test.
    rows.append({QStringLiteral("99"), 1, {}, {QStringLiteral("Ryba"), QString(), QString()}, {1, 1, 1}});
    Open(InsertStatement(rows));
    TTestyPrzepisyFrm *v = View();
    QVERIFY(v->isVisible());
    QCOMPARE(v->Label1->text(), QStringLiteral("Test wiedzy o przepisach wędkarskich:"));
    QCOMPARE(v->Label6->text(), QStringLiteral("/12"));
    QCOMPARE(v->RadioGroup1->title(), QStringLiteral("Odpowiedź: "));
    QVERIFY(v->Memo1->isReadOnly());
    QCOMPARE(v->Memo1->font().pointSize(), 12);

    QStringList explanations;
    CatchExplanations(explanations);
    QSet<QString> asked;
    int points = 0;
    for (int n = 1; n <= 12; ++n) {
        const QString id = CurrentId();
        QVERIFY2(!asked.contains(id), qPrintable(id));
        asked.insert(id);
        QCOMPARE(v->Label3->text(), QStringLiteral("%1/12").arg(n));
        QCOMPARE(v->Label5->text(), QString::number(points));
        QCOMPARE(v->Memo1->toPlainText(), QStringLiteral("Pytanie numer %1 <b>").arg(id));
        QCOMPARE(v->Memo1->alignment(), Qt::AlignHCenter);
        const QStringList shown = v->RadioGroup1->Items();
        QCOMPARE(QSet<QString>(shown.begin(), shown.end()),
                 (QSet<QString>{AnswerText(id, 1), AnswerText(id, 2), AnswerText(id, 3)}));
        QCOMPARE(v->RadioGroup1->ItemIndex(), -1);
        if (n == 1)
            TestSupport::SavePng(Windows().MainFrm, QStringLiteral("testy_przepisy_pytanie"));

        const int right = id.toInt() % 3 + 1;
        // Right on odd questions; on even ones a wrong answer, or none at all.
        if (n % 2 == 1)
            Choose(v->RadioGroup1, id, right);
        else if (n % 4 == 2)
            Choose(v->RadioGroup1, id, right % 3 + 1);
        const qsizetype shownBefore = explanations.size();
        QTest::mouseClick(v->Button2, Qt::LeftButton);
        if (n % 2 == 1) {
            ++points;
            QCOMPARE(explanations.size(), shownBefore);
        } else {
            QCOMPARE(explanations.size(), shownBefore + 1);
            QCOMPARE(explanations.last(), QStringLiteral("Wyjaśnienie %1").arg(id));
        }
    }
    QCOMPARE(v->Points, 6);
    QCOMPARE(EndMessages(), QStringList{EndText(6, 12)});
    QVERIFY(!v->Button2->isEnabled());
    QCOMPARE(v->Label5->text(), QStringLiteral("6"));
    QCOMPARE(v->Label3->text(), QStringLiteral("12/12"));
    QVERIFY(!asked.contains(QStringLiteral("99")));

    // The review lists every question in the order asked, with the answer given, the
    // right one and the explanation, wrong answers included.
    QVERIFY(v->Button3->isEnabled());
    const QString review = QuizTest::ReviewText([v] { QTest::mouseClick(v->Button3, Qt::LeftButton); },
                                                QStringLiteral("testy_przepisy_przeglad"));
    QVERIFY(review.contains(QStringLiteral("Twój wynik: 6 na 12 możliwych punktów.")));
    qsizetype from = 0;
    for (int n = 0; n < 12; ++n) {
        const QString id = v->UsedIds[n];
        const int right = id.toInt() % 3 + 1;
        const QString given = n % 2 == 0   ? AnswerText(id, right)
                              : n % 4 == 1 ? AnswerText(id, right % 3 + 1)
                                           : QStringLiteral("nie wybrano odpowiedzi");
        const QString expected =
            QStringLiteral("Pytanie %1 – %2\nPytanie numer %3 <b>\nTwoja odpowiedź: %4\n"
                           "Prawidłowa odpowiedź: %5\nWyjaśnienie %3")
                .arg(n + 1)
                .arg(n % 2 == 0 ? QStringLiteral("dobrze") : QStringLiteral("błąd"), id, given, AnswerText(id, right));
        const qsizetype at = review.indexOf(expected, from);
        QVERIFY2(at > from, qPrintable(expected));
        from = at;
    }

    // A new test starts over and may bring back the questions just asked.
    QTest::mouseClick(v->Button1, Qt::LeftButton);
    QVERIFY(v->Button2->isEnabled());
    QCOMPARE(v->Label3->text(), QStringLiteral("1/12"));
    QCOMPARE(v->Label5->text(), QStringLiteral("0"));
    QCOMPARE(v->UsedIds, QStringList{CurrentId()});
    QVERIFY(!v->Button3->isEnabled());
    QCOMPARE(EndMessages().size(), 1);
    QVERIFY(Platform::Records().size() >= 1);
    for (const Platform::Record &record : Platform::Records())
        QVERIFY2(record.kind != QLatin1String("error"), qPrintable(record.text));
}

void TestyPrzepisyFrmTest::smallTableEndsEarly()
{
    // Ids are compared without regard to case, so "k1" and "K1" are one question.
    QVERIFY(m_dir->exec(QStringLiteral("drop table przepisy; create table przepisy (id varchar(10), "
                                       "rodzaj_pytania integer, zdjecie text, pytanie1 text, pytanie2 text, "
                                       "pytanie3 text, odp1_1 text, odp1_2 text, odp1_3 text, odp2_1 text, "
                                       "odp2_2 text, odp2_3 text, odp3_1 text, odp3_2 text, odp3_3 text, "
                                       "odp1_prawidlowa integer, odp2_prawidlowa integer, odp3_prawidlowa integer, "
                                       "przepis text);")));
    Open(InsertStatement({{QStringLiteral("k1"), 0, {}, {QStringLiteral("Pierwsze")}, {2}},
                          {QStringLiteral("K1"), 0, {}, {QStringLiteral("Pierwsze")}, {2}},
                          {QStringLiteral("k2"), 0, {}, {QStringLiteral("Drugie")}, {3}}}));
    TTestyPrzepisyFrm *v = View();
    QStringList explanations;
    CatchExplanations(explanations);
    Choose(v->RadioGroup1, CurrentId(), CurrentId() == QLatin1String("k2") ? 3 : 2);
    QTest::mouseClick(v->Button2, Qt::LeftButton);
    QCOMPARE(v->Label3->text(), QStringLiteral("2/12"));
    QVERIFY(EndMessages().isEmpty());
    QTest::mouseClick(v->Button2, Qt::LeftButton);
    QCOMPARE(EndMessages(), QStringList{EndText(1, 2)});
    QCOMPARE(explanations.size(), 1);
    QVERIFY(!v->Button2->isEnabled());
    QCOMPARE(v->Label5->text(), QStringLiteral("1"));
    QCOMPARE(v->Label3->text(), QStringLiteral("2/12"));

    QTest::mouseClick(v->Button1, Qt::LeftButton);
    QVERIFY(v->Button2->isEnabled());
    QCOMPARE(v->Label3->text(), QStringLiteral("1/12"));

    // An empty table cannot start a test: the data layer's error is shown, nothing hangs.
    QVERIFY(m_dir->exec(QStringLiteral("delete from przepisy;")));
    Platform::ClearTestState();
    QTest::mouseClick(v->Button1, Qt::LeftButton);
    QCOMPARE(Platform::Records().size(), 1);
    QCOMPARE(Platform::Records().first().kind, QStringLiteral("error"));
    QCOMPARE(Platform::Records().first().text, QStringLiteral("Query: Nie znaleziono pola „id”."));
}

void TestyPrzepisyFrmTest::answersAreShuffledAndGradedAsShown()
{
    // The right answer is stored first in every row; shown, it must land on each of the
    // three places about a third of the time, and choosing it must score wherever it is.
    QList<Question> rows;
    for (int i = 1; i <= 12; ++i)
        rows.append({QString::number(i), 0, {}, {QStringLiteral("Pytanie %1").arg(i)}, {1}});
    Open(InsertStatement(rows));
    TTestyPrzepisyFrm *v = View();
    int rightAt[3] = {0, 0, 0};
    constexpr int Tests = 50;
    for (int test = 0; test < Tests; ++test) {
        for (int n = 1; n <= 12; ++n) {
            const QString id = CurrentId();
            ++rightAt[v->RadioGroup1->Items().indexOf(AnswerText(id, 1))];
            Choose(v->RadioGroup1, id, 1);
            QTest::mouseClick(v->Button2, Qt::LeftButton);
        }
        QCOMPARE(v->Points, 12);
        QTest::mouseClick(v->Button1, Qt::LeftButton);
    }
    // 600 draws: a third is 200, and 150 to 250 is more than four standard deviations wide.
    for (const int count : rightAt)
        QVERIFY2(count >= 150 && count <= 250,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(rightAt[0]).arg(rightAt[1]).arg(rightAt[2])));
}

void TestyPrzepisyFrmTest::buttonsHaveLettersOfTheirOwn()
{
    QList<Question> rows;
    for (int i = 1; i <= 12; ++i)
        rows.append({QString::number(i), 0, {}, {QStringLiteral("Pytanie %1").arg(i)}, {2}});
    Open(InsertStatement(rows));
    TTestyPrzepisyFrm *v = View();
    const QStringList letters = MnemonicLetters(v);
    QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
    QCOMPARE(v->Button1->text(), QStringLiteral("&Nowy test"));
    QCOMPARE(QString(v->Button2->text()).remove(QLatin1Char('&')), QStringLiteral("Następne pytanie >>"));
    QCOMPARE(QString(v->Button3->text()).remove(QLatin1Char('&')), QStringLiteral("Przejrzyj odpowiedzi"));

    // Each letter presses its own button (a button pressed by its letter is released a
    // moment later).
    Windows().MainFrm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Windows().MainFrm));
    QSignalSpy starts(v, &TQuizFrm::testStarted);
    v->RadioGroup1->Button(0)->setFocus();
    QTest::keyClick(v, Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(starts.count(), 1);
    QCOMPARE(v->Label3->text(), QStringLiteral("1/12"));
    QTest::keyClick(v, Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(v->Label3->text(), QStringLiteral("2/12"));
    QCOMPARE(starts.count(), 1);
}

void TestyPrzepisyFrmTest::missingDatabaseLeavesTheTestQuietlyEmpty()
{
    // The start says once that the database is missing; the test then stays empty
    // instead of repeating the error at each opening.
    QVERIFY(QFile::remove(m_dir->dbPath()));
    OpenTest(m_dir->path(), "estprzepisydotsprztuwdkarzaimetodpo1");
    TTestyPrzepisyFrm *v = View();
    QVERIFY(v->isVisible());
    QTest::mouseClick(v->Button1, Qt::LeftButton);
    QStringList messages;
    for (const Platform::Record &record : Platform::Records()) {
        if (record.kind != QLatin1String("popup"))
            messages << record.text;
    }
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().contains(QStringLiteral("wedkarz.db")));
    QVERIFY(v->Memo1->toPlainText().isEmpty());
    QVERIFY(v->RadioGroup1->Items().isEmpty());
    QVERIFY(!v->Button2->isEnabled());
    QVERIFY(!v->Button3->isEnabled());
    QCOMPARE(v->Label3->text(), QStringLiteral("0/12"));
}

RYBOWID_APP_TEST_MAIN(TestyPrzepisyFrmTest)
#include "tst_TestyPrzepisyFrm.moc"
