#include <gtest/gtest.h>

#include <vector>

#include "creatures/creature_table.h"
#include "interface/screens.h"
#include "levels/level.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "shell/play_state.h"

namespace {

void startInput() {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
    inputReset();
    for (int32_t& latch : keyLatch) latch = 0;
    showScreen(screenMainMenu);
}

TEST(PlayState, KeyEdgeAnswersOncePerPress) {
    startInput();
    const bool down[] = {false, true, true, false, true, true};
    const bool answer[] = {false, true, false, false, true, false};
    for (size_t i = 0; i < std::size(down); ++i) {
        inputKeyEvent(scanEscape, down[i]);
        EXPECT_EQ(keyEdge(scanEscape), answer[i]) << i;
    }
    EXPECT_FALSE(keyEdge(-1) || keyEdge(256));
}

// The view scrolls 5 px a step and stays over the level; of the digits held
// the highest chooses the skill.
TEST(PlayState, ScrollingClampsAndSkillKeys) {
    const struct {
        int32_t width, height, startX, startY;
        std::vector<int> keys;
        int32_t x, y, skill;
    } cases[] = {
        {1600, 400, 0, 0, {scanRight}, -5, 0, 1},
        {1600, 400, 0, 0, {scanLeft, scanDigit1 + 1}, 0, 0, 2},
        {1600, 400, -100, 0, {scanLeft, scanRight, scanDigit1 + 5, scanDigit1 + 2}, -100, 0, 6},
        {1600, 400, -958, 0, {scanRight, scanDigit1 + 7}, -960, 0, 8},
        {1600, 800, 0, -398, {scanDown}, 0, -400, 1},
        {1600, 800, 0, -10, {scanUp}, 0, -5, 1},
        {1600, 800, -5000, 40, {}, -960, 0, 1},
        {500, 300, -200, -200, {scanRight, scanDown}, 0, 0, 1},
    };
    startInput();
    for (const auto& c : cases) {
        levelWidth = c.width, levelHeight = c.height, scrollX = c.startX, scrollY = c.startY;
        selectedSkill = 1;
        for (int key : c.keys) inputKeyEvent(key, true);
        inputStep();
        inputReset();
        EXPECT_EQ(scrollX, c.x) << c.width << "x" << c.height << " from " << c.startX;
        EXPECT_EQ(scrollY, c.y) << c.width << "x" << c.height << " from " << c.startY;
        EXPECT_EQ(selectedSkill, c.skill) << c.width << "x" << c.height;
    }
}

// The level ends when no creature is left in play, but not before the first has entered.
TEST(PlayState, LevelEndTest) {
    const struct { uint8_t on; int32_t live, spawned; uint8_t after; } cases[] = {
        {screenPlay, 0, 3, screenLevel},
        {screenPlay, 1, 3, screenPlay},
        {screenPlay, 0, 0, screenPlay},
        {screenPause, 0, 3, screenPause},
    };
    startInput();
    for (const auto& c : cases) {
        showScreen(c.on);
        liveCount = c.live, spawnedCount = c.spawned, saveTarget = 5, savedCount = 1;
        levelEndTest();
        EXPECT_EQ(screen, c.after) << int(c.on) << " " << c.live << " " << c.spawned;
    }
}

}  // namespace
