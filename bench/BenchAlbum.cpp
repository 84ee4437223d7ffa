// The album's first screen with 5,000 catch photos whose thumbnails the desktop's cache
// already holds: from the page being filled to every cell on screen painted with its
// thumbnail, against reading those thumbnails' files with QImageReader alone. Goal: at
// most 2 times.

#include "BenchFixture.h"
#include "BenchRatio.h"

#include "base/ProgramPaths.h"
#include "base/ThumbnailCache.h"
#include "catchlog/CatchAlbumPage.h"
#include "diary/CatchLog.h"
#include "diary/UserDataFolder.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QListView>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace {
constexpr int Photos = 5000;

struct Album
{
    QTemporaryDir dir;
    CatchLog log;
    std::unique_ptr<CatchAlbumPage> page;
    // The thumbnails of the cells on the first screen.
    QStringList shownThumbnails;

    Album()
    {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
        OverrideExecutableFolder(QDir::toNativeSeparators(dir.path()) + QDir::separator());
        // A photo's worth of detail, so that its thumbnail is as costly to read as a
        // real one: a flat picture would make a tiny file.
        QImage photo(1024, 768, QImage::Format_RGB32);
        quint32 seed = 12345;
        for (int y = 0; y < photo.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int grain = int(seed >> 27);
                line[x] = qRgb(40 + x / 8 + grain, 90 + y / 10 + grain, 60 + grain * 2);
            }
        }
        const QString original = dir.filePath(QStringLiteral("original.jpg"));
        photo.save(original, "JPG", 85);
        // Every catch has a file of its own, as in a diary; linked, so that the fixture
        // is quick to make.
        std::vector<CatchRecord> records;
        for (int i = 0; i < Photos; ++i) {
            const QString day = QDate(2016, 1, 1).addDays(i / 3).toString(Qt::ISODate);
            const QString folder = UserDataFolder::PhotoFolder() + QLatin1Char('/') + day;
            QDir().mkpath(folder);
            const QString name = QStringLiteral("ryba %1.jpg").arg(i);
            QFile::link(original, folder + QLatin1Char('/') + name);
            CatchRecord r;
            r.rowId = i + 1;
            r.day = day;
            r.species = QStringLiteral("Szczupak");
            r.weight = 1 + i % 7;
            r.photo = name;
            records.push_back(r);
        }
        log.SetRecords(std::move(records));
        page = std::make_unique<CatchAlbumPage>();
        page->resize(960, 640);
        page->show();
        // The first showing makes the thumbnails of the first screen; later ones find
        // them in the cache.
        ShowFirstScreen();
        const QRect screen = page->AlbumView->viewport()->rect();
        for (int row = 0; row < page->Model()->rowCount(); ++row) {
            const QModelIndex index = page->Model()->index(row);
            if (page->AlbumView->visualRect(index).intersects(screen))
                shownThumbnails << ThumbnailCache().ThumbnailPath(CatchAlbumModel::PhotoPath(page->Model()->RecordAt(row)));
        }
    }

    void ShowFirstScreen()
    {
        page->Update(log);
        page->AlbumView->viewport()->repaint();
        while (page->Model()->Pending() > 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        page->AlbumView->viewport()->repaint();
    }
};

Album &album()
{
    return SharedFixture<Album>();
}

void BM_AlbumFirstScreen(benchmark::State &state)
{
    Album &a = album();
    for (auto _ : state)
        a.ShowFirstScreen();
    state.counters["cells"] = double(a.shownThumbnails.size());
}

void BM_ReadShownThumbnails(benchmark::State &state)
{
    Album &a = album();
    for (auto _ : state) {
        for (const QString &path : a.shownThumbnails) {
            QImageReader reader(path);
            benchmark::DoNotOptimize(reader.read());
        }
    }
}

BENCHMARK(BM_AlbumFirstScreen)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ReadShownThumbnails)->Unit(benchmark::kMillisecond)->MinTime(1.0);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"BM_AlbumFirstScreen", "BM_ReadShownThumbnails", 2.0}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    FixtureHolder<Album>().reset();
    return 0;
}
