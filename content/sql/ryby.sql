-- Fish species of inland waters, in Polish alphabetical order: the encyclopedia lists
-- them in rowid order. Periods are month-days of the year 0001; a period over the new
-- year keeps "do" before "od". Sizes and periods are the national minimum; an angling
-- district's permit may be stricter.
INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Amur biały', '', '', '-', '-',
'Jeziora, stawy, zbiorniki zaporowe i kanały',
'Grunt, metoda, spławik; kukurydza, rośliny',
'Gatunek obcy, sprowadzony z Azji Wschodniej, gdzie zamieszkuje dorzecze Amuru. W Polsce trafia do wód wyłącznie z zarybień, bo w naszym klimacie prawie nie rozmnaża się naturalnie. Jest roślinożercą: dorosłe osobniki zjadają duże ilości roślin wodnych, dlatego bywał wpuszczany do zarastających zbiorników. Przepisy krajowe nie ustalają dla niego wymiaru ani okresu ochronnego, ale okręg może je wprowadzić w zezwoleniu. Silny i ostrożny, wymaga mocnego zestawu i cierpliwości.',
'Roślinożerca z Dalekiego Wschodu', 'amur_bialy.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Boleń', '', '', '40', '-',
'Duże rzeki nizinne, zbiorniki zaporowe',
'Spinning: woblery, wahadłówki, cykady',
'Drapieżna ryba karpiowata: dorosły boleń żywi się niemal wyłącznie rybami, na które poluje tuż pod powierzchnią, często z głośnym pluskiem. Lubi nurt, główki ostróg i ujścia dopływów dużych rzek. Krajowe przepisy wyznaczają mu wymiar ochronny 40 cm, nie ustalają natomiast okresu ochronnego. Większość okręgów chroni go jednak w zezwoleniu od 1 stycznia do 30 kwietnia, dlatego przed wyprawą trzeba sprawdzić regulamin swojego okręgu. Łowi się go głównie na spinning, dalekimi rzutami i szybkim prowadzeniem przynęty.',
'Drapieżnik z rzecznego nurtu', 'bolen.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Brzana', '0001-01-01', '0001-06-30', '40', '-',
'Rzeki o szybkim nurcie i żwirowym dnie',
'Grunt, feeder; robaki, czerwie, ser, pellet',
'Ryba rzek o wartkim prądzie i kamienistym lub żwirowym dnie, od której nazwę wzięła cała strefa rzeki. Żeruje przy dnie, wyszukując pokarm czterema wąsikami u pyska. Chroniona jest od 1 stycznia do 30 czerwca, a zatrzymać można tylko rybę dłuższą niż 40 cm. Bierze zdecydowanie i walczy w nurcie bardzo wytrwale, więc zestaw musi być mocny. Jej ikra jest trująca i nie nadaje się do jedzenia.',
'Wąsata ryba wartkich rzek', 'brzana.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Certa', '0001-01-01', '0001-06-30', '30', '-',
'Zatoki Bałtyku, dolne odcinki Wisły i Odry',
'Grunt, feeder, spławik; robaki, czerwie',
'Ryba wędrowna: żyje w przybrzeżnych wodach Bałtyku, a na tarło wpływa do rzek. W kraju chroni ją okres od 1 stycznia do 30 czerwca i wymiar 30 cm. Na dolnej Wiśle poniżej zapory we Włocławku obowiązuje inny termin ochrony: od 1 września do 30 listopada. Okręg może wprowadzić zasady surowsze od krajowych. Bierze przy dnie na robaki i czerwie. Wędrówka tarłowa przypada na czas ochrony, dlatego na certę warto wybrać się dopiero po jego zakończeniu, pamiętając o terminie obowiązującym na danym odcinku rzeki.',
'Wędrowna ryba z Bałtyku', 'certa.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Głowacica', '0001-03-01', '0001-05-31', '70', '-',
'Górskie i podgórskie rzeki południa Polski',
'Spinning: duże woblery i gumy, muszka',
'Największa ryba łososiowata dorzecza Dunaju, w Polsce obecna w kilku rzekach południa kraju dzięki zarybieniom. Jest rzadka i cenna, a jej populacja zależy od ostrożnego połowu. Chroni ją okres od 1 marca do 31 maja oraz wymiar 70 cm, taki sam jak u suma; okręgi często dokładają własne ograniczenia. Poluje na ryby w głębokich, chłodnych plesach, a łowi się ją zwykle jesienią i zimą na duże przynęty.',
'Rzadka królowa górskich rzek', 'glowacica.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Jazgarz', '', '', '-', '-',
'Jeziora i rzeki nizinne, blisko dna',
'Spławik, grunt; robaki (zwykle przyłów)',
'Niewielka ryba z rodziny okoniowatych, pokryta obfitym śluzem i uzbrojona w kolczastą płetwę grzbietową. Trzyma się dna w stadach, zarówno w jeziorach, jak i w wolno płynących rzekach. Zjada drobne bezkręgowce, a także ikrę innych ryb. Nie ma wymiaru ani okresu ochronnego; najczęściej trafia się przy połowie na robaka przeznaczonego dla okoni lub leszczy.',
'Śluzowaty kuzyn okonia', 'jazgarz.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Jaź', '', '', '25', '-',
'Rzeki nizinne i jeziora z nimi połączone',
'Spławik, mucha, drobne błystki i woblery',
'Krępa ryba karpiowata o srebrzystych bokach z mosiężnym połyskiem, ciemniejszym grzbiecie i czerwonawych płetwach brzusznych i odbytowej, spotykana w większych rzekach i połączonych z nimi jeziorach. Złocistopomarańczowa odmiana, zwana orfą, to ryba ozdobna ze stawów i oczek wodnych, a nie dziki jaź. Jest wszystkożerny: zjada owady, larwy, ślimaki, a duże osobniki także małe ryby. Krajowy wymiar ochronny wynosi 25 cm, okresu ochronnego nie ma. Łowi się go z nurtu na spławik, na sztuczną muchę lub na małe przynęty spinningowe; wczesną wiosną tworzy stada przy tarliskach.',
'Srebrzysty mieszkaniec rzek', 'jaz.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Jelec', '', '', '15', '-',
'Czyste rzeki i strumienie o wyraźnym nurcie',
'Spławik, mucha; czerwie, owady',
'Smukła, srebrzysta ryba karpiowata, lubiąca czyste, dobrze natlenione rzeki. Trzyma się w stadach w nurcie i chętnie zbiera owady z powierzchni. Wymiar ochronny wynosi 15 cm, okresu ochronnego przepisy nie przewidują. Bywa mylony z młodym kleniem, od którego różni się węższym ciałem i wklęsłym brzegiem płetwy odbytowej. Najlepiej łowić go lekkim spławikiem lub suchą muchą.',
'Smukła srebrna ryba z nurtu', 'jelec.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Jesiotr ostronosy', '0001-01-01', '0001-12-31', '-', '-',
'Dorzecza Odry i Wisły (z zarybień), Bałtyk',
'Zakaz połowu przez cały rok',
'Duża ryba wędrowna o ciele pokrytym rzędami kostnych tarczek, która niegdyś wpływała na tarło do polskich rzek. Wyginęła w naszych wodach, a od kilkunastu lat przywraca się ją, wypuszczając młode ryby do dorzeczy Odry i Wisły. Jest objęta ochroną gatunkową i nie wolno jej zatrzymać przez cały rok, niezależnie od wielkości. Przypadkowo złowionego jesiotra trzeba natychmiast i ostrożnie wypuścić. Przy nim nie stosuje się skrócenia okresu ochronnego z powodu dnia wolnego od pracy.',
'Przywracany, chroniony cały rok', 'jesiotr_ostronosy.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Karaś pospolity', '', '', '-', '-',
'Małe stawy, starorzecza, zarośnięte jeziorka',
'Spławik; robaki, ciasto, kukurydza',
'Rodzimy gatunek o wysokim, złotobrązowym ciele i zaokrąglonej płetwie grzbietowej. Znosi niedobór tlenu i przeżywa zimę nawet w płytkich, zamulonych zbiornikach, w których inne ryby giną. W wielu wodach wyparł go obcy karaś srebrzysty, z którym łatwo go pomylić. Krajowe przepisy nie ustalają wymiaru ani okresu ochronnego. Bierze delikatnie, dlatego najlepszy jest czuły spławik.',
'Rodzimy karaś złocisty', 'karas_pospolity.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Karaś srebrzysty', '', '', '-', '-',
'Wody stojące i wolno płynące',
'Spławik, grunt, metoda; robaki, ciasto',
'Gatunek obcy, pochodzący z Azji, który rozprzestrzenił się w prawie wszystkich naszych wodach. Ma srebrzyste łuski i ciemną wyściółkę jamy ciała; często rozmnaża się bez udziału własnych samców, wykorzystując mlecz innych ryb karpiowatych. Konkuruje o pokarm z rodzimymi rybami, a szczególnie wypiera karasia pospolitego. Nie ma wymiaru ani okresu ochronnego. Złowionych karasi srebrzystych nie wolno przenosić do innych wód.',
'Obcy i wszędobylski', 'karas_srebrzysty.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Karp', '', '', '-', '37,775',
'Stawy, jeziora, zbiorniki zaporowe, rzeki',
'Grunt, metoda, spławik; kulki, kukurydza',
'Ryba hodowlana, od wieków trzymana w stawach, a dziś jeden z ulubionych celów wędkarzy. Żeruje przy dnie, przesiewając muł w poszukiwaniu larw i ślimaków, i osiąga bardzo duże rozmiary. Rekord Polski, ważący 37,775 kg, złowiono w 2023 roku i wypuszczono z powrotem do wody. Przepisy krajowe nie ustalają wymiaru ani okresu ochronnego, ale wiele okręgów wprowadza wymiar 30 cm i limity połowu. Łowiąc duże karpie, używaj maty i podbieraka z dużym koszem.',
'Silny olbrzym z łowisk', 'karp.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Kiełb', '', '', '-', '-',
'Rzeki i strumienie o piaszczystym dnie',
'Lekki spławik; drobne robaki, czerwie',
'Mała ryba denna z parą wąsików, żyjąca stadami nad piaszczystym dnem rzek. Jest łatwa do złowienia i od dawna służy jako przynęta na drapieżniki. Nie ma wymiaru ani okresu ochronnego, ale na przynętę można używać tylko ryb złowionych zgodnie z przepisami. Uwaga: pokrewne kiełbie białopłetwy i Kesslera są pod ochroną gatunkową, więc warto dobrze przyjrzeć się złowionej rybce.',
'Mała ryba na przynętę', 'kielb.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Kleń', '', '', '25', '-',
'Rzeki różnej wielkości, także podgórskie',
'Spławik, mucha, spinning; owoce, chleb',
'Jedna z najbardziej płochliwych ryb naszych rzek: duży kleń ucieka na widok cienia na wodzie. Ma szeroką głowę, duże łuski z ciemnym obrzeżeniem i wypukły brzeg płetwy odbytowej. Zjada niemal wszystko, od owadów i owoców spadających z drzew po małe ryby. Krajowy wymiar ochronny wynosi 25 cm, okresu ochronnego nie ma. Łowi się go ostrożnie, bez hałasu, na spławik, muchę lub małe woblery.',
'Płochliwy wszystkożerca', 'klen.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Krąp', '', '', '-', '-',
'Jeziora, zbiorniki i wolno płynące rzeki',
'Spławik, feeder; robaki, czerwie, pęczak',
'Mniejszy krewny leszcza, żyjący w dużych stadach w wodach stojących i wolno płynących. Od młodego leszcza odróżnia go większe oko i czerwonawe nasady płetw piersiowych i brzusznych. Nie ma wymiaru ani okresu ochronnego. Często trafia się przy połowie leszczy, na te same przynęty i zanęty.',
'Mniejszy krewny leszcza', 'krap.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Leszcz', '', '', '-', '7,52',
'Jeziora, zbiorniki zaporowe, duże rzeki',
'Feeder, grunt, spławik; robaki, czerwie',
'Wysoka, bocznie spłaszczona ryba karpiowata, żyjąca w stadach nad mulistym dnem. Żeruje, ryjąc w dnie wysuwanym pyskiem, co zdradzają bąbelki na powierzchni. Rekord Polski wynosi 7,52 kg i pochodzi z 2021 roku. Krajowe przepisy nie wyznaczają wymiaru ani okresu ochronnego, a okręgi ustalają swoje. Leszcza przyciąga obfita zanęta, a najlepsze brania zdarzają się wieczorem i nocą.',
'Stadna ryba mulistego dna', 'leszcz.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Lin', '', '', '25', '-',
'Zarośnięte jeziora, stawy, starorzecza',
'Spławik, grunt; robaki, czerwie, kukurydza',
'Krępa ryba o drobnych łuskach, grubej warstwie śluzu i czerwonych oczach. Lubi ciepłe, płytkie i zarośnięte wody o mulistym dnie, a zimę przesypia zagrzebana w mule. Wymiar ochronny wynosi 25 cm, okresu ochronnego nie ma. Najchętniej żeruje latem o świcie, przy trzcinach i liliach wodnych. Bierze delikatnie: spławik najpierw drży, a potem powoli odpływa w bok lub tonie.',
'Spokojny mieszkaniec trzcin', 'lin.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Lipień', '0001-03-01', '0001-05-31', '30', '1,35',
'Czyste, chłodne rzeki podgórskie i górskie',
'Mucha: suche, mokre, nimfy; lekki spinning',
'Ryba łososiowata rozpoznawana po wielkiej, barwnej płetwie grzbietowej, zwanej chorągiewką. Żyje w czystych, chłodnych i dobrze natlenionych rzekach i szybko znika tam, gdzie woda się psuje. Chroni go okres od 1 marca do 31 maja oraz wymiar 30 cm; rekord Polski, 1,35 kg, pochodzi z 1971 roku. Regulamin związku pozwala łowić na wodach pstrągowo-lipieniowych tylko od godziny przed wschodem do godziny po zachodzie słońca. Okręgi często wprowadzają dla lipienia dodatkowe ograniczenia.',
'Ryba z chorągiewką', 'lipien.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Łosoś', '0001-10-01', '0001-12-31', '35', '-',
'Bałtyk, rzeki Pomorza, dorzecza Wisły i Odry',
'Spinning, mucha; duże błystki i woblery',
'Ryba wędrowna, która dorasta w Bałtyku, a na tarło wraca do rzek, w których się wylęgła. Rodzime stada łososia w Polsce zanikły, a dziś odtwarza się je zarybieniami. Wymiar ochronny wynosi 35 cm, a okres ochronny trwa od 1 października do 31 grudnia; dla Wisły przepisy ustalają odrębne zasady, między innymi według dni tygodnia. Okręgi często dodają własne limity, więc przed połowem sprawdź zezwolenie. W morzu obowiązują inne, osobne przepisy.',
'Wędrowiec z Bałtyku', 'losos.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Miętus', '0001-12-01', '0001-02-28', '25', '-',
'Chłodne rzeki i głębokie jeziora',
'Grunt, nocą; robaki, martwa rybka',
'Jedyny słodkowodny przedstawiciel rzędu dorszokształtnych, z pojedynczym wąsikiem na brodzie. Dawniej zaliczano go do dorszowatych, dziś tworzy z kilkoma morskimi krewnymi osobną rodzinę miętusowatych (Lotidae). Jest aktywny w zimnej wodzie, a tarło odbywa zimą, pod lodem. Okres ochronny trwa od 1 grudnia do końca lutego, czyli przechodzi przez nowy rok, a wymiar wynosi 25 cm. Na Odrze od ujścia Warty do morza okres ochronny nie obowiązuje, a wymiar wynosi tam 30 cm. Żeruje głównie nocą przy dnie, więc łowi się go gruntówką po zmroku. Okręg może wprowadzić zasady surowsze od krajowych.',
'Zimowy krewny dorsza', 'mietus.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Minóg strumieniowy', '0001-01-01', '0001-12-31', '-', '-',
'Czyste strumienie o piaszczystym dnie',
'Zakaz połowu: ochrona gatunkowa',
'Minogi nie są rybami, lecz bezżuchwowymi kręgowcami o ciele podobnym do węgorza i pysku w kształcie przyssawki. Larwy minoga strumieniowego przez kilka lat żyją zagrzebane w piasku i odfiltrowują pokarm z wody. Dorosłe minogi tego gatunku już nie jedzą: po tarle giną. Wszystkie minogi w Polsce są pod ochroną gatunkową, dlatego nie wolno ich łowić, przetrzymywać ani używać jako przynęty.',
'Chroniony bezżuchwowiec', 'minog_strumieniowy.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Okoń', '', '', '-', '-',
'Niemal wszystkie jeziora, rzeki i zbiorniki',
'Spinning, spławik, podlodowo; robaki',
'Najpospolitszy drapieżnik naszych wód, łatwy do rozpoznania po ciemnych pręgach i czerwonych płetwach brzusznych. Młode okonie polują stadami, duże prowadzą bardziej samotniczy tryb życia. Krajowe przepisy nie wyznaczają mu wymiaru ani okresu ochronnego, ale okręgi zwykle ustalają wymiar od 15 do 18 cm, więc trzeba to sprawdzić w zezwoleniu. Rekord Polski z 2011 roku, 2,69 kg, został pobity pod koniec 2025 roku. Okonia łowi się przez cały rok, także spod lodu.',
'Pręgowany drapieżnik', 'okon.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Piskorz', '0001-01-01', '0001-12-31', '-', '-',
'Muliste starorzecza, rowy, zarośnięte stawy',
'Zakaz połowu: ochrona gatunkowa',
'Wydłużona ryba z dziesięcioma wąsikami wokół pyska, żyjąca w mule płytkich, zarośniętych wód. Gdy w wodzie brakuje tlenu, połyka powietrze z powierzchni i oddycha przez jelito. Jest pod ochroną gatunkową przez cały rok. Nie wolno go łowić ani używać jako żywej lub martwej przynęty. Zanika wraz z osuszaniem mokradeł i zasypywaniem starorzeczy.',
'Chroniony mieszkaniec mułu', 'piskorz.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Płoć', '', '', '-', '-',
'Prawie wszystkie wody stojące i płynące',
'Spławik, feeder; czerwie, pęczak, chleb',
'Jedna z najpospolitszych ryb w Polsce, o srebrnych bokach i czerwonej tęczówce oka. Żyje w stadach i żywi się zarówno roślinami, jak i drobnymi bezkręgowcami. Nie ma krajowego wymiaru ani okresu ochronnego. Jest doskonałą rybą do nauki łowienia na spławik, a w zawodach wędkarskich często decyduje o wyniku. Bywa też pokarmem dla szczupaka, sandacza i okonia.',
'Pospolita srebrna ryba', 'ploc.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Pstrąg potokowy', '0001-09-01', '0001-12-31', '30', '-',
'Górskie i podgórskie potoki, czyste rzeki',
'Mucha, spinning: błystki obrotowe, woblery',
'Rodzimy pstrąg czystych, zimnych i szybko płynących wód, o bokach z czerwonymi plamkami w jasnych obwódkach. Tarło odbywa jesienią na żwirowym dnie. Okres ochronny trwa od 1 września do 31 grudnia, a wymiar wynosi 30 cm; w dorzeczu górnej Wisły, w dorzeczu Sanu i na górnej Odrze obowiązuje wymiar 25 cm i ochrona od 1 września do 31 stycznia. Według regulaminu związku na wodach pstrągowo-lipieniowych łowi się tylko od godziny przed wschodem do godziny po zachodzie słońca. Okręg może wprowadzić surowsze zasady.',
'Kropkowany pan potoków', 'pstrag_potokowy.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Pstrąg tęczowy', '', '', '-', '-',
'Łowiska komercyjne, wody z zarybień',
'Spinning, mucha, spławik; pasty, robaki',
'Gatunek obcy, sprowadzony z Ameryki Północnej i hodowany w stawach. Rozpoznaje się go po różowej smudze wzdłuż boku i drobnych czarnych kropkach, także na płetwie ogonowej. W naszych wodach rzadko rozmnaża się naturalnie i utrzymuje się dzięki zarybieniom. Nie ma krajowego wymiaru ani okresu ochronnego, ale zasady połowu ustala właściciel łowiska.',
'Obcy pstrąg z hodowli', 'pstrag_teczowy.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Pstrąg źródlany', '', '', '-', '-',
'Zimne źródliskowe potoki i stawy hodowlane',
'Mucha, lekki spinning',
'Ryba obca, sprowadzona z Ameryki Północnej; mimo nazwy nie jest pstrągiem, lecz golcem z rodzaju Salvelinus. Ma ciemny, marmurkowy grzbiet i białe krawędzie płetw brzusznych i odbytowej. Potrzebuje bardzo zimnej i czystej wody. Krajowe przepisy nie wyznaczają mu wymiaru ani okresu ochronnego; o zasadach decyduje zezwolenie okręgu lub właściciela wody.',
'Obcy golec z Ameryki', 'pstrag_zrodlany.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Rozpiór', '', '', '25', '-',
'Duże rzeki nizinne, zalewy, duże jeziora',
'Feeder, grunt, spławik; czerwie, robaki',
'Wysoka, bocznie spłaszczona ryba karpiowata, podobna do leszcza, ale z dłuższą płetwą odbytową i pyskiem skierowanym ku górze. Żyje w stadach w toni, gdzie odżywia się głównie planktonem. Wymiar ochronny wynosi 25 cm, okresu ochronnego nie ma. Łatwo go pomylić z leszczem, dlatego warto przed zatrzymaniem obejrzeć rybę i zmierzyć ją.',
'Krewny leszcza z toni', 'rozpior.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Różanka', '0001-01-01', '0001-12-31', '-', '-',
'Wolno płynące i stojące wody z małżami',
'Zakaz połowu: ochrona gatunkowa',
'Mała, wysoka rybka, której samiec w porze godowej mieni się na różowo i fioletowo. Samica składa ikrę do wnętrza małży słodkowodnych za pomocą długiego pokładełka, a młode opuszczają małża dopiero wtedy, gdy potrafią pływać. Bez małży różanka nie może się rozmnażać. Jest pod ochroną gatunkową przez cały rok, więc nie wolno jej łowić ani używać jako przynęty.',
'Chroniona rybka małży', 'rozanka.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Sandacz', '0001-01-01', '0001-05-31', '45', '-',
'Jeziora, zbiorniki zaporowe, duże rzeki',
'Spinning: gumy, woblery; martwa rybka',
'Drapieżnik z rodziny okoniowatych o szklistych, dobrze widzących w półmroku oczach i mocnych kłach. Lubi wodę mętną i twarde dno, a poluje o zmierzchu, nocą i w pochmurne dni. Chroni go okres od 1 stycznia do 31 maja i wymiar 45 cm; wiele okręgów ustala jednak wymiar 50 cm. Samiec strzeże gniazda z ikrą, dlatego ochrona wiosną jest dla sandacza bardzo ważna. Najczęściej łowi się go na gumowe przynęty prowadzone przy dnie.',
'Drapieżnik z mrocznej toni', 'sandacz.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Sieja', '0001-10-15', '0001-12-31', '35', '-',
'Głębokie, czyste jeziora Pomorza i Mazur',
'Lekki spławik, mormyszka, mucha; ochotka',
'Ryba łososiowata z rodzaju Coregonus, mająca jak inne łososiowate małą płetwę tłuszczową. Żyje w głębokich, chłodnych i czystych jeziorach, a w wielu z nich utrzymuje się dzięki zarybieniom. Tarło odbywa późną jesienią, dlatego jest chroniona od 15 października do 31 grudnia; jej wymiar ochronny wynosi 35 cm. Odżywia się drobnymi organizmami wodnymi, więc wymaga delikatnego zestawu.',
'Srebrna ryba głębokich jezior', 'sieja.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Sielawa', '0001-10-15', '0001-12-31', '18', '-',
'Głębokie, dobrze natlenione jeziora',
'Lekki spławik, mormyszka; ochotka, czerwie',
'Niewielka, srebrzysta krewna siei, żyjąca dużymi stadami w toni głębokich jezior i odżywiająca się planktonem. Potrzebuje chłodnej i bogatej w tlen wody, dlatego jest wrażliwa na zanieczyszczenia. Tarło odbywa późną jesienią; okres ochronny trwa od 15 października do 31 grudnia, a wymiar wynosi 18 cm. Wędkarze łowią ją głównie zimą spod lodu.',
'Mała krewna siei', 'sielawa.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Sum', '0001-01-01', '0001-05-31', '70', '-',
'Duże rzeki, zbiorniki zaporowe, jeziora',
'Grunt, spinning, kwok; żywiec, rosówki',
'Największa ryba naszych wód słodkich, bez łusek, z szerokim pyskiem i długimi wąsami. Najdłuższy zmierzony w Polsce sum miał 261 cm i został złowiony w 2021 roku. Poluje głównie nocą, a samiec pilnuje złożonej ikry. Okres ochronny trwa od 1 stycznia do 31 maja, a wymiar wynosi 70 cm; okręg może wprowadzić ostrzejsze zasady. Do połowu potrzebny jest bardzo mocny sprzęt i duży podbierak lub pewny chwyt za żuchwę w rękawicy.',
'Olbrzym z nocnych głębin', 'sum.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Szczupak', '0001-01-01', '0001-04-30', '45', '20,8',
'Jeziora, rzeki, starorzecza, zbiorniki',
'Spinning, żywiec, martwa rybka, mucha',
'Drapieżnik o wydłużonym ciele i płaskim pysku pełnym zębów, czatujący na zdobycz wśród roślin. Tarło odbywa wczesną wiosną, tuż po zejściu lodów, na płytkich, zalanych łąkach i przybrzeżnych płyciznach. Chroni go okres od 1 stycznia do 30 kwietnia i wymiar 45 cm, ale w wielu okręgach obowiązuje wymiar 50 cm. Rekord Polski, 20,8 kg, pochodzi z 1970 roku. Do połowu używaj przyponu odpornego na jego ostre zęby.',
'Zielony drapieżnik z zarośli', 'szczupak.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Śliz', '0001-01-01', '0001-12-31', '-', '-',
'Czyste potoki i rzeki o kamienistym dnie',
'Zakaz połowu: ochrona gatunkowa',
'Mała ryba denna o wałkowatym ciele i sześciu wąsikach przy pysku, kryjąca się za dnia pod kamieniami. Żyje w czystych, natlenionych wodach płynących, dlatego jej obecność świadczy o dobrym stanie rzeki. Jest objęta ochroną gatunkową przez cały rok: nie wolno jej łowić ani używać jako przynęty. Przypadkowo złowionego śliza należy od razu wypuścić.',
'Chroniony strażnik czystych rzek', 'sliz.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Świnka', '0001-03-01', '0001-05-15', '25', '-',
'Podgórskie rzeki o kamienistym dnie',
'Lekki grunt, spławik; robaki, czerwie',
'Ryba karpiowata o dolnym, poprzecznym pysku z ostrą, zrogowaciałą krawędzią, którą zdrapuje glony z kamieni. Żyje stadami w rzekach o wartkim nurcie i czystej wodzie. Chroni ją okres od 1 marca do 15 maja i wymiar 25 cm. Jej liczebność spadła przez zabudowę rzek, która odcina ją od tarlisk. Okręg może wprowadzić surowsze zasady niż krajowe.',
'Zeskrobuje glony z kamieni', 'swinka.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Tołpyga biała', '', '', '-', '-',
'Zbiorniki zaporowe, duże jeziora i stawy',
'Grunt, metoda; zanęty roślinne',
'Ryba obca z Chin, wprowadzana do stawów i zbiorników, ponieważ odfiltrowuje z wody glony. W naszych wodach praktycznie nie rozmnaża się naturalnie i pochodzi z zarybień. Ma oczy osadzone nisko z boku głowy i bardzo drobne łuski. Osiąga duże rozmiary: w 2024 roku złowiono w Polsce tołpygę o masie 64,7 kg, choć nie podano, którego gatunku. Przepisy krajowe nie ustalają dla niej wymiaru ani okresu ochronnego.',
'Obcy filtrator glonów', 'tolpyga_biala.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Tołpyga pstra', '', '', '-', '-',
'Zbiorniki zaporowe, duże jeziora i stawy',
'Grunt, metoda; zanęty roślinne',
'Obcy gatunek z Azji Wschodniej, bliski krewny tołpygi białej, od której różni się ciemnymi plamami na bokach i większą głową. Odżywia się głównie zwierzęcym planktonem, filtrując wodę skrzelami. W Polsce utrzymuje się dzięki zarybieniom. Nie ma krajowego wymiaru ani okresu ochronnego; jeśli taka ryba weźmie, trzeba liczyć się z długim holem.',
'Obca ryba planktonowa', 'tolpyga_pstra.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Troć jeziorowa', '', '', '50', '-',
'Nieliczne głębokie jeziora (m.in. Wdzydze)',
'Spinning, trolling; błystki i woblery',
'Jeziorna forma troci, która przez całe życie pozostaje w słodkiej wodzie i wpływa na tarło do dopływów jeziora. W Polsce występuje w nielicznych głębokich, chłodnych jeziorach, a jej stada zależą od zarybień. Wymiar ochronny wynosi 50 cm. Nie udało się potwierdzić, czy obecne rozporządzenie wyznacza jej osobny okres ochronny, dlatego przed wyjazdem sprawdź go w przepisach i w zezwoleniu, które może wprowadzić surowsze zasady.',
'Rzadka troć głębokich jezior', 'troc_jeziorowa.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Troć wędrowna', '0001-10-01', '0001-12-31', '35', '-',
'Rzeki Pomorza, dolna Wisła i Odra, Bałtyk',
'Spinning, mucha; woblery, błystki',
'Wędrowna forma pstrąga: dorasta w Bałtyku, a na tarło wpływa do rzek, najliczniej do rzek Pomorza. Do rzek wchodzi przez dużą część roku, a tarło odbywa jesienią na żwirowych płyciznach. W rzekach chroni ją okres od 1 października do 31 grudnia i wymiar 35 cm. Wiele okręgów ustala dla niej własne, ostrzejsze limity i wymiary, dlatego zezwolenie trzeba przeczytać szczególnie uważnie.',
'Srebrna wędrowniczka z morza', 'troc_wedrowna.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Ukleja', '', '', '-', '-',
'Jeziora i rzeki, przy powierzchni wody',
'Lekki spławik; czerwie, ciasto',
'Mała, bardzo srebrzysta ryba żyjąca w dużych stadach tuż pod powierzchnią wody. Żywi się owadami i planktonem, a sama jest ważnym pokarmem ryb drapieżnych i ptaków. Nie ma wymiaru ani okresu ochronnego i często służy jako przynęta. Rybki na przynętę wolno wypuszczać tylko do wody, z której zostały złowione.',
'Srebrna rybka spod powierzchni', 'ukleja.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Węgorz', '0001-12-01', '0001-03-31', '50', '-',
'Rzeki, jeziora, zalewy; większość z zarybień',
'Grunt, nocą; rosówki, martwa rybka',
'Ryba o wężowatym ciele, która rodzi się w Morzu Sargassowym, a jej larwy przez wiele miesięcy dryfują z prądami do wybrzeży Europy. W słodkich wodach dorasta przez wiele lat, po czym wraca do morza na tarło. Europejskie stado węgorza załamało się: do rzek dociera dziś ułamek dawnej liczby młodych ryb. To z tego powodu połów węgorza jest ograniczony: gatunek jest chroniony od 1 grudnia do 31 marca, czyli przez przełom roku, a wymiar ochronny wynosi 50 cm. Obecne rozporządzenie z 2023 roku pozwala zatrzymać najwyżej 2 węgorze dziennie, a skrócenie okresu ochronnego z powodu dnia wolnego nigdy go nie dotyczy. Okręgi mogą ustalać surowsze zasady.',
'Wędrowiec z Morza Sargassowego', 'wegorz.jpg');

INSERT INTO ryby (nazwa, od, "do", wymiar, rekord, wystepowanie, metoda, opis_dlugi, opis_krotki, zdjecie) VALUES (
'Wzdręga', '', '', '15', '-',
'Zarośnięte jeziora, stawy, starorzecza',
'Spławik przy powierzchni; chleb, czerwie',
'Ryba karpiowata o złocistych bokach i jaskrawoczerwonych płetwach, żyjąca przy roślinach w ciepłych, spokojnych wodach. Od płoci odróżnia ją pysk skierowany ku górze i płetwa grzbietowa przesunięta daleko do tyłu. Zjada głównie rośliny i owady z powierzchni. Wymiar ochronny wynosi 15 cm, okresu ochronnego nie ma.',
'Czerwonopłetwa ryba roślin', 'wzdrega.jpg');
