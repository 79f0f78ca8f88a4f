#include <gtest/gtest.h>

#include "platform/backend.h"
#include "platform/headless.h"
#include "platform/input.h"

namespace {

struct InputTest : ::testing::Test {
    void SetUp() override {
        backendOpen(640, 480, "test");
        inputReset();
    }
    void TearDown() override { inputReset(); }
};

struct Mouse {
    int status;
    int32_t x, y, wheel, buttons;
};

Mouse mouse() {
    Mouse m{};
    m.status = readMouse(m.x, m.y, m.wheel, m.buttons);
    return m;
}

void expectMouseFails() {
    Mouse m = mouse();
    EXPECT_NE(m.status, 0);
    EXPECT_EQ(m.x, -1);
    EXPECT_EQ(m.y, -1);
    EXPECT_EQ(m.wheel, -1);
    EXPECT_EQ(m.buttons, -1);
}

TEST_F(InputTest, KeyDownOnlyForHeldKeysInRange) {
    inputKeyEvent(scanEscape, true);
    for (int scancode : {-1, 0, 128, 200, 255}) EXPECT_FALSE(keyDown(scancode)) << scancode;
    EXPECT_TRUE(keyDown(scanEscape));
    EXPECT_TRUE(keyDown(scanEscape)) << "a held key stays down on every read";
    inputKeyEvent(scanEscape, false);
    EXPECT_FALSE(keyDown(scanEscape));
}

TEST_F(InputTest, TapBetweenTwoReadsIsSeenOnceThenUp) {
    inputKeyEvent(scanLeft, true);
    inputKeyEvent(scanLeft, false);
    inputButtonEvent(buttonLeft, true);
    inputButtonEvent(buttonLeft, false);
    inputPointerMove(10, 20);
    EXPECT_TRUE(keyDown(scanLeft));
    EXPECT_FALSE(keyDown(scanLeft));
    EXPECT_EQ(mouse().buttons, buttonLeft);
    EXPECT_EQ(mouse().buttons, 0);
}

TEST_F(InputTest, KeyFlagFromCharacterKeysAndCloseOnly) {
    inputKeyEvent(42, true, false);  // a bare modifier
    EXPECT_FALSE(keyPressedFlag);
    EXPECT_TRUE(keyDown(42));
    inputKeyEvent(30, true);
    EXPECT_TRUE(keyPressedFlag);
    keyPressedFlag = false;
    inputCloseRequest();
    EXPECT_TRUE(keyPressedFlag);
}

TEST_F(InputTest, WithoutWindowEverythingReadsIdle) {
    inputPointerMove(5, 5);
    backendClose();
    inputKeyEvent(scanUp, true);
    EXPECT_FALSE(keyDown(scanUp));
    expectMouseFails();
    backendOpen(640, 480, "test");
}

TEST_F(InputTest, PointerOnlyInsideTheDrawableArea) {
    struct Case {
        int32_t x, y;
        bool inside;
    } cases[] = {{0, 0, true}, {639, 479, true}, {640, 0, false}, {0, 480, false},
                 {-1, 5, false}, {320, -1, false}};
    for (const Case& c : cases) {
        inputPointerMove(c.x, c.y);
        Mouse m = mouse();
        EXPECT_EQ(m.status == 0, c.inside) << c.x << "," << c.y;
        if (c.inside) {
            EXPECT_EQ(m.x, c.x);
            EXPECT_EQ(m.y, c.y);
        }
    }
    inputPointerMove(100, 100);
    inputPointerLeave();
    expectMouseFails();
}

TEST_F(InputTest, BothButtonsAndWheel) {
    inputPointerMove(300, 200);
    inputButtonEvent(buttonLeft, true);
    inputButtonEvent(buttonRight, true);
    inputWheel(2);
    inputWheel(-3);
    Mouse m = mouse();
    EXPECT_EQ(m.status, 0);
    EXPECT_EQ(m.buttons, 3);
    EXPECT_EQ(m.wheel, -1);
    inputButtonEvent(buttonRight, false);
    EXPECT_EQ(mouse().buttons, 1);
}

TEST_F(InputTest, FocusLossReleasesAllAndFailsMouseUntilFocusAndMove) {
    inputPointerMove(50, 60);
    inputKeyEvent(scanRight, true);
    inputButtonEvent(buttonLeft, true);
    inputFocus(false);
    EXPECT_FALSE(keyDown(scanRight)) << "not even the tap survives";
    expectMouseFails();
    inputKeyEvent(scanDown, true);
    EXPECT_FALSE(keyDown(scanDown)) << "keys do not go down without the focus";
    inputFocus(true);
    inputPointerMove(70, 80);
    Mouse m = mouse();
    EXPECT_EQ(m.status, 0);
    EXPECT_EQ(m.x, 70);
    EXPECT_EQ(m.y, 80);
    EXPECT_EQ(m.buttons, 0);
}

TEST_F(InputTest, PlatformStartNamesProgramAfterItsFile) {
    struct Case {
        const char* argv0;
        const char* name;
    } cases[] = {{"/usr/games/eggsodus", "eggsodus"}, {"C:\\Games\\EGGS.EXE", "EGGS"},
                 {"./build/eggsodus-replay", "eggsodus-replay"}};
    for (const Case& c : cases) {
        char* argv[] = {const_cast<char*>(c.argv0), nullptr};
        platformStart(1, argv);
        EXPECT_STREQ(programName(), c.name);
    }
}

}  // namespace
