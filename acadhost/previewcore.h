// The preview picture a drawing file keeps, read from the file's bytes. Pure: the host maps
// the file and draws what this finds; every offset and size is checked against the bytes
// there are before it is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class PreviewFormat { None, Bitmap, Png };

// Where a drawing's picture lies in the file: a BMP without its file header (code 2), or a
// PNG (code 6, files of R2013 and later). None for files before R13, files without a
// picture, and broken preview blocks.
struct PreviewEntry {
    PreviewFormat format = PreviewFormat::None;
    size_t offset = 0, size = 0;
};
PreviewEntry findPreview(const uint8_t* file, size_t size);

// A picture as top-down rows of 0x00RRGGBB pixels.
struct PreviewImage {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};

// Decodes a BMP entry: 8 bits with its colour table, or 24 bits without one, uncompressed,
// rows bottom-up (or top-down for a negative height). False for anything else, and for a
// picture larger than its entry or than kMaxPreviewPixels.
const size_t kMaxPreviewPixels = 16u << 20;
bool decodeBitmap(const uint8_t* data, size_t size, PreviewImage& image);

// The place of a picture scaled to fit a box with its proportions kept, centred in it.
struct PreviewPlace {
    int left, top, width, height;
};
PreviewPlace fitPreview(int imageWidth, int imageHeight, int boxWidth, int boxHeight);
