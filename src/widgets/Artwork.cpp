#include "widgets/Artwork.h"

#include "base/Exception.h"
#include "base/JpegImage.h"

#include <QPixmap>

QImage ArtworkImage(const QString &path)
{
    try {
        return LoadPicture(path);
    } catch (const Exception &) {
        return QImage();
    }
}

QIcon ArtworkIcon(const QString &path, const QString &disabledPath)
{
    QIcon icon;
    const QImage normal = ArtworkImage(path);
    if (!normal.isNull())
        icon.addPixmap(QPixmap::fromImage(normal));
    if (!disabledPath.isEmpty()) {
        const QImage disabled = ArtworkImage(disabledPath);
        if (!disabled.isNull())
            icon.addPixmap(QPixmap::fromImage(disabled), QIcon::Disabled);
    }
    return icon;
}
