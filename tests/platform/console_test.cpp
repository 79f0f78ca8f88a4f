#include <string>
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
        fillBox(displaySurface, 0, 0, 639, 479, 0xFF336699);
        clearScreen();
    }
};

TEST_F(ConsoleTest, ClearScreenBlacksOutAndHomesTheCursor) {
    printLine("x");
    clearScreen();
    EXPECT_EQ(std::count(displaySurface.pixels.begin(), displaySurface.pixels.end(), 0xFF000000u), 640 * 480);
    EXPECT_EQ(consoleCursorRow(), 0);
    EXPECT_EQ(consoleCursorColumn(), 0);
}

TEST_F(ConsoleTest, LinesGoToSuccessiveRowsOnBlack) {
    fillBox(displaySurface, 0, 0, 639, 23, 0xFF336699);  // the cells must paint their background
    const std::string lines[] = {"Wczytywanie", "qwe", "9 of 10"};
    for (const std::string& line : lines) printLine(line);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 12; ++column) {
            const uint8_t code = column < static_cast<int>(lines[row].size()) ? lines[row][column] : 0;
            if (code != 0) {
                EXPECT_TRUE(cellShows(column, row, code)) << row << "," << column;
            }
        }
    }
    EXPECT_EQ(getPixel(displaySurface, 3 * 8, 1 * 8), 0xFF336699u);  // past "qwe" nothing was written
    EXPECT_EQ(consoleCursorRow(), 3);
    EXPECT_EQ(consoleCursorColumn(), 0);
}

TEST_F(ConsoleTest, PrintingPastTheLastRowScrollsUpOneRow) {
    for (int i = 0; i < 60; ++i) printLine(std::to_string(i));
    EXPECT_TRUE(cellShows(0, 59, '5'));
    printLine("A");
    EXPECT_TRUE(cellShows(0, 0, '1'));  // "0" scrolled off, "1" is on top
    EXPECT_TRUE(cellShows(0, 58, '5') && cellShows(1, 58, '9'));
    EXPECT_TRUE(cellShows(0, 59, 'A') && cellShows(1, 59, ' '));
    printLine("B");
    EXPECT_TRUE(cellShows(0, 58, 'A') && cellShows(0, 59, 'B'));
}

TEST_F(ConsoleTest, LongLinesAreCutAtTheRightEdge) {
    printLine(std::string(200, 'M'));
    EXPECT_TRUE(cellShows(79, 0, 'M'));
    EXPECT_TRUE(cellShows(0, 1, ' '));  // nothing wrapped onto the next row
    EXPECT_EQ(consoleCursorRow(), 1);
}

}  // namespace
