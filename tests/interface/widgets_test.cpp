#include <gtest/gtest.h>

#include "interface/widgets.h"
#include "ui_support.h"

namespace {

constexpr uint32_t back = 0xFF123456;

void blankScreen() {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
    fillBox(displaySurface, 0, 0, 639, 479, back);
    clearWidgets();
}

TEST(Widgets, TableFillsFromIndexOneAndNeverOverflows) {
    blankScreen();
    addButton({1, 1}, {5, 5}, kindButton, "old", actionPrint, 0);
    clearWidgets();
    drawWidgets();
    EXPECT_EQ(px(1, 1), back);
    for (int i = 0; i < widgetCapacity + 3; ++i) addLabel({i, 0}, {9, 9}, kindLabel, "", 0, 0);
    EXPECT_EQ(widgetCount, widgetCapacity);
    EXPECT_EQ(widgets[widgetCapacity].x, widgetCapacity - 1);
}

TEST(Widgets, ButtonAndLabelPixels) {
    blankScreen();
    addButton({260, 150}, {120, 30}, kindButton, "Yes", actionScreen, 255);
    addLabel({100, 300}, {34, 34}, kindLabel, "No", 0, 0);
    EXPECT_EQ(widgets[1].x2, 379);
    EXPECT_EQ(widgets[1].y2, 179);
    drawWidgets();
    const struct { int32_t x, y; uint32_t colour; } probes[] = {
        {260, 150, 0xFFFFFFFF}, {379, 179, 0xFFFFFFFF}, {261, 151, 0xFF808080}, {378, 178, 0xFF808080},
        {259, 150, back},       {380, 180, back},       {100, 300, 0xFF000000}, {133, 333, 0xFF000000},
        {101, 301, 0xFF7F7F7F}, {132, 332, 0xFF7F7F7F},
    };
    for (const auto& p : probes) EXPECT_EQ(px(p.x, p.y), p.colour) << p.x << "," << p.y;
    EXPECT_TRUE(textShownAt(275, 161, "Yes"));  // 30 px high: 11 rows down
    EXPECT_TRUE(textShownAt(115, 313, "No"));   // 34 px high: 13 rows down
}

TEST(Widgets, CaptionsKeepTheirFirst255Characters) {
    // From far left, characters 254, 255 and 256 land at x = 0, 8 and 16.
    for (size_t length : {255, 256, 300}) {
        blankScreen();
        drawClippedText(-8 * 253, 0, std::string(length, 'H'));
        EXPECT_TRUE(textShownAt(0, 0, "HH")) << length;
        EXPECT_TRUE(textShownAt(16, 0, " ")) << length;
    }
}

}  // namespace
