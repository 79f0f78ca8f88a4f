#include <gtest/gtest.h>

#include "creatures/creature_table.h"
#include "interface/screens.h"
#include "interface/widgets.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "shell/main_loop.h"
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

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!screenIsOpen()) openScreen(640, 480, 32, 2);
        inputReset();
        for (double& t : stepLastFired) t = 0.0;
        frameCount = tickCount = fps = lps = 0;
        for (Creature& c : creatures) c = waitingCreature();
        for (int32_t& v : levelValues) v = 0;
        spawnedCount = savedCount = liveCount = spawnTicks = 0;
        levelWidth = 200;
        levelHeight = 200;
        if (terrainImage != nullptr) destroyImage(terrainImage);
        terrainImage = createImage(200, 200, 0xFF00AA00);
        resizeGrid(200, 200);
        for (int32_t x = 0; x < 200; ++x)
            for (int32_t y = 0; y < 200; ++y) setCell(x, y, cellTerrain);
        showScreen(screenMainMenu);
    }
    void TearDown() override { inputReset(); }

    // A creature standing still in the open (a blocker never moves on its own).
    static Creature& standing(int index) {
        Creature& c = creatures[index];
        c = waitingCreature();
        c.inPlay = 1;
        c.x = c.y = c.fallStartY = 100;
        c.fx = c.fy = 100.5f;
        c.dir = 1;
        c.skill = skillBlock;
        c.frame = 1;
        return c;
    }
    static void makeAllDue() {
        for (double& t : stepLastFired) t = timerSeconds() - 10.0;
    }
};

TEST_F(MainLoopTest, FirstPassRunsEveryStepAndRatesAreOne) {
    standing(0);
    runPass();
    EXPECT_EQ(fps, 1);
    EXPECT_EQ(lps, 1);
    EXPECT_EQ(frameCount, 0);
    EXPECT_EQ(tickCount, 0);
    EXPECT_EQ(creatures[0].frame, 2);
    EXPECT_EQ(displaySurface.pixels[0], 0xFF3333BBu);  // a frame was drawn
}

TEST_F(MainLoopTest, PassRightAfterRunsOnlyTheShortSteps) {
    standing(0);
    runPass();
    runPass();  // 20 ms later: logic, frame and input, not animation or the second step
    EXPECT_EQ(tickCount, 1);
    EXPECT_EQ(frameCount, 1);
    EXPECT_EQ(creatures[0].frame, 2);
    EXPECT_EQ(fps, 1);
}

TEST_F(MainLoopTest, LatePassRunsEachDueStepOnce) {
    standing(0);
    runPass();
    makeAllDue();
    runPass();
    EXPECT_EQ(fps, 1);
    EXPECT_EQ(lps, 1);
    EXPECT_EQ(creatures[0].frame, 3);
    for (int step = 0; step < timedStepCount; ++step)
        EXPECT_GT(stepLastFired[step], timerSeconds() - 1.0) << step;
}

TEST_F(MainLoopTest, AnimationFramesRunOneToSix) {
    Creature& c = standing(0);
    c.frame = 5;
    creatures[1] = c;
    creatures[1].inPlay = 0;
    lastCreatureIndex = 1;
    for (int expected : {6, 1, 2}) {
        makeAllDue();
        runPass();
        EXPECT_EQ(c.frame, expected);
    }
    EXPECT_EQ(creatures[1].frame, 5);  // out of play: not animated
}

TEST_F(MainLoopTest, PauseStopsCreaturesButNotFramesOrFuses) {
    showScreen(screenPlay);
    Creature& c = standing(0);
    c.skill = skillWalk;
    c.fuse = 3;
    spawnedCount = 1;
    lastCreatureIndex = 0;
    showScreen(screenPause);
    const float fx = c.fx;
    int frames = 0;
    for (int second = 0; second < 3; ++second) {
        makeAllDue();
        runPass();
        frames += 1;
        EXPECT_EQ(c.fx, fx);
        EXPECT_EQ(c.frame, 1 + frames % 6);
        EXPECT_EQ(fps, 1);
    }
    EXPECT_EQ(c.inPlay, 0);  // the fuse burnt 3, 2, 1 and the creature exploded
    EXPECT_EQ(cellAt(100, 100), cellEmpty);
    EXPECT_EQ(screen, screenPause);
}

TEST_F(MainLoopTest, TickOnlyOnThePlayScreen) {
    Creature& c = standing(0);
    c.skill = skillWalk;
    c.falling = 1;
    for (int32_t x = 0; x < 200; ++x)
        for (int32_t y = 0; y < 200; ++y) setCell(x, y, cellEmpty);
    lastCreatureIndex = 0;
    runPass();
    EXPECT_EQ(c.fy, 100.5f);
    showScreen(screenPlay);
    runPass();
    EXPECT_EQ(c.fy, 102.5f);
    EXPECT_EQ(spawnTicks, 1);
}

TEST_F(MainLoopTest, QuittingStillRunsThatPassesSecondStep) {
    showScreen(screenExitConfirm);
    inputFocus(true);
    inputPointerMove(230, 215);  // "Yes"
    inputButtonEvent(buttonLeft, true);
    runPass();
    inputButtonEvent(buttonLeft, false);
    frameCount = 7;
    stepLastFired[stepSecond] = 0.0;
    runPass();
    EXPECT_EQ(running, 0);
    EXPECT_EQ(screen, screenQuit);
    EXPECT_EQ(fps, 8);
    EXPECT_EQ(frameCount, 0);
}

}  // namespace
