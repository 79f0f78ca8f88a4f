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
TEST_F(ConsoleTest, LinesGoDownCutAtTheRightEdgeAndScroll) {
    EXPECT_EQ(std::count(displaySurface.pixels.begin(), displaySurface.pixels.end(), 0xFF000000u), 640 * 480);
    fillBox(displaySurface, 0, 0, 639, 23, 0xFF336699);
    printLine("Eggs");
    printLine(std::string(200, 'M'));
    EXPECT_TRUE(cellShows(0, 0, 'E') && cellShows(3, 0, 's') && cellShows(79, 1, 'M'));
    EXPECT_EQ(getPixel(displaySurface, 4 * 8, 0), 0xFF336699u);
    EXPECT_EQ(getPixel(displaySurface, 0, 2 * 8), 0xFF336699u);
    EXPECT_EQ(consoleCursorRow(), 2);
    // Printing past the last row scrolls up one row.
    for (int i = 2; i < 60; ++i) printLine(std::to_string(i));
    printLine("A");
    EXPECT_TRUE(cellShows(0, 0, 'M') && cellShows(0, 1, '2'));  // "Eggs" scrolled off
    EXPECT_TRUE(cellShows(0, 58, '5') && cellShows(1, 58, '9'));
    EXPECT_TRUE(cellShows(0, 59, 'A') && cellShows(1, 59, ' '));
}

}  // namespace
