#include <fstream>
#include <iterator>
#include <string>
#include "draw_test_support.h"
#include "platform/bmp.h"

namespace {

constexpr uint32_t untouched = 0x12345678;

std::string dataPath(const std::string& name) { return std::string(TEST_DATA_DIR) + "/bmp/" + name; }

// A reference picture (written by ImageMagick) with some four-byte fields changed.
using Changes = std::vector<std::pair<size_t, uint32_t>>;
std::vector<uint8_t> dataFile(const std::string& name, const Changes& changes = {}) {
    std::ifstream in(dataPath(name + ".bmp"), std::ios::binary);
    std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    for (auto [at, value] : changes) {
        for (size_t i = 0; i < 4; ++i) file.at(at + i) = static_cast<uint8_t>(value >> 8 * i);
    }
    return file;
}

// The pixels a picture was made from, top row first; all of them are 13x7.
constexpr int32_t pictureWidth = 13, pictureHeight = 7;
std::vector<uint32_t> dataPixels(const std::string& name) {
    std::ifstream in(dataPath(name + ".txt"));
    std::string word;
    in >> word >> word;
    std::vector<uint32_t> pixels;
    while (in >> word) pixels.push_back(static_cast<uint32_t>(std::stoul(word, nullptr, 16)));
    return pixels;
}

// The first `length` bytes read into an image of the given size; nothing when
// refused (the fuzz target checks that a refused file writes nothing).
std::vector<uint32_t> decoded(const std::vector<uint8_t>& file, int32_t width = pictureWidth,
                              int32_t height = pictureHeight, size_t length = SIZE_MAX) {
    Image image = makeImage(width, height, untouched);
    if (decodeBmp(file.data(), std::min(length, file.size()), &image) == bmpLoaded) return image.pixels;
    return {};
}

struct Case {
    const char* name;
    const char* file;
    Changes changes;
};

// Every header and depth; each picture is read again marked as stored
// top-down, which must turn it upside down. Changed headers that describe
// the same pixels must read the same.
TEST(BmpTest, FilesFromAnotherWriter) {
    for (const char* name : {"rgb24_info", "rgb24_core", "argb32_v5", "rgb565_v5", "rgb565_info", "rgb555_v5",
                             "argb1555_v5", "argb4444_v5", "pal8_info", "pal8_v5", "pal8_core", "pal4_info",
                             "pal1_info"}) {
        const std::vector<uint32_t> expected = dataPixels(name);
        EXPECT_EQ(decoded(dataFile(name)), expected) << name;
        if (dataFile(name)[14] == 12) continue;  // the core header's height is 16 bits
        std::vector<uint32_t> flipped;
        for (int32_t y = pictureHeight - 1; y >= 0; --y) {
            flipped.insert(flipped.end(), &expected[y * pictureWidth], &expected[(y + 1) * pictureWidth]);
        }
        EXPECT_EQ(decoded(dataFile(name, {{22, static_cast<uint32_t>(-pictureHeight)}})), flipped) << name;
    }
    const Case cases[] = {
        {"32-bit plain: the fourth byte is alpha", "argb32_v5", {{30, 0}}},
        {"16-bit plain: 5-5-5", "rgb555_v5", {{30, 0}}},
        {"masks without alpha in a 52-byte header: the fourth byte is alpha", "argb32_v5", {{14, 52}}},
        {"alpha bit fields after a 40-byte header", "argb32_v5", {{14, 40}, {30, 6}}},
    };
    for (const Case& c : cases) EXPECT_EQ(decoded(dataFile(c.file, c.changes)), dataPixels(c.file)) << c.name;
}

// Only the top-left part both cover is written; the rest of the image keeps its pixels.
TEST(BmpTest, FileAndImageOverlap) {
    const std::vector<uint32_t> stored = dataPixels("pal4_info");
    for (auto [w, h] : {std::pair{5, 9}, {20, 3}}) {
        Image expected = makeImage(w, h, untouched);
        for (int32_t y = 0; y < std::min(h, pictureHeight); ++y) {
            for (int32_t x = 0; x < std::min(w, pictureWidth); ++x) {
                expected.pixels[y * w + x] = stored[y * pictureWidth + x];
            }
        }
        EXPECT_EQ(decoded(dataFile("pal4_info"), w, h), expected.pixels) << w << "x" << h;
    }
}

TEST(BmpTest, UnreadableFilesLeaveTheImageUnchanged) {
    const Case cases[] = {
        {"no magic", "rgb24_info", {{0, 0}}},
        {"zero width", "argb32_v5", {{18, 0}}},
        {"zero height", "argb32_v5", {{22, 0}}},
        {"most negative height", "argb32_v5", {{22, 0x80000000u}}},
        {"2 bits per pixel", "rgb24_info", {{28, 2}}},
        {"unknown header size", "argb32_v5", {{14, 64}}},
        {"pixels past the end", "argb32_v5", {{10, 0xFFFFFFF0u}}},
        {"huge size claimed", "argb32_v5", {{18, 60000}}},
        {"split mask", "argb32_v5", {{54, 0xF0F}}},
        {"16-bit mask above 16 bits", "rgb565_v5", {{54, 0x1F0000}}},
        {"bit fields for 24-bit", "rgb24_info", {{30, 3}}},
        {"run-length coding, as written", "rle8_info", {}},
        {"an index past a one-colour table", "pal1_info", {{46, 1}}},
        // Bit fields that hold no colour at all, whatever the alpha mask says.
        {"16-bit masks without colour", "rgb565_v5", {{54, 0}, {58, 0}, {62, 0}}},
        {"32-bit masks without colour", "argb32_v5", {{54, 0}, {58, 0}, {62, 0}}},
        {"a V4 header's masks without colour", "argb32_v5", {{14, 108}, {54, 0}, {58, 0}, {62, 0}}},
        {"masks without colour after a 40-byte header", "argb32_v5", {{14, 40}, {54, 0}, {58, 0}, {62, 0}}},
    };
    for (const Case& c : cases) EXPECT_TRUE(decoded(dataFile(c.file, c.changes)).empty()) << c.name;
    // A file cut short anywhere is refused as a whole; only the last row's
    // padding may be missing.
    for (auto [name, padding] : {std::pair{"argb32_v5", 0}, {"pal4_info", 1}}) {
        const std::vector<uint8_t> file = dataFile(name);
        for (size_t length = 0; length < file.size(); ++length) {
            EXPECT_EQ(decoded(file, pictureWidth, pictureHeight, length).empty(), length + padding < file.size()) << name << " " << length;
        }
    }
    EXPECT_EQ(decodeBmp(nullptr, 0, nullptr), bmpUnreadable);
}

// Writing and reading whole files; the written layout and its pixels are
// checked end to end by the replay harness's picture conversion.
TEST(BmpTest, FailuresAreReported) {
    Image back = makeImage(7, 5, untouched);
    EXPECT_FALSE(writeBmp32(std::string(BUILD_DIR) + "/no such folder/x.bmp", back));
    EXPECT_FALSE(writeBmp32(std::string(BUILD_DIR) + "/bmp_test_empty.bmp", Image{}));
    EXPECT_EQ(loadBmp("data\\no such picture.bmp", &back), bmpCannotOpen);
    EXPECT_EQ(loadBmp(TEST_DATA_DIR, &back), bmpCannotOpen);  // a folder
}

}  // namespace
