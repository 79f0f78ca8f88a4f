// The generated pictures keep the layout the game draws from: eggs standing on
// the ground line of their frames, frames that never touch their neighbours,
// solid tiles with empty gaps between them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/bmp.h"
#include "platform/draw.h"
#include "platform/screen.h"

namespace {

// The picture read, as the game reads it with its screen open, into an image of
// the size the game makes for it.
Image art(const std::string& path, int32_t width, int32_t height) {
    EXPECT_TRUE(screenIsOpen() || openScreen(screenWidth, screenHeight, 32, 2) == 0);
    Image image{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, 0xFF000000)};
    EXPECT_EQ(loadBmp(path, &image), bmpLoaded) << path;
    return image;
}

// Pixels drawn (not the key colour) in the box, both corners included.
int drawnIn(const Image& picture, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    int n = 0;
    for (int32_t y = y1; y <= y2; ++y)
        for (int32_t x = x1; x <= x2; ++x) n += getPixel(picture, x, y) != transparentColour;
    return n;
}

TEST(Art, EggsStandOnTheGroundLineIconsAndDoorsFillTheirPlaces) {
    const Image sheet = art("data\\main.bmp", 290, 384);
    for (int s = 1; s <= 7; ++s)
        for (int f = 1; f <= 6; ++f) {
            const int32_t left = 40 * f - 40, top = 42 * s - 10;
            // Feet on frame row 36, but the climber is lifted off against its wall;
            // only the digger's spade goes into the ground it digs.
            const int feet = drawnIn(sheet, left + 10, top + 36, left + 30, top + 36);
            EXPECT_TRUE(s == 7 || feet > 0) << s << f;
            EXPECT_TRUE(s == 4 || drawnIn(sheet, left, top + 37, left + 40, top + 41) == 0) << s << f;
            EXPECT_GT(drawnIn(sheet, left + 14, top + 20, left + 26, top + 28), 100) << s << f;
            const int onFrameSides = drawnIn(sheet, left, top, left, top + 41) +
                                     drawnIn(sheet, left + 40, top, left + 40, top + 41);
            EXPECT_EQ(onFrameSides, 0) << s << f;
        }
    // Icons, entrance and exit fill their places, with empty gaps between icons.
    for (int k = 1; k <= 9; ++k) {
        EXPECT_GT(drawnIn(sheet, 32 * k - 32, 0, 32 * k - 2, 30), 31 * 31 / 6) << k;
        EXPECT_EQ(drawnIn(sheet, 32 * k - 1, 0, 32 * k - 1, 30), 0) << "after icon " << k;
    }
    EXPECT_GT(drawnIn(sheet, 0, 326, 39, 349), 40 * 24 / 6);
    EXPECT_GT(drawnIn(sheet, 40, 332, 87, 373), 48 * 42 / 6);
}

int32_t tileLeft(int g) { return 17 * ((g - 1) % 8); }
int32_t tileTop(int g) { return 17 * ((g - 1) / 8); }

TEST(Art, SquareTilesAreSolidShapedTilesCutAndGapsEmpty) {
    const Image tiles = art("data\\tiles.bmp", 136, 238);
    for (int g = 1; g <= 112; ++g) {
        const int32_t x = tileLeft(g), y = tileTop(g);
        const int drawn = drawnIn(tiles, x, y, x + 15, y + 15);
        if (g <= 30 || g >= 111) {
            const int solidRows = g == 26 ? 6 : 16;  // tile 26 is a thin ledge
            EXPECT_EQ(drawnIn(tiles, x, y, x + 15, y + solidRows - 1), 16 * solidRows) << g;
            EXPECT_EQ(drawnIn(tiles, x, y + solidRows, x + 15, y + 15), 0) << g;
        } else if (g <= 108) {
            EXPECT_GT(drawn, 0) << g;
            EXPECT_LT(drawn, 256) << g;
        } else {
            EXPECT_EQ(drawn, 0) << "spare tile " << g;
        }
        EXPECT_EQ(drawnIn(tiles, x + 16, y, x + 16, y + 16) + drawnIn(tiles, x, y + 16, x + 16, y + 16), 0) << g;
    }
}

// Ground height, counted up from the bottom row, of each column of tile g.
std::vector<int> columnHeights(const Image& tiles, int g) {
    std::vector<int> heights;
    for (int32_t c = 0; c < 16; ++c) {
        int h = 0;
        while (h < 16 && drawnIn(tiles, tileLeft(g) + c, tileTop(g) + 15 - h, tileLeft(g) + c, tileTop(g) + 15 - h)) ++h;
        heights.push_back(h);
    }
    return heights;
}

TEST(Art, EveryRunOfSlopeTilesIsWalkableFromFlatGroundToAFullCell) {
    const Image tiles = art("data\\tiles.bmp", 136, 238);
    // Shapes of one material, by their place after its first shaped tile.
    const std::vector<std::vector<int>> runs = {
        {0}, {1}, {2, 3, 4, 5}, {6, 7, 8, 9}, {10, 11}, {12, 13}};
    const std::vector<bool> rising = {true, false, true, false, true, false};
    for (int material = 0; material < 3; ++material)
        for (size_t r = 0; r < runs.size(); ++r) {
            std::vector<int> ground = {rising[r] ? 0 : 16};
            for (int shape : runs[r])
                for (int h : columnHeights(tiles, 31 + 26 * material + shape)) ground.push_back(h);
            ground.push_back(rising[r] ? 16 : 0);
            for (size_t i = 1; i < ground.size(); ++i) {
                const int step = ground[i] - ground[i - 1];
                EXPECT_TRUE(rising[r] ? step >= 0 && step <= 2 : step <= 0 && step >= -2)
                    << "material " << material << ", run " << r << ", column " << i;
            }
        }
}

}  // namespace
