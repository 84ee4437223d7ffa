#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

struct jpeg_decompress_struct;

// Decodes a JPEG at one eighth of its size from the DC coefficients alone. At that scale
// each 8 x 8 block becomes one pixel, its mean, so the AC coefficients only need to be
// stepped over; libjpeg decodes each of them in two table steps, this decoder steps over
// most of them (code and value bits together) in one. That is most of the time a camera
// photo takes to come up in a small frame.
//
// It takes over after libjpeg has read the header and the start of the first scan, and
// handles what cameras write: one baseline Huffman scan of all components, 8 bits,
// grayscale or YCbCr, sampling factors 1 or 2, restart markers. The picture equals
// libjpeg's own at scale 1/8 without fancy upsampling.
class JpegDcDecoder
{
public:
    // Reads the tables from the decompressor; Usable() says whether the scan is one it
    // handles. Everything Decode() needs is allocated here.
    explicit JpegDcDecoder(jpeg_decompress_struct &info);

    bool Usable() const { return m_usable; }
    // Reads the scan's entropy-coded data from the decompressor's source. False when the
    // data are irregular (a code no table has, a marker out of place); the file should
    // then be decoded by libjpeg from the start, which tolerates such damage. Holds no
    // objects with destructors, so the library's error jump may leave it (a file cut
    // short).
    bool Decode();
    // The decoded picture, output_width x output_height, in RGB32.
    QImage ToImage() const;

private:
    // Small enough that the four tables stay in the first-level cache.
    static constexpr int LookBits = 12;

    // Code lengths up to LookBits resolve in one step: an entry holds the symbol in
    // bits 0-7 and the code length in 8-12. An AC entry has bit 31 set instead, the bits
    // of code and value in 0-4 and the coefficient step in 5-11 (64 for the end of
    // block); when the next code is in view too, bit 30 is set and the bits and the step
    // of both are in 12-16 and 17-24.
    struct Table
    {
        std::array<std::uint32_t, 1 << LookBits> look{};
        // Longer codes: the largest code of each length (-1 when none), and the offset
        // from a code to its symbol's index.
        std::array<std::int32_t, 18> maxCode{};
        std::array<std::int32_t, 17> valOffset{};
        std::array<std::uint8_t, 256> values{};
        bool present = false;
    };

    struct Component
    {
        int h = 1, v = 1;
        int dcTable = 0, acTable = 0;
        int quant = 1; // the DC quantiser
        int blocksWide = 0, blocksHigh = 0;
        int predictor = 0;
        std::vector<std::uint8_t> plane; // one value per block
    };

    // False for a table whose codes do not fit their lengths.
    static bool BuildTable(const void *huffTable, bool ac, Table &table);

    // The bit reader, over the decompressor's source.
    void Refill();
    int ReadByte();
    int DecodeSlow(const Table &table);
    bool Restart();

    jpeg_decompress_struct &m_info;
    bool m_usable = false;
    std::array<Table, 4> m_dc{}, m_ac{};
    std::array<Component, 4> m_components{};
    int m_componentCount = 0;
    int m_mcusWide = 0, m_mcusHigh = 0;

    std::uint64_t m_bits = 0;
    int m_count = 0;
    // After a marker only zero bits are fed; consuming them means the data were short.
    int m_marker = 0;
    int m_fakeBits = 0;
    int m_nextRestart = 0;
};
