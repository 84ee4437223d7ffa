// EXIF on hostile bytes: the same bytes read as an APP1 segment's payload and as the head
// of a photo file give values within their ranges, never a crash, a hang or memory
// without bound.
#include "base/Exception.h"
#include "base/PhotoExif.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

void Check(const PhotoExif &exif)
{
    if (exif.orientation < 1 || exif.orientation > 8)
        std::abort();
    if (exif.position && !exif.position->Valid())
        std::abort();
    if (exif.taken.isValid()) {
        const Qt::TimeSpec kind = exif.taken.timeSpec();
        if (kind == Qt::TimeZone || (kind != Qt::LocalTime && std::abs(exif.taken.offsetFromUtc()) > 14 * 3600))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("photo.jpg"));

    if (const std::optional<PhotoExif> exif = ParsePhotoExif({data, size}))
        Check(*exif);

    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    try {
        Check(ReadPhotoExif(path));
    } catch (const EInOutError &) {
        std::abort(); // a regular file is always opened
    }
    return 0;
}
