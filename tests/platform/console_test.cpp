#include <bit>
#include <set>
#include <string>
#include <vector>
#include "draw_test_support.h"
#include "platform/console.h"
#include "platform/font.h"

namespace {

// The 8x8 cell at (column, row) as drawn: set bits white, the rest black.
bool cellShows(int column, int row, uint8_t code) {
    for (int gy = 0; gy < 8; ++gy) {
        for (int gx = 0; gx < 8; ++gx) {
            const uint32_t want = (fontGlyphs[code][gy] >> gx & 1) ? 0xFFFFFFFFu : 0xFF000000u;
            if (getPixel(displaySurface, column * 8 + gx, row * 8 + gy) != want) return false;
        }
    }
    return true;
}

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureScreenOpen();
        fillBox(displaySurface, 0, 0, 639, 479, 1);
        printLine("dirt");
        clearScreen();
    }
};

// Cells paint their own background; nothing lands past a line's end or wraps.
TEST_F(ConsoleTest, LinesGoToSuccessiveRowsAndAreCutAtTheRightEdge) {
    EXPECT_EQ(std::count(displaySurface.pixels.begin(), displaySurface.pixels.end(), 0xFF000000u), 640 * 480);
    fillBox(displaySurface, 0, 0, 639, 23, 0xFF336699);
    printLine("Eggs");
    printLine(std::string(200, 'M'));
    EXPECT_TRUE(cellShows(0, 0, 'E') && cellShows(3, 0, 's') && cellShows(79, 1, 'M'));
    EXPECT_EQ(getPixel(displaySurface, 4 * 8, 0), 0xFF336699u);
    EXPECT_EQ(getPixel(displaySurface, 0, 2 * 8), 0xFF336699u);
    EXPECT_EQ(consoleCursorRow(), 2);
}

TEST_F(ConsoleTest, PrintingPastTheLastRowScrollsUpOneRow) {
    for (int i = 0; i < 60; ++i) printLine(std::to_string(i));
    printLine("A");
    EXPECT_TRUE(cellShows(0, 0, '1'));  // "0" scrolled off, "1" is on top
    EXPECT_TRUE(cellShows(0, 58, '5') && cellShows(1, 58, '9'));
    EXPECT_TRUE(cellShows(0, 59, 'A') && cellShows(1, 59, ' '));
    printLine("B");
    EXPECT_TRUE(cellShows(0, 58, 'A') && cellShows(0, 59, 'B'));
}

// Printable characters are visible, told apart, and keep the rightmost column
// clear so that neighbours do not touch (the underscore joins up on purpose).
TEST(FontTest, PrintableGlyphsAreDistinctVisibleAndApart) {
    std::set<std::vector<uint8_t>> seen;
    for (int code = 0; code < 256; ++code) {
        const std::vector<uint8_t> glyph(fontGlyphs[code], fontGlyphs[code] + 8);
        int bits = 0;
        for (uint8_t row : glyph) bits += std::popcount(row);
        if (code <= ' ' || code > '~') {
            EXPECT_EQ(bits, 0) << "code " << code;
            continue;
        }
        EXPECT_GE(bits, 2) << "code " << code;
        EXPECT_TRUE(seen.insert(glyph).second) << "code " << code << " repeats another glyph";
        for (uint8_t row : glyph) EXPECT_TRUE(code == '_' || row < 0x80) << "code " << code;
    }
}

}  // namespace
