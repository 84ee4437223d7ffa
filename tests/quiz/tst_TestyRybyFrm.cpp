#include "../app/AppTestMain.h"
#include "QuizTestSupport.h"

#include "data/TDbQuery.h"
#include "data/TField.h"
#include "quiz/QuizReviewFrmUnit.h"
#include "quiz/TRadioGroup.h"
#include "quiz/TestyRybyFrmUnit.h"
#include "support/TestSupport.h"
#include "widgets/TImage.h"

#include <QFile>
#include <QPainter>
#include <QRadioButton>
#include <QSet>
#include <QTextBrowser>
#include <memory>

using namespace QuizTest;

namespace {
// A stand-in for a species picture: a fish shape of one colour on water.
bool SaveStandIn(const QString &path, const QColor &colour)
{
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(QColor(200, 225, 240));
    QPainter g(&picture);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(colour);
    g.drawEllipse(QRectF(30, 30, 120, 40));
    g.drawPolygon(QPolygonF({QPointF(145, 50), QPointF(180, 28), QPointF(180, 72)}));
    g.end();
    return picture.save(path, "JPG", 95);
}

// Which of the stand-ins a shown picture is, by the colour of the fish's middle.
QString Ink(const QImage &picture)
{
    if (picture.isNull())
        return QStringLiteral("none");
    const QColor c = picture.pixelColor(picture.width() * 90 / 200, picture.height() / 2);
    if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
        return QStringLiteral("red");
    if (c.green() > 120 && c.red() < 90 && c.blue() < 90)
        return QStringLiteral("green");
    if (c.blue() > 180 && c.red() < 90 && c.green() < 90)
        return QStringLiteral("blue");
    return c.name();
}

QList<int> RightAnswers(int id)
{
    return {id % 3 + 1, (id + 1) % 3 + 1, (id + 2) % 3 + 1};
}
} // namespace

class TestyRybyFrmTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void twelveFishWithCrossesPicturesAndScore();

private:
    TTestyRybyFrm *View() const { return Windows().TestyRybyFrm; }
    QList<bool> MarksShown() const
    {
        return {View()->Image2->isVisible(), View()->Image3->isVisible(), View()->Image4->isVisible()};
    }

    std::unique_ptr<TestSupport::TempProgramDir> m_dir;
};

void TestyRybyFrmTest::init()
{
    Platform::EnableTestMode();
    Platform::ClearTestState();
    m_dir = std::make_unique<TestSupport::TempProgramDir>(TestSupport::TempProgramDir::Content::SchemaOnly);
    QVERIFY(m_dir->isValid());
}

void TestyRybyFrmTest::cleanup()
{
    DestroyWindows();
    m_dir.reset();
}

