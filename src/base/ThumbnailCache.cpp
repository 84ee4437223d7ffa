#include "base/ThumbnailCache.h"

#include "base/JpegImage.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryFile>

#include <array>
#include <cmath>
#include <cstdio>

namespace {

const QString UriKey = QStringLiteral("Thumb::URI");
const QString MTimeKey = QStringLiteral("Thumb::MTime");
const QString SizeKey = QStringLiteral("Thumb::Size");

qint64 ModificationSeconds(const QFileInfo &file)
{
    return file.lastModified().toSecsSinceEpoch();
}

// The cache folders are private to the user.
bool MakePrivateFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    if (!QDir().mkdir(path))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

quint32 Crc32(const QByteArray &bytes)
{
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char b : bytes)
        crc = table[(crc ^ uchar(b)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void AppendBigEndian(QByteArray &out, quint32 value)
{
    out += char(value >> 24);
    out += char(value >> 16);
    out += char(value >> 8);
    out += char(value);
}

// An uncompressed Latin-1 text chunk, the kind every thumbnail reader looks for; Qt's
// own writer would compress a long URI into a zTXt chunk.
QByteArray TextChunk(const QString &key, const QString &value)
{
    const QByteArray body = QByteArrayLiteral("tEXt") + key.toLatin1() + '\0' + value.toLatin1();
    QByteArray chunk;
    AppendBigEndian(chunk, quint32(body.size() - 4));
    chunk += body;
    AppendBigEndian(chunk, Crc32(body));
    return chunk;
}

} // namespace

QString ThumbnailCache::DefaultRoot()
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || QDir::isRelativePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/thumbnails");
}

ThumbnailCache::ThumbnailCache(const QString &root) : m_root(root) {}

QString ThumbnailCache::UriOf(const QString &path)
{
    // Every byte of the file name is escaped except letters, digits and !$&'()*+,-./:=@_~,
    // as GLib escapes it: the file name of a thumbnail is the hash of exactly this text.
    static const QByteArray kept = QByteArrayLiteral("!$&'()*+,-./:=@_~");
    const QByteArray name = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    QByteArray uri = QByteArrayLiteral("file://");
    uri.reserve(uri.size() + name.size() * 3);
    for (const char c : name) {
        const auto byte = uchar(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
            kept.contains(c)) {
            uri += c;
        } else {
            static const char hex[] = "0123456789ABCDEF";
            uri += '%';
            uri += hex[byte >> 4];
            uri += hex[byte & 15];
        }
    }
    return QString::fromLatin1(uri);
}

QString ThumbnailCache::ThumbnailPath(const QString &path) const
{
    const QByteArray md5 = QCryptographicHash::hash(UriOf(path).toLatin1(), QCryptographicHash::Md5).toHex();
    return m_root + QStringLiteral("/x-large/") + QString::fromLatin1(md5) + QStringLiteral(".png");
}

QImage ThumbnailCache::Find(const QString &path) const
{
    const QFileInfo source(path);
    if (!source.isFile())
        return {};
    QImageReader reader(ThumbnailPath(path), "png");
    QImage thumbnail;
    if (!reader.read(&thumbnail))
        return {};
    // A thumbnail of another file (a hash collision) or of an older state of this one
    // is never used. The modification time is whole seconds; some writers add a fraction.
    if (thumbnail.text(UriKey) != UriOf(path))
        return {};
    bool ok = false;
    const double mtime = thumbnail.text(MTimeKey).toDouble(&ok);
    if (!ok || qint64(std::floor(mtime)) != ModificationSeconds(source))
        return {};
    const QString size = thumbnail.text(SizeKey);
    if (!size.isEmpty() && size.toLongLong() != source.size())
        return {};
    return thumbnail;
}

bool ThumbnailCache::Store(const QString &path, const QImage &picture) const
{
    const QFileInfo source(path);
    if (!source.isFile() || picture.isNull() || qMax(picture.width(), picture.height()) < Size)
        return false;
    // Pictures inside the cache itself get no thumbnails.
    if (source.absoluteFilePath().startsWith(QDir(m_root).absolutePath() + QLatin1Char('/')))
        return false;
    const QString folder = m_root + QStringLiteral("/x-large");
    if (!QDir().mkpath(QFileInfo(m_root).absolutePath()) || !MakePrivateFolder(m_root) || !MakePrivateFolder(folder))
        return false;

    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        // Stored without compression (about half a megabyte): a thumbnail is read far more
        // often than it is written, and inflating it would take most of the time it
        // saves over decoding the photo.
        writer.setQuality(100);
        if (!writer.write(picture.scaled(Size, Size, Qt::KeepAspectRatio, Qt::SmoothTransformation)))
            return false;
    }
    // The text goes right after the header chunk (8 bytes of signature, 25 of IHDR).
    constexpr int AfterHeader = 33;
    if (png.size() < AfterHeader || png.mid(12, 4) != "IHDR")
        return false;
    png.insert(AfterHeader, TextChunk(UriKey, UriOf(path)) +
                                TextChunk(MTimeKey, QString::number(ModificationSeconds(source))) +
                                TextChunk(SizeKey, QString::number(source.size())) +
                                TextChunk(QStringLiteral("Software"), QStringLiteral("Rybowid")));

    // Written under a temporary name in the same folder (created 0600) and renamed over
    // the old one, so that no reader ever sees half a thumbnail.
    const QString target = ThumbnailPath(path);
    QTemporaryFile file(target + QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(png) != png.size() || !file.flush())
        return false;
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

QImage ThumbnailCache::Load(const QString &path, const QSize &cover) const
{
    const bool thumbnailServes = cover.isValid() && cover.width() <= Size && cover.height() <= Size;
    if (thumbnailServes) {
        QImage thumbnail = Find(path);
        if (!cover.isEmpty() && thumbnail.width() >= cover.width() && thumbnail.height() >= cover.height())
            return thumbnail;
    }
    QImage picture = LoadPicture(path, cover);
    if (thumbnailServes)
        Store(path, picture);
    return picture;
}
