#include <gtest/gtest.h>

#include "../interface/ui_support.h"
#include "interface/screens.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "platform/input.h"
#include "shell/main_loop.h"
#include "shell/play_state.h"

namespace {

class MainLoop : public ::testing::Test {
protected:
    void SetUp() override {
        if (!screenIsOpen()) openScreen(640, 480, 32, 2);
        inputReset();
        for (double& t : stepLastFired) t = 0.0;
        frameCount = tickCount = fps = lps = 0;
        for (Creature& c : creatures) c = waitingCreature();
        for (int32_t& v : levelValues) v = 0;
        spawnedCount = savedCount = liveCount = spawnTicks = 0;
        levelWidth = levelHeight = 200;
        if (terrainImage != nullptr) destroyImage(terrainImage);
        terrainImage = createImage(200, 200, 0xFF00AA00);
        resizeGrid(200, 200);
        for (int32_t x = 0; x < 200; ++x)
            for (int32_t y = 0; y < 200; ++y) setCell(x, y, cellTerrain);
        showScreen(screenMainMenu);
        // A blocker in the ground: it never moves on its own.
        Creature& c = creatures[0];
        c.inPlay = 1, c.x = c.y = c.fallStartY = 100, c.fx = c.fy = 100.5f, c.dir = 1, c.skill = skillBlock, c.frame = 1;
    }
    void TearDown() override { inputReset(); }
    static void makeAllDue() {
        for (double& t : stepLastFired) t = timerSeconds() - 10.0;
    }
};

TEST_F(MainLoop, FirstPassRunsEveryStepThenOnlyTheShortOnes) {
    runPass();
    EXPECT_EQ(fps, 1);
    EXPECT_EQ(lps, 1);
    EXPECT_EQ(creatures[0].frame, 2);
    EXPECT_EQ(px(0, 0), 0xFF3333BBu);
    runPass();  // 20 ms later: logic, frame and input; not animation or the second step
    EXPECT_EQ(tickCount, 1);
    EXPECT_EQ(frameCount, 1);
    EXPECT_EQ(creatures[0].frame, 2);
    makeAllDue();
    runPass();  // late by many intervals: each step once
    EXPECT_EQ(fps, 2);
    EXPECT_EQ(lps, 2);
    EXPECT_EQ(creatures[0].frame, 3);
}

TEST_F(MainLoop, PauseStopsCreaturesButNotFramesOrFuses) {
    showScreen(screenPlay);
    Creature& c = creatures[0];
    c.skill = skillWalk, c.fuse = 3;
    spawnedCount = 1;
    showScreen(screenPause);
    for (int second = 1; second <= 3; ++second) {
        makeAllDue();
        runPass();
        EXPECT_EQ(c.fx, 100.5f);
        EXPECT_EQ(c.frame, 1 + second);
        EXPECT_EQ(fps, 1);
    }
    EXPECT_EQ(c.inPlay, 0);  // the fuse burnt 3, 2, 1 and the creature exploded
    EXPECT_EQ(cellAt(100, 100), cellEmpty);
    showScreen(screenPlay);
    c = creatures[1] = creatures[0];
    c.inPlay = 1, c.falling = 1;
    runPass();
    EXPECT_EQ(c.fy, 102.5f);  // back in play the tick runs: a fall into the crater
}

TEST_F(MainLoop, QuittingStillRunsThatPassesSecondStep) {
    showScreen(screenExitConfirm);
    inputPointerMove(230, 215);  // "Yes"
    inputButtonEvent(buttonLeft, true);
    runPass();
    inputButtonEvent(buttonLeft, false);
    frameCount = 7;
    stepLastFired[stepSecond] = 0.0;
    runPass();
    EXPECT_EQ(running, 0);
    EXPECT_EQ(fps, 8);
}

}  // namespace
