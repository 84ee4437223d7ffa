#include "../app/AppTestMain.h"
#include "QuizTestSupport.h"

#include "data/TDbQuery.h"
#include "data/TField.h"
#include "quiz/TRadioGroup.h"
#include "quiz/TestyPrzepisyFrmUnit.h"
#include "support/TestSupport.h"

#include <QRadioButton>
#include <QSet>
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
        rows.append({QString::number(i), 0, {}, {QStringLiteral("Pytanie numer %1").arg(i)}, {i % 3 + 1}});
    // A fish question never turns up in this test.
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
        QCOMPARE(v->Memo1->toPlainText(), QStringLiteral("Pytanie numer %1").arg(id));
        QCOMPARE(v->Memo1->alignment(), Qt::AlignHCenter);
        QCOMPARE(v->RadioGroup1->Items(),
                 (QStringList{id + QStringLiteral(": odpowiedź 1"), id + QStringLiteral(": odpowiedź 2"),
                              id + QStringLiteral(": odpowiedź 3")}));
        QCOMPARE(v->RadioGroup1->ItemIndex(), -1);
        if (n == 1)
            TestSupport::SavePng(Windows().MainFrm, QStringLiteral("testy_przepisy_pytanie"));

        const int right = id.toInt() % 3 + 1;
        // Right on odd questions; on even ones a wrong answer, or none at all.
        if (n % 2 == 1)
            QTest::mouseClick(v->RadioGroup1->Button(right - 1), Qt::LeftButton);
        else if (n % 4 == 2)
            QTest::mouseClick(v->RadioGroup1->Button(right % 3), Qt::LeftButton);
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

    // A new test starts over and may bring back the questions just asked.
    QTest::mouseClick(v->Button1, Qt::LeftButton);
    QVERIFY(v->Button2->isEnabled());
    QCOMPARE(v->Label3->text(), QStringLiteral("1/12"));
    QCOMPARE(v->Label5->text(), QStringLiteral("0"));
    QCOMPARE(v->UsedIds, QStringList{CurrentId()});
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
    QTest::mouseClick(v->RadioGroup1->Button(CurrentId() == QLatin1String("k2") ? 2 : 1), Qt::LeftButton);
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

RYBOWID_APP_TEST_MAIN(TestyPrzepisyFrmTest)
#include "tst_TestyPrzepisyFrm.moc"
