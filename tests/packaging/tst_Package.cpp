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

private:
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
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), m_home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.path() + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), m_home.path() + QStringLiteral("/.cache"));
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
    QVERIFY(TestSupport::ExecSql(user, QStringLiteral("INSERT INTO dziennik (data, gatunek, waga, dlugosc, miejsce, przyneta, wiatr, "
                                                      "faza_ksiezyca, opis, foto) VALUES ('2005-01-24', 'Szczupak', "
                                                      "2.5, 64, 'Jezioro', 'żywiec', 'S', 'pełnia', '', '');")));

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

QTEST_GUILESS_MAIN(tst_Package)
#include "tst_Package.moc"
