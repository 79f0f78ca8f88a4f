#include <gtest/gtest.h>

#include "platform/window_fit.h"

namespace {

TEST(WindowFitTest, PictureKeepsItsAspectBetweenBars) {
    struct Case {
        int32_t windowWidth, windowHeight;
        PictureArea area;
    } cases[] = {
        {640, 480, {0, 0, 640, 480}},    {1280, 960, {0, 0, 1280, 960}},
        {1280, 720, {160, 0, 960, 720}}, {1024, 1024, {0, 128, 1024, 768}},
        {1366, 768, {171, 0, 1024, 768}}, {1, 1, {0, 0, 1, 1}},  {0, -5, {0, 0, 1, 1}},
    };
    for (const Case& c : cases) {
        PictureArea area = pictureAreaIn(c.windowWidth, c.windowHeight);
        EXPECT_EQ(area.x, c.area.x) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(area.y, c.area.y) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(area.width, c.area.width) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(area.height, c.area.height) << c.windowWidth << "x" << c.windowHeight;
    }
}

TEST(WindowFitTest, ClicksLandWhereThePlayerSeesThem) {
    PictureArea wide = pictureAreaIn(1280, 720);
    struct Case {
        int32_t windowX, windowY;
        bool onPicture;
        int32_t x, y;
    } cases[] = {
        {160, 0, true, 0, 0},      {1119, 719, true, 639, 479}, {640, 360, true, 320, 240},
        {159, 0, false, 0, 0},     {1120, 100, false, 0, 0},    {300, 720, false, 0, 0},
        {-2147483647, 5, false, 0, 0},
    };
    for (const Case& c : cases) {
        int32_t x = -7, y = -7;
        EXPECT_EQ(pictureFromWindow(wide, c.windowX, c.windowY, x, y), c.onPicture) << c.windowX;
        if (c.onPicture) {
            EXPECT_EQ(x, c.x) << c.windowX;
            EXPECT_EQ(y, c.y) << c.windowY;
        }
    }
}

}  // namespace
