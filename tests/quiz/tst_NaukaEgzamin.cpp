#include "../app/AppTestMain.h"
#include "QuizTestSupport.h"

#include "base/Clock.h"
#include "diary/MockExam.h"
#include "quiz/EgzaminFrmUnit.h"
#include "quiz/NaukaFrmUnit.h"
#include "quiz/QuestionCard.h"
#include "quiz/QuizReviewFrmUnit.h"
#include "support/TestSupport.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QXYSeries>
#include <memory>

using namespace QuizTest;

namespace {
// Chooses, by its text, the answer stored as number n of one part of the card's question.
void ChooseStored(QuestionCard *card, int part, int n)
{
    const QString text = card->Question().Answers[part].value(n - 1);
    const qsizetype shown = card->Groups[part]->Items().indexOf(text);
    QVERIFY2(shown >= 0, qPrintable(text));
    QTest::mouseClick(card->Groups[part]->Button(int(shown)), Qt::LeftButton);
}

int Wrong(const BankQuestion &question, int part)
{
    return question.Right[part] % 3 + 1;
}

QStringList Column(const QString &db, const QString &sql)
{
    return TestSupport::QueryColumn(db, sql);
}

// Made when asked: the date functions' own statics are not there before main.
TDateTime StartDay()
{
    return EncodeDate(2005, 1, 24);
}
} // namespace

class NaukaEgzaminTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void practiceRemembersWhatTheLearnerGotWrong();
    void aTimedMockExamEndsOnTheClockAndIsKept();

private:
    void Open(const char *item);
    std::unique_ptr<TestSupport::GuiTestFolder> m_dir;
};

void NaukaEgzaminTest::init()
{
    m_dir = std::make_unique<TestSupport::GuiTestFolder>(TestSupport::TempProgramDir::Content::Shipped);
    QVERIFY(m_dir->isValid());
    // The fish cards show the shipped pictures.
    const QString pictures = m_dir->path() + QStringLiteral("data/encyklopedia");
    QVERIFY(QDir(pictures).removeRecursively());
    QVERIFY(QFile::link(TestSupport::SourceDir() + QStringLiteral("/content/encyklopedia"), pictures));
    Clock::Pin(StartDay() + 10.0 / 24);
}

void NaukaEgzaminTest::cleanup()
{
    m_dir.reset();
}

void NaukaEgzaminTest::Open(const char *item)
{
    OpenTest(m_dir->path(), item);
}

