#include "quiz/QuizRules.h"

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
