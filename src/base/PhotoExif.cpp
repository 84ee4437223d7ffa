#include "base/PhotoExif.h"

#include "base/PhotoFile.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdarg>
#include <cstring>
#include <memory>

#include <libexif/exif-data.h>
#include <libexif/exif-log.h>
#include <libexif/exif-utils.h>

namespace {

constexpr char ExifHeader[] = {'E', 'x', 'i', 'f', '\0', '\0'};
// An APP1 segment holds at most 65533 bytes: anything longer came from no JPEG file, and
// refusing it bounds what libexif allocates for one block.
constexpr size_t MaxApp1Bytes = 65533;
// Cameras put the EXIF block first, right after the start of the file. The search stops
// this far in so that a long file, or one forged as endless small segments, costs no more.
constexpr long MaxHeadBytes = 256 * 1024;

constexpr int JpegSoi = 0xD8, JpegEoi = 0xD9, JpegSos = 0xDA, JpegApp1 = 0xE1, JpegTem = 0x01;

struct ExifDataUnref
{
    void operator()(ExifData *data) const { exif_data_unref(data); }
};
struct ExifLogUnref
{
    void operator()(ExifLog *log) const { exif_log_unref(log); }
};

// libexif skips what it cannot use and says so only in its log, mostly in debug messages:
// directories and values that run past the end of the block, directories that lead back
// to one already read. Damage to the maker notes is not counted: they are each maker's
// private format, which editing programs routinely break when they move the block, while
// the fields read here stay whole.
void NoteDamage(ExifLog *, ExifLogCode code, const char *domain, const char *format, va_list, void *damaged)
{
    if (domain && std::strncmp(domain, "ExifMnote", 9) == 0)
        return;
    const bool skipped = format && (std::strstr(format, "past end of buffer") || std::strstr(format, "Short data") ||
                                    std::strstr(format, "Recursive entry"));
    if (code == EXIF_LOG_CODE_CORRUPT_DATA || code == EXIF_LOG_CODE_NO_MEMORY || skipped)
        *static_cast<bool *>(damaged) = true;
}

const ExifEntry *Entry(const ExifData &data, ExifIfd ifd, ExifTag tag)
{
    return data.ifd[ifd] ? exif_content_get_entry(data.ifd[ifd], tag) : nullptr;
}

// The text of an ASCII entry up to its terminating zero.
QByteArray Ascii(const ExifEntry *entry)
{
    if (!entry || entry->format != EXIF_FORMAT_ASCII || !entry->data)
        return {};
    const auto *text = reinterpret_cast<const char *>(entry->data);
    return QByteArray(text, qsizetype(qstrnlen(text, entry->size)));
}

int Orientation(const ExifData &data, ExifByteOrder order)
{
    const ExifEntry *entry = Entry(data, EXIF_IFD_0, EXIF_TAG_ORIENTATION);
    if (!entry || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 || entry->size < 2 || !entry->data)
        return 1;
    const int value = exif_get_short(entry->data, order);
    return value >= 1 && value <= 8 ? value : 1;
}

// "+02:00" or "-05:30", in seconds; none for anything else, including the blanks a camera
// writes when it does not know.
std::optional<int> OffsetSeconds(const QByteArray &text)
{
    const auto digit = [&](int i) { return text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1; };
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':')
        return {};
    for (const int i : {1, 2, 4, 5}) {
        if (digit(i) < 0)
            return {};
    }
    const int hours = digit(1) * 10 + digit(2);
    const int minutes = digit(4) * 10 + digit(5);
    if (hours > 14 || minutes > 59)
        return {};
    const int seconds = hours * 3600 + minutes * 60;
    return text[0] == '-' ? -seconds : seconds;
}

