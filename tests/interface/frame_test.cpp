#include <gtest/gtest.h>

#include "interface/frame.h"
#include "interface/screens.h"
#include "levels/level.h"
#include "shell/main_loop.h"
#include "shell/play_state.h"
#include "ui_support.h"

namespace {

constexpr uint32_t background = 0xFF3333BB;

// Level pixel (x, y) shows as 0x100000 | (x << 9) | y; rows above 40 and
// columns 300..399 are empty.
uint32_t terrainCode(int32_t x, int32_t y) { return 0x00100000u | uint32_t(x) << 9 | uint32_t(y); }

class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        openScreenOnce();
        spriteSheet = makeCodedSheet();
        terrainImage = createImage(1600, 400);
        for (int32_t y = 40; y < 400; ++y)
            for (int32_t x = 0; x < 1600; ++x)
                if (x < 300 || x >= 400)
                    setPixel(*terrainImage, x, y, 0xFF000000 | terrainCode(x, y));
        scrollX = scrollY = 0;
        entranceX = entranceY = exitX = exitY = 1000;
        liveCount = savedCount = 0;
        for (Creature& c : creatures) c = waitingCreature();
        showScreen(screenPlay);
    }
    void TearDown() override {
        destroyImage(spriteSheet);
        if (terrainImage != nullptr) destroyImage(terrainImage);
    }
    static Creature& place(int i, int32_t x, int32_t y, int32_t dir = 1) {
        Creature& c = creatures[i];
        c.inPlay = 1, c.x = x, c.y = y, c.dir = dir, c.frame = 1;
        return c;
    }
};

TEST_F(Frame, OtherScreensShowBackgroundAndWidgetsOnly) {
    place(0, 320, 200);
    showScreen(screenMainMenu);
    drawFrame(0);
    for (auto [x, y] : {std::pair{100, 100}, {320, 185}, {320, 440}})
        EXPECT_EQ(px(x, y), background);
    EXPECT_EQ(px(270, 160), 0xFF808080u);  // inside "Play Game"
}

TEST_F(Frame, LevelEntranceAndExitAtTheViewOffset) {
    scrollX = -100;
    entranceX = 300, entranceY = 100, exitX = 600, exitY = 200;
    drawFrame(0);
    EXPECT_EQ(px(0, 100), terrainCode(100, 100));
    EXPECT_EQ(px(639, 399), terrainCode(739, 399));
    EXPECT_EQ(px(250, 300), background);
    EXPECT_EQ(px(639, 400), 0xFF806040u);  // the panel
    EXPECT_EQ(px(188, 84), sheetCode(0, 326));
    EXPECT_EQ(px(188 + 39, 84 + 23), sheetCode(39, 349));
    EXPECT_EQ(px(484, 192), sheetCode(40, 332));
    EXPECT_EQ(px(484 + 47, 192 + 41), sheetCode(87, 373));
}

// Pictures face right; a creature facing left is drawn mirrored, in the same place.
TEST_F(Frame, CreaturesInPlayFacingEitherWay) {
    scrollX = -20;
    for (int32_t dir : {1, -1}) {
        place(2, 120, 150, dir).skill = 3;
        drawFrame(2);
        for (int32_t k = 0; k <= 40; ++k)
            for (int32_t r : {0, 41})
                ASSERT_EQ(px(80 + k, 119 + r), sheetCode(dir == 1 ? k : 40 - k, 116 + r)) << k;
        EXPECT_EQ(px(79, 130), terrainCode(99, 130));
        EXPECT_EQ(px(121, 130), terrainCode(141, 130));
    }
    creatures[2].inPlay = 0;
    drawFrame(2);
    EXPECT_EQ(px(100, 130), terrainCode(120, 130));
}

TEST_F(Frame, PanelPicturesAndCounts) {
    for (int32_t& n : stateCounts) n = 0;
    stateCounts[1] = 4, stateCounts[8] = 2, skillUses[2] = 3, skillUses[8] = 12;
    drawFrame(9);
    for (int32_t k = 1; k <= 9; ++k) {
        EXPECT_EQ(px(50 * k + 30, 425), sheetCode(32 * k - 32, 0)) << k;
        EXPECT_EQ(px(50 * k + 60, 455), sheetCode(32 * k - 2, 30)) << k;
    }
    // Skill 1 (walking) has no uses to show and slot 9 (arm all) counts nothing.
    for (auto [x, y, text] : {std::tuple{90, 410, "4"}, {440, 410, "2"}, {490, 410, "0"},
                              {140, 465, "3"}, {440, 465, "12"}, {90, 465, " "}})
        EXPECT_TRUE(textShownAt(x, y, text)) << x << "," << y;
}

TEST_F(Frame, NoTerrainAndAnOversizedCountAreSafe) {
    destroyImage(terrainImage);
    for (int i = 0; i < creatureCapacity; ++i) place(i, 10 + 6 * i, 200);
    drawFrame(1000);
    EXPECT_EQ(px(5, 300), background);
    EXPECT_EQ(px(604, 200), sheetCode(20, 63));  // creature 99, the last of the table
    EXPECT_TRUE(textShownAt(0, 30, "widoczne: 0/1001, uratowane: 0"));
}

}  // namespace
