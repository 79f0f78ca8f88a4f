#include "draw_test_support.h"
#include "platform/headless.h"

namespace {

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureScreenOpen();
        while (screenLockCount() > 0) releaseScreenLock();
        resetHeadlessPresents();
    }
};

TEST_F(ScreenTest, NestedLocksPresentOnlyAtTheLastUnlock) {
    lockScreen();
    lockScreen();
    fillBox(displaySurface, 0, 0, 639, 479, 0xFF0000FF);
    unlockScreen(-1, -1);
    EXPECT_EQ(headlessPresents().count, 0);
    EXPECT_EQ(screenLockCount(), 1);
    unlockScreen(-1, -1);
    EXPECT_EQ(screenLockCount(), 0);
    ASSERT_EQ(headlessPresents().count, 1);
    EXPECT_EQ(headlessPresents().firstRow, 0);
    EXPECT_EQ(headlessPresents().lastRow, 479);
}

// Each drawing operation on the screen locks around itself and presents the rows it touched.
TEST_F(ScreenTest, DrawingOutsideALockPresentsTheTouchedRows) {
    Image sprite = makeImage(5, 7, 0xFF00FF00);
    struct Case { const char* name; void (*draw)(const Image&); int32_t first, last; };
    const Case cases[] = {
        {"fillBox", [](const Image&) { fillBox(displaySurface, 10, 30, 20, 12, 1); }, 12, 30},
        {"drawBox", [](const Image&) { drawBox(displaySurface, 0, 470, 5, 900, 1); }, 470, 479},
        {"setPixel", [](const Image&) { setPixel(displaySurface, 3, 4, 1); }, 4, 4},
        {"putImage", [](const Image& s) { putImage(displaySurface, 50, -3, &s, CopyMode::transparent); }, 0, 3},
        {"mirrored", [](const Image& s) { putImageMirrored(displaySurface, 50, 100, &s, 0, 0, 4, 6, CopyMode::opaque); }, 100, 106},
        {"circle", [](const Image&) { fillCircle(displaySurface, 100, 200, 15.0, 1); }, 185, 215},
        {"text", [](const Image&) { drawText(displaySurface, 0, 476, "abc"); }, 476, 479},
    };
    for (const Case& c : cases) {
        resetHeadlessPresents();
        c.draw(sprite);
        EXPECT_EQ(screenLockCount(), 0) << c.name;
        ASSERT_EQ(headlessPresents().count, 1) << c.name;
        EXPECT_EQ(headlessPresents().firstRow, c.first) << c.name;
        EXPECT_EQ(headlessPresents().lastRow, c.last) << c.name;
    }
    resetHeadlessPresents();
    fillBox(displaySurface, 700, 0, 800, 10, 1);  // wholly off the screen: nothing to show
    EXPECT_EQ(headlessPresents().count, 0);
}

TEST_F(ScreenTest, UnlockMarksTheGivenRows) {
    lockScreen();
    unlockScreen(100, 119);
    EXPECT_EQ(headlessPresents().firstRow, 100);
    EXPECT_EQ(headlessPresents().lastRow, 119);
    lockScreen();
    unlockScreen(470, -1);  // a negative last row means the bottom row
    EXPECT_EQ(headlessPresents().firstRow, 470);
    EXPECT_EQ(headlessPresents().lastRow, 479);
    resetHeadlessPresents();
    lockScreen();
    unlockScreen(600, 700);  // rows past the screen mark nothing
    EXPECT_EQ(headlessPresents().count, 0);
    lockScreen();
    setPixel(displaySurface, 0, 20, 1);
    setPixel(displaySurface, 0, 5, 1);
    unlockScreen(300, 310);  // every changed row is shown, in one band
    EXPECT_EQ(headlessPresents().count, 1);
    EXPECT_EQ(headlessPresents().firstRow, 5);
    EXPECT_EQ(headlessPresents().lastRow, 310);
}

TEST_F(ScreenTest, UnbalancedUnlockDoesNotHoldBackLaterFrames) {
    unlockScreen(-1, -1);
    unlockScreen(-1, -1);
    EXPECT_EQ(screenLockCount(), 0);
    resetHeadlessPresents();
    setPixel(displaySurface, 0, 0, 1);
    EXPECT_EQ(headlessPresents().count, 1);
}

TEST_F(ScreenTest, ClosedScreenRefusesImagesAndDrawing) {
    Image image = makeImage(3, 3, 4);
    closeScreen();
    EXPECT_EQ(createImage(3, 3), nullptr);
    EXPECT_EQ(getPixel(image, 1, 1), outsideColour);
    fillBox(image, 0, 0, 2, 2, 9);
    drawText(image, 0, 0, "x");
    fillBox(displaySurface, 0, 0, 639, 479, 9);
    EXPECT_EQ(countDifferences(image, makeImage(3, 3, 4)), 0);
    EXPECT_NE(openScreen(320, 200, 32, 2), 0);  // only the 640x480 32-bit screen exists
    EXPECT_FALSE(screenIsOpen());
    ASSERT_EQ(openScreen(640, 480, 32, 2), 0);
    EXPECT_EQ(displaySurface.width, 640);
    EXPECT_EQ(getPixel(displaySurface, 639, 479), consoleBackground);
}

TEST_F(ScreenTest, CreatedImagesHoldTheirFill) {
    struct Case { int32_t width, height; bool made; };
    const Case cases[] = {{2, 2, true},           {1, 1, true},          {0, 5, false},
                          {5, 0, false},          {-1, 4, false},        {maxImageSide + 1, 1, false},
                          {maxImageSide, maxImageSide, false},           {maxImageSide, 1, true}};
    for (const Case& c : cases) {
        Image* image = createImage(c.width, c.height);
        EXPECT_EQ(image != nullptr, c.made) << c.width << "x" << c.height;
        if (image == nullptr) continue;
        EXPECT_EQ(image->width, c.width);
        EXPECT_EQ(getPixel(*image, c.width - 1, c.height - 1), transparentColour);
        destroyImage(image);
        EXPECT_EQ(image, nullptr);
    }
    Image* filled = createImage(3, 2, 0x00000000);
    EXPECT_EQ(std::count(filled->pixels.begin(), filled->pixels.end(), 0u), 6);
    destroyImage(filled);
    destroyImage(filled);  // a cleared pointer may be released again safely
}

}  // namespace
