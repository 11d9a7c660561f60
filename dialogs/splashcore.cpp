#include "splashcore.h"

#include <cstdint>

namespace {

uint32_t u16(const unsigned char* p)
{
    return p[0] | p[1] << 8;
}

uint32_t u32(const unsigned char* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3 };

const unsigned long long kMostDecoded = 256ULL << 20;

}  // namespace

bool bitmapFileSound(const unsigned char* head, std::size_t headLength, unsigned long long fileSize)
{
    if (headLength < 14 + 12 || head[0] != 'B' || head[1] != 'M')
        return false;
    const unsigned long long offset = u32(head + 10);
    const uint32_t infoSize = u32(head + 14);
    const bool core = infoSize == 12;
    if (!core && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 64 && infoSize != 108 &&
        infoSize != 124)
        return false;
    if (headLength < 14 + infoSize || fileSize < 14 + infoSize)
        return false;

    const unsigned char* info = head + 14;
    long long width, height;
    uint32_t planes, bits, compression = kRgb, used = 0, imageSize = 0;
    if (core) {
        width = u16(info + 4);
        height = u16(info + 6);
        planes = u16(info + 8);
        bits = u16(info + 10);
    } else {
        width = static_cast<int32_t>(u32(info + 4));
        height = static_cast<int32_t>(u32(info + 8));  // below zero: rows from the top down
        planes = u16(info + 12);
        bits = u16(info + 14);
        compression = u32(info + 16);
        imageSize = u32(info + 20);
        used = u32(info + 32);
    }
    if (height < 0)
        height = -height;
    if (planes != 1 || width <= 0 || height <= 0)
        return false;
    switch (compression) {
    case kRgb:
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
            return false;
        break;
    case kRle8:
    case kRle4:
        if (bits != (compression == kRle8 ? 8u : 4u) || static_cast<int32_t>(u32(info + 8)) < 0)
            return false;
        break;
    case kBitfields:
        if (bits != 16 && bits != 32)
            return false;
        break;
    default:
        return false;  // JPEG, PNG and the rest are not the system's to load as bitmaps
    }

    // The colour table and the masks, as far as the loader reads them: as many colours as
    // the header says (at most 256, and any depth may have them), else a full table for a
    // depth of 8 or less; three masks after any header with bit fields.
    unsigned long long entries = used ? (used < 256 ? used : 256) : bits <= 8 ? 1u << bits : 0;
    if (core)
        entries = bits <= 8 ? 1u << bits : 0;
    unsigned long long tableEnd = 14ULL + infoSize + entries * (core ? 3 : 4);
    if (compression == kBitfields)
        tableEnd += 12;
    if (tableEnd > fileSize || offset < 14ULL + infoSize || offset >= fileSize)
        return false;

    // A row is a whole number of four-byte words. width < 2^31 and bits <= 32: no overflow.
    const unsigned long long stride = (static_cast<unsigned long long>(width) * bits + 31) / 32 * 4;
    const unsigned long long room = fileSize - offset;
    if (compression == kRle8 || compression == kRle4) {
        if (imageSize == 0 || imageSize > room)
            return false;
        return static_cast<unsigned long long>(height) <= kMostDecoded / stride;
    }
    return static_cast<unsigned long long>(height) <= room / stride;
}

SplashOrigin splashOrigin(long desktopRight, long desktopBottom, long width, long height)
{
    return {desktopRight / 2 - width / 2, desktopBottom / 2 - height / 2};
}

PaletteColour defaultPaletteEntry(int i)
{
    return {static_cast<unsigned char>(32 * (i % 8)), static_cast<unsigned char>(32 * ((i / 8) % 8)),
            static_cast<unsigned char>(64 * (i / 64))};
}

unsigned splashMillis(int seconds)
{
    long long millis = static_cast<long long>(seconds) * 1000;
    return millis > 0x7FFFFFFF ? 0x7FFFFFFFu : millis < 0 ? 0u : static_cast<unsigned>(millis);
}
