#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "splashcore.h"

namespace {

// A bitmap file: the headers of a 40-byte info header, a colour table and `pixels` bytes.
struct Bitmap {
    int32_t width = 4, height = 4;
    uint16_t bits = 24;
    uint32_t compression = 0, imageSize = 0, used = 0;
    uint32_t tableEntries = 0;
    uint64_t pixels = 4 * 12;
    int64_t offset = -1;  // -1: right after the table

    std::vector<unsigned char> head;
    unsigned long long size = 0;

    Bitmap& make()
    {
        unsigned long long at = 14 + 40 + 4ULL * tableEntries;
        uint32_t off = offset < 0 ? static_cast<uint32_t>(at) : static_cast<uint32_t>(offset);
        size = at + pixels;
        head.assign(14 + 40, 0);
        auto put16 = [&](size_t p, uint32_t v) { head[p] = v & 0xFF, head[p + 1] = v >> 8 & 0xFF; };
        auto put32 = [&](size_t p, uint32_t v) { put16(p, v & 0xFFFF), put16(p + 2, v >> 16); };
        head[0] = 'B', head[1] = 'M';
        put32(2, static_cast<uint32_t>(size));
        put32(10, off);
        put32(14, 40);
        put32(18, static_cast<uint32_t>(width));
        put32(22, static_cast<uint32_t>(height));
        put16(26, 1);
        put16(28, bits);
        put32(30, compression);
        put32(34, imageSize);
        put32(46, used);
        return *this;
    }
    bool sound() const { return bitmapFileSound(head.data(), head.size(), size); }
};

TEST(BitmapFile, TheShapesThatEndedTheHost)
{
    Bitmap wide;
    wide.width = wide.height = 1000, wide.pixels = 100;
    EXPECT_FALSE(wide.make().sound()) << "1000 x 1000, 24-bit, 100 bytes of pixels";

    Bitmap mono;
    mono.width = mono.height = 20000, mono.bits = 1, mono.tableEntries = 2, mono.pixels = 64;
    EXPECT_FALSE(mono.make().sound()) << "20000 x 20000, 1-bit, 64 bytes";

    for (int64_t offset : {0x7FFFFFFFLL, 0xFFFFFFF0LL}) {
        Bitmap far;
        far.offset = offset;
        EXPECT_FALSE(far.make().sound()) << "pixel offset " << offset;
    }
}

TEST(BitmapFile, SoundFilesPass)
{
    const struct {
        int32_t width, height;
        uint16_t bits;
        uint32_t tableEntries;
        uint64_t pixels;
    } cases[] = {
        {4, 4, 24, 0, 48},       // rows of 12 bytes
        {5, 3, 24, 0, 48},       // 15 bytes padded to 16
        {400, 300, 8, 256, 400 * 300},
        {33, 2, 1, 2, 16},       // 33 bits: two words a row
        {3, -3, 32, 0, 36},      // top-down
        {1, 1, 4, 16, 4},
    };
    for (const auto& c : cases) {
        Bitmap b;
        b.width = c.width, b.height = c.height, b.bits = c.bits, b.tableEntries = c.tableEntries, b.pixels = c.pixels;
        EXPECT_TRUE(b.make().sound()) << c.width << " x " << c.height << " x " << c.bits;
        b.pixels -= 1;
        EXPECT_FALSE(b.make().sound()) << c.width << " x " << c.height << " x " << c.bits << ", a byte short";
    }
}

TEST(BitmapFile, MalformedHeadersAreRefused)
{
    auto with = [](auto change) {
        Bitmap b;
        change(b.make());
        return b.sound();
    };
    EXPECT_FALSE(with([](Bitmap& b) { b.head[1] = 'X'; }));
    EXPECT_FALSE(with([](Bitmap& b) { b.head[14] = 41; }));              // an unknown header size
    EXPECT_FALSE(with([](Bitmap& b) { b.head[26] = 2; }));               // two planes
    EXPECT_FALSE(with([](Bitmap& b) { b.head[28] = 7; }));               // 7 bits a pixel
    EXPECT_FALSE(with([](Bitmap& b) { b.head[30] = 4; }));               // JPEG inside
    EXPECT_FALSE(with([](Bitmap& b) { b.head[30] = 1; }));               // RLE8 at 24 bits
    EXPECT_FALSE(with([](Bitmap& b) { b.head[18] = b.head[19] = b.head[20] = b.head[21] = 0; }));  // no width
    EXPECT_FALSE(with([](Bitmap& b) { b.head[22] = b.head[23] = b.head[24] = b.head[25] = 0; }));  // no height
    EXPECT_FALSE(with([](Bitmap& b) { b.head[10] = 10; }));              // pixels inside the headers
    EXPECT_FALSE(with([](Bitmap& b) { b.head.resize(20); }));            // a file that ends in its header
    EXPECT_FALSE(with([](Bitmap& b) { b.head[25] = 0x80; }));            // height -2^31

    Bitmap huge;  // width x bits past 2^32, height past what fits
    huge.width = 0x7FFFFFFF, huge.height = 0x7FFFFFFF, huge.bits = 32;
    EXPECT_FALSE(huge.make().sound());

    Bitmap table;  // a colour table said to run past the file's end
    table.bits = 8, table.tableEntries = 0, table.used = 256, table.pixels = 16;
    table.width = 4;
    EXPECT_FALSE(table.make().sound());
}

TEST(BitmapFile, RunLengthData)
{
    Bitmap rle;
    rle.bits = 8, rle.compression = 1, rle.tableEntries = 256, rle.pixels = 20, rle.imageSize = 20;
    EXPECT_TRUE(rle.make().sound());
    rle.imageSize = 21;
    EXPECT_FALSE(rle.make().sound()) << "more data than the file holds";
    rle.imageSize = 0;
    EXPECT_FALSE(rle.make().sound()) << "no size";
    rle.imageSize = 20, rle.width = 20000, rle.height = 20000;
    EXPECT_FALSE(rle.make().sound()) << "400 MB to decode into";
    rle.width = 4, rle.height = -4;
    EXPECT_FALSE(rle.make().sound()) << "top-down run-length data";
}

}  // namespace

TEST(Splash, PlacementPaletteAndTime)
{
    const struct {
        long right, bottom, width, height, x, y;
    } cases[] = {
        {1024, 768, 400, 300, 312, 234},
        {1024, 768, 401, 301, 312, 234},  // each half cut: 512 - 200, 384 - 150
        {1024, 768, 2000, 100, -488, 334},
    };
    for (const auto& c : cases) {
        SplashOrigin o = splashOrigin(c.right, c.bottom, c.width, c.height);
        EXPECT_EQ(c.x, o.x) << c.width << "x" << c.height;
        EXPECT_EQ(c.y, o.y) << c.width << "x" << c.height;
    }
    const struct {
        int i;
        int r, g, b;
    } entries[] = {{0, 0, 0, 0}, {1, 32, 0, 0}, {7, 224, 0, 0}, {8, 0, 32, 0}, {63, 224, 224, 0},
                   {64, 0, 0, 64}, {255, 224, 224, 192}};
    for (const auto& e : entries) {
        PaletteColour c = defaultPaletteEntry(e.i);
        EXPECT_EQ(e.r, c.red) << e.i;
        EXPECT_EQ(e.g, c.green) << e.i;
        EXPECT_EQ(e.b, c.blue) << e.i;
    }
    EXPECT_EQ(3000u, splashMillis(3));
    EXPECT_EQ(0x7FFFFFFFu, splashMillis(2147483647));
    EXPECT_EQ(0u, splashMillis(-1));
}
