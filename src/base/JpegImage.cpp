#include "base/JpegImage.h"

#include "base/Exception.h"
#include "base/PhotoExif.h"
#include "base/PhotoFile.h"

#include <QFile>
#include <QImageReader>
#include <QTransform>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// A decode larger than this is refused rather than left to exhaust memory: a forged
// header can announce a picture of 65500 x 65500 pixels in a file of a few bytes.
constexpr qint64 MaxDecodedBytes = qint64(512) * 1024 * 1024;
// Refused from the header, before anything is decoded: no camera photo comes near it, and
// even a reduced decode of such a picture costs hundreds of megabytes.
constexpr qint64 MaxPixels = qint64(200) * 1000 * 1000;

[[noreturn]] void FailTooManyPixels(const QString &path, qint64 width, qint64 height)
{
    FailPhoto(path, QStringLiteral("obraz jest zbyt duży (%1 x %2 pikseli, najwyżej %3 megapikseli)")
                        .arg(width)
                        .arg(height)
                        .arg(MaxPixels / 1000000));
}

struct ErrorManager
{
    jpeg_error_mgr pub; // first, so the library's pointer to it is a pointer to the whole
    std::jmp_buf jump;
    int code = 0;
    char message[JMSG_LENGTH_MAX] = {};
};

// The library's default handler calls exit(); ours returns to the guarded step instead.
void OnError(j_common_ptr cinfo)
{
    auto *errors = reinterpret_cast<ErrorManager *>(cinfo->err);
    errors->code = cinfo->err->msg_code;
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level)
{
    // A file cut short is padded by the library with an end marker and only warned
    // about; shown, it would be a picture with a grey lower part, so it counts as broken.
    // So does one whose image data run into its end marker: a file cut short with the
    // marker written after it. A stray marker elsewhere in the data (a damaged restart
    // marker) is survivable and shown. Other warnings (stray bytes between segments,
    // common in camera files) are ignored.
    if (level >= 0)
        return;
    const int code = cinfo->err->msg_code;
    const bool endMarkerTooEarly = code == JWRN_HIT_MARKER && cinfo->is_decompressor &&
                                   reinterpret_cast<j_decompress_ptr>(cinfo)->unread_marker == JPEG_EOI;
    if (code == JWRN_JPEG_EOF || endMarkerTooEarly)
        (*cinfo->err->error_exit)(cinfo);
}

QString ReasonText(const ErrorManager &errors)
{
    switch (errors.code) {
    case JERR_NO_SOI:
        return QStringLiteral("to nie jest plik JPEG");
    case JERR_INPUT_EMPTY:
        return QStringLiteral("plik jest pusty");
    case JWRN_JPEG_EOF:
        return QStringLiteral("plik jest niekompletny");
    case JWRN_HIT_MARKER:
        return QStringLiteral("plik jest uszkodzony: dane obrazu urywają się przed końcem zdjęcia");
    default:
        return QStringLiteral("błąd dekodera JPEG (%1)").arg(QString::fromLatin1(errors.message));
    }
}

// Reads the file through a buffer far larger than the library's own 4 KiB one: its fast
// entropy decoder runs only while a few KiB of input are buffered ahead, so with the
// small buffer most of a large photo goes through the slow path.
constexpr size_t SourceBufferBytes = 256 * 1024;

struct FileSource
{
    jpeg_source_mgr pub{}; // first, so the library's pointer to it is a pointer to the whole
    std::FILE *file = nullptr;
    bool started = false;
    std::unique_ptr<JOCTET[]> buffer{new JOCTET[SourceBufferBytes]};
};

void InitSource(j_decompress_ptr cinfo)
{
    reinterpret_cast<FileSource *>(cinfo->src)->started = false;
}

boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    static const JOCTET EndOfImage[] = {0xFF, JPEG_EOI};
    auto *source = reinterpret_cast<FileSource *>(cinfo->src);
    const size_t read = std::fread(source->buffer.get(), 1, SourceBufferBytes, source->file);
    if (read == 0) {
        if (!source->started)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        source->pub.next_input_byte = EndOfImage;
        source->pub.bytes_in_buffer = sizeof EndOfImage;
        return TRUE;
    }
    source->started = true;
    source->pub.next_input_byte = source->buffer.get();
    source->pub.bytes_in_buffer = read;
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count)
{
    jpeg_source_mgr *const source = cinfo->src;
    if (count <= 0)
        return;
    while (count > long(source->bytes_in_buffer)) {
        count -= long(source->bytes_in_buffer);
        (*source->fill_input_buffer)(cinfo);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= size_t(count);
}

void TermSource(j_decompress_ptr) {}

// Owns a decompressor. Every call into the library runs inside Guarded, so that the
// error handler's jump lands in a frame that is still alive; the steps hold no objects
// with destructors, which the jump would skip.
class Decompressor
{
public:
    Decompressor()
    {
        std::memset(&m_info, 0, sizeof m_info);
        m_info.err = jpeg_std_error(&m_errors.pub);
        m_errors.pub.error_exit = OnError;
        m_errors.pub.emit_message = OnMessage;
    }
    ~Decompressor() { jpeg_destroy_decompress(&m_info); }
    Decompressor(const Decompressor &) = delete;
    Decompressor &operator=(const Decompressor &) = delete;

    jpeg_decompress_struct &info() { return m_info; }
    const ErrorManager &errors() const { return m_errors; }

    template <typename Step> bool Guarded(Step &&step)
    {
        if (setjmp(m_errors.jump))
            return false;
        step();
        return true;
    }

private:
    jpeg_decompress_struct m_info;
    ErrorManager m_errors;
};

// The orientation of the first APP1 segment that holds EXIF data: a file may carry other
// APP1 segments (XMP) before it.
int ExifOrientation(const jpeg_decompress_struct &info)
{
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next) {
        if (marker->marker != JPEG_APP0 + 1)
            continue;
        if (const std::optional<PhotoExif> exif = ParsePhotoExif({marker->data, marker->data_length}))
            return exif->orientation;
    }
    return 1;
}

QImage Oriented(QImage image, int orientation)
{
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.transformed(QTransform().rotate(180));
    case 4:
        return image.mirrored(false, true);
    case 5:
        return image.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
        return image.transformed(QTransform().rotate(90));
    case 7:
        return image.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8:
        return image.transformed(QTransform().rotate(270));
    default:
        return image;
    }
}

// Photoshop writes CMYK JPEGs with inverted values (255 = no ink), and so does the
// library when asked for CMYK with its Adobe marker; pixel order in memory is C, M, Y, K.
void CmykToRgb32(QImage &image, bool inverted)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        const auto *cmyk = reinterpret_cast<const uchar *>(row);
        for (int x = 0; x < image.width(); ++x, cmyk += 4) {
            int c = cmyk[0], m = cmyk[1], yel = cmyk[2], k = cmyk[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                yel = 255 - yel;
                k = 255 - k;
            }
            row[x] = qRgb(c * k / 255, m * k / 255, yel * k / 255);
        }
    }
}

