#include <gtest/gtest.h>

#include "interface/frame.h"
#include "interface/screens.h"
#include "interface/widgets.h"
#include "levels/level.h"
#include "shell/main_loop.h"
#include "shell/play_state.h"
#include "ui_support.h"

namespace {

constexpr uint32_t background = 0xFF3333BB, panel = 0xFF806040;

// Level pixel (x, y) shows as 0x100000 | (x << 9) | y; rows above 40 and columns 300..399 are empty.
uint32_t terrainCode(int32_t x, int32_t y) { return 0x00100000u | (uint32_t(x) << 9) | uint32_t(y); }

class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        if (!screenIsOpen()) openScreen(640, 480, 32, 2);
        spriteSheet = makeCodedSheet();
        terrainImage = createImage(1600, 400);
        for (int32_t y = 40; y < 400; ++y)
            for (int32_t x = 0; x < 1600; ++x)
                if (x < 300 || x >= 400) setPixel(*terrainImage, x, y, 0xFF000000 | terrainCode(x, y));
        scrollX = scrollY = 0;
        entranceX = entranceY = exitX = exitY = 1000;
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
    static Creature& place(int i, int32_t x, int32_t y, int32_t dir = 1, int32_t skill = 1, int32_t frame = 1) {
        Creature& c = creatures[i];
        c.inPlay = 1, c.x = x, c.y = y, c.dir = dir, c.skill = skill, c.frame = frame;
        return c;
    }
};

TEST_F(Frame, OtherScreensShowBackgroundAndWidgetsOnly) {
    place(0, 320, 200);
    for (uint8_t n : {screenMainMenu, screenOptions, screenExitConfirm, screenPause}) {
        showScreen(n);
        drawFrame(0);
        for (auto [x, y] : {std::pair{0, 0}, {100, 100}, {320, 185}, {320, 440}}) EXPECT_EQ(px(x, y), background);
        EXPECT_EQ(px(widgets[1].x + 2, widgets[1].y + 2), widgets[1].fillColour);
    }
}

TEST_F(Frame, LevelEntranceAndExitAtTheViewOffset) {
    scrollX = -100;
    entranceX = 300, entranceY = 100, exitX = 600, exitY = 200;
    drawFrame(0);
    EXPECT_EQ(px(0, 100), terrainCode(100, 100));
    EXPECT_EQ(px(639, 399), terrainCode(739, 399));
    EXPECT_EQ(px(250, 300), background);  // empty level pixels
    EXPECT_EQ(px(639, 400), panel);
    EXPECT_EQ(px(188, 84), sheetCode(0, 326));
    EXPECT_EQ(px(188 + 39, 84 + 23), sheetCode(39, 349));
    EXPECT_EQ(px(484, 192), sheetCode(40, 332));
    EXPECT_EQ(px(484 + 47, 192 + 41), sheetCode(87, 373));
}

TEST_F(Frame, CreaturesFacingEitherWayWithHighlightAndFuse) {
    const struct { int32_t dir, skill, frame, scroll; } cases[] = {{1, 1, 1, 0}, {-1, 1, 1, 0}, {1, 3, 4, -20}, {-1, 7, 6, -20}};
    for (const auto& c : cases) {
        for (Creature& other : creatures) other = waitingCreature();
        scrollX = c.scroll;
        place(2, 100 - c.scroll, 150, c.dir, c.skill, c.frame);
        drawFrame(2);
        const int32_t left = 40 * c.frame - 40, top = 42 * c.skill - 10;
        for (int32_t k = 0; k <= 40; ++k)
            for (int32_t r : {0, 17, 41})
                ASSERT_EQ(px(80 + k, 119 + r), sheetCode(c.dir == 1 ? left + k : left + 40 - k, top + r)) << k;
        EXPECT_EQ(px(79, 130), terrainCode(79 - c.scroll, 130));
        EXPECT_EQ(px(121, 130), terrainCode(121 - c.scroll, 130));
    }
    for (Creature& other : creatures) other = waitingCreature();
    scrollX = 0;
    place(0, 200, 150).highlighted = 1;
    creatures[0].fuse = 3;
    place(1, 400, 150).inPlay = 0;
    drawFrame(1);
    for (auto [x, y] : {std::pair{178, 117}, {222, 161}, {200, 117}}) EXPECT_EQ(px(x, y), 0xFF333333u);
    for (auto [x, y] : {std::pair{179, 118}, {221, 160}}) EXPECT_EQ(px(x, y), 0xFF707070u);
    EXPECT_TRUE(textShownAt(197, 120, "3"));
    EXPECT_EQ(px(400, 150), terrainCode(400, 150));  // out of play: not drawn
}

TEST_F(Frame, PanelAndDebugLines) {
    selectedSkill = 8;
    stateCounts[1] = 4, stateCounts[8] = 2, skillUses[2] = 3, skillUses[8] = 12;
    fps = 48, lps = 49, spawnedCount = 7, liveCount = 4, savedCount = 2;
    Creature& first = creatures[0];
    first.x = 12, first.y = 100, first.fx = 12.5f, first.fy = 100.0f, first.skill = 3;
    drawFrame(9);
    const struct { int32_t x, y; uint32_t colour; } probes[] = {
        {5, 405, panel},        {426, 421, 0xFF005000}, {465, 460, 0xFF005000}, {427, 422, 0xFF009000},
        {428, 423, 0xFF00C000}, {463, 458, 0xFF00C000}, {376, 421, panel},      {429, 424, 0xFFFFFFFF},
    };
    for (const auto& p : probes) EXPECT_EQ(px(p.x, p.y), p.colour) << p.x << "," << p.y;
    for (int32_t k = 1; k <= 9; ++k) {
        EXPECT_EQ(px(50 * k + 30, 425), sheetCode(32 * k - 32, 0)) << k;
        EXPECT_EQ(px(50 * k + 60, 455), sheetCode(32 * k - 2, 30)) << k;
    }
    const struct { int32_t x, y; const char* text; } texts[] = {
        {90, 410, "4"}, {440, 410, "2"}, {490, 410, "0"}, {140, 465, "3"}, {440, 465, "12"}, {90, 465, " "},
        {10, 410, "Curr: "}, {10, 465, "Max: "}, {0, 0, "FPS: 48, Lps: 49"},
        {0, 10, "Aktualna czynnosc: 8, last created: 7"},
        {0, 20, "ludzik0: 12x100, single: 12.5x100, czynnosc: 3, spada: 0"},
        {0, 30, "widoczne: 4/10, uratowane: 2"},
    };
    for (const auto& t : texts) EXPECT_TRUE(textShownAt(t.x, t.y, t.text)) << t.text;
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
