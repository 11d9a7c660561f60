#include "previewcore.h"

#include <cstring>

namespace {

const uint8_t kStart[16] = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28,
                            0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};
const size_t kAddressAt = 0x0D;
const size_t kEntrySize = 9;  // code, offset, size

uint32_t u32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
int32_t s32(const uint8_t* p) { return static_cast<int32_t>(u32(p)); }
uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Releases from R13 (AC1012) on keep a preview address in their header; earlier ones do not.
bool keepsPreview(const uint8_t* file)
{
    if (file[0] != 'A' || file[1] != 'C')
        return false;
    int number = 0;
    for (int i = 2; i < 6; ++i) {
        if (file[i] < '0' || file[i] > '9')
            return false;
        number = number * 10 + (file[i] - '0');
    }
    return number >= 1012;
}

// Whether [offset, offset + length) lies within size bytes.
bool within(size_t offset, size_t length, size_t size) { return offset <= size && length <= size - offset; }

}  // namespace

PreviewEntry findPreview(const uint8_t* file, size_t size)
{
    PreviewEntry none;
    if (!within(0, kAddressAt + 4, size) || !keepsPreview(file))
        return none;
    size_t block = u32(file + kAddressAt);
    if (!within(block, sizeof kStart + 5, size) || std::memcmp(file + block, kStart, sizeof kStart) != 0)
        return none;
    size_t count = file[block + sizeof kStart + 4];
    size_t table = block + sizeof kStart + 5;
    if (!within(table, count * kEntrySize, size))
        return none;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = file + table + i * kEntrySize;
        PreviewFormat format = entry[0] == 2 ? PreviewFormat::Bitmap : entry[0] == 6 ? PreviewFormat::Png
                                                                                     : PreviewFormat::None;
        if (format == PreviewFormat::None)
            continue;  // header data, a metafile
        size_t offset = u32(entry + 1), length = u32(entry + 5);
        if (length == 0 || !within(offset, length, size))
            return none;
        return {format, offset, length};
    }
    return none;
}

bool decodeBitmap(const uint8_t* data, size_t size, PreviewImage& image)
{
    if (size < 40)
        return false;
    uint32_t headerSize = u32(data);
    int32_t width = s32(data + 4), height = s32(data + 8);
    uint16_t planes = u16(data + 12), bits = u16(data + 14);
    uint32_t compression = u32(data + 16), used = u32(data + 32);
    if (headerSize < 40 || headerSize > size || planes != 1 || compression != 0 || (bits != 8 && bits != 24))
        return false;
    bool topDown = height < 0;
    int64_t rows = topDown ? -static_cast<int64_t>(height) : height;
    if (width <= 0 || rows <= 0 || static_cast<uint64_t>(width) * static_cast<uint64_t>(rows) > kMaxPreviewPixels)
        return false;
    size_t colours = bits == 8 ? (used == 0 ? 256 : used) : 0;
    if (colours > 256)
        return false;
    size_t table = headerSize, pixels = table + colours * 4;
    size_t stride = (static_cast<size_t>(width) * bits / 8 + 3) & ~static_cast<size_t>(3);
    if (!within(table, colours * 4, size) || !within(pixels, stride * static_cast<size_t>(rows), size))
        return false;

    image.width = width;
    image.height = static_cast<int>(rows);
    image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(rows), 0);
    for (int64_t y = 0; y < rows; ++y) {
        const uint8_t* row = data + pixels + stride * static_cast<size_t>(topDown ? y : rows - 1 - y);
        uint32_t* out = &image.pixels[static_cast<size_t>(y) * static_cast<size_t>(width)];
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* bgr = bits == 24 ? row + 3 * x : nullptr;
            if (bits == 8) {
                size_t index = row[x];
                if (index >= colours)
                    return false;  // a pixel naming no colour of the table
                bgr = data + table + 4 * index;
            }
            out[x] = static_cast<uint32_t>(bgr[2]) << 16 | static_cast<uint32_t>(bgr[1]) << 8 | bgr[0];
        }
    }
    return true;
}

PreviewPlace fitPreview(int imageWidth, int imageHeight, int boxWidth, int boxHeight)
{
    if (imageWidth <= 0 || imageHeight <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return {0, 0, 0, 0};
    // The wider of the two proportions decides: the picture fills the box's width or height.
    int64_t w = boxWidth, h = boxHeight;
    if (static_cast<int64_t>(imageWidth) * boxHeight > static_cast<int64_t>(boxWidth) * imageHeight)
        h = static_cast<int64_t>(imageHeight) * boxWidth / imageWidth;
    else
        w = static_cast<int64_t>(imageWidth) * boxHeight / imageHeight;
    if (w < 1)
        w = 1;
    if (h < 1)
        h = 1;
    return {static_cast<int>((boxWidth - w) / 2), static_cast<int>((boxHeight - h) / 2), static_cast<int>(w),
            static_cast<int>(h)};
}
