#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QtTest>

using TestSupport::QueryColumn;
using TestSupport::TempProgramDir;

namespace {

struct Row
{
    QString id;
    int kind = -1;
    QString zdjecie;
    QStringList questions;
    QList<QStringList> answers;
    QList<int> right;
    QString przepis;
    QString name() const { return QStringLiteral("question %1").arg(id); }
};

struct Species
{
    QString od;
    QString doDate;
    QString wymiar;
};

const char *const Months[] = {"stycznia", "lutego",   "marca",    "kwietnia",     "maja",      "czerwca",
                              "lipca",    "sierpnia", "września", "października", "listopada", "grudnia"};

QString Day(const QString &monthDay)
{
    return QStringLiteral("%1 %2")
        .arg(monthDay.mid(8, 2).toInt())
        .arg(QString::fromUtf8(Months[monthDay.mid(5, 2).toInt() - 1]));
}

// The answers the fish test gives on size and season, from the species' row.
QString SizeText(const Species &s)
{
    return s.wymiar == QLatin1String("-") ? QStringLiteral("Nie ma krajowego wymiaru")
                                          : s.wymiar + QStringLiteral(" cm");
}

QString PeriodText(const Species &s)
{
    if (s.od.isEmpty())
        return QStringLiteral("Nie ma krajowego okresu ochronnego");
    if (s.od == QLatin1String("0001-01-01") && s.doDate == QLatin1String("0001-12-31"))
        return QStringLiteral("Przez cały rok");
    return QStringLiteral("Od %1 do %2").arg(Day(s.od), Day(s.doDate));
}

// A species' picture: its name in lower case, Polish letters made plain, blanks as "_".
QString PictureName(const QString &nazwa)
{
    QString name = nazwa.toLower();
    const QString polish = QStringLiteral("ąćęłńóśźż");
    const QString plain = QStringLiteral("acelnoszz");
    for (qsizetype i = 0; i < polish.size(); ++i)
        name.replace(polish[i], plain[i]);
    return name.replace(QLatin1Char(' '), QLatin1Char('_')) + QStringLiteral(".jpg");
}

} // namespace

class QuestionBankTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyRowIsAnAnswerableQuestion();
    void fishQuestionsAgreeWithTheirSpecies();
    void fishPicturesShip();

private:
    QList<Row> m_rows;
    QHash<QString, QString> m_speciesByPicture;
    QHash<QString, Species> m_species;
};

void QuestionBankTest::initTestCase()
{
    TempProgramDir dir(TempProgramDir::Content::Shipped);
    QVERIFY2(dir.isValid(), "the shipped SQL did not run");
    const QString tab = QStringLiteral(" || char(9) || ");
    const QStringList columns{
        "id",     "rodzaj_pytania",  "zdjecie",         "pytanie1",        "pytanie2", "pytanie3", "odp1_1",
        "odp1_2", "odp1_3",          "odp2_1",          "odp2_2",          "odp2_3",   "odp3_1",   "odp3_2",
        "odp3_3", "odp1_prawidlowa", "odp2_prawidlowa", "odp3_prawidlowa", "przepis"};
    for (const QString &line :
         QueryColumn(dir.dbPath(), QStringLiteral("SELECT %1 FROM przepisy").arg(columns.join(tab)))) {
        const QStringList v = line.split(QLatin1Char('\t'));
        QCOMPARE(v.size(), columns.size());
        Row row{v[0], v[1].toInt(), v[2], {v[3], v[4], v[5]}, {}, {}, v[18]};
        for (int part = 0; part < 3; ++part) {
            row.answers.append(v.mid(6 + part * 3, 3));
            bool number = false;
            row.right.append(v[15 + part].toInt(&number));
            QVERIFY2(number, qPrintable(row.name()));
        }
        m_rows.append(row);
    }
    for (const QString &line : QueryColumn(dir.dbPath(), QStringLiteral("SELECT nazwa || char(9) || od || char(9) || "
                                                                        "\"do\" || char(9) || wymiar FROM ryby"))) {
        const QStringList v = line.split(QLatin1Char('\t'));
        m_species.insert(v[0], {v[1], v[2], v[3]});
        m_speciesByPicture.insert(PictureName(v[0]), v[0]);
    }
    QVERIFY(!m_species.isEmpty());
}

