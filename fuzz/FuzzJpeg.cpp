// Photos on damaged files: the program's own reading around libjpeg-turbo (the file
// source, the EXIF orientation, the size limits) takes any bytes to a picture or to
// EInOutError, never to a crash or a hang.
#include "base/Exception.h"
#include "base/JpegImage.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    // The last byte chooses between a full decode and one scaled for a small area.
    const QSize cover = size > 0 && (data[size - 1] & 1) ? QSize(40 + data[size - 1] % 64, 30) : QSize();
    try {
        const QImage image = LoadJpeg(path, cover);
        if (image.isNull())
            std::abort();
    } catch (const EInOutError &) {
    }
    return 0;
}
