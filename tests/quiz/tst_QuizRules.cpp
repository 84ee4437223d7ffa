#include "quiz/QuizRules.h"

#include <QTest>

class QuizRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void picturePath_data()
    {
        QTest::addColumn<QString>("zdjecie");
        QTest::addColumn<QString>("file");
        QTest::newRow("no dot") << QStringLiteral("szczupak") << QStringLiteral("szczupak.jpg");
        QTest::newRow("own extension") << QStringLiteral("lin.jpeg") << QStringLiteral("lin.jpeg");
        QTest::newRow("dot inside") << QStringLiteral("troc.wedrowna") << QStringLiteral("troc.wedrowna");
        QTest::newRow("empty") << QString() << QStringLiteral(".jpg");
    }

    void picturePath()
    {
        QFETCH(QString, zdjecie);
        QFETCH(QString, file);
        QCOMPARE(QuizRules::PicturePath(QStringLiteral("/opt/rybowid/"), zdjecie),
                 QStringLiteral("/opt/rybowid/data/encyklopedia/") + file);
    }

    void gradingAndRepeats()
    {
        const QuizRules::Grade none = QuizRules::GradeQuestion({1, 2, 3}, {0, 0, 0});
        QCOMPARE(none.Score, 0);
        QCOMPARE(none.Wrong, (QList<bool>{true, true, true}));
        const QuizRules::Grade middle = QuizRules::GradeQuestion({3, 1, 2}, {3, 2, 2});
        QCOMPARE(middle.Score, 2);
        QCOMPARE(middle.Wrong, (QList<bool>{false, true, false}));

        const QStringList used{QStringLiteral("k7"), QStringLiteral("12")};
        QVERIFY(QuizRules::IsUsed(used, QStringLiteral("K7")));
        QVERIFY(QuizRules::IsUsed(used, QStringLiteral("12")));
        QVERIFY(!QuizRules::IsUsed(used, QStringLiteral("1")));
    }
};

QTEST_GUILESS_MAIN(QuizRulesTest)
#include "tst_QuizRules.moc"
