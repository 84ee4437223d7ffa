#include "base/ProgramPaths.h"
#include "guide/TWebViewFactory.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLibrary>
#include <QPluginLoader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using TestSupport::QueryColumn;

namespace {
const QString Id = QStringLiteral("pl.rybowid.Rybowid");

struct Run
{
    int exitCode = -1;
    QString output;
};

Run Execute(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Run run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.output = QString::fromUtf8(process.readAll());
    return run;
}

QByteArray Digest(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (file.open(QIODevice::ReadOnly))
        hash.addData(&file);
    return hash.result();
}
} // namespace

class tst_Package : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void holdsTheProgramItsDataAndDesktopFiles();
    void dependsOnWhatTheProgramLoads();
    void desktopEntryAndMetainfoAreValid();
    void installedProgramKeepsTheDiaryInTheUsersFolder();
    void installedBackupAndRestoreUseTheUsersFolder();

private:
    // Runs a catch log errand as the installed program would, under a home of its own;
    // returns the messages the program showed.
    QString errand(const QString &home, const QStringList &arguments, rlim_t fileSizeLimit = RLIM_INFINITY);
    // Starts the installed program with a home folder of its own and waits until its
    // windows have read the species from the user's database.
    void startInstalled(QProcess &program);
    QString root(const QString &relative) const { return m_root.path() + QLatin1Char('/') + relative; }

    QString m_deb;
    QTemporaryDir m_root;
    QTemporaryDir m_home;
};

void tst_Package::initTestCase()
{
    const QDir dir(QStringLiteral(RYBOWID_PACKAGE_DIR));
    const QStringList debs = dir.entryList({QStringLiteral("rybowid_*.deb")}, QDir::Files, QDir::Time);
    QVERIFY2(!debs.isEmpty(), "no package built");
    m_deb = dir.filePath(debs.first());
    const Run unpack = Execute(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_deb, m_root.path()});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.output));
}

void tst_Package::holdsTheProgramItsDataAndDesktopFiles()
{
    for (const char *file :
         {"usr/bin/rybowid", "usr/share/rybowid/data/wedkarz.db", "usr/share/rybowid/data/grafika/tlo.jpg",
          "usr/share/rybowid/data/encyklopedia/szczupak.jpg", "usr/share/rybowid/data/html/rozdzial_1/index.html",
          "usr/share/rybowid/data/html/rozdzial_3/miniporadnik/index.htm"})
        QVERIFY2(QFileInfo(root(QLatin1String(file))).isFile(), file);
    QVERIFY(QFileInfo(root(QStringLiteral("usr/bin/rybowid"))).isExecutable());
    // Nothing beside the executable makes the installed program take itself for a portable copy.
    QVERIFY(!QFileInfo::exists(root(QStringLiteral("usr/bin/data"))));

    // The engine is the system's library, reached through the private folder.
    const QFileInfo engine(root(QStringLiteral(RYBOWID_ENGINE_DIR "/libsqlite3.so")));
    QVERIFY(engine.isSymLink());
    QVERIFY2(QLibrary(engine.absoluteFilePath()).load(), qPrintable(engine.symLinkTarget()));
    // The browser module lies with it, a plugin whose web engine loads only with a chapter.
    const QPluginLoader browser(root(QStringLiteral(RYBOWID_ENGINE_DIR "/") + WebViewModuleFileName()));
    QCOMPARE(browser.metaData().value(QStringLiteral("IID")).toString(), QStringLiteral(TWebViewFactory_iid));

    // The shipped database carries the species and nobody's diary.
    const QString db = root(QStringLiteral("usr/share/rybowid/data/wedkarz.db"));
    QVERIFY(QueryColumn(db, QStringLiteral("SELECT count(*) FROM ryby")).value(0).toInt() > 40);
    QCOMPARE(QueryColumn(db, QStringLiteral("SELECT count(*) FROM dziennik")).value(0), QStringLiteral("0"));

    QVERIFY(QFile::exists(root(QStringLiteral("usr/share/applications/%1.desktop").arg(Id))));
    QVERIFY(QFile::exists(root(QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(Id))));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(root(QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(Id)));
        QCOMPARE(icon.size(), QSize(size, size));
    }
    QFile svg(root(QStringLiteral("usr/share/icons/hicolor/scalable/apps/%1.svg").arg(Id)));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().startsWith("<svg "));
}

void tst_Package::dependsOnWhatTheProgramLoads()
{
    const Run fields = Execute(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), m_deb, QStringLiteral("Package"),
                                                            QStringLiteral("Architecture"), QStringLiteral("Depends")});
    QCOMPARE(fields.exitCode, 0);
    QVERIFY2(fields.output.contains(QLatin1String("Package: rybowid\n")), qPrintable(fields.output));
    QVERIFY(QFileInfo(m_deb).fileName().startsWith(QLatin1String("rybowid_")));
    // Found by shlibdeps in the executable, and named by hand for what is loaded at run time.
    for (const char *package :
         {"libc6", "libqt6widgets6", "libqt6webenginewidgets6", "libjpeg62-turbo", "libsqlite3-0", "qt6-qpa-plugins"})
        QVERIFY2(fields.output.contains(QLatin1String(package)), package);
}

