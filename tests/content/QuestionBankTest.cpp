#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
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
    // The regulation words a season ending 02-28 "do końca lutego": 29 February is in it.
    const QString end = s.doDate == QLatin1String("0001-02-28") ? QStringLiteral("końca lutego") : Day(s.doDate);
    return QStringLiteral("Od %1 do %2").arg(Day(s.od), end);
}

// How the regulation questions name the species that have a national size or season,
// in the forms Polish declension gives them.
const QList<QPair<QString, QRegularExpression>> &SpeciesNames()
{
    static const QList<QPair<QString, QRegularExpression>> names = [] {
        const QList<QPair<const char *, const char *>> forms{
            {"Szczupak", "szczupa"},
            {"Sandacz", "sandacz"},
            {"Boleń", "boleń|bolenia"},
            {"Brzana", "brzan"},
            {"Certa", "\\bcert[aęyi]"},
            {"Głowacica", "głowacic"},
            {"Jaź", "\\bjaź\\b|\\bjazi[aeo]"},
            {"Kleń", "kleń|klenia"},
            {"Lin", "\\blin(a|em|y|ów)?\\b"},
            {"Lipień", "lipień|lipienia"},
            {"Łosoś", "łosoś|łososia"},
            {"Miętus", "miętus"},
            {"Pstrąg potokowy", "pstrąga? potokow"},
            {"Sieja", "\\bsiej[aęi]\\b|\\bsiei\\b"},
            {"Sielawa", "sielaw"},
            {"Sum", "\\bsum(a|em|y|ów)?\\b"},
            {"Świnka", "śwink|świnek"},
            {"Troć wędrowna", "troci? wędrown|troć wędrown"},
            {"Troć jeziorowa", "troci? jeziorow|troć jeziorow"},
            {"Węgorz", "węgorz"},
            {"Wzdręga", "wzdręg"},
            {"Jelec", "jel(ec|ca|cem|ce)\\b"},
            {"Rozpiór", "rozpi[óo]r"},
        };
        QList<QPair<QString, QRegularExpression>> list;
        for (const auto &[nazwa, pattern] : forms)
            list.append(
                {QString::fromUtf8(nazwa),
                 QRegularExpression(QString::fromUtf8(pattern), QRegularExpression::CaseInsensitiveOption |
                                                                    QRegularExpression::UseUnicodePropertiesOption)});
        return list;
    }();
    return names;
}

QStringList SpeciesIn(const QString &text)
{
    QStringList found;
    for (const auto &[nazwa, pattern] : SpeciesNames()) {
        if (pattern.match(text).hasMatch())
            found.append(nazwa);
    }
    return found;
}

// Waters and rules with sizes or seasons of their own, which the national row does not give.
bool NamesAnException(const QString &text)
{
    static const QRegularExpression exception(QStringLiteral("Odr|Sanu|Wisł|morz|zezwoleni|okręg|rak"),
                                              QRegularExpression::CaseInsensitiveOption);
    return exception.match(text).hasMatch();
}

