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
    // The presents since the last look: how many, and the rows of the last one.
    static std::array<int64_t, 3> presented() {
        const HeadlessPresent seen = headlessPresents();
        resetHeadlessPresents();
        return {seen.count, seen.firstRow, seen.lastRow};
    }
};

constexpr std::array<int64_t, 3> nothing = {0, -1, -1};

TEST_F(ScreenTest, NestedLocksPresentOnlyAtTheLastUnlock) {
    lockScreen();
    lockScreen();
    unlockScreen(-1, -1);
    EXPECT_EQ(presented(), nothing);
    unlockScreen(-1, -1);
    EXPECT_EQ(presented(), (std::array<int64_t, 3>{1, 0, 479}));
    unlockScreen(-1, -1);  // an unlock too many must not hold back later frames
    presented();
    setPixel(displaySurface, 0, 7, 1);
    EXPECT_EQ(presented(), (std::array<int64_t, 3>{1, 7, 7}));
}

// Each drawing operation on the screen locks around itself and presents the rows it touched.
TEST_F(ScreenTest, DrawingPresentsTheTouchedRows) {
    static Image sprite = makeImage(5, 7, 0xFF00FF00);
    struct Case { const char* name; void (*draw)(); int32_t first, last; };
    const Case cases[] = {
        {"fillBox", [] { fillBox(displaySurface, 10, 30, 20, 12, 1); }, 12, 30},
        {"drawBox", [] { drawBox(displaySurface, 0, 470, 5, 900, 1); }, 470, 479},
        {"putImage", [] { putImage(displaySurface, 50, -3, &sprite, CopyMode::transparent); }, 0, 3},
        {"mirrored", [] { putImageMirrored(displaySurface, 50, 100, &sprite, 0, 0, 4, 6, CopyMode::opaque); }, 100, 106},
        {"circle", [] { fillCircle(displaySurface, 100, 200, 15.0, 1); }, 185, 215},
        {"text", [] { drawText(displaySurface, 0, 476, "abc"); }, 476, 479},
        {"wholly off the screen", [] { fillBox(displaySurface, 700, 0, 800, 10, 1); }, -1, -1},
        {"unlock past the bottom", [] { lockScreen(); unlockScreen(470, -1); }, 470, 479},
        {"unlock below the screen", [] { lockScreen(); unlockScreen(600, 700); }, -1, -1},
        {"changed rows and given rows, as one band", [] {
             lockScreen();
             setPixel(displaySurface, 0, 20, 1);
             setPixel(displaySurface, 0, 5, 1);
             unlockScreen(300, 310);
         }, 5, 310},
    };
    for (const Case& c : cases) {
        c.draw();
        EXPECT_EQ(screenLockCount(), 0) << c.name;
        EXPECT_EQ(presented(), (std::array<int64_t, 3>{c.first >= 0, c.first, c.last})) << c.name;
    }
}

TEST_F(ScreenTest, ImagesOnlyOfSaneSizes) {
    struct Case { int32_t width, height; bool made; };
    const Case cases[] = {{1, 1, true}, {0, 5, false}, {5, 0, false}, {-1, 4, false}, {maxImageSide, 1, true},
                          {maxImageSide + 1, 1, false}, {maxImageSide, maxImageSide, false}};
    for (const Case& c : cases) {
        Image* image = createImage(c.width, c.height, 3);
        ASSERT_EQ(image != nullptr, c.made) << c.width << "x" << c.height;
        if (image != nullptr) {
            EXPECT_EQ(getPixel(*image, c.width - 1, c.height - 1), 3u);
        }
        destroyImage(image);
    }
}

}  // namespace
