// Showing a camera photo in the catch dialog's 376 x 301 photo area: our decoder asked to
// cover the area, against a full decode scaled down, against Qt's own reader asked for
// the area's size (which also lets libjpeg scale while decoding). The first show as the
// dialog does it leaves a thumbnail in the desktop's cache once the photo is on screen;
// the photo shown again comes from that thumbnail. The reduced decode takes libjpeg's fast paths; its PSNR
// against the accurate full decode scaled down says what that costs in quality.

#include "BenchRatio.h"

#include "base/JpegImage.h"
#include "base/ThumbnailCache.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <QProcess>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

const QSize PhotoArea(376, 301);

// A 6000 x 4000 picture that compresses like a photo: smooth light across the frame, some
// structure, and sensor-like noise, saved at quality 90. Made once per run.
const QString &PhotoPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("photo.jpg"));
        QImage image(6000, 4000, QImage::Format_RGB32);
        quint32 seed = 12345;
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int noise = int(seed >> 27) - 16;
                const double wave = 30 * std::sin(x / 90.0) * std::cos(y / 140.0);
                const int r = int(60 + x / 50.0 + wave) + noise;
                const int g = int(90 + y / 40.0 - wave / 2) + noise;
                const int b = int(150 - y / 60.0 + x / 120.0) + noise;
                row[x] = qRgb(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255));
            }
        }
        if (!image.save(file, "JPG", 90)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            std::exit(1);
        }
        return file;
    }();
    return path;
}

