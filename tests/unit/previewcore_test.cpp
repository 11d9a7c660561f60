// The preview reader on the drawings tests/drawings/generate.py writes (its manifest says
// what each holds: the colour of every cell of the picture, or why there is none), and, as
// Samples.*, on the real drawings beside the checkout when they are there.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "previewcore.h"

namespace {

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Case {
    std::string name, code, what, kind;
    int width = 0, height = 0, columns = 0, rows = 0;
    std::vector<uint32_t> colours;
};

std::vector<Case> manifest()
{
    std::ifstream in(DRAWINGS_DIR "/preview/manifest.txt");
    std::vector<Case> cases;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        Case c;
        words >> c.name >> c.code >> c.what;
        if (c.what == "picture") {
            words >> c.kind >> c.width >> c.height >> c.columns >> c.rows;
            std::string hex;
            while (words >> hex)
                c.colours.push_back(static_cast<uint32_t>(std::stoul(hex, nullptr, 16)));
        } else {
            words >> c.kind;  // the reason
        }
        cases.push_back(c);
    }
    return cases;
}

TEST(DwgPreview, FindsEveryGeneratedPictureAndRefusesTheRest)
{
    std::vector<Case> cases = manifest();
    ASSERT_GE(cases.size(), 20u) << "no manifest in " DRAWINGS_DIR " (the drawings.generate test makes it)";
    for (const Case& c : cases) {
        std::vector<uint8_t> file = readFile(DRAWINGS_DIR "/preview/" + c.name);
        ASSERT_FALSE(file.empty()) << c.name;
        PreviewEntry entry = findPreview(file.data(), file.size());
        PreviewImage image;
        bool decoded = entry.format == PreviewFormat::Bitmap &&
                       decodeBitmap(file.data() + entry.offset, entry.size, image);
        if (c.what == "none") {
            EXPECT_FALSE(decoded) << c.name << " (" << c.kind << ")";
            continue;
        }
        if (c.kind == "png") {
            EXPECT_EQ(entry.format, PreviewFormat::Png) << c.name;
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data() + entry.offset), 4), "\x89PNG") << c.name;
            continue;
        }
        ASSERT_TRUE(decoded) << c.name;
        ASSERT_EQ(image.width, c.width) << c.name;
        ASSERT_EQ(image.height, c.height) << c.name;
        // Every pixel has its cell's colour, the cells row by row from the top left.
        int wrong = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                wrong += image.at(x, y) != c.colours[static_cast<size_t>((y * c.rows / c.height) * c.columns + x * c.columns / c.width)];
        EXPECT_EQ(wrong, 0) << c.name;
    }
}

TEST(DwgPreview, EveryCutOfAGoodFileIsRefusedOrStillWithin)
{
    std::vector<uint8_t> file = readFile(DRAWINGS_DIR "/preview/r2000-24bit.dwg");
    ASSERT_FALSE(file.empty());
    PreviewEntry whole = findPreview(file.data(), file.size());
    ASSERT_EQ(whole.format, PreviewFormat::Bitmap);
    for (size_t n = 0; n < file.size(); ++n) {
        PreviewEntry entry = findPreview(file.data(), n);
        if (n < whole.offset + whole.size)
            EXPECT_EQ(entry.format, PreviewFormat::None) << n;
        else
            EXPECT_EQ(entry.offset + entry.size, whole.offset + whole.size) << n;
    }
}

TEST(DwgPreview, BitmapHeaders)
{
    // A 2 x 2 picture of 24 bits: rows of 6 bytes padded to 8, bottom-up.
    uint8_t bmp[40 + 16] = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0};
    const uint8_t pixels[16] = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    std::memcpy(bmp + 40, pixels, sizeof pixels);
    PreviewImage image;
    ASSERT_TRUE(decodeBitmap(bmp, sizeof bmp, image));
    EXPECT_EQ(image.at(0, 0), 0x090807u);  // the last row in the data is the top one
    EXPECT_EQ(image.at(1, 1), 0x060504u);
    EXPECT_FALSE(decodeBitmap(bmp, sizeof bmp - 1, image)) << "one byte short";
    struct Change {
        size_t at;
        uint8_t value;
        const char* what;
    } const refused[] = {
        {14, 16, "16 bits"},   {14, 32, "32 bits"},     {14, 4, "4 bits"}, {16, 1, "run-length compression"},
        {12, 2, "two planes"}, {0, 12, "a core header"}, {7, 0x80, "a negative width"}, {4, 0, "no width"},
    };
    for (const Change& change : refused) {
        uint8_t copy[sizeof bmp];
        std::memcpy(copy, bmp, sizeof bmp);
        copy[change.at] = change.value;
        EXPECT_FALSE(decodeBitmap(copy, sizeof copy, image)) << change.what;
    }
    uint8_t topDown[sizeof bmp];
    std::memcpy(topDown, bmp, sizeof bmp);
    topDown[8] = 0xFE, topDown[9] = topDown[10] = topDown[11] = 0xFF;  // height -2
    ASSERT_TRUE(decodeBitmap(topDown, sizeof topDown, image));
    EXPECT_EQ(image.at(0, 0), 0x030201u);
}