void NaukaEgzaminTest::practiceRemembersWhatTheLearnerGotWrong()
{
    const TDateTime Day = StartDay();
    Open("Nauka1");
    TNaukaFrm *v = Windows().NaukaFrm;
    QVERIFY(v && v->isVisible());
    const QString db = m_dir->dbPath();
    const int sizes = Column(db, "select count(*) from przepisy where temat = 2").value(0).toInt();
    QCOMPARE(v->TopicBars[1]->maximum(), sizes);
    QCOMPARE(v->TopicBars[1]->value(), 0);
    QCOMPARE(v->NextButton->text(), QStringLiteral("&Sprawdź"));

    // Only the card and permit topic: the rest unticked by the keyboard.
    v->TopicChecks[1]->setFocus();
    for (int topic = 2; topic <= QuestionTopic::Count; ++topic) {
        v->TopicChecks[topic - 1]->setFocus();
        QTest::keyClick(v->TopicChecks[topic - 1], Qt::Key_Space);
    }
    QCOMPARE(v->Card->Question().Topic, 1);

    // Enter without an answer asks for one and records nothing.
    QTest::keyClick(v, Qt::Key_Return);
    QVERIFY(v->Feedback->text().contains(QStringLiteral("Wybierz")));
    QCOMPARE(Column(db, "select count(*) from nauka_postep"), QStringList{"0"});

    // A wrong answer: the right one and the explanation at once, the question in box 1.
    const BankQuestion missed = v->Card->Question();
    ChooseStored(v->Card, 0, Wrong(missed, 0));
    // Answered from the keyboard: Enter where the answers have the keys, which then go
    // to the button that moves on, not to the main window.
    v->Card->Groups[0]->Button(0)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), v->NextButton);
    const QString rightText = missed.Answers[0][missed.Right[0] - 1];
    QVERIFY2(v->Feedback->text().contains(rightText.toHtmlEscaped()), qPrintable(v->Feedback->text()));
    QVERIFY(v->Feedback->text().contains(missed.Explanation.left(30).toHtmlEscaped()));
    QVERIFY(v->Feedback->text().contains(QStringLiteral("Źle.")));
    QVERIFY(!v->Card->Groups[0]->Button(0)->isEnabled());
    QCOMPARE(Column(db, "select pytanie || ':' || przegrodka || ':' || powtorka from nauka_postep"),
             QStringList{QStringLiteral("%1:1:2005-01-24").arg(missed.Id)});
    TestSupport::SavePng(Windows().MainFrm, QStringLiteral("nauka_blad"));

    // Enter moves on to another question; a right answer moves it up a box.
    QTest::keyClick(v, Qt::Key_Return);
    QCOMPARE(v->NextButton->text(), QStringLiteral("&Sprawdź"));
    const BankQuestion known = v->Card->Question();
    QVERIFY(known.Id != missed.Id);
    ChooseStored(v->Card, 0, known.Right[0]);
    QTest::mouseClick(v->NextButton, Qt::LeftButton);
    QVERIFY(v->Feedback->text().contains(QStringLiteral("Dobrze!")));
    QCOMPARE(Column(db, QStringLiteral("select przegrodka || ':' || powtorka from nauka_postep where pytanie = %1")
                            .arg(known.Id)),
             QStringList{"2:2005-01-25"});
    TestSupport::SavePng(Windows().MainFrm, QStringLiteral("nauka"));

    // The question missed comes back before those not yet asked.
    QTest::keyClick(v, Qt::Key_Return);
    QCOMPARE(v->Card->Question().Id, missed.Id);

    // A question answered right three more times on its days is mastered: the bar shows it.
    for (int day : {1, 4, 11}) {
        Clock::Pin(Day + day + 0.5);
        v->Start();
        for (int guard = 0; v->Card->Question().Id != known.Id && guard < 200; ++guard) {
            ChooseStored(v->Card, 0, v->Card->Question().Right[0]);
            QTest::keyClick(v, Qt::Key_Return);
            QTest::keyClick(v, Qt::Key_Return);
        }
        QCOMPARE(v->Card->Question().Id, known.Id);
        ChooseStored(v->Card, 0, known.Right[0]);
        QTest::keyClick(v, Qt::Key_Return);
    }
    QCOMPARE(Column(db, QStringLiteral("select przegrodka from nauka_postep where pytanie = %1").arg(known.Id)),
             QStringList{"5"});
    QVERIFY(v->TopicBars[0]->value() >= 1);

    // Starting over asks first; "no" keeps everything, "yes" forgets it.
    Platform::QueueAnswer(false);
    QTest::mouseClick(v->ResetButton, Qt::LeftButton);
    QVERIFY(Column(db, "select count(*) from nauka_postep").value(0).toInt() > 0);
    Platform::QueueAnswer(true);
    v->ResetButton->setFocus();
    QTest::keyClick(v->ResetButton, Qt::Key_Space);
    QCOMPARE(Column(db, "select count(*) from nauka_postep"), QStringList{"0"});
    QCOMPARE(v->TopicBars[0]->value(), 0);
    int questions = 0;
    for (const Platform::Record &record : Platform::Records())
        questions += record.kind == QLatin1String("question");
    QCOMPARE(questions, 2);

    // With no topic ticked there is nothing to ask.
    QTest::mouseClick(v->TopicChecks[0], Qt::LeftButton);
    QVERIFY(!v->NextButton->isEnabled());
    QVERIFY(v->StatusLabel->text().contains(QStringLiteral("Zaznacz")));
    const QStringList letters = MnemonicLetters(v);
    QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
}

