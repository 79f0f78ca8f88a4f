#include <gtest/gtest.h>

#include "../interface/ui_support.h"
#include "interface/screens.h"
#include "levels/level.h"
#include "platform/input.h"
#include "shell/main_loop.h"

namespace {

// The first pass runs every step; the next, 20 ms later, runs the logic, frame
// and input steps but not the animation or the second step; a pass late by
// many intervals runs each step once, making up none of the missed ones.
TEST(MainLoop, FirstPassRunsEveryStepLatePassEachStepOnce) {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
    inputReset();
    showScreen(screenMainMenu);
    for (double& t : stepLastFired) t = 0.0;
    frameCount = tickCount = fps = lps = 0;
    for (Creature& c : creatures) c = waitingCreature();
    lastCreatureIndex = 0;
    creatures[0].inPlay = 1;
    creatures[0].frame = 1;
    runPass();
    EXPECT_EQ(fps, 1);
    EXPECT_EQ(lps, 1);
    EXPECT_EQ(creatures[0].frame, 2);
    runPass();
    EXPECT_EQ(tickCount, 1);
    EXPECT_EQ(frameCount, 1);
    EXPECT_EQ(creatures[0].frame, 2);
    for (double& t : stepLastFired) t = timerSeconds() - 10.0;
    runPass();
    EXPECT_EQ(fps, 2);
    EXPECT_EQ(lps, 2);
    EXPECT_EQ(creatures[0].frame, 3);
}

}  // namespace
