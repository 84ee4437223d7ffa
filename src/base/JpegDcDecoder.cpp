#include "base/JpegDcDecoder.h"

#include <QtEndian>

#include <algorithm>
#include <cstdio>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace {

constexpr std::uint32_t Stepped = 1u << 31;
constexpr std::uint32_t Paired = 1u << 30;
constexpr int MaxDc = 1 << 15;

int Extend(int value, int size)
{
    return value < (1 << (size - 1)) ? value - (1 << size) + 1 : value;
}

std::uint8_t Clamp(int value)
{
    return std::uint8_t(std::clamp(value, 0, 255));
}

} // namespace

JpegDcDecoder::JpegDcDecoder(jpeg_decompress_struct &info) : m_info(info)
{
    const bool gray = info.num_components == 1 && info.jpeg_color_space == JCS_GRAYSCALE;
    const bool ycc = info.num_components == 3 && info.jpeg_color_space == JCS_YCbCr;
    if (info.progressive_mode || info.arith_code || info.data_precision != 8 || !(gray || ycc) ||
        info.comps_in_scan != info.num_components || info.Ss != 0 || info.Se != 63 || info.Ah != 0 || info.Al != 0)
        return;
    m_componentCount = info.comps_in_scan;
    for (int i = 0; i < m_componentCount; ++i) {
        const jpeg_component_info *const c = info.cur_comp_info[i];
        if (c->h_samp_factor < 1 || c->h_samp_factor > 2 || c->v_samp_factor < 1 || c->v_samp_factor > 2)
            return;
        // The component's index in the frame gives its colour; the scan's order gives
        // the order of its blocks.
        if (c->component_index != i)
            return;
        // The table numbers come straight from the file; libjpeg checks them only when its
        // own decoder starts, which this one stands in for.
        if (c->quant_tbl_no < 0 || c->quant_tbl_no >= NUM_QUANT_TBLS || c->dc_tbl_no < 0 ||
            c->dc_tbl_no >= NUM_HUFF_TBLS || c->ac_tbl_no < 0 || c->ac_tbl_no >= NUM_HUFF_TBLS)
            return;
        const JQUANT_TBL *const quant = info.quant_tbl_ptrs[c->quant_tbl_no];
        const JHUFF_TBL *const dc = info.dc_huff_tbl_ptrs[c->dc_tbl_no];
        const JHUFF_TBL *const ac = info.ac_huff_tbl_ptrs[c->ac_tbl_no];
        if (!quant || !dc || !ac)
            return;
        Component &mine = m_components[size_t(i)];
        mine.h = c->h_samp_factor;
        mine.v = c->v_samp_factor;
        mine.dcTable = c->dc_tbl_no;
        mine.acTable = c->ac_tbl_no;
        mine.quant = quant->quantval[0];
        if (!m_dc[size_t(mine.dcTable)].present && !BuildTable(dc, false, m_dc[size_t(mine.dcTable)]))
            return;
        if (!m_ac[size_t(mine.acTable)].present && !BuildTable(ac, true, m_ac[size_t(mine.acTable)]))
            return;
    }
    const int hMax = info.max_h_samp_factor, vMax = info.max_v_samp_factor;
    if (m_componentCount == 1) {
        // A single component is not interleaved: its blocks run over the picture alone.
        m_components[0].h = m_components[0].v = 1;
        m_mcusWide = int((info.image_width + 7) / 8);
        m_mcusHigh = int((info.image_height + 7) / 8);
    } else {
        m_mcusWide = int((info.image_width + 8 * hMax - 1) / (8 * hMax));
        m_mcusHigh = int((info.image_height + 8 * vMax - 1) / (8 * vMax));
    }
    for (int i = 0; i < m_componentCount; ++i) {
        Component &c = m_components[size_t(i)];
        c.blocksWide = m_mcusWide * c.h;
        c.blocksHigh = m_mcusHigh * c.v;
        c.plane.assign(size_t(c.blocksWide) * size_t(c.blocksHigh), 0);
    }
    m_usable = true;
}

