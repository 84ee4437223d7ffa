#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Thumbnails shared with the desktop, laid out by the freedesktop.org thumbnail
// standard: PNG files in <cache>/thumbnails/x-large/, each named by
// the MD5 of its picture's file:// URI and carrying that URI and the picture's
// modification time and size. Thumbnails made by the file manager serve the program and
// the program's serve the file manager.
class ThumbnailCache
{
public:
    // The longer side of an "x-large" thumbnail.
    static constexpr int Size = 512;

    // $XDG_CACHE_HOME/thumbnails, or ~/.cache/thumbnails when the variable is not set.
    static QString DefaultRoot();
    explicit ThumbnailCache(const QString &root = DefaultRoot());

    // The canonical file:// URI of a local file, escaped the way the desktop escapes it.
    static QString UriOf(const QString &path);
    QString ThumbnailPath(const QString &path) const;

    // The thumbnail of the picture, when one was made from the picture as it is now;
    // a null image otherwise.
    QImage Find(const QString &path) const;
    // Writes the thumbnail of a picture decoded from path; the picture must be at least
    // Size on its longer side. False when nothing was written (a full disk, a read-only
    // cache): the picture is shown all the same.
    bool Store(const QString &path, const QImage &picture) const;

    // The thumbnail of the picture when it covers an area of the given size (which an
    // x-large thumbnail can only do for areas up to Size); a null image otherwise.
    QImage FindCovering(const QString &path, const QSize &cover) const;
    // The picture at path for an area of the given size: its thumbnail when that covers
    // the area, otherwise a decode of the file (LoadPicture), which leaves a thumbnail
    // for the next time. Raises EInOutError as LoadPicture does.
    QImage Load(const QString &path, const QSize &cover) const;

private:
    QString m_root;
};