QImage DecodeJpeg(const QString &path, const QSize &cover)
{
    const FilePtr file = OpenPhotoFile(path);
    FileSource source;
    Decompressor decompressor;
    jpeg_decompress_struct &info = decompressor.info();
    const auto fail = [&] { FailPhoto(path, ReasonText(decompressor.errors())); };

    if (!decompressor.Guarded([&] {
            jpeg_create_decompress(&info);
            info.mem->max_memory_to_use = MaxDecodedBytes;
            source.file = file.get();
            source.pub.init_source = InitSource;
            source.pub.fill_input_buffer = FillInputBuffer;
            source.pub.skip_input_data = SkipInputData;
            source.pub.resync_to_restart = jpeg_resync_to_restart;
            source.pub.term_source = TermSource;
            info.src = &source.pub;
            jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
            jpeg_read_header(&info, TRUE);
        }))
        fail();
    if (qint64(info.image_width) * info.image_height > MaxPixels)
        FailTooManyPixels(path, qint64(info.image_width), qint64(info.image_height));

    const int orientation = ExifOrientation(info);
    const bool quarterTurn = orientation >= 5;
    const QSize need = quarterTurn ? cover.transposed() : cover;

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (cmyk)
        info.out_color_space = JCS_CMYK;
    else
        info.out_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;

    int scale = 8;
    if (need.isValid() && !need.isEmpty()) {
        for (int candidate = 1; candidate < 8; ++candidate) {
            info.scale_num = candidate;
            info.scale_denom = 8;
            if (!decompressor.Guarded([&] { jpeg_calc_output_dimensions(&info); }))
                fail();
            if (int(info.output_width) >= need.width() && int(info.output_height) >= need.height()) {
                scale = candidate;
                break;
            }
        }
    }
    info.scale_num = scale;
    info.scale_denom = 8;
    // A reduced decode is downscaled again for display, so the cheap transform and plain
    // chroma replication cost nothing visible; a full-size one is shown pixel for pixel.
    const bool reduced = scale < 8;
    info.dct_method = reduced ? JDCT_IFAST : JDCT_ISLOW;
    info.do_fancy_upsampling = reduced ? FALSE : TRUE;

    if (!decompressor.Guarded([&] { jpeg_calc_output_dimensions(&info); }))
        fail();
    if (qint64(info.output_width) * info.output_height * 4 > MaxDecodedBytes)
        FailPhoto(path,
                  QStringLiteral("obraz jest zbyt duży (%1 x %2)").arg(info.output_width).arg(info.output_height));

    if (!decompressor.Guarded([&] { jpeg_start_decompress(&info); }))
        fail();
    if (info.output_components != 4)
        FailPhoto(path, QStringLiteral("nieobsługiwany układ kolorów"));

    QImage image(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull())
        FailPhoto(path, QStringLiteral("za mało pamięci"));
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();

    if (!decompressor.Guarded([&] {
            constexpr int Batch = 16;
            JSAMPROW rows[Batch];
            while (info.output_scanline < info.output_height) {
                const JDIMENSION first = info.output_scanline;
                const JDIMENSION count = std::min<JDIMENSION>(Batch, info.output_height - first);
                for (JDIMENSION i = 0; i < count; ++i)
                    rows[i] = bits + (first + i) * stride;
                jpeg_read_scanlines(&info, rows, count);
            }
        }))
        fail();

    if (cmyk)
        CmykToRgb32(image, info.saw_Adobe_marker);
    return Oriented(std::move(image), orientation);
}

} // namespace

QImage LoadJpeg(const QString &path, const QSize &cover)
{
    return DecodeJpeg(path, cover);
}

QImage LoadPicture(const QString &path, const QSize &cover)
{
    const FilePtr handle = OpenPhotoFile(path);
    QFile file;
    if (!file.open(handle.get(), QIODevice::ReadOnly))
        FailPhoto(path, file.errorString());
    if (file.size() == 0)
        FailPhoto(path, QStringLiteral("plik jest pusty"));
    const QByteArray head = file.peek(3);
    if (head.size() == 3 && uchar(head[0]) == 0xFF && uchar(head[1]) == 0xD8 && uchar(head[2]) == 0xFF) {
        file.close();
        return LoadJpeg(path, cover);
    }

    // PNG, the program's own artwork, goes straight to the toolkit's built-in reader: a
    // reader that guesses the format first loads every image format plugin installed.
    const bool png = file.peek(8) == QByteArray("\x89PNG\r\n\x1a\n", 8);
    QImageReader reader(&file, png ? QByteArray("png") : QByteArray());
    if (png)
        reader.setAutoDetectImageFormat(false);
    else
        reader.setDecideFormatFromContent(true);
    const QSize declared = reader.size();
    if (declared.isValid() && qint64(declared.width()) * declared.height() > MaxPixels)
        FailTooManyPixels(path, declared.width(), declared.height());
    QImage image;
    if (!reader.read(&image)) {
        if (reader.error() == QImageReader::UnsupportedFormatError)
            FailPhoto(path, QStringLiteral("nieznany format obrazu"));
        FailPhoto(path, reader.errorString());
    }
    return image;
}