void tst_Package::desktopEntryAndMetainfoAreValid()
{
    const Run desktop = Execute(QStringLiteral("desktop-file-validate"),
                                {root(QStringLiteral("usr/share/applications/%1.desktop").arg(Id))});
    QVERIFY2(desktop.exitCode == 0 && desktop.output.trimmed().isEmpty(), qPrintable(desktop.output));
    const Run metainfo =
        Execute(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                 root(QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(Id))});
    QVERIFY2(metainfo.exitCode == 0, qPrintable(metainfo.output));
}

void tst_Package::startInstalled(QProcess &program)
{
    QProcessEnvironment env = TestSupport::HomeEnvironment(m_home.path());
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("rybowid.data.debug=true"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(root(QStringLiteral("usr/bin/rybowid")), {});
    QVERIFY(program.waitForStarted());
    // The data layer names the engine it loads and the statements the views run.
    QByteArray log;
    QTRY_VERIFY2_WITH_TIMEOUT((log += program.readAll()).contains("from ryby"), log.constData(), 60000);
    QVERIFY2(log.contains(QFile::encodeName(QDir::toNativeSeparators(root(QStringLiteral(RYBOWID_ENGINE_DIR "/"))))),
             log.constData());
}

void tst_Package::installedProgramKeepsTheDiaryInTheUsersFolder()
{
    const QString shipped = root(QStringLiteral("usr/share/rybowid/data/wedkarz.db"));
    const QByteArray shippedBefore = Digest(shipped);
    const QString user = m_home.path() + QStringLiteral("/.local/share/Rybowid/data/wedkarz.db");
    const int species = QueryColumn(shipped, QStringLiteral("SELECT count(*) FROM ryby")).value(0).toInt();
    {
        QProcess program;
        startInstalled(program);
        program.kill();
        program.waitForFinished();
    }
    QVERIFY(QFileInfo(m_home.path() + QStringLiteral("/.local/share/Rybowid/data/foto")).isDir());
    QCOMPARE(QueryColumn(user, QStringLiteral("SELECT count(*) FROM ryby")).value(0).toInt(), species);
    QCOMPARE(Digest(shipped), shippedBefore);
    QVERIFY(TestSupport::ExecSql(
        user, QStringLiteral("INSERT INTO dziennik (data, gatunek, waga, dlugosc, miejsce, przyneta, wiatr, "
                             "faza_ksiezyca, opis, foto) VALUES ('2005-01-24', 'Szczupak', 2.5, 64, "
                             "'Jezioro', 'żywiec', 'S', 'pełnia', '', '');")));

    // A newer package ships one more species.
    QVERIFY(TestSupport::ExecSql(
        shipped, QStringLiteral("INSERT INTO ryby SELECT 'Nowy gatunek', od, do, wymiar, rekord, wystepowanie, metoda, "
                                "opis_dlugi, opis_krotki, zdjecie FROM ryby WHERE rowid = 1;")));
    {
        QProcess program;
        startInstalled(program);
        program.kill();
        program.waitForFinished();
    }
    QCOMPARE(QueryColumn(user, QStringLiteral("SELECT count(*) FROM ryby")).value(0).toInt(), species + 1);
    QCOMPARE(QueryColumn(user, QStringLiteral("SELECT data || '|' || gatunek || '|' || waga FROM dziennik")),
             QStringList{QStringLiteral("2005-01-24|Szczupak|2.5")});
}

QString tst_Package::errand(const QString &home, const QStringList &arguments, rlim_t fileSizeLimit)
{
    const QString copy = root(QStringLiteral("usr/bin/InstalledErrand"));
    if (!QFile::exists(copy) && !QFile::copy(QStringLiteral(INSTALLED_ERRAND_PATH), copy))
        return QStringLiteral("<cannot copy the errand>");
    QProcess process;
    QProcessEnvironment env = TestSupport::HomeEnvironment(home);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    // A disk that is full: no file may grow past the limit.
    process.setChildProcessModifier([fileSizeLimit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileSizeLimit, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(copy, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return QStringLiteral("<errand failed> ") + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

void tst_Package::installedBackupAndRestoreUseTheUsersFolder()
{
    QTemporaryDir home, target;
    const QString data = home.path() + QStringLiteral("/.local/share/Rybowid/data");
    QCOMPARE(errand(home.path(), {QStringLiteral("przygotuj")}), QString());
    QVERIFY(TestSupport::ExecSql(
        data + QStringLiteral("/wedkarz.db"),
        QStringLiteral("INSERT INTO dziennik (data, gatunek, waga, dlugosc, miejsce, przyneta, wiatr, "
                       "faza_ksiezyca, opis, foto) VALUES ('2005-01-24', 'Szczupak', 2.5, 64, "
                       "'Jezioro', 'żywiec', 'S', 'pełnia', '', 'a.jpg');")));
    QDir().mkpath(data + QStringLiteral("/foto/2005-01-24"));
    {
        QFile photo(data + QStringLiteral("/foto/2005-01-24/a.jpg"));
        QVERIFY(photo.open(QIODevice::WriteOnly));
        photo.write("szczupak");
    }

    const QString made = errand(home.path(), {QStringLiteral("kopia"), target.path()});
    QVERIFY2(made.contains(QStringLiteral("Kopię zapasową")), qPrintable(made));
    const QStringList backups = QDir(target.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(backups.size(), 1);
    const QString backup = target.filePath(backups.first());
    QVERIFY(QFileInfo(backup + QStringLiteral("/foto/2005-01-24/a.jpg")).isFile());

    QVERIFY(TestSupport::ExecSql(data + QStringLiteral("/wedkarz.db"), QStringLiteral("DELETE FROM dziennik;")));
    QVERIFY(QFile::remove(data + QStringLiteral("/foto/2005-01-24/a.jpg")));
    const QString restored = errand(home.path(), {QStringLiteral("przywroc"), backup});
    QVERIFY2(restored.contains(QStringLiteral("Dziennik przywrócono")), qPrintable(restored));
    QCOMPARE(QueryColumn(data + QStringLiteral("/wedkarz.db"), QStringLiteral("SELECT gatunek || foto FROM dziennik")),
             QStringList{QStringLiteral("Szczupaka.jpg")});
    QVERIFY(QFileInfo(data + QStringLiteral("/foto/2005-01-24/a.jpg")).isFile());
    QCOMPARE(QDir(data + QStringLiteral("/kopie")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    // Nothing was written beside the executable, which would turn the next start portable.
    QVERIFY(!QFileInfo::exists(root(QStringLiteral("usr/bin/data"))));

    // A restore killed after it began replacing the diary is finished at the next start,
    // before any window reads the diary.
    const QString stage = data + QStringLiteral("/wedkarz.db.przywracana");
    QVERIFY(QFile::copy(backup + QStringLiteral("/wedkarz.db"), stage));
    QVERIFY(TestSupport::ExecSql(stage, QStringLiteral("UPDATE dziennik SET gatunek = 'Sum', foto = 'b.jpg';")));
    QVERIFY(QDir().mkpath(data + QStringLiteral("/foto.przywracane/2005-01-24")));
    QVERIFY(QFile::copy(backup + QStringLiteral("/foto/2005-01-24/a.jpg"),
                        data + QStringLiteral("/foto.przywracane/2005-01-24/b.jpg")));
    {
        QFile journal(data + QStringLiteral("/przywracanie.txt"));
        QVERIFY(journal.open(QIODevice::WriteOnly));
        journal.write("zamiana\n\n");
    }
    QCOMPARE(errand(home.path(), {QStringLiteral("przygotuj")}), QString());
    QCOMPARE(QueryColumn(data + QStringLiteral("/wedkarz.db"), QStringLiteral("SELECT gatunek || foto FROM dziennik")),
             QStringList{QStringLiteral("Sumb.jpg")});
    QCOMPARE(QDir(data + QStringLiteral("/foto/2005-01-24")).entryList(QDir::Files),
             QStringList{QStringLiteral("b.jpg")});
    QCOMPARE(QDir(data).entryList({QStringLiteral("*.przywrac*"), QStringLiteral("przywracanie.txt")},
                                  QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{});

    // A file where the data folder belongs: the folder is named, in Polish.
    QTemporaryDir blocked;
    QDir().mkpath(blocked.path() + QStringLiteral("/.local"));
    QFile share(blocked.path() + QStringLiteral("/.local/share"));
    QVERIFY(share.open(QIODevice::WriteOnly));
    share.close();
    const QString refused = errand(blocked.path(), {QStringLiteral("przygotuj")});
    QVERIFY2(refused.startsWith(QStringLiteral("error: Nie można utworzyć folderu")) &&
                 refused.contains(QDir::toNativeSeparators(share.fileName())) && refused.count('\n') == 1,
             qPrintable(refused));

    // A disk that fills up while the user's database is made: said once, in Polish, and
    // not taken for a broken installation.
    QTemporaryDir full;
    const QString filled = errand(full.path(), {QStringLiteral("przygotuj")}, 5000);
    QVERIFY2(filled.startsWith(QStringLiteral("error: Nie można utworzyć bazy danych")) &&
                 filled.contains(QStringLiteral(" dysk")) && !filled.contains(QLatin1String("disk")) &&
                 filled.count('\n') == 1,
             qPrintable(filled));
    // The next start, with room again, makes it.
    QCOMPARE(errand(full.path(), {QStringLiteral("przygotuj")}), QString());
}

QTEST_GUILESS_MAIN(tst_Package)
#include "tst_Package.moc"
