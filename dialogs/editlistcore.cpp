#include "editlistcore.h"

#include <cstdlib>

namespace {

enum Colour { BLACK = 0, DARK_RED = 1, GREY = 7, SILVER = 8, YELLOW = 11, WHITE = 15 };

// The 16 colours of the classic palette, as blue, green, red.
const unsigned char kPalette[16][3] = {
    {0, 0, 0},     {0, 0, 128},   {0, 128, 0},   {0, 128, 128}, {128, 0, 0},   {128, 0, 128},
    {128, 128, 0}, {128, 128, 128}, {192, 192, 192}, {0, 0, 255}, {0, 255, 0},  {0, 255, 255},
    {255, 0, 0},   {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};

// New: a dotted sheet with a yellow spark at its top-left corner.
int newGlyph(int x, int y)
{
    // The spark: a small star centred on (5, 4), its rays drawn over the sheet's corner.
    int dx = x - 5, dy = y - 4;
    bool ray = (dy == 0 && std::abs(dx) <= 3) || (dx == 0 && std::abs(dy) <= 3) ||
               (std::abs(dx) == std::abs(dy) && std::abs(dx) <= 2);
    if (ray)
        return std::abs(dx) + std::abs(dy) == 0 ? WHITE : YELLOW;
    bool edge = ((x == 7 || x == 17) && y >= 6 && y <= 17) || ((y == 6 || y == 17) && x >= 7 && x <= 17);
    if (edge)
        return (x + y) % 2 == 0 ? BLACK : SILVER;
    return SILVER;
}

// Delete: a dark red cross, three pixels thick.
int deleteGlyph(int x, int y)
{
    if (x < 5 || x > 16 || y < 4 || y > 15)
        return SILVER;
    bool down = std::abs((x - y) - 1) <= 1;
    bool up = std::abs((x + y) - 20) <= 1;
    return down || up ? DARK_RED : SILVER;
}

// Move Up: a black arrow, the head on rows 4 to 10 and the stem below it; Move Down is its
// mirror image.
int upGlyph(int x, int y)
{
    if (y >= 4 && y <= 10) {
        int k = y - 4;
        return x >= 10 - k && x <= 11 + k ? BLACK : SILVER;
    }
    if (y >= 11 && y <= 15)
        return x >= 9 && x <= 12 ? BLACK : SILVER;
    return SILVER;
}

void put16(std::vector<unsigned char>& out, unsigned value)
{
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& out, unsigned long value)
{
    put16(out, static_cast<unsigned>(value & 0xFFFF));
    put16(out, static_cast<unsigned>((value >> 16) & 0xFFFF));
}

}  // namespace

int toolStripPixel(int x, int y)
{
    if (x < 0 || x >= kToolStripWidth || y < 0 || y >= kToolStripHeight)
        return SILVER;
    int local = x % kToolButtonWidth;
    switch (x / kToolButtonWidth) {
    case 0:
        return newGlyph(local, y);
    case 1:
        return deleteGlyph(local, y);
    case 2:
        return upGlyph(local, y);
    default:
        return upGlyph(local, kToolStripHeight - 1 - y);
    }
}

std::vector<unsigned char> toolStripBitmapFile()
{
    const unsigned rowBytes = kToolStripWidth / 2;  // 44: already a multiple of 4
    const unsigned pixelBytes = rowBytes * kToolStripHeight;
    std::vector<unsigned char> out;
    out.reserve(kToolStripPixelOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, kToolStripPixelOffset + pixelBytes);
    put32(out, 0);
    put32(out, kToolStripPixelOffset);
    put32(out, 40);  // the information header
    put32(out, kToolStripWidth);
    put32(out, kToolStripHeight);
    put16(out, 1);  // planes
    put16(out, 4);  // bits per pixel
    put32(out, 0);  // uncompressed
    put32(out, pixelBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (const auto& colour : kPalette) {
        out.insert(out.end(), colour, colour + 3);
        out.push_back(0);
    }
    for (int y = kToolStripHeight - 1; y >= 0; --y)
        for (int x = 0; x < kToolStripWidth; x += 2)
            out.push_back(static_cast<unsigned char>(toolStripPixel(x, y) << 4 | toolStripPixel(x + 1, y)));
    return out;
}

long toolStripTop(long height)
{
    return (height - kToolStripHeight) / 2;
}

PixelRect toolButtonRect(int i, long width, long height)
{
    long top = toolStripTop(height);
    long left = width - kToolStripWidth + kToolButtonWidth * i;
    return {left, top, left + kToolButtonWidth, top + kToolStripHeight};
}

PixelRect toolFrameRect(int i, long width, long height)
{
    PixelRect r = toolButtonRect(i, width, height);
    return {r.left - 2, r.top, r.right - 2, r.bottom};
}
