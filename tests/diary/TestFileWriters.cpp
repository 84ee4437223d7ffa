#include "base/CheckedFile.h"
#include "diary/BackupManifest.h"
#include "diary/CatchLogCsv.h"
#include "diary/CatchRegister.h"
#include "diary/CatchRegisterPdf.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {
QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A disk on which no file may grow past the limit, for as long as the object lives.
class SizeLimit
{
public:
    explicit SizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_before);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_before.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~SizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_before{};
    void (*m_handler)(int) = nullptr;
};
} // namespace

class TestFileWriters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every kind of file the program writes, on a disk that takes only part of it: each
    // writer says so with the reason, and the file of that name from before stays whole,
    // with no temporary file left beside it.
    void aWriterThatRunsOutOfRoomKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        std::vector<CatchRecord> records(400);
        std::vector<int> shown;
        for (int i = 0; i < int(records.size()); ++i) {
            records[size_t(i)].day = QStringLiteral("2024-05-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0'));
            records[size_t(i)].species = QStringLiteral("Szczupak");
            records[size_t(i)].weight = 2.5;
            records[size_t(i)].length = 60;
            records[size_t(i)].place = QStringLiteral("Jezioro Wielkie, przy trzcinach %1").arg(i);
            shown.push_back(i);
        }
        const CatchRegister reg = CatchRegister::Build(records, {}, 2024);
        const QByteArray photo(300 * 1024, 'j');
        QVERIFY(WriteWholeFile(dir.filePath("zrodlo.jpg"), photo, nullptr));
        QVERIFY(QDir().mkpath(dir.filePath("kopia")));
        QVERIFY(WriteWholeFile(dir.filePath("kopia/wedkarz.db"), QByteArray(20000, 'd'), nullptr));
        // A list of files longer than the disk takes.
        QVERIFY(QDir().mkpath(dir.filePath("kopia/foto")));
        for (int i = 0; i < 60; ++i)
            QVERIFY(WriteWholeFile(dir.filePath(QStringLiteral("kopia/foto/zdjęcie %1.jpg").arg(i)), "j", nullptr));

        struct Writer
        {
            QString name;
            std::function<bool(const QString &path, QString *error)> write;
            // A copied photo never replaces a file: it is made where none stands.
            bool replaces = true;
        };
        const std::vector<Writer> writers{
            {"dane.bin",
             [&](const QString &path, QString *error) { return WriteWholeFile(path, QByteArray(50000, 'x'), error); }},
            {"kopiowane.jpg",
             [&](const QString &path, QString *error) {
                 return CopyWholeFile(dir.filePath("zrodlo.jpg"), path, error);
             },
             false},
            {"dziennik.csv",
             [&](const QString &path, QString *error) { return CatchLogCsv::Write(path, records, shown, error); }},
            {"rejestr.csv",
             [&](const QString &path, QString *error) { return WriteWholeFile(path, reg.Csv(), error); }},
            {"rejestr.pdf",
             [&](const QString &path, QString *error) {
                 return CatchRegisterPdf::Write(
                     path, reg, {QString(), QStringLiteral("Zezwolenie"), QString(), QDate(2024, 12, 1)}, error);
             }},
            {"kopia/" + BackupManifest::FileName,
             [&](const QString &, QString *error) { return BackupManifest::Write(dir.filePath("kopia"), error); }},
        };
        for (const Writer &w : writers) {
            const QString path = dir.filePath(w.name);
            const QByteArray before = w.replaces ? "the file from before" : "<missing>";
            if (w.replaces)
                QVERIFY(WriteWholeFile(path, before, nullptr));
            const QStringList entries = QDir(QFileInfo(path).path()).entryList(QDir::Files);
            QString error;
            bool written;
            {
                const SizeLimit limit(4096);
                written = w.write(path, &error);
            }
            QVERIFY2(!written, qPrintable(w.name));
            QVERIFY2(error.contains(QStringLiteral("większy")) || error.contains(QStringLiteral("miejsca")),
                     qPrintable(w.name + ": " + error));
            QCOMPARE(Contents(path), before);
            QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), entries);
            // With room again, the same writer replaces the file.
            QVERIFY2(w.write(path, &error), qPrintable(w.name + ": " + error));
            QVERIFY(Contents(path) != before);
        }
    }
};

QTEST_MAIN(TestFileWriters)
#include "TestFileWriters.moc"
