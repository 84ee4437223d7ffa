#include "base/ThumbnailCache.h"

#include "base/JpegImage.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

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

// Continues a CRC-32 (the one PNG and zlib use) over more bytes; start from ~0 and
// invert at the end.
quint32 Crc32(quint32 crc, const uchar *bytes, qsizetype count)
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
    for (qsizetype i = 0; i < count; ++i)
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

// Writes a PNG the way thumbnails are best stored for reading back fast: every row
// unfiltered and the pixels in stored (uncompressed) deflate blocks, so that a reader
// only copies them; the text comes first, uncompressed (tEXt), as thumbnail readers
// expect it. Qt's own writer would compress the text and filter the rows.
class PngStream
{
public:
    explicit PngStream(QIODevice &out) : m_out(out) {}

    bool Write(const QImage &image, const QList<QPair<QString, QString>> &texts)
    {
        const bool alpha = image.hasAlphaChannel();
        const QImage pixels = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
        const int width = pixels.width(), height = pixels.height();
        const int rowBytes = 1 + width * (alpha ? 4 : 3);
        m_out.write("\x89PNG\r\n\x1a\n", 8);

        QByteArray header;
        AppendBig(header, quint32(width));
        AppendBig(header, quint32(height));
        header += char(8);             // bits per sample
        header += char(alpha ? 6 : 2); // RGBA or RGB
        header += QByteArray(3, '\0'); // deflate, adaptive filtering, no interlace
        Chunk("IHDR", header);
        for (const auto &[key, value] : texts)
            Chunk("tEXt", key.toLatin1() + '\0' + value.toLatin1());

        constexpr qint64 BlockBytes = 65535;
        const qint64 raw = qint64(height) * rowBytes;
        const qint64 blocks = (raw + BlockBytes - 1) / BlockBytes;
        BeginChunk("IDAT", quint32(2 + raw + 5 * blocks + 4));
        Put(QByteArray("\x78\x01", 2)); // zlib header: deflate, 32 KiB window, no dictionary
        quint32 adlerA = 1, adlerB = 0;
        qint64 left = raw;
        qint64 inBlock = 0;
        QByteArray row(rowBytes, '\0');
        for (int y = 0; y < height; ++y) {
            std::memcpy(row.data() + 1, pixels.constScanLine(y), size_t(rowBytes - 1));
            for (const char c : row) {
                adlerA += uchar(c);
                adlerB += adlerA;
            }
            adlerA %= 65521;
            adlerB %= 65521;
            for (qsizetype at = 0; at < row.size();) {
                if (inBlock == 0) {
                    const qint64 size = std::min(BlockBytes, left);
                    QByteArray blockHeader(1, left == size ? '\1' : '\0');
                    blockHeader += char(size & 0xFF);
                    blockHeader += char(size >> 8);
                    blockHeader += char(~size & 0xFF);
                    blockHeader += char((~size >> 8) & 0xFF);
                    Put(blockHeader);
                    inBlock = size;
                }
                const qsizetype take = qsizetype(std::min<qint64>(inBlock, row.size() - at));
                Put(row.mid(at, take));
                at += take;
                inBlock -= take;
                left -= take;
            }
        }
        QByteArray adler;
        AppendBig(adler, adlerB << 16 | adlerA);
        Put(adler);
        EndChunk();
        Chunk("IEND", {});
        return m_ok;
    }

private:
    static void AppendBig(QByteArray &out, quint32 value)
    {
        out += char(value >> 24);
        out += char(value >> 16);
        out += char(value >> 8);
        out += char(value);
    }

    void Put(const QByteArray &bytes)
    {
        m_crc = Crc32(m_crc, reinterpret_cast<const uchar *>(bytes.constData()), bytes.size());
        m_ok = m_ok && m_out.write(bytes) == bytes.size();
    }

    void BeginChunk(const char *type, quint32 length)
    {
        QByteArray size;
        AppendBig(size, length);
        m_ok = m_ok && m_out.write(size) == 4;
        m_crc = 0xFFFFFFFFu;
        Put(QByteArray(type, 4));
    }

    void EndChunk()
    {
        QByteArray crc;
        AppendBig(crc, m_crc ^ 0xFFFFFFFFu);
        m_ok = m_ok && m_out.write(crc) == 4;
    }

    void Chunk(const char *type, const QByteArray &data)
    {
        BeginChunk(type, quint32(data.size()));
        Put(data);
        EndChunk();
    }

    QIODevice &m_out;
    quint32 m_crc = 0;
    bool m_ok = true;
};

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

    // Written under a temporary name in the same folder (created 0600) and renamed over
    // the old one, so that no reader ever sees half a thumbnail. Stored uncompressed
    // (about half a megabyte): a thumbnail is read far more often than it is written,
    // and inflating it would take most of the time it saves over decoding the photo.
    const QString target = ThumbnailPath(path);
    QTemporaryFile file(target + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return false;
    PngStream png(file);
    const QList<QPair<QString, QString>> texts = {{UriKey, UriOf(path)},
                                                  {MTimeKey, QString::number(ModificationSeconds(source))},
                                                  {SizeKey, QString::number(source.size())},
                                                  {QStringLiteral("Software"), QStringLiteral("Rybowid")}};
    if (!png.Write(picture.scaled(Size, Size, Qt::KeepAspectRatio, Qt::SmoothTransformation), texts) || !file.flush())
        return false;
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

QImage ThumbnailCache::FindCovering(const QString &path, const QSize &cover) const
{
    if (cover.isEmpty() || cover.width() > Size || cover.height() > Size)
        return {};
    QImage thumbnail = Find(path);
    if (thumbnail.width() < cover.width() || thumbnail.height() < cover.height())
        return {};
    return thumbnail;
}

QImage ThumbnailCache::Load(const QString &path, const QSize &cover) const
{
    QImage picture = FindCovering(path, cover);
    if (!picture.isNull())
        return picture;
    picture = LoadPicture(path, cover);
    if (!cover.isEmpty() && cover.width() <= Size && cover.height() <= Size)
        Store(path, picture);
    return picture;
}