// Lower case with the Polish letters made plain, so that "Amur" finds "amurem".
QString Plain(const QString &text)
{
    QString plain = text.toLower();
    const QString polish = QStringLiteral("ąćęłńóśźż");
    const QString ascii = QStringLiteral("acelnoszz");
    for (qsizetype i = 0; i < polish.size(); ++i)
        plain.replace(polish[i], ascii[i]);
    return plain;
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
    void regulationQuestionsAreManyAndExplained();
    void answersDoNotGiveThemselvesAway();
    void questionsDoNotAnswerOneAnother();
    void regulationAnswersAgreeWithTheSpecies();

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
    qInfo("%d regulation questions, %d fish cards", regulations, fish);
    QVERIFY2(regulations >= 150, qPrintable(QString::number(regulations)));
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
            if (question.contains(QLatin1String("wymiar ochronny"), Qt::CaseInsensitive))
                QCOMPARE(rightAnswer(part), SizeText(species));
            else if (question.contains(QLatin1String("okres ochronny"), Qt::CaseInsensitive))
                QCOMPARE(rightAnswer(part), PeriodText(species));
            // The picture asks which fish it is; the other parts must not say it.
            for (const QString &word : nazwa.split(QLatin1Char(' '))) {
                const QString stem = Plain(word).left(4);
                QVERIFY2(word.size() < 3 || !Plain(question).contains(stem), qPrintable(row.name() + question));
            }
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

void QuestionBankTest::regulationQuestionsAreManyAndExplained()
{
    // Every explanation says which rule the answer comes from, so that a wrong answer
    // teaches where to look it up.
    static const QRegularExpression rule(
        QStringLiteral("rozporządzeni|regulamin|przepis|zezwoleni|ustaw|prawo|prawa|ochron|etyk|taryfikator|"
                       "bezpieczeństw"),
        QRegularExpression::CaseInsensitiveOption);
    for (const Row &row : std::as_const(m_rows)) {
        if (row.kind == 0)
            QVERIFY2(rule.match(row.przepis).hasMatch(), qPrintable(row.name() + QLatin1Char(' ') + row.przepis));
    }
}

void QuestionBankTest::answersDoNotGiveThemselvesAway()
{
    // Writers tend to make the right answer the most careful, and so the longest: a learner
    // who picks the longest option must not pass. Every question a test asks counts, the
    // parts of the fish cards too; a tie counts as longest, but three options of one length
    // say nothing.
    int longest = 0, asked = 0;
    QHash<QSet<QString>, QString> optionSets;
    for (const Row &row : std::as_const(m_rows)) {
        const int parts = row.kind == 1 ? 3 : 1;
        for (int part = 0; part < parts; ++part) {
            const QStringList &answers = row.answers[part];
            const QSet<QString> set(answers.begin(), answers.end());
            const QString where = row.name() + QStringLiteral(" part %1").arg(part + 1);
            QVERIFY2(!optionSets.contains(set),
                     qPrintable(where + QStringLiteral(" repeats ") + optionSets.value(set)));
            optionSets.insert(set, where);
            const qsizetype right = answers[row.right[part] - 1].size();
            const auto shorter = [right](const QString &a) { return a.size() <= right; };
            const auto sameLength = [&answers](const QString &a) { return a.size() == answers[0].size(); };
            if (std::all_of(answers.begin(), answers.end(), sameLength))
                continue;
            ++asked;
            if (std::all_of(answers.begin(), answers.end(), shorter))
                ++longest;
        }
    }
    qInfo("the right answer is the longest in %d of %d questions", longest, asked);
    QVERIFY2(longest * 20 <= asked * 7, qPrintable(QStringLiteral("%1 of %2").arg(longest).arg(asked)));
}

void QuestionBankTest::questionsDoNotAnswerOneAnother()
{
    // What right answers teach about one species: its size, the first and last day of its
    // season, how many may be kept a day. No other question may state it for that species,
    // in its stem or as the reason an option gives ("Tak, bo ma ponad 50 cm"). Options of a
    // question asking the same thing about the species are its distractors and may.
    static const QRegularExpression size(QStringLiteral("(\\d+) cm"));
    static const QRegularExpression period(QStringLiteral("od (\\d+ \\w+) do (\\d+ \\w+|końca lutego)"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::UseUnicodePropertiesOption);
    static const QList<const char *> counts{"dwa|dwie|dwóch|dwoma|dwu|2", "trzy|trzech|trzema|3", "cztery|czterech|4",
                                            "pięć|pięciu|5"};
    const auto words = [](const QString &pattern) {
        return QRegularExpression(QStringLiteral("(?<![\\w\\d])(%1)(?!\\w)").arg(pattern),
                                  QRegularExpression::CaseInsensitiveOption |
                                      QRegularExpression::UseUnicodePropertiesOption);
    };
    struct Fact
    {
        QString species;
        QRegularExpression asks;
        QRegularExpression value;
        QSet<QString> taughtBy;
    };
    QHash<QString, Fact> facts;
    const auto teach = [&](const QString &species, const char *asks, const QString &pattern, const QString &id) {
        Fact &fact = facts[species + QLatin1Char('|') + pattern];
        fact.species = species;
        fact.asks = words(QString::fromUtf8(asks));
        fact.value = words(pattern);
        fact.taughtBy.insert(id);
    };
    for (const Row &row : std::as_const(m_rows)) {
        for (int part = 0; part < (row.kind == 1 ? 3 : 1); ++part) {
            const QString &question = row.questions[part];
            const QStringList species =
                row.kind == 1 ? QStringList{m_speciesByPicture.value(row.zdjecie)} : SpeciesIn(question);
            if (species.size() != 1 || (row.kind == 0 && NamesAnException(question)))
                continue;
            const QString right = row.answers[part][row.right[part] - 1];
            const QRegularExpressionMatch sized = size.match(right);
            if (sized.hasMatch() && question.contains(QLatin1String("wymiar"), Qt::CaseInsensitive))
                teach(species.first(), "wymiar\\w*", sized.captured(0), row.id);
            const QRegularExpressionMatch season = period.match(right);
            for (int bound = 1; bound <= 2 && season.hasMatch(); ++bound)
                teach(species.first(), "okres\\w*", season.captured(bound), row.id);
            for (const char *count : counts) {
                if (row.kind == 0 && question.startsWith(QLatin1String("Ile")) &&
                    words(QString::fromUtf8(count)).match(right).hasMatch())
                    teach(species.first(), "ile", QString::fromUtf8(count), row.id);
            }
        }
    }
    QStringList giveaways;
    for (const Row &row : std::as_const(m_rows)) {
        if (row.kind != 0)
            continue;
        const QString &stem = row.questions[0];
        const QStringList inStem = SpeciesIn(stem);
        const QStringList texts = QStringList{stem} + row.answers[0];
        for (qsizetype n = 0; n < texts.size(); ++n) {
            const QStringList named = inStem + SpeciesIn(texts[n]);
            for (const Fact &fact : std::as_const(facts)) {
                if (!named.contains(fact.species) || fact.taughtBy.contains(row.id) ||
                    !fact.value.match(texts[n]).hasMatch())
                    continue;
                if (n > 0 && inStem.contains(fact.species) && fact.asks.match(stem).hasMatch())
                    continue;
                giveaways.append(
                    QStringLiteral("%1 answers %2: %3")
                        .arg(row.name(), QStringList(fact.taughtBy.values()).join(QLatin1Char(',')), texts[n]));
            }
        }
    }
    qInfo("%lld sizes, season days and limits checked for giveaways", qlonglong(facts.size()));
    QVERIFY(facts.size() >= 40);
    for (const QString &giveaway : std::as_const(giveaways))
        qWarning("%s", qPrintable(giveaway));
    QVERIFY2(giveaways.isEmpty(), qPrintable(QStringLiteral("%1 giveaways").arg(giveaways.size())));
}

void QuestionBankTest::regulationAnswersAgreeWithTheSpecies()
{
    // A question about one species' size or season must give the value of its row in ryby,
    // and so must each sentence of an explanation that names one species and a value.
    static const QRegularExpression size(QStringLiteral("(\\d+) cm"));
    static const QRegularExpression period(QStringLiteral("od \\d+ \\w+ do (\\d+ \\w+|końca lutego)"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::UseUnicodePropertiesOption);
    int checked = 0;
    const auto check = [&](const QString &about, const QString &text, const QString &where) {
        const QStringList species = SpeciesIn(about);
        if (species.size() != 1 || NamesAnException(about))
            return;
        const Species s = m_species.value(species.first());
        const QRegularExpressionMatch sized = size.match(text);
        if (sized.hasMatch() && about.contains(QLatin1String("wymiar"), Qt::CaseInsensitive)) {
            ++checked;
            QVERIFY2(sized.captured(1) == s.wymiar, qPrintable(where + QStringLiteral(": ") + text));
        }
        const QRegularExpressionMatch season = period.match(text);
        if (season.hasMatch()) {
            ++checked;
            QVERIFY2(season.captured(0).compare(PeriodText(s), Qt::CaseInsensitive) == 0,
                     qPrintable(where + QStringLiteral(": ") + text));
        }
    };
    for (const Row &row : std::as_const(m_rows)) {
        if (row.kind != 0)
            continue;
        const QString right = row.answers[0][row.right[0] - 1];
        check(row.questions[0], right, row.name());
        if (QTest::currentTestFailed())
            return;
        for (const QString &sentence : row.przepis.split(QStringLiteral(". "))) {
            check(sentence, sentence, row.name());
            if (QTest::currentTestFailed())
                return;
        }
    }
    qInfo("%d sizes and seasons checked against ryby", checked);
    QVERIFY(checked >= 60);
}

QTEST_GUILESS_MAIN(QuestionBankTest)
#include "QuestionBankTest.moc"