// "2024:06:15 05:42:10", the one form EXIF allows; a camera that does not know the time
// fills it with blanks or zeros, which read as invalid here.
QDateTime Taken(const QByteArray &text, const QByteArray &offset)
{
    if (text.size() != 19 || text[10] != ' ')
        return {};
    const QDate date = QDate::fromString(QString::fromLatin1(text.left(10)), QStringLiteral("yyyy:MM:dd"));
    const QTime time = QTime::fromString(QString::fromLatin1(text.mid(11)), QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return {};
    if (const std::optional<int> seconds = OffsetSeconds(offset))
        return QDateTime(date, time, Qt::OffsetFromUTC, *seconds);
    return QDateTime(date, time, Qt::LocalTime);
}

QDateTime Taken(const ExifData &data)
{
    QDateTime taken = Taken(Ascii(Entry(data, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL)),
                            Ascii(Entry(data, EXIF_IFD_EXIF, EXIF_TAG_OFFSET_TIME_ORIGINAL)));
    if (!taken.isValid())
        taken = Taken(Ascii(Entry(data, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_DIGITIZED)),
                      Ascii(Entry(data, EXIF_IFD_EXIF, EXIF_TAG_OFFSET_TIME_DIGITIZED)));
    return taken;
}

// Degrees, minutes and seconds as three rationals, signed by the hemisphere's letter.
std::optional<double> Degrees(const ExifData &data, ExifByteOrder order, ExifTag valueTag, ExifTag hemisphereTag,
                              char positive, char negative)
{
    const ExifEntry *value = Entry(data, EXIF_IFD_GPS, valueTag);
    const QByteArray hemisphere = Ascii(Entry(data, EXIF_IFD_GPS, hemisphereTag));
    if (!value || value->format != EXIF_FORMAT_RATIONAL || value->components != 3 || value->size < 24 || !value->data ||
        hemisphere.size() != 1 || (hemisphere[0] != positive && hemisphere[0] != negative))
        return {};
    double degrees = 0;
    double unit = 1;
    for (int i = 0; i < 3; ++i, unit *= 60) {
        const ExifRational part = exif_get_rational(value->data + 8 * i, order);
        if (part.denominator == 0)
            return {};
        const double amount = double(part.numerator) / part.denominator;
        if (i > 0 && amount >= 60)
            return {};
        degrees += amount / unit;
    }
    return hemisphere[0] == negative ? -degrees : degrees;
}

std::optional<GeoPoint> Position(const ExifData &data, ExifByteOrder order)
{
    const std::optional<double> latitude =
        Degrees(data, order, ExifTag(EXIF_TAG_GPS_LATITUDE), ExifTag(EXIF_TAG_GPS_LATITUDE_REF), 'N', 'S');
    const std::optional<double> longitude =
        Degrees(data, order, ExifTag(EXIF_TAG_GPS_LONGITUDE), ExifTag(EXIF_TAG_GPS_LONGITUDE_REF), 'E', 'W');
    if (!latitude || !longitude)
        return {};
    const GeoPoint point{*latitude, *longitude};
    return point.Valid() ? std::optional(point) : std::nullopt;
}

struct HeadWalk
{
    bool jpeg = false;
    bool cut = false;
    QByteArray exif;
};

// The file's head, segment by segment up to its image data, which is never touched:
// whether it starts as a JPEG file, whether it ends before its image data, and the
// payload of its first APP1 segment that holds EXIF data.
HeadWalk WalkHead(std::FILE *file)
{
    HeadWalk head;
    if (std::getc(file) != 0xFF || std::getc(file) != JpegSoi)
        return head;
    head.jpeg = true;
    long position = 2;
    while (position < MaxHeadBytes) {
        const int lead = std::getc(file);
        if (lead == EOF) {
            head.cut = true;
            return head;
        }
        // Bytes where a segment should start: a broken structure says nothing more.
        if (lead != 0xFF)
            return head;
        int marker;
        do {
            marker = std::getc(file);
            ++position;
        } while (marker == 0xFF && position < MaxHeadBytes);
        ++position;
        if (marker == EOF || marker == JpegEoi) {
            head.cut = true;
            return head;
        }
        if (marker == JpegSos || marker == 0xFF)
            return head;
        if (marker == JpegTem || (marker >= 0xD0 && marker <= 0xD7))
            continue; // restart markers stand alone, with no length
        const int high = std::getc(file);
        const int low = std::getc(file);
        if (high == EOF || low == EOF) {
            head.cut = true;
            return head;
        }
        const long length = long(high) << 8 | low;
        if (length < 2)
            return head;
        const long payload = length - 2;
        position += length;
        if (marker == JpegApp1 && head.exif.isEmpty() && payload >= long(sizeof ExifHeader)) {
            QByteArray segment(qsizetype(payload), Qt::Uninitialized);
            if (std::fread(segment.data(), 1, size_t(payload), file) != size_t(payload)) {
                head.cut = true;
                return head;
            }
            if (segment.startsWith(QByteArrayView(ExifHeader, sizeof ExifHeader)))
                head.exif = std::move(segment);
        } else if (std::fseek(file, payload, SEEK_CUR) != 0) {
            // Seeking past the end succeeds; the next read finds the end instead.
            return head;
        }
    }
    return head;
}

} // namespace

std::optional<PhotoExif> ParsePhotoExif(std::span<const uchar> app1)
{
    if (app1.size() < sizeof ExifHeader || std::memcmp(app1.data(), ExifHeader, sizeof ExifHeader) != 0)
        return {};
    if (app1.size() > MaxApp1Bytes)
        return PhotoExif();

    const std::unique_ptr<ExifData, ExifDataUnref> data(exif_data_new());
    const std::unique_ptr<ExifLog, ExifLogUnref> log(exif_log_new());
    if (!data || !log)
        return PhotoExif();
    bool damaged = false;
    exif_log_set_func(log.get(), NoteDamage, &damaged);
    exif_data_log(data.get(), log.get());
    // Following the standard, libexif would add the entries it calls mandatory, with
    // made-up values (a DateTime of now among them), and take time doing it.
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(data.get(), app1.data(), unsigned(app1.size()));
    if (damaged)
        return PhotoExif();

    const ExifByteOrder order = exif_data_get_byte_order(data.get());
    PhotoExif exif;
    exif.orientation = Orientation(*data, order);
    exif.taken = Taken(*data);
    exif.position = Position(*data, order);
    return exif;
}

PhotoHead ReadPhotoHead(const QString &path)
{
    const FilePtr file = OpenPhotoFile(path);
    const HeadWalk walk = WalkHead(file.get());
    PhotoHead head;
    head.jpeg = walk.jpeg;
    head.cut = walk.cut;
    head.exif = ParsePhotoExif({reinterpret_cast<const uchar *>(walk.exif.constData()), size_t(walk.exif.size())})
                    .value_or(PhotoExif());
    return head;
}

PhotoExif ReadPhotoExif(const QString &path)
{
    return ReadPhotoHead(path).exif;
}
