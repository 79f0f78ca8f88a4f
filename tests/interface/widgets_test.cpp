#include <gtest/gtest.h>

#include <vector>

#include "interface/widget_input.h"
#include "interface/widgets.h"
#include "levels/level.h"
#include "platform/console.h"
#include "shell/play_state.h"
#include "ui_support.h"

namespace {

constexpr uint32_t back = 0xFF123456;

void blankScreen() {
    openScreenOnce();
    clearScreen();
    fillBox(displaySurface, 0, 0, 639, 479, back);
    clearWidgets();
}

TEST(Widgets, TableFillsFromIndexOneAndNeverOverflows) {
    blankScreen();
    for (int i = 0; i < widgetCapacity + 3; ++i) addLabel({i, 0}, {9, 9}, kindLabel, "", 0, 0);
    EXPECT_EQ(widgetCount, widgetCapacity);
    EXPECT_EQ(widgets[widgetCapacity].x, widgetCapacity - 1);
}

TEST(Widgets, FramesIncludeTheirFarCornerAndCaptionsSitMidHeight) {
    blankScreen();
    addButton({260, 150}, {120, 30}, kindButton, "Yes", actionScreen, 255);
    addLabel({100, 300}, {34, 34}, kindLabel, "No", 0, 0);
    drawWidgets();
    EXPECT_EQ(px(379, 179), 0xFFFFFFFFu);
    EXPECT_EQ(px(378, 178), 0xFF808080u);
    EXPECT_EQ(px(380, 180), back);
    EXPECT_EQ(px(133, 333), 0xFF000000u);
    EXPECT_TRUE(textShownAt(275, 161, "Yes"));
    EXPECT_TRUE(textShownAt(115, 313, "No"));
    // From far left, characters 254, 255 and 256 of a long caption land at x = 0, 8 and 16.
    drawClippedText(-8 * 253, 0, std::string(300, 'H'));
    EXPECT_TRUE(textShownAt(0, 0, "HH "));
}

struct Pointer {
    int32_t x, y, buttons;
};

// A prints a line (its runs are counted on the console), B selects skill 5,
// C is a label, D overlaps A from a higher index.
void setUpTable() {
    blankScreen();
    addButton({100, 100}, {100, 30}, kindButton, "A", actionPrint, 0);
    addButton({300, 100}, {100, 30}, kindButton, "B", actionSkill, 5);
    addLabel({100, 200}, {100, 30}, kindLabel, "C", 0, 0);
    addButton({190, 120}, {50, 30}, kindButton, "D", actionSkill, 7);
    hoveredWidget = pressedWidget = releasedWidget = 0;
    lastMouseButtons = 0;
    selectedSkill = 1;
}

void step(Pointer p) {
    mouseX = p.x, mouseY = p.y, mouseButtons = p.buttons;
    updateHover();
    updateClick();
}

TEST(Widgets, ClickRules) {
    constexpr Pointer onA{150, 110, 1}, offA{150, 110, 0}, onB{350, 110, 1}, offB{350, 110, 0};
    constexpr Pointer onEmpty{10, 10, 1}, onC{150, 210, 1}, offC{150, 210, 0};
    const struct {
        const char* name;
        std::vector<Pointer> steps;
        int prints;
        int32_t skill;
    } cases[] = {
        {"press A and hold", {onA, onA}, 0, 1},
        {"press A release A: once", {onA, onA, offA, offA}, 1, 1},
        {"A to B and back to A", {onA, onB, onA, offA}, 1, 1},
        {"A to empty space and back", {onA, onEmpty, onA, offA}, 0, 1},
        {"press A release B", {onA, offB}, 0, 1},
        {"press on empty space then onto A", {onEmpty, onA, offA}, 0, 1},
        {"right button held", {{150, 110, 2}, {150, 110, 3}, {150, 110, 2}, offA}, 0, 1},
        {"frame pixel", {{100, 110, 1}, {100, 110, 0}}, 0, 1},
        {"one pixel in", {{101, 128, 1}, {101, 128, 0}}, 1, 1},
        {"bottom edge", {{150, 129, 1}, {150, 129, 0}}, 0, 1},
        {"B selects", {onB, offB}, 0, 5},
        {"overlap: lowest index wins", {{195, 125, 1}, {195, 125, 0}}, 1, 1},
        {"label", {onC, offC}, 0, 1},
    };
    for (const auto& c : cases) {
        setUpTable();
        for (Pointer p : c.steps) step(p);
        EXPECT_EQ(consoleCursorRow(), c.prints) << c.name;
        EXPECT_EQ(selectedSkill, c.skill) << c.name;
    }
    EXPECT_EQ(pressedWidget, 0);  // the label's click used the press up
}

// The hovered button takes the hover frame and fill; a label keeps its black frame.
TEST(Widgets, HoverColoursButtonsButNotLabels) {
    setUpTable();
    step({150, 110, 0});
    EXPECT_EQ(std::pair(widgets[1].borderColour, widgets[1].fillColour),
              std::pair(0xFF60A0FFu, 0xFFC08080u));
    step({150, 210, 0});
    EXPECT_EQ(hoveredWidget, 3);
    EXPECT_EQ(std::pair(widgets[1].borderColour, widgets[1].fillColour),
              std::pair(0xFFFFFFFFu, 0xFF808080u));
    EXPECT_EQ(std::pair(widgets[3].borderColour, widgets[3].fillColour),
              std::pair(0xFF000000u, 0xFF7F7F7Fu));
}

TEST(Widgets, ArmAllReachesTheLevelRangeOnly) {
    for (int32_t last : {9, 5000}) {
        for (Creature& c : creatures) c = waitingCreature(), c.skillTicks = 50;
        setUpTable();
        addButton({0, 300}, {100, 30}, kindButton, "x", actionArmAll, 0);
        lastCreatureIndex = last;
        skillUses[8] = 2;
        step({50, 310, 1});
        step({50, 310, 0});
        for (int i = 0; i < creatureCapacity; ++i)
            ASSERT_EQ(std::pair(creatures[i].fuse, creatures[i].skillTicks),
                      i <= last ? std::pair(6, 0) : std::pair(10, 50)) << i;
        EXPECT_EQ(skillUses[8], 2);
    }
}

}  // namespace