bool JpegDcDecoder::BuildTable(const void *huffTable, bool ac, Table &table)
{
    const auto *huff = static_cast<const JHUFF_TBL *>(huffTable);
    table.present = true;
    std::copy(std::begin(huff->huffval), std::end(huff->huffval), table.values.begin());
    // First each code alone: symbol and code length.
    int code = 0, index = 0;
    for (int length = 1; length <= 16; ++length) {
        table.valOffset[size_t(length)] = index - code;
        const int count = huff->bits[length];
        for (int n = 0; n < count && index < 256; ++n, ++index, ++code) {
            // More codes of a length than it has bit patterns: a damaged table.
            if (code >= (1 << length))
                return false;
            if (length > LookBits)
                continue;
            const int shift = LookBits - length;
            for (int fill = 0; fill < (1 << shift); ++fill)
                table.look[size_t((code << shift) | fill)] = std::uint32_t(huff->huffval[index] | length << 8);
        }
        table.maxCode[size_t(length)] = count ? code - 1 : -1;
        code <<= 1;
    }
    table.maxCode[17] = 0x7FFFFFFF; // ends the slow search of a broken code
    if (!ac)
        return true;

    // Then the AC steps: a code whose value bits fit too, and the code after it when that
    // also fits in the rest of the look-ahead.
    const auto single = table.look;
    // Stepping over a coefficient needs only its code in view, not its value bits.
    const auto fitted = [&single](int at, int available, int &drop, int &step) {
        const std::uint32_t entry = single[size_t(at)];
        const int length = int(entry >> 8 & 31), symbol = int(entry & 0xFF);
        const int run = symbol >> 4, size = symbol & 15;
        if (length == 0 || length > available)
            return false;
        drop = length + size;
        step = size == 0 ? (run == 15 ? 16 : 64) : run + 1;
        return true;
    };
    constexpr int Mask = (1 << LookBits) - 1;
    for (int at = 0; at <= Mask; ++at) {
        int drop = 0, step = 0;
        if (!fitted(at, LookBits, drop, step))
            continue;
        std::uint32_t entry = Stepped | std::uint32_t(drop) | std::uint32_t(step) << 5;
        int drop2 = 0, step2 = 0;
        if (step < 64 && drop < LookBits && fitted((at << drop) & Mask, LookBits - drop, drop2, step2))
            entry |= Paired | std::uint32_t(drop + drop2) << 12 | std::uint32_t(step + step2) << 17;
        table.look[size_t(at)] = entry;
    }
    return true;
}

int JpegDcDecoder::ReadByte()
{
    jpeg_source_mgr *const source = m_info.src;
    if (source->bytes_in_buffer == 0)
        (*source->fill_input_buffer)(&m_info);
    --source->bytes_in_buffer;
    return *source->next_input_byte++;
}

void JpegDcDecoder::Refill()
{
    while (m_count <= 56) {
        if (m_marker) {
            m_fakeBits += 8;
            m_count += 8;
            continue;
        }
        int byte = ReadByte();
        if (byte == 0xFF) {
            int next = ReadByte();
            while (next == 0xFF)
                next = ReadByte();
            if (next != 0) {
                m_marker = next;
                continue;
            }
        }
        m_bits |= std::uint64_t(byte) << (56 - m_count);
        m_count += 8;
    }
}

int JpegDcDecoder::DecodeSlow(const Table &table)
{
    int length = LookBits + 1;
    int code = int(m_bits >> (64 - length));
    while (code > table.maxCode[size_t(length)]) {
        ++length;
        if (length > 16)
            return -1;
        code = int(m_bits >> (64 - length));
    }
    m_bits <<= length;
    m_count -= length;
    const int index = code + table.valOffset[size_t(length)];
    return index >= 0 && index < 256 ? table.values[size_t(index)] : -1;
}

bool JpegDcDecoder::Restart()
{
    // The rest of the byte before the marker is padding.
    m_bits = 0;
    m_count = 0;
    m_fakeBits = 0;
    if (!m_marker) {
        int byte = ReadByte();
        if (byte != 0xFF)
            return false;
        while (byte == 0xFF)
            byte = ReadByte();
        m_marker = byte;
    }
    if (m_marker != JPEG_RST0 + m_nextRestart)
        return false;
    m_marker = 0;
    m_nextRestart = (m_nextRestart + 1) & 7;
    for (int i = 0; i < m_componentCount; ++i)
        m_components[size_t(i)].predictor = 0;
    return true;
}

