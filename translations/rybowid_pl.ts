<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en">
<context>
    <name>Messages</name>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Could not load SQLite library</source>
        <translation>Nie można załadować silnika bazy danych SQLite. Zainstaluj program ponownie</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Missing database property</source>
        <translation>Nie podano pliku bazy danych</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Database %1 does not exist</source>
        <translation>Plik bazy danych %1 nie istnieje. Przywróć go z kopii zapasowej albo zainstaluj program ponownie</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Database not connected</source>
        <translation>Brak połączenia z bazą danych</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Database not connected; the record was not saved</source>
        <translation>Brak połączenia z bazą danych; wpis nie został zapisany</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Database not connected; the row was not deleted</source>
        <translation>Brak połączenia z bazą danych; wpis nie został usunięty</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>The row is no longer in the database; the record was not saved</source>
        <translation>Tego wpisu nie ma już w bazie danych: usunięto go w innym oknie programu. Zmian nie zapisano; wpisane wartości pozostały w edycji, można je skopiować albo anulować</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>The row is no longer in the database; nothing was deleted</source>
        <translation>Tego wpisu nie ma już w bazie danych: usunięto go wcześniej w innym oknie programu</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>no database connection</source>
        <translation>brak połączenia z bazą danych</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>no query specified</source>
        <translation>nie podano zapytania</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>no table specified</source>
        <translation>nie podano tabeli</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Filter error: %1</source>
        <translation>Błąd filtru: %1</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Cannot perform this operation on a closed dataset</source>
        <translation>Nie można wykonać tej operacji na zamkniętym zbiorze danych</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Cannot perform this operation on an empty dataset</source>
        <translation>Nie można wykonać tej operacji na pustym zbiorze danych</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Dataset not in edit or insert mode</source>
        <translation>Zbiór danych nie jest w trybie edycji ani dopisywania</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Field '%1' not found</source>
        <translation>Nie znaleziono pola „%1”</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Field '%1' belongs to a closed dataset</source>
        <translation>Pole „%1” należy do zamkniętego zbioru danych</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Bookmark not found</source>
        <translation>Nie znaleziono zakładki</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>No Records</source>
        <translation>Brak wpisów</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>'%1' is not a valid integer value</source>
        <translation>„%1” nie jest poprawną liczbą całkowitą</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>'%1' is not a valid boolean value</source>
        <translation>„%1” nie jest poprawną wartością logiczną</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>'%1' is not a valid floating point value</source>
        <translation>„%1” nie jest poprawną liczbą. Wpisz liczbę, np. 2,5</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>'%1' is not a valid date and time</source>
        <translation>„%1” nie jest poprawną datą i godziną</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>Unknown exception</source>
        <translation>Nieznany błąd</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>database is locked</source>
        <translation>Baza danych jest zajęta przez inny program (np. drugą kopię Rybowida albo program do kopii zapasowych). Zamknij go i spróbuj ponownie</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>database table is locked</source>
        <translation>Tabela bazy danych jest zajęta przez inny program. Zamknij go i spróbuj ponownie</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>file is not a database</source>
        <translation>Plik bazy danych jest uszkodzony albo nie jest bazą danych programu. Przywróć go z kopii zapasowej</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>file is encrypted or is not a database</source>
        <translation>Plik bazy danych jest uszkodzony albo nie jest bazą danych programu. Przywróć go z kopii zapasowej</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>database disk image is malformed</source>
        <translation>Plik bazy danych jest uszkodzony. Przywróć go z kopii zapasowej</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>attempt to write a readonly database</source>
        <translation>Nie można zapisać zmian: plik bazy danych jest tylko do odczytu. Sprawdź uprawnienia do folderu data programu</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>database or disk is full</source>
        <translation>Nie można zapisać zmian: dysk jest pełny. Zwolnij miejsce na dysku i spróbuj ponownie</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>unable to open database file</source>
        <translation>Nie można otworzyć pliku bazy danych. Sprawdź, czy folder data programu istnieje i jest dostępny</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>disk I/O error</source>
        <translation>Błąd odczytu lub zapisu na dysku. Sprawdź dysk i spróbuj ponownie</translation>
    </message>
    <message>
        <location filename="../src/widgets/UserMessages.cpp"/>
        <source>no such table: %1</source>
        <translation>W bazie danych brakuje tabeli %1. Zainstaluj program ponownie</translation>
    </message>
</context>
</TS>
