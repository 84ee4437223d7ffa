#include "base/ThumbnailCache.h"

#include "base/CheckedFile.h"
#include "base/JpegImage.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include <cmath>

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

    // Written whole or not at all, so that no reader ever sees half a thumbnail. Stored
    // uncompressed (about half a megabyte): a thumbnail is read far more often than it is
    // written, and inflating it would take most of the time it saves over decoding the photo.
    QImage thumbnail = picture.scaled(Size, Size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    thumbnail.setText(UriKey, UriOf(path));
    thumbnail.setText(MTimeKey, QString::number(ModificationSeconds(source)));
    thumbnail.setText(SizeKey, QString::number(source.size()));
    thumbnail.setText(QStringLiteral("Software"), QStringLiteral("Rybowid"));
    const QString target = ThumbnailPath(path);
    CheckedFile file(target);
    QImageWriter writer(file.Device(), "png");
    writer.setCompression(0);
    if (!writer.write(thumbnail) || !file.Commit())
        return false;
    // Thumbnails are private to the user, as the desktop's own are.
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
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
