#include <gtest/gtest.h>
#include <array>
#include <tuple>
#include "platform/backend.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/window_fit.h"

namespace {

struct InputTest : ::testing::Test {
    void SetUp() override {
        backendOpen(640, 480, "test");
        inputReset();
    }
};

// readMouse's status, x, y, wheel and buttons.
std::array<int32_t, 5> mouse() {
    std::array<int32_t, 5> m{};
    m[0] = readMouse(m[1], m[2], m[3], m[4]);
    return m;
}
constexpr std::array<int32_t, 5> noMouse = {1, -1, -1, -1, -1};

// A held key reads down on every read; a press and release between two reads
// of the game is seen by exactly one read. Only keys that give a character
// (not bare modifiers) and the close button set the key flag.
TEST_F(InputTest, KeysTapsAndTheKeyFlag) {
    inputKeyEvent(42, true, false);
    EXPECT_FALSE(keyPressedFlag);
    inputKeyEvent(scanEscape, true);
    EXPECT_TRUE(keyPressedFlag);
    for (int scancode : {-1, 0, 128, 255}) EXPECT_FALSE(keyDown(scancode)) << scancode;
    EXPECT_TRUE(keyDown(scanEscape));
    EXPECT_TRUE(keyDown(scanEscape));
    inputKeyEvent(scanEscape, false);
    EXPECT_FALSE(keyDown(scanEscape));
    inputKeyEvent(scanLeft, true);
    inputKeyEvent(scanLeft, false);
    inputButtonEvent(buttonLeft, true);
    inputButtonEvent(buttonLeft, false);
    inputPointerMove(10, 20);  // buttons read only with the pointer on the screen
    EXPECT_TRUE(keyDown(scanLeft));
    EXPECT_FALSE(keyDown(scanLeft));
    EXPECT_EQ(mouse()[4], buttonLeft);
    EXPECT_EQ(mouse()[4], 0);
    keyPressedFlag = false;
    inputCloseRequest();
    EXPECT_TRUE(keyPressedFlag);
}

TEST_F(InputTest, PointerCountsOnlyInsideTheScreen) {
    const std::array<int32_t, 3> cases[] = {{0, 0, 1}, {639, 479, 1}, {640, 0, 0}, {0, 480, 0}, {-1, 5, 0}, {320, -1, 0}};
    for (auto [x, y, inside] : cases) {
        inputPointerMove(x, y);
        EXPECT_EQ(mouse(), (inside ? std::array{0, x, y, 0, 0} : noMouse)) << x << "," << y;
    }
    inputPointerMove(300, 200);
    inputButtonEvent(buttonLeft, true);
    inputButtonEvent(buttonRight, true);
    EXPECT_EQ(mouse(), (std::array{0, 300, 200, 0, 3}));
    inputPointerLeave();
    EXPECT_EQ(mouse(), noMouse);
}

TEST_F(InputTest, LosingFocusReleasesEverything) {
    inputPointerMove(50, 60);
    inputKeyEvent(scanRight, true);
    inputButtonEvent(buttonLeft, true);
    inputFocus(false);
    EXPECT_FALSE(keyDown(scanRight));  // not even as a tap
    EXPECT_EQ(mouse(), noMouse);
    inputKeyEvent(scanDown, true);
    EXPECT_FALSE(keyDown(scanDown));  // keys do not go down without the focus
    inputFocus(true);
    inputPointerMove(70, 80);
    EXPECT_EQ(mouse(), (std::array{0, 70, 80, 0, 0}));
}

// The pump hook presses a key (setting the flag) at the n-th test of the flag.
int pumpCalls = 0;
int pressAtPump = 0;
void pressKeyOnCue() {
    if (++pumpCalls == pressAtPump) inputKeyEvent(scanEscape, true);
}

// Under 100 ms a plain pause; from 100 ms on, 50 ms slices that a key cuts
// short; -1 waits for a key. Only pauses that test the flag clear it, so a
// key pressed during a plain pause is left for the next wait.
TEST_F(InputTest, PauseLengthsAndFlagTests) {
    resetHeadlessClock();
    setHeadlessPumpHook(pressKeyOnCue);
    // Pause, test of the flag that sees a key (0: none), milliseconds, tests of the flag.
    const std::tuple<int32_t, int, double, int> cases[] = {
        {99, 0, 99.1, 0},  {1, 0, 1.1, 0},    {0, 0, 0, 0},           {-5, 0, 0, 0},
        {100, 0, 100, 1},  {120, 0, 120, 2},  {1000, 0, 1000, 19},    {1000, 1, 0, 1},
        {1000, 3, 100, 3}, {-1, 1, 0, 1},     {-1, 4, 150, 4},
    };
    for (auto [ms, pressAt, elapsed, pumps] : cases) {
        pumpCalls = 0;
        pressAtPump = pressAt;
        const double start = timerSeconds();
        sleepMs(ms);
        EXPECT_NEAR((timerSeconds() - start) * 1000.0, elapsed, 1e-6) << ms << " key at " << pressAt;
        EXPECT_EQ(pumpCalls, pumps) << ms;
        EXPECT_FALSE(keyPressedFlag) << ms;
        // A quick tap that ended a pause must not also reach the game.
        inputKeyEvent(scanEscape, false);
        EXPECT_FALSE(keyDown(scanEscape)) << ms;
    }
    inputKeyEvent(scanEscape, true);
    sleepMs(20);
    EXPECT_TRUE(keyPressedFlag);
    setHeadlessPumpHook(nullptr);
}

// The picture fills as much of the window as it can with its aspect kept,
// between bars; a click lands on the pixel shown under it, and positions on
// the bars or outside do not count (and leave x and y alone).
TEST(WindowFitTest, PictureBetweenBarsAndClicksOnIt) {
    const std::pair<std::array<int32_t, 2>, std::array<int32_t, 4>> windows[] = {
        {{1366, 768}, {171, 0, 1024, 768}}, {{1024, 1024}, {0, 128, 1024, 768}}, {{0, -5}, {0, 0, 1, 1}}};
    for (auto [window, expected] : windows) {
        const PictureArea a = pictureAreaIn(window[0], window[1]);
        EXPECT_EQ((std::array{a.x, a.y, a.width, a.height}), expected) << window[0] << "x" << window[1];
    }
    const std::array<int32_t, 5> clicks[] = {{160, 0, true, 0, 0}, {1119, 719, true, 639, 479},
                                             {159, 0, false, -7, -7}, {300, 720, false, -7, -7},
                                             {-2147483647, 5, false, -7, -7}};
    for (auto [windowX, windowY, onPicture, px, py] : clicks) {
        int32_t x = -7, y = -7;
        EXPECT_EQ(pictureFromWindow(pictureAreaIn(1280, 720), windowX, windowY, x, y), onPicture != 0) << windowX;
        EXPECT_EQ(std::pair(x, y), std::pair(px, py)) << windowX << "," << windowY;
    }
}

}  // namespace
