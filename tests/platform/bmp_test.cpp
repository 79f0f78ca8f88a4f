#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "draw_test_support.h"
#include "platform/bmp.h"

// The layouts below name only the fields they set; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

constexpr uint32_t untouched = 0x12345678;

// A BMP file put together field by field, so each test states the layout it means.
struct BmpSpec {
    uint32_t headerSize = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> masks;     // written inside a large header or after a 40-byte one
    std::vector<uint32_t> palette;   // 0x00RRGGBB
    uint32_t coloursUsed = 0;
    std::vector<std::vector<uint8_t>> rows;  // stored order, unpadded
    bool padLastRow = true;
};

void put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    if (out.size() < at + 2) out.resize(at + 2);
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    put16(out, at, v & 0xFFFF);
    put16(out, at + 2, v >> 16);
}

std::vector<uint8_t> buildBmp(const BmpSpec& spec) {
    std::vector<uint8_t> out(14 + spec.headerSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 14, spec.headerSize);
    if (spec.headerSize == 12) {
        put16(out, 18, static_cast<uint32_t>(spec.width));
        put16(out, 20, static_cast<uint32_t>(spec.height));
        put16(out, 22, 1);
        put16(out, 24, spec.bitsPerPixel);
    } else {
        put32(out, 18, static_cast<uint32_t>(spec.width));
        put32(out, 22, static_cast<uint32_t>(spec.height));
        put16(out, 26, 1);
        put16(out, 28, spec.bitsPerPixel);
        put32(out, 30, spec.compression);
        put32(out, 46, spec.coloursUsed);
    }
    for (size_t i = 0; i < spec.masks.size(); ++i) {
        if (spec.headerSize > 40) put32(out, 54 + 4 * i, spec.masks[i]);
        else put32(out, out.size(), spec.masks[i]);
    }
    for (uint32_t colour : spec.palette) {
        out.push_back(colour & 0xFF);
        out.push_back(colour >> 8 & 0xFF);
        out.push_back(colour >> 16 & 0xFF);
        if (spec.headerSize != 12) out.push_back(0);
    }
    put32(out, 10, static_cast<uint32_t>(out.size()));
    for (size_t r = 0; r < spec.rows.size(); ++r) {
        out.insert(out.end(), spec.rows[r].begin(), spec.rows[r].end());
        if (spec.padLastRow || r + 1 < spec.rows.size()) {
            while ((out.size() - (out[10] | out[11] << 8)) % 4) out.push_back(0);
        }
    }
    put32(out, 2, static_cast<uint32_t>(out.size()));
    return out;
}

std::vector<uint8_t> le16(std::initializer_list<uint32_t> values) {
    std::vector<uint8_t> out;
    for (uint32_t v : values) out.insert(out.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)});
    return out;
}
std::vector<uint8_t> le32(std::initializer_list<uint32_t> values) {
    std::vector<uint8_t> out;
    for (uint32_t v : values)
        out.insert(out.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                               static_cast<uint8_t>(v >> 24)});
    return out;
}

int decodeInto(const std::vector<uint8_t>& file, Image& image) { return decodeBmp(file.data(), file.size(), &image); }

// Loads into an image of the given size and answers its pixels, top row first.
std::vector<uint32_t> decoded(const std::vector<uint8_t>& file, int32_t width, int32_t height) {
    Image image = makeImage(width, height, untouched);
    EXPECT_EQ(decodeInto(file, image), bmpLoaded);
    return image.pixels;
}

class BmpTest : public ::testing::Test {
protected:
    void SetUp() override { ensureScreenOpen(); }
};

