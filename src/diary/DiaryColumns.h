#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The columns of the diary table dziennik, in the order the program makes and reads them:
// the one list the reader, the schema, the backup's checks and the restore follow.
namespace DiaryColumns {

enum Column { Data, Gatunek, Waga, Dlugosc, Miejsce, Przyneta, Wiatr, FazaKsiezyca, Opis, Foto, Zabrana, Godzina, Count };

struct Definition
{
    const char *name;
    const char *type;
};

inline constexpr std::array<Definition, Count> All{{
    {"data", "date"},
    {"gatunek", "varchar(255)"},
    {"waga", "float"},
    {"dlugosc", "float"},
    {"miejsce", "varchar(255)"},
    {"przyneta", "varchar(255)"},
    {"wiatr", "varchar(255)"},
    {"faza_ksiezyca", "varchar(255)"},
    {"opis", "memo"},
    {"foto", "varchar(255)"},
    // Added later: a catch stored before it counts as kept.
    {"zabrana", "integer NOT NULL DEFAULT 1"},
    // The hour of the catch, "HH:MM"; empty when the angler did not say.
    {"godzina", "varchar(5)"},
}};

// Every diary the program ever wrote has the columns before this one; a file without
// them is no diary of ours. The others an older diary may lack.
inline constexpr int Required = Miejsce;

inline QString Name(Column column)
{
    return QString::fromLatin1(All[size_t(column)].name);
}

// "data, gatunek, …, zabrana".
inline QString SelectList()
{
    QStringList names;
    for (const Definition &d : All)
        names << QString::fromLatin1(d.name);
    return names.join(QStringLiteral(", "));
}

// The column as ALTER TABLE … ADD COLUMN and CREATE TABLE write it.
inline QString Declaration(Column column)
{
    return Name(column) + QLatin1Char(' ') + QString::fromLatin1(All[size_t(column)].type);
}

} // namespace DiaryColumns