void QuestionBankTest::everyRowIsAnAnswerableQuestion()
{
    QSet<QString> ids;
    int regulations = 0, fish = 0;
    for (const Row &row : std::as_const(m_rows)) {
        QVERIFY2(!row.id.isEmpty() && !ids.contains(row.id), qPrintable(row.name()));
        ids.insert(row.id);
        QVERIFY2(row.kind == 0 || row.kind == 1, qPrintable(row.name()));
        (row.kind == 0 ? regulations : fish)++;
        // The explanation window shows about 600 characters of text without scrolling.
        QVERIFY2(!row.przepis.trimmed().isEmpty() && row.przepis.size() <= 450, qPrintable(row.name()));
        const int parts = row.kind == 1 ? 3 : 1;
        for (int part = 0; part < parts; ++part) {
            const QStringList &answers = row.answers[part];
            QVERIFY2(!row.questions[part].trimmed().isEmpty(), qPrintable(row.name()));
            QVERIFY2(row.right[part] >= 1 && row.right[part] <= 3, qPrintable(row.name()));
            QVERIFY2(QSet<QString>(answers.begin(), answers.end()).size() == 3, qPrintable(row.name()));
            for (const QString &answer : answers) {
                QVERIFY2(!answer.trimmed().isEmpty(), qPrintable(row.name()));
                // Beside the fish picture an answer has two short lines, a part-question one line.
                if (row.kind == 1)
                    QVERIFY2(answer.size() <= 40 && row.questions[part].size() <= 40, qPrintable(row.name()));
            }
        }
    }
    QVERIFY2(regulations >= 60, qPrintable(QString::number(regulations)));
    QVERIFY2(fish >= 36, qPrintable(QString::number(fish)));
}

void QuestionBankTest::fishQuestionsAgreeWithTheirSpecies()
{
    QSet<QString> pictures;
    for (const Row &row : std::as_const(m_rows)) {
        if (row.kind != 1)
            continue;
        QVERIFY2(m_speciesByPicture.contains(row.zdjecie), qPrintable(row.name() + QLatin1Char(' ') + row.zdjecie));
        QVERIFY2(!pictures.contains(row.zdjecie), qPrintable(row.zdjecie));
        pictures.insert(row.zdjecie);
        const QString nazwa = m_speciesByPicture.value(row.zdjecie);
        const Species species = m_species.value(nazwa);
        auto rightAnswer = [&row](int part) { return row.answers[part].value(row.right[part] - 1); };
        QCOMPARE(rightAnswer(0), nazwa);
        for (int part = 1; part < 3; ++part) {
            const QString &question = row.questions[part];
            if (question.contains(QLatin1String("wymiar ochronny")))
                QCOMPARE(rightAnswer(part), SizeText(species));
            else if (question.contains(QLatin1String("okres ochronny")))
                QCOMPARE(rightAnswer(part), PeriodText(species));
        }
    }
}

void QuestionBankTest::fishPicturesShip()
{
    const QDir folder(TestSupport::SourceDir() + QStringLiteral("/content/encyklopedia"));
    if (!folder.exists())
        QSKIP("the species pictures are not in this tree");
    for (const Row &row : std::as_const(m_rows)) {
        if (row.kind == 1)
            QVERIFY2(QFile::exists(folder.filePath(row.zdjecie)), qPrintable(row.zdjecie));
    }
}

QTEST_GUILESS_MAIN(QuestionBankTest)
#include "QuestionBankTest.moc"