TEST_F(BmpTest, DirectColourLayouts) {
    struct Case {
        const char* name;
        BmpSpec spec;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {"24-bit bottom-up with padding, magenta stays the key colour",
         {.width = 3, .height = 2, .rows = {{0, 0, 0, 255, 255, 255, 1, 2, 3}, {255, 0, 255, 0, 0, 255, 0, 255, 0}}},
         {0xFFFF00FF, 0xFFFF0000, 0xFF00FF00, 0xFF000000, 0xFFFFFFFF, 0xFF030201}},
        {"24-bit top-down",
         {.width = 1, .height = -2, .rows = {{1, 2, 3}, {4, 5, 6}}},
         {0xFF030201, 0xFF060504}},
        {"32-bit plain: the fourth byte is alpha, zero included",
         {.width = 2, .height = 1, .bitsPerPixel = 32, .rows = {le32({0x00FF00FF, 0x80123456})}},
         {0x00FF00FF, 0x80123456}},
        {"16-bit plain: 5-5-5, top bit ignored, channels widened",
         {.width = 3, .height = 1, .bitsPerPixel = 16, .rows = {le16({0xFFFF, 0x7C00, 0x0421})}},
         {0xFFFFFFFF, 0xFFFF0000, 0xFF080808}},
        {"16-bit 5-6-5 masks after a 40-byte header",
         {.width = 2, .height = 1, .bitsPerPixel = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
          .rows = {le16({0xF800, 0x0020})}},
         {0xFFFF0000, 0xFF000400}},
        {"16-bit bit fields declared but no room for masks: 5-6-5",
         {.width = 2, .height = 1, .bitsPerPixel = 16, .compression = 3, .rows = {le16({0x07E0, 0xF81F})}},
         {0xFF00FF00, 0xFFFF00FF}},
        {"16-bit 4-4-4-4 with an alpha mask in a V5 header",
         {.headerSize = 124, .width = 2, .height = 1, .bitsPerPixel = 16, .compression = 3,
          .masks = {0x0F00, 0x00F0, 0x000F, 0xF000}, .rows = {le16({0x8F00, 0x0123})}},
         {0x88FF0000, 0x00112233}},
        {"16-bit 1-5-5-5 alpha bit in a V4 header",
         {.headerSize = 108, .width = 2, .height = 1, .bitsPerPixel = 16, .compression = 3,
          .masks = {0x7C00, 0x03E0, 0x001F, 0x8000}, .rows = {le16({0x001F, 0x801F})}},
         {0x000000FF, 0xFF0000FF}},
        {"32-bit masks after a 40-byte header: no alpha mask, fourth byte is alpha",
         {.width = 1, .height = 1, .bitsPerPixel = 32, .compression = 3, .masks = {0xFF, 0xFF00, 0xFF0000},
          .rows = {le32({0x7F332211})}},
         {0x7F112233}},
        {"32-bit alpha bit fields (6) after a 40-byte header",
         {.width = 1, .height = 1, .bitsPerPixel = 32, .compression = 6,
          .masks = {0xFF000000, 0xFF0000, 0xFF00, 0xFF}, .rows = {le32({0x11223344})}},
         {0x44112233}},
        {"32-bit 10-10-10 keeps the top 8 bits; no byte is free for alpha",
         {.headerSize = 56, .width = 1, .height = 1, .bitsPerPixel = 32, .compression = 3,
          .masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0}, .rows = {le32({0xFFF00000 | 0x3FF})}},
         {0xFFFF00FF}},
        {"narrow channels repeat their top bits",
         {.headerSize = 56, .width = 2, .height = 1, .bitsPerPixel = 16, .compression = 3,
          .masks = {0x1, 0xE, 0x70, 0x380}, .rows = {le16({0x1 | 0xA | 0x30 | 0x280, 0})}},
         {0xB6FFB66D, 0x00000000}},
        {"last row without its padding",
         {.width = 1, .height = 2, .rows = {{1, 2, 3}, {4, 5, 6}}, .padLastRow = false},
         {0xFF060504, 0xFF030201}},
    };
    for (const Case& c : cases) {
        const int32_t height = std::abs(c.spec.height);
        EXPECT_EQ(decoded(buildBmp(c.spec), c.spec.width, height), c.expected) << c.name;
    }
}

TEST_F(BmpTest, PaletteLayouts) {
    struct Case {
        const char* name;
        BmpSpec spec;
        std::vector<uint32_t> expected;
    };
    const std::vector<uint32_t> four = {0x000000, 0xFF00FF, 0x123456, 0xFFFFFF};
    const Case cases[] = {
        {"1-bit, nine columns over two bytes",
         {.width = 9, .height = 1, .bitsPerPixel = 1, .palette = {0x0000FF, 0xFFFF00}, .rows = {{0b10100000, 0b10000000}}},
         {0xFFFFFF00, 0xFF0000FF, 0xFFFFFF00, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFFFFFF00}},
        {"4-bit odd width, high nibble first",
         {.width = 3, .height = 1, .bitsPerPixel = 4, .palette = four, .coloursUsed = 4, .rows = {{0x12, 0x30}}},
         {0xFFFF00FF, 0xFF123456, 0xFFFFFFFF}},
        {"8-bit, indices past the palette read as black",
         {.width = 3, .height = 1, .bitsPerPixel = 8, .palette = four, .coloursUsed = 4, .rows = {{3, 4, 255}}},
         {0xFFFFFFFF, 0xFF000000, 0xFF000000}},
        {"8-bit under the 12-byte core header, three-byte palette entries",
         {.headerSize = 12, .width = 2, .height = 1, .bitsPerPixel = 8, .palette = std::vector<uint32_t>(256, 0x010203),
          .rows = {{0, 7}}},
         {0xFF010203, 0xFF010203}},
    };
    for (const Case& c : cases) EXPECT_EQ(decoded(buildBmp(c.spec), c.spec.width, 1), c.expected) << c.name;
}

