#include <gtest/gtest.h>

#include <cmath>

#include "platform/backend.h"
#include "platform/headless.h"
#include "platform/input.h"

namespace {

// The pump hook presses a key (setting the flag) at the n-th test of the flag.
int pumpCalls = 0;
int pressAtPump = 0;
void pressKeyOnCue() {
    if (++pumpCalls == pressAtPump) inputKeyEvent(scanEscape, true);
}

struct SleepTest : ::testing::Test {
    void SetUp() override {
        backendOpen(640, 480, "test");
        inputReset();
        resetHeadlessClock();
        pumpCalls = 0;
        pressAtPump = 0;
        setHeadlessPumpHook(pressKeyOnCue);
    }
    void TearDown() override {
        setHeadlessPumpHook(nullptr);
        inputReset();
    }
    double elapsedMs(int32_t ms) {
        double start = timerSeconds();
        sleepMs(ms);
        return (timerSeconds() - start) * 1000.0;
    }
};

TEST_F(SleepTest, PauseLengthsAndFlagTests) {
    struct Case {
        int32_t ms;
        int pressAt;  // 0: no key
        double elapsedMs;
        int pumps;
    } cases[] = {
        {20, 0, 20.1, 0},  {99, 0, 99.1, 0},   {1, 0, 1.1, 0},     {0, 0, 0, 0},
        {-5, 0, 0, 0},     {100, 0, 100, 1},   {120, 0, 120, 2},   {1000, 0, 1000, 19},
        {1000, 1, 0, 1},   {1000, 3, 100, 3},  {3000, 59, 2900, 59}, {-1, 1, 0, 1},
        {-1, 4, 150, 4},
    };
    for (const Case& c : cases) {
        pumpCalls = 0;
        pressAtPump = c.pressAt;
        keyPressedFlag = false;
        EXPECT_NEAR(elapsedMs(c.ms), c.elapsedMs, 1e-6) << c.ms << " key at " << c.pressAt;
        EXPECT_EQ(pumpCalls, c.pumps) << c.ms;
        if (c.pressAt > 0 && c.pressAt <= c.pumps) {
            EXPECT_FALSE(keyPressedFlag) << "the pause that saw the key clears the flag";
        }
        inputKeyEvent(scanEscape, false);
    }
}

TEST_F(SleepTest, ShortPauseLeavesTheFlagForTheNextWait) {
    inputKeyEvent(scanEscape, true);
    sleepMs(20);
    EXPECT_TRUE(keyPressedFlag);
    EXPECT_EQ(elapsedMs(-1), 0.0);
    EXPECT_FALSE(keyPressedFlag);
}

TEST_F(SleepTest, KeyThatEndsAPauseIsNotAlsoATapForTheGame) {
    pressAtPump = 2;
    sleepMs(-1);
    inputKeyEvent(scanEscape, false);
    EXPECT_FALSE(keyDown(scanEscape));
}

TEST_F(SleepTest, ManyPassesAddUpExactlyFrom1000Seconds) {
    EXPECT_EQ(timerSeconds(), 1000.0);
    for (int pass = 0; pass < 5000; ++pass) sleepMs(20);
    EXPECT_EQ(timerSeconds(), 1100.5);
}

}  // namespace
