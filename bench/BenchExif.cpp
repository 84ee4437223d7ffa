// Proposing catches from a trip's 500 photos (checking each file, reading when and where
// it was taken, looking for it among the photos the diary holds, grouping the photos of one
// catch and naming the nearest water) against a bare loop of libexif's own file reader over
// the same files: the whole may cost at most half as much again as libexif alone.

#include "BenchRatio.h"

#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "diary/DiarySchema.h"
#include "diary/PhotoCatches.h"
#include "diary/Waters.h"
#include "support/ExifBlock.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <libexif/exif-data.h>

namespace {

constexpr int Photos = 500;

// One noisy picture of about 300 KB, each copy with its own EXIF block of a camera's size:
// the camera's entries and an 8 KB comment standing in for its maker notes.
struct TripPhotos
{
    QTemporaryDir dir;
    QStringList paths;
    // A diary of 200 catches with photos, none of them from this trip, and 20 waters.
    TDbConnection diary;
    QString photoFolder;

    TripPhotos()
    {
        MakeDiary();
        QImage image(640, 480, QImage::Format_RGB32);
        quint32 seed = 2024;
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                row[x] = qRgb(int(seed >> 24), int(seed >> 16) & 0xFF, (x + y) & 0xFF);
            }
        }
        QBuffer jpeg;
        jpeg.open(QIODevice::WriteOnly);
        if (!image.save(&jpeg, "JPG", 92))
            Abort("cannot encode the picture");

        for (int i = 0; i < Photos; ++i) {
            using namespace ExifBlock;
            Layout layout;
            layout.ifd0 = {layout.Text(0x010F, "Rybowid"), layout.Text(0x0110, "Kamera 12"),
                           layout.Number(0x0112, quint16(i % 8 + 1)), layout.Text(0x0132, "2024:07:01 20:00:00")};
            const QByteArray taken = QStringLiteral("2024:06:%1 05:%2:10")
                                         .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                                         .arg(i % 60, 2, 10, QLatin1Char('0'))
                                         .toLatin1();
            layout.exif = {layout.Text(0x9003, taken), layout.Text(0x9004, taken), layout.Text(0x9011, "+02:00"),
                           Field{0x9286, Undefined, QByteArray(8192, 'x')}};
            layout.gps = {layout.Text(0x0001, "N"), layout.Dms(0x0002, {{52, 1}, {quint32(i % 60), 1}, {43, 10}}),
                          layout.Text(0x0003, "E"), layout.Dms(0x0004, {{21, 1}, {1, 1}, {quint32(i % 600), 10}})};
            const QString path = dir.filePath(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
            QFile file(path);
            const QByteArray bytes = WithSegments(jpeg.data(), Segment(0xE1, layout.App1()));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                Abort("cannot write the photos");
            paths.append(path);
        }
    }

    void MakeDiary()
    {
        const QString runtime = QStringLiteral(RYBOWID_RUNTIME_DIR);
        const QString data = dir.filePath(QStringLiteral("data"));
        photoFolder = data + QStringLiteral("/foto");
        QDir().mkpath(photoFolder + QStringLiteral("/2023-06-01"));
        const QString file = data + QStringLiteral("/wedkarz.db");
        if (!QFile::copy(runtime + QStringLiteral("/data/wedkarz.db"), file) ||
            !QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            Abort("cannot copy the database");
        diary.SetDriverDLL(runtime + QLatin1Char('/') + SqliteLibraryFileName());
        diary.SetDefaultDir(QDir::toNativeSeparators(data));
        diary.SetDatabase(QStringLiteral("wedkarz.db"));
        diary.SetConnected(true);
        UpgradeDiarySchema(diary);
        diary.ExecStatement(QStringLiteral(
            "with recursive n(i) as (select 0 union all select i + 1 from n where i < 199) "
            "insert into dziennik (data, gatunek, miejsce, foto) "
            "select '2023-06-01', 'Szczupak', 'Zalew', 'ryba_' || i || '.jpg' from n"));
        for (int i = 0; i < 200; ++i) {
            QFile photo(photoFolder + QStringLiteral("/2023-06-01/ryba_%1.jpg").arg(i));
            if (!photo.open(QIODevice::WriteOnly) || photo.write(QByteArray(1000 + i, 'r')) != 1000 + i)
                Abort("cannot write the diary's photos");
        }
        std::vector<Water> waters;
        for (int i = 0; i < 20; ++i)
            waters.push_back({QStringLiteral("Łowisko %1").arg(i), QString::number(i),
                              GeoPoint{52.0 + i * 0.01, 21.0 + i * 0.005}});
        Waters::Write(diary, waters);
    }

    [[noreturn]] static void Abort(const char *why)
    {
        std::fprintf(stderr, "%s\n", why);
        std::exit(1);
    }
};

TripPhotos &Trip()
{
    static TripPhotos trip;
    return trip;
}

// CPU time of the whole process rather than wall time: the machine is shared, and the
// files are in the page cache after the first pass either way.
double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void BM_ProposeFromPhotos(benchmark::State &state)
{
    TripPhotos &trip = Trip();
    for (auto _ : state) {
        const double start = CpuSeconds();
        std::vector<PhotoCatches::PhotoFacts> photos;
        for (const QString &path : trip.paths) {
            PhotoCatches::ChosenPhoto photo = PhotoCatches::ReadPhoto(path);
            if (photo.refusal.isEmpty() && photo.facts.taken.isValid() && photo.facts.where)
                photos.push_back(std::move(photo.facts));
        }
        const QStringList inDiary = PhotoCatches::AlreadyInDiary(trip.diary, trip.photoFolder, trip.paths);
        std::vector<PhotoCatches::Proposal> proposals =
            PhotoCatches::Propose(std::move(photos), Waters::Read(trip.diary));
        PhotoCatches::LeaveOutStored(proposals, inDiary);
        state.SetIterationTime(CpuSeconds() - start);
        if (proposals.size() < 28 || !inDiary.isEmpty()) {
            state.SkipWithError("the photos made no catches, or were taken for stored ones");
            break;
        }
    }
}

void BM_LibexifAlone(benchmark::State &state)
{
    const TripPhotos &trip = Trip();
    for (auto _ : state) {
        const double start = CpuSeconds();
        int found = 0;
        for (const QString &path : trip.paths) {
            ExifData *data = exif_data_new_from_file(QFile::encodeName(path).constData());
            found += data != nullptr;
            if (data)
                exif_data_unref(data);
        }
        state.SetIterationTime(CpuSeconds() - start);
        if (found != Photos) {
            state.SkipWithError("libexif read no block");
            break;
        }
    }
}

BENCHMARK(BM_ProposeFromPhotos)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_LibexifAlone)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    // Qt's JPEG writer, which makes the photos, is a plugin found through the application.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"BM_ProposeFromPhotos", "BM_LibexifAlone", 1.5}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
