#include <gtest/gtest.h>

#include <vector>

#include "../interface/ui_support.h"
#include "interface/screens.h"
#include "interface/widget_input.h"
#include "interface/widgets.h"
#include "levels/level.h"
#include "platform/input.h"
#include "shell/play_state.h"

namespace {

class PlayState : public ::testing::Test {
protected:
    void SetUp() override {
        if (!screenIsOpen()) openScreen(640, 480, 32, 2);
        inputReset();
        for (int32_t& latch : keyLatch) latch = 0;
        levelWidth = 1600, levelHeight = 400, scrollX = scrollY = 0;
        showScreen(screenMainMenu);
    }
    void TearDown() override { inputReset(); }
    static void pointer(int32_t x, int32_t y, bool left) {
        inputPointerMove(x, y);
        inputButtonEvent(buttonLeft, left);
    }
};

TEST_F(PlayState, KeyEdgeAnswersOncePerPress) {
    const bool down[] = {false, true, true, false, true, true};
    const bool answer[] = {false, true, false, false, true, false};
    for (size_t i = 0; i < std::size(down); ++i) {
        inputKeyEvent(scanEscape, down[i]);
        EXPECT_EQ(keyEdge(scanEscape), answer[i]) << i;
    }
    EXPECT_FALSE(keyEdge(-1) || keyEdge(256));
}

TEST_F(PlayState, EscapeTogglesOnlyPlayAndPause) {
    const struct { uint8_t from, to; } cases[] = {{1, 7}, {7, 1}, {2, 2}, {3, 3}, {4, 4}, {6, 6}};
    for (const auto& c : cases) {
        showScreen(c.from);
        inputKeyEvent(scanEscape, true);
        inputStep();
        inputStep();  // still held: no second switch
        EXPECT_EQ(screen, c.to) << int(c.from);
        inputKeyEvent(scanEscape, false);
        inputStep();
        EXPECT_EQ(keyLatch[scanEscape], 0);
    }
}

TEST_F(PlayState, ScrollingClampsAndSkillKeys) {
    const struct {
        int32_t width, height, startX, startY;
        std::vector<int> keys;
        int32_t x, y, skill;
    } cases[] = {
        {1600, 400, 0, 0, {scanRight}, -5, 0, 1},
        {1600, 400, 0, 0, {scanLeft, 3}, 0, 0, 2},
        {1600, 400, -100, 0, {scanLeft, scanRight, 3, 6}, -100, 0, 5},
        {1600, 400, -958, 0, {scanRight, 9}, -960, 0, 8},
        {1600, 800, 0, -398, {scanDown}, 0, -400, 1},
        {1600, 800, 0, -10, {scanUp}, 0, -5, 1},
        {1600, 800, -5000, 40, {}, -960, 0, 1},
        {500, 300, -200, -200, {scanRight, scanDown}, 0, 0, 1},
        {640, 400, 0, 0, {scanRight, scanDown}, 0, 0, 1},
    };
    for (const auto& c : cases) {
        levelWidth = c.width, levelHeight = c.height, scrollX = c.startX, scrollY = c.startY;
        selectedSkill = 1;
        for (int key : c.keys) inputKeyEvent(key, true);
        inputStep();
        inputReset();
        EXPECT_EQ(scrollX, c.x) << c.width << "x" << c.height;
        EXPECT_EQ(scrollY, c.y) << c.width << "x" << c.height;
        EXPECT_EQ(selectedSkill, c.skill);
    }
}

TEST_F(PlayState, PointerOutsideTheWindowChangesNothing) {
    pointer(300, 215, true);  // press on "Options"
    inputStep();
    EXPECT_EQ(hoveredWidget, 2);
    hoveredCreature = 3;
    creatures[3].highlighted = 1;
    inputPointerLeave();
    inputButtonEvent(buttonLeft, false);
    inputStep();
    EXPECT_EQ(widgets[2].borderColour, 0xFF60A0FFu);  // stays lit
    EXPECT_EQ(creatures[3].highlighted, 0);
    EXPECT_EQ(screen, screenMainMenu);
    pointer(300, 215, false);
    inputStep();
    EXPECT_EQ(screen, screenOptions);  // the pending press survived
}

TEST_F(PlayState, LevelEndTest) {
    const struct { uint8_t on; int32_t live, spawned; uint8_t after; } cases[] = {
        {1, 0, 3, 3}, {1, 1, 3, 1}, {1, 0, 0, 1}, {7, 0, 3, 7}};
    for (const auto& c : cases) {
        showScreen(c.on);
        liveCount = c.live, spawnedCount = c.spawned, saveTarget = 5, savedCount = 1;
        levelEndTest();
        EXPECT_EQ(screen, c.after);
    }
}

}  // namespace
