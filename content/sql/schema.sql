-- The four tables of wedkarz.db. dziennik and ryby deliberately have no INTEGER PRIMARY
-- KEY: rows are addressed by the engine's rowid.
CREATE TABLE IF NOT EXISTS dziennik (
  data date,
  gatunek varchar(255),
  waga float,
  dlugosc float,
  miejsce varchar(255),
  przyneta varchar(255),
  wiatr varchar(255),
  faza_ksiezyca varchar(255),
  opis memo,
  foto varchar(255)
);
-- Choosing a day and marking a month read a day's or a month's rows: with this index
-- their cost does not grow with years of diary. A file built before it gets it on the
-- next build; without it the program still works, only slower.
CREATE INDEX IF NOT EXISTS dziennik_data ON dziennik (data);
CREATE TABLE IF NOT EXISTS ryby (
  nazwa varchar(255),
  od date,
  do date,
  wymiar varchar(20),
  rekord varchar(20),
  wystepowanie memo,
  metoda memo,
  opis_dlugi memo,
  opis_krotki varchar(255),
  zdjecie varchar(255)
);
CREATE TABLE IF NOT EXISTS porady (
  porada memo,
  rodzaj_porady integer
);
CREATE TABLE IF NOT EXISTS przepisy (
  id integer,
  rodzaj_pytania integer,
  zdjecie varchar(255),
  pytanie1 memo,
  pytanie2 varchar(255),
  pytanie3 varchar(255),
  odp1_1 varchar(255),
  odp1_2 varchar(255),
  odp1_3 varchar(255),
  odp2_1 varchar(255),
  odp2_2 varchar(255),
  odp2_3 varchar(255),
  odp3_1 varchar(255),
  odp3_2 varchar(255),
  odp3_3 varchar(255),
  odp1_prawidlowa integer,
  odp2_prawidlowa integer,
  odp3_prawidlowa integer,
  przepis memo,
  temat integer
);
