#include "diary/QuestionBank.h"

#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/DiarySchema.h"

#include <QRegularExpression>

namespace QuestionTopic {

QString Name(int topic)
{
    static const QStringList names{QStringLiteral("Karta i zezwolenia"),
                                   QStringLiteral("Wymiary ochronne"),
                                   QStringLiteral("Okresy ochronne"),
                                   QStringLiteral("Sprzęt i metody"),
                                   QStringLiteral("Zakazy miejsca i czasu"),
                                   QStringLiteral("Limity i zatrzymywanie ryb"),
                                   QStringLiteral("Zachowanie i bezpieczeństwo"),
                                   QStringLiteral("Karty ryb")};
    return names.value(topic - 1);
}

int Guess(int kind, const QString &question)
{
    if (kind == 1)
        return FishCards;
    // Checked in this order: a question about the size of a fish kept over the limit is
    // about the size, one about the season of a method about the season.
    static const std::pair<int, QRegularExpression> words[] = {
        {2, QRegularExpression(QStringLiteral("wymiar|\\bcm\\b|centymetr|długoś"))},
        {3, QRegularExpression(QStringLiteral("okres\\w* ochronn|ochronn\\w* okres|tarł|od kiedy|do kiedy|"
                                              "w jakim okresie|miesiąc"))},
        {6, QRegularExpression(QStringLiteral("limit|sztuk|\\bkg\\b|kilogram|zatrzyma|zabra|dobow"))},
        {1, QRegularExpression(QStringLiteral("kart\\w* wędkarsk|zezwoleni|egzamin|mandat|dokument|opłat|straż"))},
        {5, QRegularExpression(QStringLiteral("zakaz|metr\\w* od|\\bm od\\b|most|przepławk|zapor|w nocy|nocą|"
                                              "godzin|z łodzi|lodu|lód"))},
        {4, QRegularExpression(QStringLiteral("haczyk|przynęt|spinning|żywc|kusz|metod|sprzęt|wędzisk|zanęt|"
                                              "podrywk|błystk|przypon|kotwicz|much"))},
    };
    const QString text = question.toLower();
    for (const auto &[topic, pattern] : words) {
        if (text.contains(pattern))
            return topic;
    }
    return 7;
}

} // namespace QuestionTopic

namespace {
const QString Columns = QStringLiteral("id, rodzaj_pytania, zdjecie, pytanie1, pytanie2, pytanie3, odp1_1, odp1_2, "
                                       "odp1_3, odp2_1, odp2_2, odp2_3, odp3_1, odp3_2, odp3_3, odp1_prawidlowa, "
                                       "odp2_prawidlowa, odp3_prawidlowa, przepis");
} // namespace

QList<BankQuestion> ReadQuestionBank(TDbConnection &connection)
{
    const bool topics = HasColumn(connection, QStringLiteral("przepisy"), QStringLiteral("temat"));
    Statement rows(connection, QStringLiteral("SELECT %1, %2 FROM przepisy ORDER BY id")
                                   .arg(Columns, topics ? QStringLiteral("temat") : QStringLiteral("NULL")));
    QList<BankQuestion> bank;
    while (rows.Next()) {
        BankQuestion q;
        q.Id = rows.Integer(0);
        q.Kind = int(rows.Integer(1));
        q.Picture = rows.Text(2);
        const int parts = q.Kind == 1 ? 3 : 1;
        for (int part = 0; part < parts; ++part) {
            q.Parts << rows.Text(3 + part);
            q.Answers << QStringList{rows.Text(6 + part * 3), rows.Text(7 + part * 3), rows.Text(8 + part * 3)};
            q.Right << int(rows.Integer(15 + part));
        }
        q.Explanation = rows.Text(18);
        const int topic = int(rows.Integer(19));
        q.Topic = topic >= 1 && topic <= QuestionTopic::Count ? topic : QuestionTopic::Guess(q.Kind, q.Parts.value(0));
        bank << q;
    }
    return bank;
}

void MendQuestionTopics(TDbConnection &connection)
{
    const QString table = QStringLiteral("przepisy");
    if (!Statement(connection, QStringLiteral("SELECT 1 FROM main.sqlite_master WHERE type = 'table' AND name = ?"),
                   table)
             .Next() ||
        HasColumn(connection, table, QStringLiteral("temat")))
        return;
    Statement(connection, QStringLiteral("ALTER TABLE przepisy ADD COLUMN temat integer")).Run();
    Statement read(connection, QStringLiteral("SELECT rowid, rodzaj_pytania, pytanie1 FROM przepisy"));
    Statement write(connection, QStringLiteral("UPDATE przepisy SET temat = ? WHERE rowid = ?"));
    for (const QStringList &row : read.Rows()) {
        write.Reset();
        write.Bind(1, QuestionTopic::Guess(row[1].toInt(), row[2])).Bind(2, row[0].toLongLong()).Run();
    }
}