bool JpegDcDecoder::Decode()
{
    // The reader's state lives in locals here, so that the compiler keeps it in
    // registers (hence the lambdas are always inlined: a call would take their
    // addresses); it goes back to the members only around the rare slow steps.
    jpeg_source_mgr *const source = m_info.src;
    std::uint64_t bits = m_bits;
    int count = m_count;
    const JOCTET *next = source->next_input_byte;
    size_t available = source->bytes_in_buffer;
    bool marker = m_marker != 0;
    const auto save = [&]() __attribute__((always_inline))
    {
        m_bits = bits;
        m_count = count;
        source->next_input_byte = next;
        source->bytes_in_buffer = available;
    };
    const auto load = [&]() __attribute__((always_inline))
    {
        bits = m_bits;
        count = m_count;
        next = source->next_input_byte;
        available = source->bytes_in_buffer;
        marker = m_marker != 0;
    };
    const auto refill = [&]() __attribute__((always_inline))
    {
        // As many whole bytes as fit, at once, while none of them is 0xFF (a stuffed
        // byte or a marker); anything else takes the slow way.
        if (available >= 8 && !marker) {
            const int fit = (64 - count) >> 3;
            const std::uint64_t word = qFromBigEndian<quint64>(next);
            const std::uint64_t inverted = ~word;
            const std::uint64_t hasFF = (inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull;
            const std::uint64_t window = fit == 8 ? ~0ull : ~(~0ull >> (8 * fit));
            if ((hasFF & window) == 0) {
                bits |= (word & window) >> count;
                count += 8 * fit;
                next += fit;
                available -= size_t(fit);
                return;
            }
        }
        save();
        Refill();
        load();
    };
    const auto take = [&](int n) __attribute__((always_inline))
    {
        const int value = int(bits >> (64 - n));
        bits <<= n;
        count -= n;
        return value;
    };

    const int restartInterval = int(m_info.restart_interval);
    int untilRestart = restartInterval;
    for (int my = 0; my < m_mcusHigh; ++my) {
        for (int mx = 0; mx < m_mcusWide; ++mx) {
            if (restartInterval) {
                if (untilRestart == 0) {
                    save();
                    if (!Restart())
                        return false;
                    load();
                    untilRestart = restartInterval;
                }
                --untilRestart;
            }
            for (int ci = 0; ci < m_componentCount; ++ci) {
                Component &c = m_components[size_t(ci)];
                const Table &dc = m_dc[size_t(c.dcTable)];
                const std::uint32_t *const acLook = m_ac[size_t(c.acTable)].look.data();
                for (int by = 0; by < c.v; ++by) {
                    for (int bx = 0; bx < c.h; ++bx) {
                        if (count < 32)
                            refill();
                        // The DC difference.
                        const unsigned entry = dc.look[size_t(bits >> (64 - LookBits))];
                        int size;
                        if (const int length = int(entry >> 8 & 31)) {
                            size = int(entry & 0xFF);
                            take(length);
                        } else {
                            save();
                            size = DecodeSlow(dc);
                            load();
                        }
                        if (size < 0 || size > 11)
                            return false;
                        if (size)
                            c.predictor += Extend(take(size), size);
                        const int value =
                            int(std::clamp<std::int64_t>((std::int64_t(c.predictor) * c.quant + 4) >> 3, -256, 256));
                        c.plane[size_t((my * c.v + by) * c.blocksWide + mx * c.h + bx)] = Clamp(value + 128);
                        // The AC coefficients, stepped over; the end of block steps past 63.
                        for (int k = 1; k < 64;) {
                            if (count < 32)
                                refill();
                            const std::uint32_t ac = acLook[bits >> (64 - LookBits)];
                            if (ac & Stepped) {
                                // Two codes at once unless the first one ends the block.
                                const int step = int(ac >> 5 & 127);
                                const bool both = (ac & Paired) && k + step < 64;
                                const int drop = both ? int(ac >> 12 & 31) : int(ac & 31);
                                bits <<= drop;
                                count -= drop;
                                k += both ? int(ac >> 17 & 255) : step;
                                continue;
                            }
                            int symbol;
                            if (const int length = int(ac >> 8 & 31)) {
                                symbol = int(ac & 0xFF);
                                take(length);
                            } else {
                                save();
                                symbol = DecodeSlow(m_ac[size_t(c.acTable)]);
                                load();
                                if (symbol < 0)
                                    return false;
                            }
                            const int run = symbol >> 4, extra = symbol & 15;
                            if (extra) {
                                take(extra);
                                k += run + 1;
                            } else if (run == 15) {
                                k += 16;
                            } else {
                                break;
                            }
                        }
                        if (count < m_fakeBits)
                            return false; // ran past the data into a marker
                    }
                }
            }
        }
        // A real DC value stays within a few thousand; one that runs off is damage, and
        // left to grow row after row it would overflow over a big picture.
        for (int ci = 0; ci < m_componentCount; ++ci) {
            const int predictor = m_components[size_t(ci)].predictor;
            if (predictor < -MaxDc || predictor > MaxDc)
                return false;
        }
    }
    save();
    return true;
}

QImage JpegDcDecoder::ToImage() const
{
    const int width = int(m_info.output_width), height = int(m_info.output_height);
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int hMax = m_componentCount == 1 ? 1 : m_info.max_h_samp_factor;
    const int vMax = m_componentCount == 1 ? 1 : m_info.max_v_samp_factor;
    // Factors are 1 or 2, so a component's sample of an output pixel is a shift away.
    const auto row = [&](const Component &c, int y) {
        return &c.plane[size_t(y >> (vMax / c.v - 1)) * size_t(c.blocksWide)];
    };
    const Component &luma = m_components[0];
    const int lumaShift = hMax / luma.h - 1;
    for (int y = 0; y < height; ++y) {
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        const std::uint8_t *l = row(luma, y);
        if (m_componentCount == 1) {
            for (int x = 0; x < width; ++x)
                out[x] = qRgb(l[x], l[x], l[x]);
            continue;
        }
        const Component &cb = m_components[1], &cr = m_components[2];
        const std::uint8_t *b = row(cb, y), *r = row(cr, y);
        const int blueShift = hMax / cb.h - 1, redShift = hMax / cr.h - 1;
        for (int x = 0; x < width; ++x) {
            // libjpeg's fixed-point YCbCr to RGB.
            const int lv = l[x >> lumaShift];
            const int bv = b[x >> blueShift] - 128;
            const int rv = r[x >> redShift] - 128;
            out[x] =
                qRgb(Clamp(lv + ((91881 * rv + 32768) >> 16)), Clamp(lv + ((-22554 * bv - 46802 * rv + 32768) >> 16)),
                     Clamp(lv + ((116130 * bv + 32768) >> 16)));
        }
    }
    return image;
}
