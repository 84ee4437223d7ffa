#include "quiz/QuizRules.h"

#include <QRandomGenerator>
#include <algorithm>
#include <numeric>

namespace QuizRules {

QString DrawStatement(int kind)
{
    return QStringLiteral("select * from przepisy where rodzaj_pytania=%1 order by random()").arg(kind);
}

bool IsUsed(const QStringList &usedIds, const QString &id)
{
    return usedIds.contains(id, Qt::CaseInsensitive);
}

Grade GradeQuestion(const QList<int> &rightAnswers, const QList<int> &chosen)
{
    Grade grade;
    for (qsizetype i = 0; i < rightAnswers.size(); ++i) {
        const bool right = i < chosen.size() && chosen[i] == rightAnswers[i];
        grade.Wrong.append(!right);
        if (right)
            ++grade.Score;
    }
    return grade;
}

QList<int> ShuffledOrder(int count, QRandomGenerator &random)
{
    QList<int> order(count);
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), random);
    return order;
}

int StoredAnswer(const QList<int> &order, int shownIndex)
{
    return order.value(shownIndex, 0);
}

QString ReviewHtml(const QList<ReviewItem> &items, int points, int possiblePoints)
{
    const auto escaped = [](const QString &text) { return text.toHtmlEscaped(); };
    QString html = QStringLiteral("<p style=\"font-size:large\"><b>Twój wynik: %1 na %2 możliwych punktów.</b></p>")
                       .arg(points)
                       .arg(possiblePoints);
    for (qsizetype n = 0; n < items.size(); ++n) {
        const ReviewItem &item = items[n];
        const bool allRight =
            std::all_of(item.Parts.begin(), item.Parts.end(), [](const ReviewPart &part) { return part.IsRight; });
        html += QStringLiteral("<hr><p><b>Pytanie %1</b> &ndash; %2</p>")
                    .arg(n + 1)
                    .arg(allRight ? QStringLiteral("<span style=\"color:#006400\">dobrze</span>")
                                  : QStringLiteral("<span style=\"color:#b00000\">błąd</span>"));
        // A picture stands beside the answers it was asked about.
        if (!item.Picture.isEmpty())
            html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\"><tr><td><img src=\"%1\"></td>"
                                   "<td style=\"padding-left:12px\">")
                        .arg(escaped(item.Picture));
        for (const ReviewPart &part : item.Parts) {
            const QString colour = part.IsRight ? QStringLiteral("#006400") : QStringLiteral("#b00000");
            const QString chosen =
                part.Chosen.isEmpty() ? QStringLiteral("<i>nie wybrano odpowiedzi</i>") : escaped(part.Chosen);
            html += QStringLiteral("<p>%1<br>Twoja odpowiedź: <b style=\"color:%2\">%3</b><br>"
                                   "Prawidłowa odpowiedź: <b>%4</b></p>")
                        .arg(escaped(part.Question), colour, chosen, escaped(part.Right));
        }
        if (!item.Picture.isEmpty())
            html += QStringLiteral("</td></tr></table>");
        html += QStringLiteral("<p style=\"color:#333366\">%1</p>").arg(escaped(item.Explanation));
    }
    return html;
}

QString PicturePath(const QString &programDir, const QString &zdjecie)
{
    const QString folder = programDir + QStringLiteral("data/encyklopedia/");
    if (!zdjecie.contains(QLatin1Char('.')))
        return folder + zdjecie + QStringLiteral(".jpg");
    return folder + zdjecie;
}

QString CounterText(int questionNo)
{
    return QString::number(questionNo) + QStringLiteral("/12");
}

QString EndOfTestText(int points, int possiblePoints)
{
    return QStringLiteral("Dziękujemy za udział w teście. Zdobyłeś: ") + QString::number(points) +
           QStringLiteral(" na ") + QString::number(possiblePoints) +
           QStringLiteral(" możliwych punktów. Możesz spróbować swoich sił ponownie!");
}

} // namespace QuizRules