void TestyRybyFrmTest::twelveFishWithCrossesPicturesAndScore()
{
    // A name without a dot gets ".jpg"; one with a dot is taken as it is. The decoys
    // catch the wrong choice.
    const QString folder = m_dir->path() + QStringLiteral("data/encyklopedia/");
    QVERIFY(SaveStandIn(folder + QStringLiteral("ryba1.jpg"), QColor(220, 30, 30)));
    QVERIFY(SaveStandIn(folder + QStringLiteral("ryba1"), QColor(30, 30, 220)));
    QVERIFY(SaveStandIn(folder + QStringLiteral("ryba2.jpeg"), QColor(30, 160, 30)));
    QVERIFY(SaveStandIn(folder + QStringLiteral("ryba2.jpeg.jpg"), QColor(30, 30, 220)));
    QFile broken(folder + QStringLiteral("zepsuta.jpg"));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("nie jest to JPEG") > 0);
    broken.close();

    QMap<QString, QString> ink;
    QList<Question> rows;
    for (int i = 1; i <= 13; ++i) {
        const QString picture = i == 1   ? QStringLiteral("ryba2.jpeg")
                                : i == 2 ? QStringLiteral("brak")
                                : i == 3 ? QStringLiteral("zepsuta")
                                         : QStringLiteral("ryba1");
        ink[QString::number(i)] = i == 1 ? QStringLiteral("green") : i <= 3 ? QString() : QStringLiteral("red");
        rows.append({QString::number(i),
                     1,
                     picture,
                     {QStringLiteral("Jaka to ryba? (%1)").arg(i), QStringLiteral("Wymiar ochronny?"),
                      QStringLiteral("Okres ochronny?")},
                     RightAnswers(i)});
    }
    rows.append({QStringLiteral("50"), 0, {}, {QStringLiteral("Przepis")}, {1}});
    QString error;
    QVERIFY2(m_dir->exec(InsertStatement(rows), &error), qPrintable(error));
    OpenTest(m_dir->path(), "estprzepisydotryb1");
    QVERIFY(!QTest::currentTestFailed());

    TTestyRybyFrm *v = View();
    QVERIFY(v->isVisible());
    QCOMPARE(v->Label1->text(), QStringLiteral("Test wiedzy o rybach:"));
    QCOMPARE(v->Label6->text(), QStringLiteral("/36"));
    QCOMPARE(v->Image1->size(), QSize(433, 321));
    for (QWidget *child : v->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY2(child->isWindow() || v->rect().contains(child->geometry()), qPrintable(child->objectName()));

    QStringList explanations;
    QList<bool> marksWhileExplaining;
    CatchExplanations(explanations, [&] {
        marksWhileExplaining = MarksShown();
        if (explanations.size() == 1) {
            TestSupport::SavePng(Windows().MainFrm, QStringLiteral("testy_ryby_krzyzyki"));
            TestSupport::SavePng(Windows().InfoFrm, QStringLiteral("testy_ryby_wyjasnienie"));
        }
    });
    QSet<QString> asked;
    QString shownInk = Ink(v->Image1->Picture());
    int points = 0;
    for (int n = 1; n <= 12; ++n) {
        const QString id = v->Query->FieldByName(QStringLiteral("id"))->AsString();
        QVERIFY2(!asked.contains(id), qPrintable(id));
        asked.insert(id);
        QCOMPARE(v->Label3->text(), QStringLiteral("%1/12").arg(n));
        QCOMPARE(v->Label5->text(), QString::number(points));
        QCOMPARE(v->RadioGroup1->title(), QStringLiteral("Jaka to ryba? (%1)").arg(id));
        QCOMPARE(v->RadioGroup3->title(), QStringLiteral("Okres ochronny?"));
        QVERIFY(v->RadioGroup2->Items().contains(AnswerText(id, 3)));
        QCOMPARE(MarksShown(), (QList<bool>{false, false, false}));
        // A missing or broken picture leaves the previous one on screen.
        if (!ink[id].isEmpty() || n > 1) {
            const QString expected = ink[id].isEmpty() ? shownInk : ink[id];
            QCOMPARE(Ink(v->Image1->Picture()), expected);
        }
        shownInk = Ink(v->Image1->Picture());
        if (!v->Image1->Picture().isNull()) {
            const QRect shown = v->Image1->DestRect();
            QCOMPARE(shown.width(), 433);
            QVERIFY(qAbs(shown.center().y() - 160) <= 1);
        }
        if (n == 4)
            TestSupport::SavePng(Windows().MainFrm, QStringLiteral("testy_ryby_pytanie"));

        // Every third question fully right, then one left unanswered, then one with the
        // middle part wrong.
        const QList<int> right = RightAnswers(id.toInt());
        QList<bool> wrong{false, false, false};
        if (n % 3 == 1) {
            wrong = {true, true, true};
        } else {
            Choose(v->RadioGroup1, id, right[0]);
            Choose(v->RadioGroup2, id, n % 3 == 2 ? right[1] % 3 + 1 : right[1]);
            Choose(v->RadioGroup3, id, right[2]);
            wrong[1] = n % 3 == 2;
        }
        const qsizetype shownBefore = explanations.size();
        QTest::mouseClick(v->Button2, Qt::LeftButton);
        points += int(wrong.count(false));
        if (wrong.contains(true)) {
            QCOMPARE(explanations.size(), shownBefore + 1);
            QCOMPARE(explanations.last(), QStringLiteral("Wyjaśnienie %1").arg(id));
            QCOMPARE(marksWhileExplaining, wrong);
        } else {
            QCOMPARE(explanations.size(), shownBefore);
        }
        QCOMPARE(MarksShown(), (QList<bool>{false, false, false}));
    }
    QCOMPARE(points, 20);
    QCOMPARE(v->Points, 20);
    QCOMPARE(EndMessages(), QStringList{EndText(20, 36)});
    QCOMPARE(v->Label5->text(), QStringLiteral("20"));
    QCOMPARE(v->Label3->text(), QStringLiteral("12/12"));
    QVERIFY(!v->Button2->isEnabled());
    QVERIFY(!asked.contains(QStringLiteral("50")));
    TestSupport::SavePng(Windows().MainFrm, QStringLiteral("testy_ryby_koniec"));

    // The review lists each fish's three parts with the answers given and the right ones.
    QString review;
    QImage reviewPicture;
    Platform::SetModalHandler([&review, &reviewPicture](QDialog *dialog) {
        auto *frm = qobject_cast<TQuizReviewFrm *>(dialog);
        if (!frm)
            return -1;
        review = frm->Memo1->toPlainText();
        reviewPicture = frm->Memo1->document()
                            ->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("pytanie12")))
                            .value<QImage>();
        TestSupport::SavePng(frm, QStringLiteral("testy_ryby_przeglad"));
        return 0;
    });
    QTest::mouseClick(v->Button3, Qt::LeftButton);
    QVERIFY(review.startsWith(QStringLiteral("Twój wynik: 20 na 36 możliwych punktów.")));
    // Each fish is shown again beside its answers: the last one as it was on screen.
    QCOMPARE(Ink(reviewPicture), shownInk);
    const QString second = v->UsedIds[1];
    QVERIFY(review.contains(QStringLiteral("Pytanie 2 – błąd")));
    const QList<int> right = RightAnswers(second.toInt());
    QVERIFY2(review.contains(QStringLiteral("Jaka to ryba? (%1)\nTwoja odpowiedź: %2\n"
                                            "Prawidłowa odpowiedź: %2\nWymiar ochronny?\nTwoja odpowiedź: %3\n"
                                            "Prawidłowa odpowiedź: %4\n")
                                 .arg(second, AnswerText(second, right[0]), AnswerText(second, right[1] % 3 + 1),
                                      AnswerText(second, right[1]))),
             qPrintable(review));
    for (const Platform::Record &record : Platform::Records())
        QVERIFY2(record.kind != QLatin1String("error"), qPrintable(record.text));
}

RYBOWID_APP_TEST_MAIN(TestyRybyFrmTest)
#include "tst_TestyRybyFrm.moc"
