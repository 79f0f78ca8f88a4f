#include <gtest/gtest.h>
#include <tuple>
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
        setHeadlessPumpHook(pressKeyOnCue);
    }
    void TearDown() override { setHeadlessPumpHook(nullptr); }
};

// The virtual clock's milliseconds a pause takes, with a key pressed at the
// given test of the flag (0: none).
double elapsedMs(int32_t ms, int pressAt = 0) {
    pumpCalls = 0;
    pressAtPump = pressAt;
    const double start = timerSeconds();
    sleepMs(ms);
    return (timerSeconds() - start) * 1000.0;
}

// Under 100 ms a plain pause; from 100 ms on, 50 ms slices that a key cuts
// short; -1 waits for a key. Only pauses that test the flag clear it, so a
// key pressed during a plain pause is left for the next wait.
TEST_F(SleepTest, PauseLengthsAndFlagTests) {
    // Pause, test of the flag that sees a key (0: none), milliseconds, tests of the flag.
    const std::tuple<int32_t, int, double, int> cases[] = {
        {99, 0, 99.1, 0},  {1, 0, 1.1, 0},    {0, 0, 0, 0},           {-5, 0, 0, 0},
        {100, 0, 100, 1},  {120, 0, 120, 2},  {1000, 0, 1000, 19},    {1000, 1, 0, 1},
        {1000, 3, 100, 3}, {-1, 1, 0, 1},     {-1, 4, 150, 4},
    };
    for (auto [ms, pressAt, elapsed, pumps] : cases) {
        EXPECT_NEAR(elapsedMs(ms, pressAt), elapsed, 1e-6) << ms << " key at " << pressAt;
        EXPECT_EQ(pumpCalls, pumps) << ms;
        EXPECT_FALSE(keyPressedFlag) << ms;
        // A quick tap that ended a pause must not also reach the game.
        inputKeyEvent(scanEscape, false);
        EXPECT_FALSE(keyDown(scanEscape)) << ms;
    }
    inputKeyEvent(scanEscape, true);
    sleepMs(20);
    EXPECT_TRUE(keyPressedFlag);
}

}  // namespace
