#include <gtest/gtest.h>

#include <string>

#include "creatures/creature_table.h"
#include "interface/frame.h"
#include "interface/screens.h"
#include "interface/widgets.h"
#include "levels/level.h"
#include "shell/main_loop.h"
#include "shell/play_state.h"
#include "ui_support.h"

namespace {

// A record as the level reset leaves it: out of play, fx -100, skill 1, no fuse.
Creature waitingCreature() {
    Creature c{};
    c.fx = -100.0f;
    c.skill = 1;
    c.fuse = 10;
    return c;
}

constexpr uint32_t background = 0xFF3333BB;
constexpr uint32_t panel = 0xFF806040;

// Terrain pixel (x, y) shows as 0x00100000 | (x << 9) | y; columns 300..399 are empty.
uint32_t terrainCode(int32_t x, int32_t y) { return 0x00100000u | (uint32_t(x) << 9) | uint32_t(y); }

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        openTestScreen();
        spriteSheet = makeCodedSheet();
        terrainImage = createImage(1600, 400);
        for (int32_t y = 0; y < 400; ++y)
            for (int32_t x = 0; x < 1600; ++x)
                if (y >= 40 && (x < 300 || x >= 400)) setPixel(*terrainImage, x, y, 0xFF000000 | terrainCode(x, y));
        levelWidth = 1600;
        levelHeight = 400;
        scrollX = scrollY = 0;
        entranceX = entranceY = exitX = exitY = 1000;  // off the view unless a test moves them
        for (Creature& c : creatures) c = waitingCreature();
        for (int32_t& n : stateCounts) n = 0;
        for (int32_t& v : levelValues) v = 0;
        fps = lps = liveCount = savedCount = spawnedCount = 0;
        showScreen(screenPlay);
    }
    void TearDown() override {
        destroyImage(spriteSheet);
        if (terrainImage != nullptr) destroyImage(terrainImage);
    }

    static Creature& place(int index, int32_t x, int32_t y, int32_t dir = 1, int32_t skill = 1,
                           int32_t frame = 1) {
        Creature& c = creatures[index];
        c.inPlay = 1;
        c.x = x;
        c.y = y;
        c.fx = float(x);
        c.fy = float(y);
        c.dir = dir;
        c.skill = skill;
        c.frame = frame;
        return c;
    }
};

TEST_F(FrameTest, OtherScreensShowOnlyBackgroundAndWidgets) {
    place(0, 320, 200);
    for (uint8_t n : {screenMainMenu, screenOptions, screenExitConfirm, screenPause}) {
        showScreen(n);
        drawFrame(lastCreatureIndex);
        EXPECT_EQ(px(0, 0), background) << int(n);
        EXPECT_EQ(px(100, 100), background) << int(n);    // terrain would be here
        EXPECT_EQ(px(320, 185), background) << int(n);    // the creature
        EXPECT_EQ(px(320, 440), background) << int(n);    // the panel
        EXPECT_EQ(px(widgets[1].x, widgets[1].y), widgets[1].borderColour) << int(n);
        EXPECT_EQ(px(widgets[1].x + 2, widgets[1].y + 2), widgets[1].fillColour) << int(n);
    }
}

TEST_F(FrameTest, TerrainIsCopiedAtTheViewOffsetWithEmptyPixelsShowingTheBackground) {
    scrollX = -100;
    drawFrame(0);
    EXPECT_EQ(px(0, 100), terrainCode(100, 100));
    EXPECT_EQ(px(150, 100), terrainCode(250, 100));
    EXPECT_EQ(px(250, 100), background);  // level column 350 is empty
    EXPECT_EQ(px(639, 399), terrainCode(739, 399));
    EXPECT_EQ(px(639, 400), panel);  // the panel lies below the level view
}

TEST_F(FrameTest, EntranceAndExitPictures) {
    entranceX = 200;
    entranceY = 100;
    exitX = 500;
    exitY = 200;
    scrollX = -10;
    drawFrame(0);
    EXPECT_EQ(px(178, 84), sheetCode(0, 326));
    EXPECT_EQ(px(178 + 39, 84 + 23), sheetCode(39, 349));
    EXPECT_EQ(px(474, 192), sheetCode(40, 332));
    EXPECT_EQ(px(474 + 47, 192 + 41), sheetCode(87, 373));
}

TEST_F(FrameTest, CreaturePictureFacingEitherWay) {
    struct Case {
        int32_t dir, skill, frame, scrollX;
    };
    for (const Case c : {Case{1, 1, 1, 0}, Case{-1, 1, 1, 0}, Case{1, 3, 4, -20}, Case{-1, 7, 6, -20}}) {
        SetUp();
        scrollX = c.scrollX;
        place(2, 100 - c.scrollX, 150, c.dir, c.skill, c.frame);
        drawFrame(5);
        const int32_t left = 40 * c.frame - 40, top = 42 * c.skill - 10;
        for (int32_t k = 0; k <= 40; ++k)
            for (int32_t r : {0, 17, 41}) {
                const int32_t sheetX = c.dir == 1 ? left + k : left + 40 - k;
                ASSERT_EQ(px(80 + k, 119 + r), sheetCode(sheetX, top + r))
                    << "dir " << c.dir << " skill " << c.skill << " column " << k << " row " << r;
            }
        EXPECT_EQ(px(79, 130), terrainCode(79 - c.scrollX, 130));
        EXPECT_EQ(px(121, 130), terrainCode(121 - c.scrollX, 130));
    }
}

