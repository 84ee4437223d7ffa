#pragma once

#include "base/GeoPoint.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <span>

// What a camera recorded about a photo in its EXIF block, as far as the program uses it.
struct PhotoExif
{
    // How the stored picture is to be turned, 1 to 8 as EXIF numbers it; 1 (as stored)
    // when the block has none or an invalid one.
    int orientation = 1;
    // When the photo was taken: DateTimeOriginal, or else DateTimeDigitized, which cameras
    // write alike. Never DateTime: editing programs rewrite it on every save, and a catch
    // proposed on the day a photo was cropped would be wrong. With the offset from UTC the
    // camera recorded beside it (OffsetTimeOriginal or OffsetTimeDigitized) as
    // Qt::OffsetFromUTC (Qt::UTC for "+00:00": Qt makes a zero offset UTC), otherwise as
    // local time, the camera's clock being all there is. Invalid when there is none.
    QDateTime taken;
    // Where the photo was taken; none when the block has no position or a malformed one.
    std::optional<GeoPoint> position;
};

// Reads the bytes of an APP1 segment as a JPEG file carries them ("Exif\0\0" and the
// TIFF structure). None when they are no EXIF block. A damaged block (entries or
// offsets past its end, sizes that overflow, loops of directories) gives an empty
// PhotoExif: a field read from a broken structure could be any value at all.
std::optional<PhotoExif> ParsePhotoExif(std::span<const uchar> app1);

// What the head of a JPEG file says, read once: only the segments before its image data
// are read, and at most the first 256 KiB.
struct PhotoHead
{
    // The file starts as a JPEG file does.
    bool jpeg = false;
    // The file ends before its image data: it holds no picture.
    bool cut = false;
    // Empty when the file has no readable EXIF block.
    PhotoExif exif;
};
// Raises EInOutError when the file cannot be opened or is no regular file.
PhotoHead ReadPhotoHead(const QString &path);

// The EXIF block alone, read as ReadPhotoHead reads it.
PhotoExif ReadPhotoExif(const QString &path);
