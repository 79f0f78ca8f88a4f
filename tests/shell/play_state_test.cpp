#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "creatures/creature_table.h"
#include "interface/screens.h"
#include "interface/widget_input.h"
#include "interface/widgets.h"
#include "levels/level.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "shell/play_state.h"

namespace {

// A record as the level reset leaves it: out of play, fx -100, skill 1, no fuse.
Creature waitingCreature() {
    Creature c{};
    c.fx = -100.0f;
    c.skill = 1;
    c.fuse = 10;
    return c;
}

class PlayStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!screenIsOpen()) openScreen(640, 480, 32, 2);
        inputReset();
        for (int32_t& latch : keyLatch) latch = 0;
        levelWidth = 1600;
        levelHeight = 400;
        scrollX = scrollY = 0;
        lastCreatureIndex = 9;
        hoveredCreature = 0;
        for (Creature& c : creatures) c = waitingCreature();
        showScreen(screenMainMenu);
    }
    void TearDown() override { inputReset(); }

    static void hold(std::initializer_list<int> keys, bool down) {
        for (int key : keys) inputKeyEvent(key, down);
    }
    static void pointerAt(int32_t x, int32_t y, bool left) {
        inputFocus(true);
        inputPointerMove(x, y);
        inputButtonEvent(buttonLeft, left);
    }
};

TEST_F(PlayStateTest, KeyEdgeAnswersOncePerPress) {
    struct Step {
        bool down;
        bool answer;
    };
    const Step steps[] = {{false, false}, {true, true},   {true, false}, {true, false},
                          {false, false}, {false, false}, {true, true},  {true, false}};
    for (size_t i = 0; i < std::size(steps); ++i) {
        inputKeyEvent(scanEscape, steps[i].down);
        EXPECT_EQ(keyEdge(scanEscape), steps[i].answer) << "step " << i;
        EXPECT_EQ(keyLatch[scanEscape], steps[i].down ? scanEscape : 0) << "step " << i;
    }
    EXPECT_FALSE(keyEdge(-1));
    EXPECT_FALSE(keyEdge(256));
}

TEST_F(PlayStateTest, EscapePausesAndResumesOnlyBetweenPlayAndPause) {
    showScreen(screenPlay);
    hold({scanEscape}, true);
    inputStep();
    EXPECT_EQ(screen, screenPause);
    inputStep();  // still held: no second switch
    EXPECT_EQ(screen, screenPause);
    hold({scanEscape}, false);
    inputStep();
    hold({scanEscape}, true);
    inputStep();
    EXPECT_EQ(screen, screenPlay);
    EXPECT_EQ(widgetCount, 9);

    for (uint8_t other : {screenMainMenu, screenOptions, screenExitConfirm}) {
        showScreen(other);
        hold({scanEscape}, false);
        inputStep();
        EXPECT_EQ(keyLatch[scanEscape], 0);
        hold({scanEscape}, true);
        inputStep();
        EXPECT_EQ(screen, other);
    }
}

TEST_F(PlayStateTest, ScrollingAndItsClamps) {
    struct Case {
        const char* name;
        int32_t width, height, startX, startY;
        std::vector<int> keys;
        int32_t x, y;
    };
    const Case cases[] = {
        {"right moves the view left", 1600, 400, 0, 0, {scanRight}, -5, 0},
        {"left at the left edge stays", 1600, 400, 0, 0, {scanLeft}, 0, 0},
        {"both together cancel", 1600, 400, -100, 0, {scanLeft, scanRight}, -100, 0},
        {"right edge holds", 1600, 400, -958, 0, {scanRight}, -960, 0},
        {"down to the bottom edge", 1600, 800, 0, -398, {scanDown}, 0, -400},
        {"up", 1600, 800, 0, -10, {scanUp}, 0, -5},
        {"up at the top stays", 1600, 800, 0, 0, {scanUp}, 0, 0},
        {"out of range after a new level", 1600, 800, -5000, -3000, {}, -960, -400},
        {"positive offsets come back", 1600, 800, 40, 40, {}, 0, 0},
        {"a small level stays put", 500, 300, 0, 0, {scanRight, scanDown}, 0, 0},
        {"a small level after a big one", 500, 300, -200, -200, {scanLeft}, 0, 0},
        {"exactly the view", 640, 400, 0, 0, {scanRight, scanDown}, 0, 0},
    };
    for (const Case& c : cases) {
        levelWidth = c.width;
        levelHeight = c.height;
        scrollX = c.startX;
        scrollY = c.startY;
        for (int key : c.keys) inputKeyEvent(key, true);
        inputStep();
        for (int key : c.keys) inputKeyEvent(key, false);
        inputReset();
        EXPECT_EQ(scrollX, c.x) << c.name;
        EXPECT_EQ(scrollY, c.y) << c.name;
    }
}

TEST_F(PlayStateTest, SkillKeysHighestHeldWins) {
    struct Case {
        std::vector<int> digits;
        int32_t before, after;
    };
    const Case cases[] = {{{2, 5}, 1, 5}, {{8}, 1, 8}, {{1}, 4, 1}, {{}, 4, 4}, {{3, 4, 1}, 7, 4}};
    for (const Case& c : cases) {
        selectedSkill = c.before;
        for (int d : c.digits) inputKeyEvent(scanDigit1 + d - 1, true);
        inputStep();
        inputReset();
        EXPECT_EQ(selectedSkill, c.after);
    }
}

TEST_F(PlayStateTest, PointerOutsideLeavesWidgetsAndCreaturesAlone) {
    pointerAt(300, 165, false);  // over "Play Game"
    inputStep();
    EXPECT_EQ(hoveredWidget, 1);
    creatures[3].highlighted = 1;
    hoveredCreature = 3;
    inputPointerLeave();
    inputStep();
    EXPECT_EQ(hoveredWidget, 1);  // stays lit until the pointer is read again
    EXPECT_EQ(widgets[1].borderColour, 0xFF60A0FFu);
    EXPECT_EQ(creatures[3].highlighted, 0);
    EXPECT_EQ(mouseX, -1);
}

TEST_F(PlayStateTest, ClickThroughTheMenuByMouse) {
    pointerAt(300, 215, true);  // "Options"
    inputStep();
    pointerAt(300, 215, false);
    inputStep();
    EXPECT_EQ(screen, screenOptions);
}

TEST_F(PlayStateTest, LevelEndTest) {
    struct Case {
        uint8_t on;
        int32_t live, spawned;
        int32_t after;
    };
    const Case cases[] = {
        {screenPlay, 0, 3, screenLevel},  {screenPlay, 1, 3, screenPlay},
        {screenPlay, 0, 0, screenPlay},   {screenPause, 0, 3, screenPause},
    };
    for (const Case& c : cases) {
        showScreen(c.on);
        liveCount = c.live;
        spawnedCount = c.spawned;
        saveTarget = 5;
        savedCount = 1;
        levelEndTest();
        EXPECT_EQ(screen, c.after);
        if (c.after == screenLevel) {
            EXPECT_EQ(widgets[4].text, "You have lost!");
        }
    }
}

}  // namespace