void NaukaEgzaminTest::aTimedMockExamEndsOnTheClockAndIsKept()
{
    const TDateTime Day = StartDay();
    Open("Egzaminprbny1");
    TEgzaminFrm *v = Windows().EgzaminFrm;
    QVERIFY(v && v->isVisible());
    const QString db = m_dir->dbPath();
    // Before the start: the pass mark, and that the real exam is set elsewhere.
    QVERIFY(v->RulesLabel->text().contains(QStringLiteral("co najmniej 80% punktów, czyli 28 z 35")));
    QVERIFY(v->NoticeLabel->text().contains(QStringLiteral("komisja egzaminacyjna")));
    QVERIFY(v->NoticeLabel->text().contains(QStringLiteral("PZW")));
    QVERIFY(v->TimeLimitCheck->isChecked());
    QVERIFY(!v->ReviewButton->isEnabled());
    TestSupport::SavePng(Windows().MainFrm, QStringLiteral("egzamin_start"));
    const QStringList letters = MnemonicLetters(v);
    QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());

    const TDateTime begun = Clock::Now();
    Windows().MainFrm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Windows().MainFrm));
    QTest::keyClick(v, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(v->Pages->currentIndex(), 1);
    QVERIFY(v->CounterLabel->text().startsWith(QStringLiteral("Pytanie 1 z 25")));
    QCOMPARE(v->TimeLabel->text(), QStringLiteral("Pozostały czas: 30:00"));

    // Question 1 right, question 2 wrong; going back shows the answer given.
    const BankQuestion first = v->Card->Question();
    ChooseStored(v->Card, 0, first.Right[0]);
    QTest::keyClick(v, Qt::Key_N, Qt::AltModifier);
    QTRY_VERIFY(v->CounterLabel->text().startsWith(QStringLiteral("Pytanie 2 z 25")));
    ChooseStored(v->Card, 0, Wrong(v->Card->Question(), 0));
    QTest::keyClick(v, Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(v->CounterLabel->text().startsWith(QStringLiteral("Pytanie 1 z 25")));
    QCOMPARE(v->Card->Chosen(), QList<int>{first.Right[0]});
    QCOMPARE(v->AnsweredLabel->text(), QStringLiteral("Bez odpowiedzi: 23 z 25 pytań"));

    // Through to the first fish card by Enter; its three parts answered right.
    while (v->Card->Question().Kind != 1 && v->NextButton->isEnabled())
        QTest::keyClick(v, Qt::Key_Return);
    QVERIFY(v->CounterLabel->text().startsWith(QStringLiteral("Pytanie 21 z 25 · Karty ryb")));
    for (int part = 0; part < 3; ++part)
        ChooseStored(v->Card, part, v->Card->Question().Right[part]);

    // The countdown follows the clock.
    Clock::Pin(begun + 10.0 / 24 / 60);
    QTRY_COMPARE(v->TimeLabel->text(), QStringLiteral("Pozostały czas: 20:00"));
    TestSupport::SavePng(Windows().MainFrm, QStringLiteral("egzamin_karta"));

    // Time is up: the exam ends by itself, scored on the four points answered.
    Clock::Pin(begun + 30.0 / 24 / 60 + 1.0 / 86400);
    QTRY_COMPARE(v->Pages->currentIndex(), 0);
    QVERIFY(!v->ExamRunning());
    QStringList ends;
    for (const Platform::Record &record : Platform::Records()) {
        if (record.title == QLatin1String("Koniec egzaminu"))
            ends << record.text;
    }
    QCOMPARE(ends.size(), 1);
    QVERIFY2(ends[0].startsWith(QStringLiteral("Czas minął")), qPrintable(ends[0]));
    QVERIFY(ends[0].contains(QStringLiteral("4 z 35 punktów (11%), egzamin niezdany")));
    QCOMPARE(Column(db, "select punkty || '/' || mozliwe || ' ' || limit_czasu || ' ' || data from egzamin_proba"),
             QStringList{"4/35 1 2005-01-24 10:30:01"});

    // The review lists the answers given, the missed ones as missed.
    QVERIFY(v->ReviewButton->isEnabled());
    const QString review = QuizTest::ReviewText([v] { QTest::keyClick(v, Qt::Key_O, Qt::AltModifier); },
                                                QStringLiteral("egzamin_przeglad"));
    QVERIFY(review.contains(QStringLiteral("Twój wynik: 4 na 35 możliwych punktów.")));
    QCOMPARE(review.count(QStringLiteral("nie wybrano odpowiedzi")), 35 - 2 - 3);

    // An untimed exam on another day, every answer right, finished by the button.
    Clock::Pin(Day + 3.6);
    v->TimeLimitCheck->setFocus();
    QTest::keyClick(v->TimeLimitCheck, Qt::Key_Space);
    QVERIFY(!v->TimeLimitCheck->isChecked());
    QTest::mouseClick(v->StartButton, Qt::LeftButton);
    QVERIFY(!v->TimeLabel->isVisible());
    for (;;) {
        const BankQuestion shown = v->Card->Question();
        for (int part = 0; part < shown.PartCount(); ++part)
            ChooseStored(v->Card, part, shown.Right[part]);
        if (!v->NextButton->isEnabled())
            break;
        QTest::mouseClick(v->NextButton, Qt::LeftButton);
    }
    Clock::Pin(Day + 5);
    QVERIFY(v->ExamRunning());
    Platform::QueueAnswer(true);
    QTest::mouseClick(v->FinishButton, Qt::LeftButton);
    QVERIFY(!v->ExamRunning());
    QVERIFY(Platform::Records().last().text.contains(QStringLiteral("35 z 35 punktów (100%), egzamin zdany")));
    QCOMPARE(v->ResultLabel->text(), QStringLiteral("Wynik: 35 z 35 punktów (100%), egzamin zdany."));
    QCOMPARE(Column(db, "select data from egzamin_proba order by rowid"),
             (QStringList{"2005-01-24 10:30:01", "2005-01-29 00:00:00"}));
    // The chart shows both results, over the pass mark's line.
    int points = 0;
    for (QAbstractSeries *series : v->ResultsChart->chart()->series()) {
        if (auto *xy = qobject_cast<QXYSeries *>(series); xy && xy->name().isEmpty())
            points = std::max(points, int(xy->count()));
    }
    QCOMPARE(points, 2);
    // The chart lays its axes out on the next turn of the event loop.
    QCoreApplication::processEvents();
    TestSupport::SavePng(Windows().MainFrm, QStringLiteral("egzamin_wyniki"));

    // Opened again later, the latest result is what it says.
    Windows().MainFrm->Egzaminprbny1Click();
    QCOMPARE(v->ResultLabel->text(), QStringLiteral("Wynik: 35 z 35 punktów (100%), egzamin zdany."));
}

RYBOWID_APP_TEST_MAIN(NaukaEgzaminTest)
#include "tst_NaukaEgzamin.moc"