// Only the top-left part both cover is written; the rest of the image keeps its pixels.
TEST_F(BmpTest, FileAndImageOverlap) {
    const BmpSpec spec{.width = 3, .height = 2, .bitsPerPixel = 32,
                       .rows = {le32({0xAA000004, 0xAA000005, 0xAA000006}), le32({0xAA000001, 0xAA000002, 0xAA000003})}};
    EXPECT_EQ(decoded(buildBmp(spec), 2, 3), (std::vector<uint32_t>{0xAA000001, 0xAA000002, 0xAA000004, 0xAA000005,
                                                                    untouched, untouched}));
    EXPECT_EQ(decoded(buildBmp(spec), 4, 1), (std::vector<uint32_t>{0xAA000001, 0xAA000002, 0xAA000003, untouched}));
}

TEST_F(BmpTest, UnreadableFilesLeaveTheImageUnchanged) {
    const BmpSpec good{.width = 2, .height = 2, .bitsPerPixel = 32, .rows = {le32({1, 2}), le32({3, 4})}};
    const std::vector<uint8_t> base = buildBmp(good);
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
    };
    auto with = [&](size_t at, uint32_t value, int bytes = 4) {
        std::vector<uint8_t> file = base;
        if (bytes == 2) put16(file, at, value);
        else put32(file, at, value);
        return file;
    };
    auto from = [](BmpSpec spec) { return buildBmp(spec); };
    const Case cases[] = {
        {"wrong magic", with(0, 'B' | 'A' << 8, 2)},
        {"zero width", with(18, 0)},
        {"negative width", with(18, static_cast<uint32_t>(-2))},
        {"zero height", with(22, 0)},
        {"most negative height", with(22, 0x80000000u)},
        {"2 bits per pixel", with(28, 2, 2)},
        {"0 bits per pixel", with(28, 0, 2)},
        {"run-length coding", with(30, 1)},
        {"compressed 4-bit runs", with(30, 2)},
        {"embedded picture format", with(30, 4)},
        {"unknown header size", with(14, 64)},
        {"header past the end", with(14, 124)},
        {"pixels past the end", with(10, 0xFFFFFFF0u)},
        {"huge size claimed", with(18, 60000) /* and 2 rows of 60000 pixels are not there */},
        {"bit fields for 24-bit", from({.width = 1, .height = 1, .compression = 3, .masks = {0xFF, 0xFF00, 0xFF0000}, .rows = {{1, 2, 3}}})},
        {"bit fields for 8-bit", from({.width = 1, .height = 1, .bitsPerPixel = 8, .compression = 3, .palette = {0}, .rows = {{0}}})},
        {"split mask", from({.width = 1, .height = 1, .bitsPerPixel = 32, .compression = 3, .masks = {0xF0F, 0xF000, 0xF0000}, .rows = {le32({1})}})},
        {"16-bit mask above 16 bits", from({.width = 1, .height = 1, .bitsPerPixel = 16, .compression = 3, .masks = {0x1F0000, 0x7E0, 0x1F}, .rows = {le16({1})}})},
        {"palette past the end", from({.width = 1, .height = 1, .bitsPerPixel = 8, .palette = {0}, .coloursUsed = 200, .rows = {}})},
        {"empty", {}},
    };
    for (const Case& c : cases) {
        Image image = makeImage(2, 2, untouched);
        EXPECT_EQ(decodeInto(c.file, image), bmpUnreadable) << c.name;
        EXPECT_EQ(image.pixels, std::vector<uint32_t>(4, untouched)) << c.name;
    }
    // Every cut short version of a good file is refused as a whole.
    for (size_t length = 0; length < base.size(); ++length) {
        Image image = makeImage(2, 2, untouched);
        EXPECT_EQ(decodeBmp(base.data(), length, &image), bmpUnreadable) << length;
        EXPECT_EQ(image.pixels, std::vector<uint32_t>(4, untouched)) << length;
    }
    EXPECT_EQ(decodeBmp(base.data(), base.size(), nullptr), bmpUnreadable);
}