QImage LoadJpegCovering(const QString &path)
{
    return LoadJpeg(path, PhotoArea).scaled(PhotoArea, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage LoadJpegFullThenScale(const QString &path)
{
    return LoadJpeg(path).scaled(PhotoArea, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage QtFullThenScale(const QString &path)
{
    return QImage(path).scaled(PhotoArea, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage QtReaderScaled(const QString &path)
{
    QImageReader reader(path);
    reader.setScaledSize(PhotoArea);
    return reader.read();
}

// Thumbnails go to a cache beside the photo, never to the user's own.
ThumbnailCache CacheOf(const QString &path)
{
    return ThumbnailCache(QFileInfo(path).absolutePath() + QStringLiteral("/thumbnails"));
}

// What the catch dialog waits for: no thumbnail yet, so the photo is decoded. Its
// thumbnail is written on a worker thread while the photo is shown; the whole work of
// both, on one thread, is FirstShowWithThumbnail (no goal: the user does not wait for it).
QImage FirstShow(const QString &path)
{
    const ThumbnailCache cache = CacheOf(path);
    QFile::remove(cache.ThumbnailPath(path));
    if (!cache.FindCovering(path, PhotoArea).isNull())
        return {};
    return LoadPicture(path, PhotoArea).scaled(PhotoArea, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage FirstShowWithThumbnail(const QString &path)
{
    const ThumbnailCache cache = CacheOf(path);
    QFile::remove(cache.ThumbnailPath(path));
    return cache.Load(path, PhotoArea).scaled(PhotoArea, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage ShownAgain(const QString &path)
{
    const ThumbnailCache cache = CacheOf(path);
    QImage shown = cache.Load(path, PhotoArea);
    if (shown.width() > 512 || shown.height() > 512)
        return {}; // not from the thumbnail
    return shown.scaled(PhotoArea, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

double Psnr(const QImage &a, const QImage &b)
{
    double squares = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                squares += double(d) * d;
        }
    }
    const double mse = squares / (3.0 * a.width() * a.height());
    return mse > 0 ? 10 * std::log10(255.0 * 255.0 / mse) : 99;
}

struct Variant
{
    const char *name;
    QImage (*show)(const QString &);
};

const Variant Variants[] = {{"LoadJpegCovering", LoadJpegCovering},
                            {"LoadJpegFullThenScale", LoadJpegFullThenScale},
                            {"QtFullThenScale", QtFullThenScale},
                            {"QtReaderScaled", QtReaderScaled},
                            {"FirstShowWithThumbnail", FirstShowWithThumbnail},
                            {"ShownAgain", ShownAgain},
                            {"FirstShow", FirstShow}};

// Peak memory of one showing, in KiB. Each figure comes from a fresh run of this program
// (--peak) so that nothing this process allocated before, and the allocator kept, can
// hide or inflate it; fork() would be cheaper but Qt's smooth scaling hands work to a
// thread pool that a forked child does not have. The child loads the image plugins, then
// reports how far its peak resident size (VmHWM) rose during one decode and scale:
// growth of resident memory, not bytes requested.
// VmHWM of this process image. getrusage's ru_maxrss would not do: across exec it keeps
// the high-water mark of the process that forked us, here the benchmark itself.
long PeakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

int ReportPeak(const QString &variantName, const QString &path)
{
    QImageReader::supportedImageFormats();
    for (const Variant &variant : Variants) {
        if (variantName != QLatin1String(variant.name))
            continue;
        const long before = PeakResidentKiB();
        const QImage shown = variant.show(path);
        const long after = PeakResidentKiB();
        std::printf("%ld\n", shown.isNull() || before < 0 ? -1L : after - before);
        return 0;
    }
    return 1;
}

double PeakKiB(const Variant &variant, const QString &path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak"), QLatin1String(variant.name), path});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return -1;
    bool ok = false;
    const double kib = child.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? kib : -1;
}

// The work of one showing, in all of this process's threads (Qt's smooth scaling uses a
// pool): CPU time rather than wall time, since the machine is shared and a ratio of wall
// times measured a few seconds apart says more about the neighbours than about us.
double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void Run(benchmark::State &state, const Variant &variant)
{
    const QString &path = PhotoPath();
    for (auto _ : state) {
        const double start = ProcessCpuSeconds();
        const QImage shown = variant.show(path);
        state.SetIterationTime(ProcessCpuSeconds() - start);
        if (shown.size() != PhotoArea) {
            state.SkipWithError("wrong size");
            break;
        }
        benchmark::DoNotOptimize(shown.constBits());
    }
    state.counters["peak_kib"] = PeakKiB(variant, path);
}

void BM_LoadJpegCovering(benchmark::State &state)
{
    Run(state, Variants[0]);
    state.counters["psnr_db"] = Psnr(LoadJpegCovering(PhotoPath()), LoadJpegFullThenScale(PhotoPath()));
}

void BM_LoadJpegFullThenScale(benchmark::State &state)
{
    Run(state, Variants[1]);
}

void BM_QtFullThenScale(benchmark::State &state)
{
    Run(state, Variants[2]);
}

void BM_QtReaderScaled(benchmark::State &state)
{
    Run(state, Variants[3]);
}

void BM_FirstShow(benchmark::State &state)
{
    Run(state, Variants[6]);
}

void BM_FirstShowWithThumbnail(benchmark::State &state)
{
    Run(state, Variants[4]);
}

void BM_ShownAgain(benchmark::State &state)
{
    FirstShowWithThumbnail(PhotoPath());
    Run(state, Variants[5]);
    state.counters["psnr_db"] = Psnr(ShownAgain(PhotoPath()), LoadJpegFullThenScale(PhotoPath()));
}

BENCHMARK(BM_LoadJpegCovering)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_LoadJpegFullThenScale)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QtFullThenScale)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_QtReaderScaled)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_FirstShow)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_FirstShowWithThumbnail)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ShownAgain)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    // Qt's JPEG reader is a plugin, found through the application object.
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--peak") == 0)
        return ReportPeak(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"BM_LoadJpegCovering", "BM_LoadJpegFullThenScale"},
                            {"BM_LoadJpegCovering", "BM_QtFullThenScale"},
                            {"BM_LoadJpegCovering", "BM_QtReaderScaled"},
                            {"BM_FirstShow", "BM_QtReaderScaled", 1.1},
                            {"BM_FirstShowWithThumbnail", "BM_QtReaderScaled"},
                            {"BM_ShownAgain", "BM_QtReaderScaled", 0.05}});
    std::printf("Goals also: the peak_kib of BM_FirstShow and BM_FirstShowWithThumbnail at most 1/20 of "
                "BM_LoadJpegFullThenScale's, the psnr_db of BM_LoadJpegCovering (against the accurate full "
                "decode) at least 40.\n");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