TEST(DwgPreview, FitKeepsProportionsAndCentres)
{
    struct {
        int iw, ih, bw, bh;
        PreviewPlace want;
    } const cases[] = {
        {100, 50, 200, 200, {0, 50, 200, 100}},  {50, 100, 200, 200, {50, 0, 100, 200}},
        {10, 10, 300, 100, {100, 0, 100, 100}},  {216, 140, 343, 150, {56, 0, 231, 150}},
        {512, 1, 100, 100, {0, 49, 100, 1}},     {1, 512, 100, 100, {49, 0, 1, 100}},
        {4000, 1, 10, 10, {0, 4, 10, 1}},        {100, 100, 0, 10, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        PreviewPlace p = fitPreview(c.iw, c.ih, c.bw, c.bh);
        EXPECT_EQ(p.left, c.want.left) << c.iw << "x" << c.ih << " in " << c.bw << "x" << c.bh;
        EXPECT_EQ(p.top, c.want.top) << c.iw << "x" << c.ih << " in " << c.bw << "x" << c.bh;
        EXPECT_EQ(p.width, c.want.width) << c.iw << "x" << c.ih << " in " << c.bw << "x" << c.bh;
        EXPECT_EQ(p.height, c.want.height) << c.iw << "x" << c.ih << " in " << c.bw << "x" << c.bh;
    }
}

// The real drawings: run on their own by unit.samples, which is skipped without them.
TEST(Samples, RealPreviews)
{
    struct {
        const char* file;
        PreviewFormat format;
        int width, height;
    } const cases[] = {
        {"example_r13.dwg", PreviewFormat::Bitmap, 216, 140}, {"v.dwg", PreviewFormat::Bitmap, 180, 116},
        {"sample_2000.dwg", PreviewFormat::Bitmap, 180, 88},  {"807_1.dwg", PreviewFormat::Bitmap, 512, 265},
        {"HatchG.dwg", PreviewFormat::Bitmap, 184, 113},      {"Point.dwg", PreviewFormat::Bitmap, 256, 102},
        {"Line.dwg", PreviewFormat::Bitmap, 256, 102},        {"circle.dwg", PreviewFormat::Png, 0, 0},
        {"sample_2018.dwg", PreviewFormat::Png, 0, 0},        {"PolyLine2D.dwg", PreviewFormat::None, 0, 0},
        {"entities-3d.dwg", PreviewFormat::None, 0, 0},       {"tmp_line.dwg", PreviewFormat::None, 0, 0},
        {"dim.dwg", PreviewFormat::None, 0, 0},               {"block.dwg", PreviewFormat::None, 0, 0},
        {"r9/entities.dwg", PreviewFormat::None, 0, 0},       {"r1.4/entities.dwg", PreviewFormat::None, 0, 0},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> file = readFile(std::string(SAMPLES_DIR "/dwg/") + c.file);
        ASSERT_FALSE(file.empty()) << c.file;
        PreviewEntry entry = findPreview(file.data(), file.size());
        EXPECT_EQ(entry.format, c.format) << c.file;
        if (c.format != PreviewFormat::Bitmap)
            continue;
        PreviewImage image;
        ASSERT_TRUE(decodeBitmap(file.data() + entry.offset, entry.size, image)) << c.file;
        EXPECT_EQ(image.width, c.width) << c.file;
        EXPECT_EQ(image.height, c.height) << c.file;
    }
}

}  // namespace
