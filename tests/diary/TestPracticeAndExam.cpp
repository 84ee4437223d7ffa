#include "../data/DataTestSupport.h"

#include "base/Clock.h"
#include "base/FolderUtils.h"
#include "diary/DatabaseBackup.h"
#include "diary/DiarySchema.h"
#include "diary/MockExam.h"
#include "diary/PracticeProgress.h"
#include "diary/QuestionBank.h"
#include "diary/UserDatabase.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace PracticeProgress;

namespace {
// A regulations question of the topic; its text says nothing a topic could be guessed from.
QString Question(int id, int topic, int kind = 0)
{
    return QStringLiteral("insert into przepisy (id, rodzaj_pytania, zdjecie, pytanie1, pytanie2, pytanie3, odp1_1, "
                          "odp1_2, odp1_3, odp1_prawidlowa, odp2_prawidlowa, odp3_prawidlowa, przepis, temat) "
                          "values (%1, %3, '', 'Pytanie %1', 'b', 'c', 'x', 'y', 'z', 2, 1, 1, 'Bo tak', %2);")
        .arg(id)
        .arg(topic)
        .arg(kind);
}

BankQuestion Synthetic(qint64 id, int topic)
{
    BankQuestion q;
    q.Id = id;
    q.Kind = topic == QuestionTopic::FishCards ? 1 : 0;
    q.Topic = topic;
    const int parts = q.Kind == 1 ? 3 : 1;
    for (int part = 0; part < parts; ++part) {
        q.Parts << QStringLiteral("Część %1").arg(part + 1);
        q.Answers << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        q.Right << 2;
    }
    return q;
}

QList<qint64> Order(TDbConnection &db, const QSet<int> &topics = {2, 5})
{
    QRandomGenerator random(7);
    return DrawingOrder(ReadQuestionBank(db), Read(db), topics, Clock::Today(), random);
}

// Made when asked: the date functions' own statics are not there before main.
TDateTime StartDay()
{
    return EncodeDate(2005, 1, 24);
}
} // namespace