std::vector<uint32_t> readExpected(const std::string& path, int32_t& width, int32_t& height) {
    std::ifstream in(path);
    in >> width >> height;
    std::vector<uint32_t> pixels;
    std::string word;
    while (in >> word) pixels.push_back(static_cast<uint32_t>(std::stoul(word, nullptr, 16)));
    return pixels;
}

// Files written by another program (ImageMagick), next to the pixels they were made from.
TEST_F(BmpTest, FilesFromAnotherWriter) {
    const char* names[] = {"rgb24_info",  "rgb24_core", "argb32_v5", "rgb565_v5", "rgb565_info", "rgb555_v5",
                           "argb1555_v5", "argb4444_v5", "pal8_info", "pal8_v5",   "pal8_core",   "pal4_info",
                           "pal1_info"};
    for (const char* name : names) {
        const std::string base = std::string(TEST_DATA_DIR) + "/bmp/" + name;
        int32_t width = 0, height = 0;
        const std::vector<uint32_t> expected = readExpected(base + ".txt", width, height);
        ASSERT_EQ(expected.size(), static_cast<size_t>(width * height)) << name;
        Image image = makeImage(width, height, untouched);
        EXPECT_EQ(loadBmp(base + ".bmp", &image), bmpLoaded) << name;
        EXPECT_EQ(image.pixels, expected) << name;
    }
    Image image = makeImage(13, 7, untouched);
    EXPECT_EQ(loadBmp(std::string(TEST_DATA_DIR) + "/bmp/rle8_info.bmp", &image), bmpUnreadable);
    EXPECT_EQ(image.pixels, std::vector<uint32_t>(13 * 7, untouched));
}

TEST_F(BmpTest, MissingFilesCannotBeOpened) {
    Image image = makeImage(1, 1, untouched);
    EXPECT_EQ(loadBmp("data\\no such picture.bmp", &image), bmpCannotOpen);
    EXPECT_EQ(loadBmp(TEST_DATA_DIR, &image), bmpCannotOpen);  // a folder
    EXPECT_EQ(image.pixels[0], untouched);
}

TEST_F(BmpTest, WrittenFilesKeepEveryPixelAndTheAgreedLayout) {
    std::mt19937 random(5);
    Image image = randomImage(random, 7, 5);
    image.pixels[0] = 0x00000000;
    image.pixels[1] = 0xFFFF00FF;
    const std::vector<uint8_t> file = encodeBmp32(image);
    ASSERT_GE(file.size(), 54u);
    auto u32 = [&](size_t at) { return uint32_t{file[at]} | file[at + 1] << 8 | file[at + 2] << 16 | uint32_t{file[at + 3]} << 24; };
    EXPECT_EQ(static_cast<int32_t>(u32(22)), -5);  // top row first
    EXPECT_EQ(u32(30), 3u);                        // bit fields
    EXPECT_EQ(u32(54), 0x00FF0000u);
    EXPECT_EQ(u32(58), 0x0000FF00u);
    EXPECT_EQ(u32(62), 0x000000FFu);
    EXPECT_EQ(u32(66), 0xFF000000u);
    EXPECT_EQ(u32(u32(10)), image.pixels[0]);
    EXPECT_EQ(decoded(file, 7, 5), image.pixels);

    const std::string path = std::string(BUILD_DIR) + "/bmp_test_written.bmp";
    ASSERT_TRUE(writeBmp32(path, image));
    Image back = makeImage(7, 5, untouched);
    EXPECT_EQ(loadBmp(path, &back), bmpLoaded);
    EXPECT_EQ(back.pixels, image.pixels);
    std::remove(path.c_str());
    EXPECT_FALSE(writeBmp32(std::string(BUILD_DIR) + "/no such folder/x.bmp", image));
    EXPECT_FALSE(writeBmp32(path, Image{}));
}

}  // namespace
