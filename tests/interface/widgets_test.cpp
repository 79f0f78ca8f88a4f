#include <gtest/gtest.h>

#include <string>

#include "interface/widgets.h"
#include "ui_support.h"

namespace {

constexpr uint32_t background = 0xFF123456;

class WidgetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        openTestScreen();
        fillBox(displaySurface, 0, 0, 639, 479, background);
        clearWidgets();
    }
};

TEST_F(WidgetsTest, AddFillsTheNextIndexWithEdgesAndColours) {
    addButton({999, 999}, {5, 5}, kindButton, "old", actionPrint, 0);
    clearWidgets();
    addButton({260, 150}, {120, 30}, kindButton, "Play", actionScreen, 3);
    addLabel({10, 20}, {200, 34}, kindLabel, "Note", 0, 0);
    ASSERT_EQ(widgetCount, 2);
    const Widget& b = widgets[1];
    EXPECT_EQ(b.x1, 260);
    EXPECT_EQ(b.y1, 150);
    EXPECT_EQ(b.x2, 379);
    EXPECT_EQ(b.y2, 179);
    EXPECT_EQ(b.text, "Play");
    EXPECT_EQ(b.action, actionScreen);
    EXPECT_EQ(b.actionArg, 3);
    EXPECT_EQ(b.fillColour, 0xFF808080u);
    EXPECT_EQ(b.normalFillColour, 0xFF808080u);
    EXPECT_EQ(b.borderColour, 0xFFFFFFFFu);
    EXPECT_EQ(b.normalBorderColour, 0xFFFFFFFFu);
    const Widget& l = widgets[2];
    EXPECT_EQ(l.x2, 209);
    EXPECT_EQ(l.y2, 53);
    EXPECT_EQ(l.kind, kindLabel);
    EXPECT_EQ(l.fillColour, 0xFF7F7F7Fu);
    EXPECT_EQ(l.borderColour, 0xFF000000u);
}

TEST_F(WidgetsTest, AFullTableDropsFurtherWidgets) {
    for (int i = 0; i < widgetCapacity + 5; ++i)
        addButton({i, i}, {10, 10}, kindButton, std::to_string(i), actionPrint, 0);
    EXPECT_EQ(widgetCount, widgetCapacity);
    EXPECT_EQ(widgets[widgetCapacity].text, std::to_string(widgetCapacity - 1));
    drawWidgets();  // must not read past the table
}

TEST_F(WidgetsTest, ClearedTableDrawsNothing) {
    addButton({260, 150}, {120, 30}, kindButton, "Play", actionScreen, 3);
    clearWidgets();
    drawWidgets();
    EXPECT_EQ(px(260, 150), background);
    EXPECT_EQ(px(300, 160), background);
}

TEST_F(WidgetsTest, ButtonIsAFrameAroundAFillWithItsCaptionInTheMiddle) {
    addButton({260, 150}, {120, 30}, kindButton, "Yes", actionScreen, 255);
    drawWidgets();
    struct Probe {
        int32_t x, y;
        uint32_t colour;
    };
    const Probe probes[] = {
        {260, 150, 0xFFFFFFFF}, {379, 179, 0xFFFFFFFF}, {379, 150, 0xFFFFFFFF},
        {260, 179, 0xFFFFFFFF}, {300, 150, 0xFFFFFFFF}, {261, 151, 0xFF808080},
        {378, 178, 0xFF808080}, {270, 160, 0xFF808080}, {259, 150, background},
        {380, 179, background}, {300, 180, background},
    };
    for (const Probe& p : probes) EXPECT_EQ(px(p.x, p.y), p.colour) << p.x << "," << p.y;
    EXPECT_TRUE(textShownAt(275, 161, "Yes"));
}

TEST_F(WidgetsTest, CaptionRowFollowsTheHeight) {
    // Heights 30 and 34 put the caption 11 and 13 rows below the top.
    addButton({0, 0}, {200, 30}, kindButton, "A", actionPrint, 0);
    addButton({0, 100}, {200, 34}, kindButton, "B", actionPrint, 0);
    drawWidgets();
    EXPECT_TRUE(textShownAt(15, 11, "A"));
    EXPECT_TRUE(textShownAt(15, 113, "B"));
}

TEST_F(WidgetsTest, EmptyPanelBoxAndLabelColours) {
    addButton({79, 424}, {34, 34}, kindButton, "", actionSkill, 1);
    addLabel({300, 300}, {50, 30}, kindLabel, "", 0, 0);
    drawWidgets();
    EXPECT_EQ(px(79, 424), 0xFFFFFFFFu);
    EXPECT_EQ(px(112, 457), 0xFFFFFFFFu);
    for (int32_t y = 425; y <= 456; ++y)
        for (int32_t x = 80; x <= 111; ++x) ASSERT_EQ(px(x, y), 0xFF808080u) << x << "," << y;
    EXPECT_EQ(px(300, 300), 0xFF000000u);
    EXPECT_EQ(px(349, 329), 0xFF000000u);
    EXPECT_EQ(px(301, 301), 0xFF7F7F7Fu);
}

TEST_F(WidgetsTest, LaterWidgetsAreDrawnOverEarlierOnes) {
    addButton({0, 0}, {100, 100}, kindButton, "", actionPrint, 0);
    addLabel({50, 50}, {100, 100}, kindLabel, "", 0, 0);
    drawWidgets();
    EXPECT_EQ(px(60, 60), 0xFF7F7F7Fu);
    EXPECT_EQ(px(40, 40), 0xFF808080u);
}

TEST_F(WidgetsTest, ThinWidgetStaysInsideItsRectangle) {
    addButton({100, 100}, {1, 1}, kindButton, "", actionPrint, 0);
    drawWidgets();
    EXPECT_EQ(px(100, 100), 0xFFFFFFFFu);
    EXPECT_EQ(px(99, 99), background);
    EXPECT_EQ(px(101, 101), background);
}

TEST_F(WidgetsTest, ClippedTextKeepsAtMost255Characters) {
    // Drawn from far left, so that characters 254, 255 and 256 land at x = 0, 8 and 16.
    const auto cellBlank = [](int32_t x) {
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t col = 0; col < 8; ++col)
                if (px(x + col, y) != background) return false;
        return true;
    };
    for (size_t length : {size_t{255}, size_t{256}, size_t{300}}) {
        fillBox(displaySurface, 0, 0, 639, 479, background);
        drawClippedText(-8 * 253, 0, std::string(length, 'H'));
        EXPECT_TRUE(textShownAt(0, 0, "HH")) << length;
        EXPECT_TRUE(cellBlank(16)) << length;
    }
}

}  // namespace
