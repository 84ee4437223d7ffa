#pragma once

// Writes EXIF blocks byte by byte, the way a camera lays them out, so that tests,
// benchmarks and fuzz seeds can say exactly what each entry holds, damaged ones included,
// without trusting the reader's own library to write them.

#include <QByteArray>
#include <QList>
#include <QtEndian>

#include <optional>

namespace ExifBlock {

enum Type : quint16 { Ascii = 2, Short = 3, Long = 4, Rational = 5, Undefined = 7 };

// One directory entry. Its value is stored inline when it fits in four bytes, otherwise
// after the directories; `count` defaults to what the value holds, and `at` forces the
// offset written for an out-of-line value.
struct Field
{
    quint16 tag;
    Type type;
    QByteArray value;
    std::optional<quint32> count = {};
    std::optional<quint32> at = {};
};

struct Layout
{
    bool bigEndian = false;
    QList<Field> ifd0, exif, gps;
    // Where IFD0's pointers to the EXIF and GPS directories and to the next directory
    // lead, when not where the directories are written.
    std::optional<quint32> exifAt = {}, gpsAt = {}, nextAt = {};

    QByteArray U16(quint16 v) const
    {
        QByteArray out(2, '\0');
        bigEndian ? qToBigEndian(v, out.data()) : qToLittleEndian(v, out.data());
        return out;
    }
    QByteArray U32(quint32 v) const
    {
        QByteArray out(4, '\0');
        bigEndian ? qToBigEndian(v, out.data()) : qToLittleEndian(v, out.data());
        return out;
    }
    Field Text(quint16 tag, const QByteArray &text) const { return {tag, Ascii, text + '\0'}; }
    Field Number(quint16 tag, quint16 value) const { return {tag, Short, U16(value)}; }
    // Degrees, minutes and seconds, each a numerator over a denominator.
    Field Dms(quint16 tag, std::initializer_list<std::pair<quint32, quint32>> parts) const
    {
        QByteArray value;
        for (const auto &[numerator, denominator] : parts)
            value += U32(numerator) + U32(denominator);
        return {tag, Rational, value};
    }

    static quint32 Width(Type type) { return type == Short ? 2 : type == Long ? 4 : type == Rational ? 8 : 1; }

    // "Exif\0\0" and the TIFF structure: IFD0, then the EXIF and GPS directories (each
    // only when it has entries), then the values that do not fit inline.
    QByteArray App1() const
    {
        const auto size = [](const QList<Field> &ifd) { return ifd.isEmpty() ? 0u : quint32(2 + 12 * ifd.size() + 4); };
        QList<Field> first = ifd0;
        if (!exif.isEmpty())
            first.append({0x8769, Long, {}});
        if (!gps.isEmpty())
            first.append({0x8825, Long, {}});
        const quint32 exifOffset = 8 + size(first);
        const quint32 gpsOffset = exifOffset + size(exif);
        if (!exif.isEmpty())
            first[ifd0.size()].value = U32(exifAt.value_or(exifOffset));
        if (!gps.isEmpty())
            first.last().value = U32(gpsAt.value_or(gpsOffset));

        QByteArray tiff = QByteArray(bigEndian ? "MM" : "II") + U16(42) + U32(8);
        QByteArray pool;
        quint32 poolOffset = 8 + size(first) + size(exif) + size(gps);
        const auto write = [&](const QList<Field> &ifd, quint32 next) {
            if (ifd.isEmpty())
                return;
            tiff += U16(quint16(ifd.size()));
            for (const Field &field : ifd) {
                tiff += U16(field.tag) + U16(field.type) +
                        U32(field.count.value_or(quint32(field.value.size()) / Width(field.type)));
                if (field.value.size() <= 4 && !field.at) {
                    tiff += field.value + QByteArray(4 - field.value.size(), '\0');
                    continue;
                }
                tiff += U32(field.at.value_or(poolOffset + quint32(pool.size())));
                pool += field.value;
                if (pool.size() % 2)
                    pool += '\0';
            }
            tiff += U32(next);
        };
        write(first, nextAt.value_or(0));
        write(exif, 0);
        write(gps, 0);
        return QByteArray("Exif\0\0", 6) + tiff + pool;
    }
};

// A JPEG segment: its marker and the payload with its length before it.
inline QByteArray Segment(uchar marker, const QByteArray &payload)
{
    const int length = int(payload.size()) + 2;
    QByteArray head(4, '\0');
    head[0] = char(0xFF);
    head[1] = char(marker);
    head[2] = char(length >> 8);
    head[3] = char(length & 0xFF);
    return head + payload;
}

// A JPEG file with the segments put right after its start marker, where cameras put them.
inline QByteArray WithSegments(const QByteArray &jpeg, const QByteArray &segments)
{
    return jpeg.left(2) + segments + jpeg.mid(2);
}

} // namespace ExifBlock