TEST_F(FrameTest, OnlyCreaturesInPlayAndInRangeAreDrawn) {
    place(0, 100, 150).inPlay = 0;
    place(6, 500, 150);
    drawFrame(5);
    EXPECT_EQ(px(100, 150), terrainCode(100, 150));
    EXPECT_EQ(px(500, 150), terrainCode(500, 150));
    drawFrame(6);
    EXPECT_EQ(px(500, 150), sheetCode(20, 63));
}

TEST_F(FrameTest, HighlightFramesAndFuseDigit) {
    Creature& c = place(0, 200, 150);
    c.highlighted = 1;
    c.fuse = 3;
    place(1, 400, 150).fuse = 10;
    drawFrame(1);
    EXPECT_EQ(px(178, 117), 0xFF333333u);
    EXPECT_EQ(px(222, 161), 0xFF333333u);
    EXPECT_EQ(px(200, 117), 0xFF333333u);
    EXPECT_EQ(px(179, 118), 0xFF707070u);
    EXPECT_EQ(px(221, 160), 0xFF707070u);  // on the picture's bottom row
    EXPECT_EQ(px(180, 119), sheetCode(0, 32));
    EXPECT_TRUE(textShownAt(197, 120, "3"));
    // No fuse: the picture shows where the digit would be.
    for (int32_t y = 120; y < 128; ++y)
        for (int32_t x = 397; x < 405; ++x) ASSERT_EQ(px(x, y), sheetCode(x - 380, y - 119 + 32));
}

TEST_F(FrameTest, PanelSelectionIconsAndNumbers) {
    selectedSkill = 8;
    stateCounts[1] = 4;
    stateCounts[8] = 2;
    skillUses[2] = 3;
    skillUses[8] = 12;
    drawFrame(0);
    EXPECT_EQ(px(5, 405), panel);
    EXPECT_EQ(px(426, 421), 0xFF005000u);
    EXPECT_EQ(px(465, 460), 0xFF005000u);
    EXPECT_EQ(px(427, 422), 0xFF009000u);
    EXPECT_EQ(px(428, 423), 0xFF00C000u);
    EXPECT_EQ(px(463, 458), 0xFF00C000u);
    EXPECT_EQ(px(376, 421), panel);  // skill 7 not framed
    EXPECT_EQ(px(429, 424), 0xFFFFFFFFu);  // the button's own frame
    for (int32_t k = 1; k <= 9; ++k) {
        EXPECT_EQ(px(50 * k + 30, 425), sheetCode(32 * k - 32, 0)) << k;
        EXPECT_EQ(px(50 * k + 60, 455), sheetCode(32 * k - 2, 30)) << k;
    }
    EXPECT_TRUE(textShownAt(90, 410, "4"));
    EXPECT_TRUE(textShownAt(440, 410, "2"));
    EXPECT_TRUE(textShownAt(490, 410, "0"));
    EXPECT_TRUE(textShownAt(140, 465, "3"));
    EXPECT_TRUE(textShownAt(440, 465, "12"));
    EXPECT_EQ(px(91, 466), panel);  // no count below skill 1
    EXPECT_TRUE(textShownAt(10, 410, "Curr: "));
    EXPECT_TRUE(textShownAt(10, 465, "Max: "));
}

TEST_F(FrameTest, DebugLines) {
    fps = 48;
    lps = 49;
    selectedSkill = 3;
    spawnedCount = 7;
    liveCount = 4;
    savedCount = 2;
    Creature& first = creatures[0];
    first.x = 12;
    first.y = 100;
    first.fx = 12.5f;
    first.fy = 100.0f;
    first.skill = 3;
    first.falling = 0;
    drawFrame(9);
    EXPECT_TRUE(textShownAt(0, 0, "FPS: 48, Lps: 49"));
    EXPECT_TRUE(textShownAt(0, 10, "Aktualna czynnosc: 3, last created: 7"));
    EXPECT_TRUE(textShownAt(0, 20, "ludzik0: 12x100, single: 12.5x100, czynnosc: 3, spada: 0"));
    EXPECT_TRUE(textShownAt(0, 30, "widoczne: 4/10, uratowane: 2"));
}

TEST_F(FrameTest, MissingTerrainAndOversizedCountAreSafe) {
    destroyImage(terrainImage);
    terrainImage = nullptr;
    for (int i = 0; i < creatureCapacity; ++i) place(i, 10 + 6 * i, 200);
    drawFrame(1000);
    EXPECT_EQ(px(5, 300), background);
    EXPECT_EQ(px(604, 200), sheetCode(20, 63));  // creature 99
    EXPECT_TRUE(textShownAt(0, 30, "widoczne: 0/1001, uratowane: 0"));
}

TEST_F(FrameTest, SameStateDrawsTheSameFrame) {
    place(3, 300, 200, -1, 4, 2).highlighted = 1;
    drawFrame(5);
    const std::vector<uint32_t> first = displaySurface.pixels;
    drawFrame(5);
    EXPECT_EQ(displaySurface.pixels, first);
}

}  // namespace
