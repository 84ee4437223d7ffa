#include "base/ThumbnailCache.h"
#include "widgets/TImage.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QSize PhotoArea(376, 301);

// Fine detail (thin lines, text) over a gradient: a soft or misplaced picture shows.
QImage DetailedPhoto()
{
    QImage image(1200, 800, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / 1200, y * 255 / 800, 120));
    }
    QPainter painter(&image);
    painter.setPen(QPen(Qt::white, 4));
    for (int x = 0; x < 1200; x += 24)
        painter.drawLine(x, 0, x + 300, 800);
    painter.setFont(QFont(QStringLiteral("Sans Serif"), 60, QFont::Bold));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Szczupak 7,4 kg"));
    return image;
}

double MeanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

class TestThumbnailCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void sharedWithTheDesktop();
    void staleThumbnailIsNeverShown();
    void unwritableCacheStillShowsThePhoto();
    void photoFromItsThumbnailFillsTheFrameSharply();

private:
    QString Cache() const { return m_dir->path() + QStringLiteral("/cache/thumbnails"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_photo;
};

void TestThumbnailCache::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Never the real user's cache.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir->path() + QStringLiteral("/cache")));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("zdjęcia ryb")));
    m_photo = m_dir->path() + QStringLiteral("/zdjęcia ryb/szczupak 1.jpg");
    QVERIFY(DetailedPhoto().save(m_photo, "JPG", 92));
}

void TestThumbnailCache::sharedWithTheDesktop()
{
    const QString uri =
        QStringLiteral("file://") + m_dir->path() + QStringLiteral("/zdj%C4%99cia%20ryb/szczupak%201.jpg");
    QCOMPARE(ThumbnailCache::UriOf(m_photo), uri);
    const QString md5 = QString::fromLatin1(QCryptographicHash::hash(uri.toLatin1(), QCryptographicHash::Md5).toHex());
    const QString thumbnailPath = Cache() + QStringLiteral("/x-large/") + md5 + QStringLiteral(".png");

    const QImage first = ThumbnailCache().Load(m_photo, PhotoArea);
    QVERIFY(first.width() >= PhotoArea.width() && first.height() >= PhotoArea.height());
    QCOMPARE(QDir(Cache() + QStringLiteral("/x-large")).entryList(QDir::Files), QStringList{md5 + ".png"});
    // Owner, group and other bits: private to the user.
    const auto modeBits = [](const QString &path) { return int(QFile::permissions(path)) & 0x7077; };
    QCOMPARE(modeBits(thumbnailPath), int(QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(modeBits(Cache() + QStringLiteral("/x-large")),
             int(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    // Any PNG reader finds the keys the desktop looks for.
    QImage stored;
    QVERIFY(stored.load(thumbnailPath, "PNG"));
    const qint64 mtime = QFileInfo(m_photo).lastModified().toSecsSinceEpoch();
    QCOMPARE(stored.text(QStringLiteral("Thumb::URI")), uri);
    QCOMPARE(stored.text(QStringLiteral("Thumb::MTime")), QString::number(mtime));
    QCOMPARE(stored.text(QStringLiteral("Thumb::Size")), QString::number(QFileInfo(m_photo).size()));
    QCOMPARE(stored.size(), QSize(512, 341));

    // A thumbnail the file manager wrote, here in Qt's own way (the long URI compressed,
    // no size), serves the program as well.
    QImage foreign(512, 341, QImage::Format_RGB32);
    foreign.fill(Qt::red);
    foreign.setText(QStringLiteral("Thumb::URI"), uri);
    foreign.setText(QStringLiteral("Thumb::MTime"), QString::number(mtime));
    QVERIFY(foreign.save(thumbnailPath, "PNG"));
    QCOMPARE(ThumbnailCache().Load(m_photo, PhotoArea).pixel(10, 10), qRgb(255, 0, 0));
}

void TestThumbnailCache::staleThumbnailIsNeverShown()
{
    ThumbnailCache cache;
    cache.Load(m_photo, PhotoArea);
    QCOMPARE(cache.Find(m_photo).size(), QSize(512, 341));

    QFile photo(m_photo);
    QVERIFY(photo.open(QIODevice::ReadWrite));
    QVERIFY(photo.setFileTime(QFileInfo(m_photo).lastModified().addSecs(-3600), QFileDevice::FileModificationTime));
    photo.close();
    QVERIFY(cache.Find(m_photo).isNull());
    // Shown from the photo itself, which leaves a thumbnail of the photo as it is now.
    QCOMPARE(cache.Load(m_photo, PhotoArea).size(), QSize(600, 400));
    QCOMPARE(cache.Find(m_photo).size(), QSize(512, 341));

    // The same time but another length is another photo too.
    QVERIFY(photo.open(QIODevice::Append));
    const QDateTime kept = QFileInfo(m_photo).lastModified();
    photo.write("\0", 1);
    QVERIFY(photo.setFileTime(kept, QFileDevice::FileModificationTime));
    photo.close();
    QVERIFY(cache.Find(m_photo).isNull());
}

void TestThumbnailCache::unwritableCacheStillShowsThePhoto()
{
    // A cache folder that cannot be made (a file stands in its way; permissions would
    // not stop a test run as root).
    QFile blocker(m_dir->path() + QStringLiteral("/plik"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ThumbnailCache cache(blocker.fileName() + QStringLiteral("/thumbnails"));
    QCOMPARE(cache.Load(m_photo, PhotoArea).size(), QSize(600, 400));
    QCOMPARE(cache.Load(m_photo, PhotoArea).size(), QSize(600, 400));
}

void TestThumbnailCache::photoFromItsThumbnailFillsTheFrameSharply()
{
    TImage image;
    image.resize(PhotoArea);
    image.SetStretch(true);
    image.SetThumbnails(true);
    image.LoadFromFile(m_photo);
    const QImage fromPhoto = image.grab().toImage();
    // The first showing is the decoded photo; its thumbnail is written alongside, on a
    // worker thread, for the next one.
    QVERIFY(image.Picture().size() != QSize(512, 341));
    QTRY_VERIFY(!ThumbnailCache().Find(m_photo).isNull());
    image.LoadFromFile(m_photo);
    QCOMPARE(image.Picture().size(), QSize(512, 341));
    const QImage fromThumbnail = image.grab().toImage();
    QCOMPARE(fromThumbnail.size(), PhotoArea);
    // The same picture in the same place, as sharp: the white lines do not blur.
    QVERIFY2(MeanDifference(fromPhoto, fromThumbnail) < 5.0,
             qPrintable(QString::number(MeanDifference(fromPhoto, fromThumbnail))));
}

QTEST_MAIN(TestThumbnailCache)
#include "tst_ThumbnailCache.moc"
