#include "base/CalendarNames.h"

const std::array<QString, 8> DayNames{
    QString(),
    QStringLiteral("Niedziela"),
    QStringLiteral("Poniedziałek"),
    QStringLiteral("Wtorek"),
    QStringLiteral("Środa"),
    QStringLiteral("Czwartek"),
    QStringLiteral("Piątek"),
    QStringLiteral("Sobota"),
};

const std::array<QString, 13> MonthNames{
    QString(),
    QStringLiteral("Styczeń"),
    QStringLiteral("Luty"),
    QStringLiteral("Marzec"),
    QStringLiteral("Kwiecień"),
    QStringLiteral("Maj"),
    QStringLiteral("Czerwiec"),
    QStringLiteral("Lipiec"),
    QStringLiteral("Sierpień"),
    QStringLiteral("Wrzesień"),
    QStringLiteral("Październik"),
    QStringLiteral("Listopad"),
    QStringLiteral("Grudzień"),
};