class TestPracticeAndExam : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Clock::Unpin(); }

    void wrongAnswersComeBackFirstAndKnownOnesWait()
    {
        const TDateTime Start = StartDay();
        ConnectedDatabase db;
        UpgradeDiarySchema(db.connection);
        QVERIFY(db.exec(Question(1, 2) + Question(2, 2) + Question(3, 5) + Question(4, 5)));
        Clock::Pin(Start + 0.4);

        // Question 4 climbs to the top box over four days, a right answer each day it is due.
        TDateTime day = Start;
        for (int box = 2; box <= Boxes; ++box) {
            Clock::Pin(day + 0.5);
            QCOMPARE(Record(db.connection, 4, true).Box, box);
            day += DaysUntilDue(box);
        }
        const Card top = Read(db.connection).value(4);
        QCOMPARE(top.Box, 5);
        Clock::Pin(Start + 20.5);
        QCOMPARE(Record(db.connection, 4, true).Due, Start + 20 + 14);

        // On day 21 question 1 is answered right, question 2 wrong; 3 was never asked.
        Clock::Pin(Start + 21.3);
        QCOMPARE(Record(db.connection, 1, true).Due, Start + 22);
        QCOMPARE(Record(db.connection, 2, false).Due, Start + 21);
        // The wrong one first, then the one never asked; those answered right wait their days.
        QCOMPARE(Order(db.connection), (QList<qint64>{2, 3, 1, 4}));
        QCOMPARE(db.column("select pytanie || ':' || przegrodka || ':' || powtorka from nauka_postep order by pytanie"),
                 (QStringList{"1:2:2005-02-15", "2:1:2005-02-14", "4:5:2005-02-27"}));

        // A question in the top box is not due for fourteen days, then it is.
        Clock::Pin(Start + 20 + 13.9);
        QVERIFY(!IsDue(Read(db.connection).value(4), Clock::Today()));
        QCOMPARE(Order(db.connection).last(), 4);
        Clock::Pin(Start + 20 + 14.01);
        QVERIFY(IsDue(Read(db.connection).value(4), Clock::Today()));
        // One wrong answer sends it back to box 1, beside the other one answered wrong.
        QCOMPARE(Record(db.connection, 4, false).Box, 1);
        const QList<qint64> order = Order(db.connection);
        QCOMPARE((QSet<qint64>{order[0], order[1]}), (QSet<qint64>{2, 4}));
        // Only the chosen topics are drawn.
        QCOMPARE(Order(db.connection, {2}).size(), 2);

        // Progress per topic: box 4 and 5 count as mastered; an id gone from the bank counts nowhere.
        QVERIFY(db.exec("insert into nauka_postep values (3, 4, '2099-01-01'), (777, 5, '2099-01-01')"));
        const QList<TopicProgress> topics = ByTopic(ReadQuestionBank(db.connection), Read(db.connection));
        QCOMPARE(topics.size(), QuestionTopic::Count);
        QCOMPARE(topics[1].Questions, 2);
        QCOMPARE(topics[1].Mastered, 0);
        QCOMPARE(topics[4].Questions, 2);
        QCOMPARE(topics[4].Mastered, 1);

        Forget(db.connection);
        QVERIFY(Read(db.connection).isEmpty());
    }

    void progressAndResultsSurviveBackupRestoreAndANewBank()
    {
        const TDateTime Start = StartDay();
        ConnectedDatabase db;
        UpgradeDiarySchema(db.connection);
        QVERIFY(db.exec(Question(1, 2) + Question(2, 2) + Question(3, 5)));
        Clock::Pin(Start + 0.5);
        Record(db.connection, 1, true);
        Record(db.connection, 2, false);
        MockExam::SaveResult(db.connection, {Start + 0.75, 30, 35, true});
        const QString cards =
            "select pytanie || ':' || przegrodka || ':' || powtorka from nauka_postep order by pytanie";
        const QStringList saved = db.column(cards);
        QTemporaryDir target;
        const QString backup = DatabaseBackup::Create(db.connection, db.dir.fotoDir(), target.path());

        Forget(db.connection);
        Record(db.connection, 3, true);
        db.connection.ExecStatement("delete from egzamin_proba");
        DatabaseBackup::Restore(db.connection, db.dir.path() + "data", backup);
        QCOMPARE(db.column(cards), saved);
        const QList<MockExam::Result> results = MockExam::ReadResults(db.connection);
        QCOMPARE(results.size(), 1);
        QCOMPARE(results[0].When, Start + 0.75);
        QCOMPARE(results[0].Points, 30);
        QVERIFY(results[0].Passed() && results[0].Timed);

        // A newer package drops question 2 and rewords 1: the refresh of the supplied tables
        // leaves the progress alone, and what is shown counts only the ids the bank keeps.
        TestSupport::TempProgramDir newer;
        QVERIFY(newer.exec(Question(1, 2) + Question(3, 5)));
        QVERIFY(newer.exec("update przepisy set pytanie1 = 'Nowe brzmienie' where id = 1"));
        db.connection.SetConnected(false);
        RefreshUserDatabase(db.dir.path() + SqliteLibraryFileName(), newer.dbPath(), db.dir.dbPath());
        db.connection.SetConnected(true);
        QCOMPARE(db.column("select pytanie1 from przepisy where id = 1"), QStringList{"Nowe brzmienie"});
        QCOMPARE(db.column(cards), saved);
        const QList<BankQuestion> bank = ReadQuestionBank(db.connection);
        QCOMPARE(ByTopic(bank, Read(db.connection))[1].Questions, 1);
        QRandomGenerator random(1);
        QCOMPARE(DrawingOrder(bank, Read(db.connection), {2, 5}, Clock::Today(), random), (QList<qint64>{3, 1}));
    }

    void anOlderBankWithoutTopicsGetsThemOnRefresh()
    {
        TestSupport::TempProgramDir shipped(TestSupport::TempProgramDir::Content::Shipped);
        QVERIFY(shipped.isValid());
        // The bank as older packages shipped it: the same questions, no topic column.
        QVERIFY(shipped.exec("create table stare as select id, rodzaj_pytania, zdjecie, pytanie1, pytanie2, pytanie3, "
                             "odp1_1, odp1_2, odp1_3, odp2_1, odp2_2, odp2_3, odp3_1, odp3_2, odp3_3, odp1_prawidlowa, "
                             "odp2_prawidlowa, odp3_prawidlowa, przepis from przepisy; drop table przepisy; "
                             "alter table stare rename to przepisy;"
                             "insert into przepisy (id, rodzaj_pytania, pytanie1) values (9001, 0, 'Jaki jest wymiar "
                             "ochronny suma?'), (9002, 0, 'Czy wolno łowić z mostu?')"));
        QTemporaryDir home;
        const QString user = home.path() + "/wedkarz.db";
        RefreshUserDatabase(shipped.path() + SqliteLibraryFileName(), shipped.dbPath(), user);
        const auto column = [&](const QString &sql) { return TestSupport::QueryColumn(user, sql); };
        QCOMPARE(column("select count(*) from przepisy where temat is null"), QStringList{"0"});
        QCOMPARE(column("select distinct temat from przepisy where rodzaj_pytania = 1"), QStringList{"8"});
        QCOMPARE(column("select count(*) from przepisy where rodzaj_pytania = 0 and temat not between 1 and 7"),
                 QStringList{"0"});
        QCOMPARE(column("select temat from przepisy where id >= 9001 order by id"), (QStringList{"2", "5"}));
        // Every regulations topic is served, so that the mock exam can spread over them.
        QCOMPARE(column("select count(distinct temat) from przepisy where rodzaj_pytania = 0"), QStringList{"7"});
    }

    void aMockExamFollowsTheBankAndCountsOnlyAnswersInTime()
    {
        const TDateTime Start = StartDay();
        // 167 regulations questions as the bank spreads them: 20 seats by largest remainder.
        const QMap<int, int> bank{{1, 27}, {2, 65}, {3, 18}, {4, 33}, {5, 6}, {6, 9}, {7, 9}};
        const QMap<int, int> expected{{1, 3}, {2, 8}, {3, 2}, {4, 4}, {5, 1}, {6, 1}, {7, 1}};
        QCOMPARE(MockExam::TopicQuotas(bank, 20), expected);
        // Equal remainders go to the lower topic; never more seats than questions.
        QCOMPARE(MockExam::TopicQuotas({{3, 1}, {5, 1}, {6, 1}}, 2), (QMap<int, int>{{3, 1}, {5, 1}, {6, 0}}));
        QCOMPARE(MockExam::TopicQuotas({{1, 2}}, 20), (QMap<int, int>{{1, 2}}));

        QList<BankQuestion> questions;
        qint64 id = 0;
        for (auto it = bank.begin(); it != bank.end(); ++it) {
            for (int n = 0; n < it.value(); ++n)
                questions << Synthetic(++id, it.key());
        }
        for (int n = 0; n < 43; ++n)
            questions << Synthetic(++id, QuestionTopic::FishCards);
        QRandomGenerator random(3);
        const QList<BankQuestion> drawn = MockExam::Draw(questions, random);
        QCOMPARE(drawn.size(), 25);
        QMap<int, int> perTopic;
        QSet<qint64> ids;
        for (const BankQuestion &q : drawn) {
            ++perTopic[q.Topic];
            ids.insert(q.Id);
        }
        QCOMPARE(ids.size(), 25);
        QCOMPARE(perTopic.value(QuestionTopic::FishCards), 5);
        perTopic.remove(QuestionTopic::FishCards);
        QCOMPARE(perTopic, expected);

        // Timed: answers count up to the thirtieth minute and not after it.
        const TDateTime begun = Start + 10.0 / 24;
        const TDateTime minute = 1.0 / 24 / 60;
        MockExam::Session exam(drawn, begun, true);
        QCOMPARE(exam.PossiblePoints(), 35);
        QCOMPARE(exam.SecondsLeft(begun), 1800);
        QVERIFY(exam.Choose(0, 0, 2, begun + 3 * minute));
        QVERIFY(exam.Choose(1, 0, 3, begun + 4 * minute));
        QVERIFY(exam.Choose(24, 2, 2, begun + 29 * minute));
        QVERIFY(exam.Choose(2, 0, 2, begun + 29.99 * minute));
        QCOMPARE(exam.SecondsLeft(begun + 29.99 * minute), 1);
        QVERIFY(!exam.TimeIsUp(begun + 29.99 * minute));
        QVERIFY(exam.TimeIsUp(begun + 30 * minute));
        QVERIFY(!exam.Choose(3, 0, 2, begun + 30.5 * minute));
        QVERIFY(!exam.Choose(1, 0, 2, begun + 31 * minute));
        QCOMPARE(exam.Chosen(1, 0), 3);
        QCOMPARE(exam.Unanswered(), 22);
        const MockExam::Result result = exam.Finish(begun + 31 * minute);
        QCOMPARE(result.Points, 3);
        QCOMPARE(result.PossiblePoints, 35);
        QVERIFY(!result.Passed());
        QCOMPARE(MockExam::PassMark(35), 28);
        QVERIFY((MockExam::Result{0, 28, 35, false}).Passed());
        QVERIFY(!(MockExam::Result{0, 27, 35, false}).Passed());

        // Untimed, the clock never ends it.
        MockExam::Session untimed(drawn, begun, false);
        QVERIFY(untimed.Choose(0, 0, 2, begun + 400 * minute));
        QVERIFY(!untimed.TimeIsUp(begun + 400 * minute));
    }
};

QTEST_GUILESS_MAIN(TestPracticeAndExam)
#include "TestPracticeAndExam.moc"
