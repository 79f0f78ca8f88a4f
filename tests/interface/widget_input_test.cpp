#include <gtest/gtest.h>

#include <vector>

#include "interface/screens.h"
#include "interface/widget_input.h"
#include "interface/widgets.h"
#include "levels/level.h"
#include "platform/console.h"
#include "shell/play_state.h"
#include "ui_support.h"

namespace {

struct Pointer {
    int32_t x, y, buttons;
};

// A prints a line (its runs are counted on the console), B selects skill 5,
// C is a label, D overlaps A from a higher index.
void setUpTable() {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
    clearScreen();
    clearWidgets();
    addButton({100, 100}, {100, 30}, kindButton, "A", actionPrint, 0);
    addButton({300, 100}, {100, 30}, kindButton, "B", actionSkill, 5);
    addLabel({100, 200}, {100, 30}, kindLabel, "C", 0, 0);
    addButton({190, 120}, {50, 30}, kindButton, "D", actionSkill, 7);
    hoveredWidget = pressedWidget = releasedWidget = 0;
    lastMouseButtons = 0;
    selectedSkill = 1;
}

void step(Pointer p) {
    mouseX = p.x;
    mouseY = p.y;
    mouseButtons = p.buttons;
    updateHover();
    updateClick();
}

TEST(WidgetInput, ClickRules) {
    constexpr Pointer onA{150, 110, 1}, offA{150, 110, 0}, onB{350, 110, 1}, offB{350, 110, 0};
    constexpr Pointer onEmpty{10, 10, 1}, onC{150, 210, 1}, offC{150, 210, 0};
    const struct {
        const char* name;
        std::vector<Pointer> steps;
        std::vector<int> printsAfterEach;
        int32_t skill;
    } cases[] = {
        {"press A release A: once, on the release", {onA, onA, offA, offA}, {0, 0, 1, 1}, 1},
        {"A to B and back to A", {onA, onB, onA, offA}, {0, 0, 0, 1}, 1},
        {"A to empty space and back", {onA, onEmpty, onA, offA}, {0, 0, 0, 0}, 1},
        {"press A release B", {onA, offB}, {0, 0}, 1},
        {"press on empty space then onto A", {onEmpty, onA, offA}, {0, 0, 0}, 1},
        {"right button held", {{150, 110, 2}, {150, 110, 3}, {150, 110, 2}, offA}, {0, 0, 0, 0}, 1},
        {"frame pixel", {{100, 110, 1}, {100, 110, 0}}, {0, 0}, 1},
        {"one pixel in", {{101, 128, 1}, {101, 128, 0}}, {0, 1}, 1},
        {"bottom edge", {{150, 129, 1}, {150, 129, 0}}, {0, 0}, 1},
        {"B selects", {onB, offB}, {0, 0}, 5},
        {"overlap: lowest index wins", {{195, 125, 1}, {195, 125, 0}}, {0, 1}, 1},
        {"label", {onC, offC}, {0, 0}, 1},
    };
    for (const auto& c : cases) {
        setUpTable();
        for (size_t i = 0; i < c.steps.size(); ++i) {
            step(c.steps[i]);
            EXPECT_EQ(consoleCursorRow(), c.printsAfterEach[i]) << c.name << ", step " << i;
        }
        EXPECT_EQ(selectedSkill, c.skill) << c.name;
    }
    EXPECT_EQ(pressedWidget, 0);  // the label's click used the press up
}

TEST(WidgetInput, HoverColours) {
    const struct {
        int32_t x, y;
        uint8_t hovered;
        uint32_t borderA, fillA, borderC;
    } cases[] = {
        {10, 10, 0, 0xFFFFFFFF, 0xFF808080, 0xFF000000},
        {150, 110, 1, 0xFF60A0FF, 0xFFC08080, 0xFF000000},
        {150, 210, 3, 0xFFFFFFFF, 0xFF808080, 0xFF000000},
    };
    setUpTable();
    for (const auto& c : cases) {
        step({150, 110, 0});
        step({c.x, c.y, 0});
        EXPECT_EQ(hoveredWidget, c.hovered);
        EXPECT_EQ(widgets[1].borderColour, c.borderA);
        EXPECT_EQ(widgets[1].fillColour, c.fillA);
        EXPECT_EQ(widgets[3].borderColour, c.borderC);
        EXPECT_EQ(widgets[3].fillColour, 0xFF7F7F7Fu);
    }
}

TEST(WidgetInput, ArmAllReachesTheLevelRangeOnly) {
    for (int32_t last : {9, 5000}) {
        for (Creature& c : creatures) c = waitingCreature(), c.skillTicks = 50;
        setUpTable();
        addButton({0, 300}, {100, 30}, kindButton, "x", actionArmAll, 0);
        lastCreatureIndex = last;
        skillUses[8] = 2;
        step({50, 310, 1});
        step({50, 310, 0});
        for (int i = 0; i < creatureCapacity; ++i) {
            const bool armed = i <= last;
            ASSERT_EQ(creatures[i].fuse, armed ? 6 : 10) << i;
            ASSERT_EQ(creatures[i].skillTicks, armed ? 0 : 50) << i;
        }
        EXPECT_EQ(skillUses[8], 2);
    }
}

}  // namespace
