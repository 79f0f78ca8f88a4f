// The generated pictures keep the layout the game draws from: eggs standing on
// the ground line of their frames, frames that never touch their neighbours,
// solid tiles with empty gaps between them.
#include <gtest/gtest.h>
#include <string>
#include "platform/bmp.h"
#include "platform/draw.h"
#include "platform/screen.h"

namespace {

class Art : public ::testing::Test {
protected:
    void SetUp() override {
        if (!screenIsOpen()) {
            ASSERT_EQ(openScreen(screenWidth, screenHeight, 32, 2), 0);
        }
    }
    void TearDown() override { destroyImage(picture); }
    // Loads the picture into an image of the size the game makes for it.
    void load(const std::string& path, int32_t width, int32_t height) {
        picture = createImage(width, height, 0xFF000000);
        ASSERT_NE(picture, nullptr);
        ASSERT_EQ(loadBmp(path, picture), bmpLoaded) << path;
    }
    bool empty(int32_t x, int32_t y) const { return getPixel(*picture, x, y) == transparentColour; }
    int drawnIn(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
        int n = 0;
        for (int32_t y = y1; y <= y2; ++y)
            for (int32_t x = x1; x <= x2; ++x) n += empty(x, y) ? 0 : 1;
        return n;
    }
    Image* picture = nullptr;
};

TEST_F(Art, EggsStandOnTheGroundLineOfEveryFrame) {
    load("data\\main.bmp", 290, 384);
    for (int s = 1; s <= 7; ++s)
        for (int f = 1; f <= 6; ++f) {
            SCOPED_TRACE("skill " + std::to_string(s) + ", frame " + std::to_string(f));
            const int32_t left = 40 * f - 40, top = 42 * s - 10;
            // feet on frame row 36 (for the climber, lifted off against its wall)
            if (s != 7) {
                EXPECT_GT(drawnIn(left + 10, top + 36, left + 30, top + 36), 0);
            }
            EXPECT_GT(drawnIn(left + 14, top + 20, left + 26, top + 28), 100) << "no body";
            if (s != 4) {  // only the digger's spade goes into the ground it digs
                EXPECT_EQ(drawnIn(left, top + 37, left + 40, top + 41), 0) << "drawn below the ground";
            }
            EXPECT_EQ(drawnIn(left, top, left, top + 41), 0) << "touches the frame on the left";
            EXPECT_EQ(drawnIn(left + 40, top, left + 40, top + 41), 0) << "touches the frame on the right";
        }
}

TEST_F(Art, IconsEntranceAndExitFillTheirPlaces) {
    load("data\\main.bmp", 290, 384);
    struct Place {
        const char* name;
        int32_t x1, y1, x2, y2;
    };
    const Place places[] = {{"walk", 0, 0, 30, 30},       {"block", 32, 0, 62, 30},
                            {"build", 64, 0, 94, 30},     {"dig", 96, 0, 126, 30},
                            {"tunnel", 128, 0, 158, 30},  {"float", 160, 0, 190, 30},
                            {"climb", 192, 0, 222, 30},   {"explode", 224, 0, 254, 30},
                            {"arm all", 256, 0, 286, 30}, {"entrance", 0, 326, 39, 349},
                            {"exit", 40, 332, 87, 373}};
    for (const Place& p : places) {
        const int area = (p.x2 - p.x1 + 1) * (p.y2 - p.y1 + 1);
        EXPECT_GT(drawnIn(p.x1, p.y1, p.x2, p.y2), area / 6) << p.name;
    }
    // the gaps between icons stay empty, so a copy never picks up a neighbour
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(drawnIn(32 * k - 1, 0, 32 * k - 1, 30), 0) << "after icon " << k;
}

TEST_F(Art, TilesAreSolidWithEmptyGapsAndMarkersLast) {
    load("data\\tiles.bmp", 136, 68);
    for (int g = 1; g <= 32; ++g) {
        SCOPED_TRACE("tile " + std::to_string(g));
        const int32_t x = 17 * ((g - 1) % 8), y = 17 * ((g - 1) / 8);
        const int solidRows = g == 26 ? 6 : 16;  // the thin ledge
        EXPECT_EQ(drawnIn(x, y, x + 15, y + solidRows - 1), 16 * solidRows);
        if (solidRows < 16) {
            EXPECT_EQ(drawnIn(x, y + solidRows, x + 15, y + 15), 0);
        }
        EXPECT_EQ(drawnIn(x + 16, y, x + 16, y + 16), 0) << "gap on the right";
        EXPECT_EQ(drawnIn(x, y + 16, x + 16, y + 16), 0) << "gap below";
    }
}

}  // namespace
