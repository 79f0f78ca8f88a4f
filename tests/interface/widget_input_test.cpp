#include <gtest/gtest.h>

#include <vector>

#include "creatures/creature_table.h"
#include "interface/screens.h"
#include "interface/widget_input.h"
#include "interface/widgets.h"
#include "levels/level.h"
#include "platform/console.h"
#include "shell/play_state.h"
#include "ui_support.h"

namespace {

// A record as the level reset leaves it: out of play, fx -100, skill 1, no fuse.
Creature waitingCreature() {
    Creature c{};
    c.fx = -100.0f;
    c.skill = 1;
    c.fuse = 10;
    return c;
}

struct Pointer {
    int32_t x, y, buttons;
};

// Button A prints a line (so its runs can be counted), B selects skill 5, C is a label.
constexpr int32_t overA = 150, overB = 350, overC = 150;
constexpr Pointer pressA{overA, 110, 1}, holdA{overA, 115, 1}, releaseA{overA, 110, 0};
constexpr Pointer holdB{overB, 110, 1}, releaseB{overB, 110, 0};
constexpr Pointer holdEmpty{10, 10, 1}, pressEmpty{10, 10, 1};

class WidgetInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        openTestScreen();
        clearScreen();
        clearWidgets();
        addButton({100, 100}, {100, 30}, kindButton, "A", actionPrint, 0);
        addButton({300, 100}, {100, 30}, kindButton, "B", actionSkill, 5);
        addLabel({100, 200}, {100, 30}, kindLabel, "C", 0, 0);
        hoveredWidget = pressedWidget = releasedWidget = 0;
        lastMouseButtons = 0;
        selectedSkill = 1;
    }

    static void step(Pointer p) {
        mouseX = p.x;
        mouseY = p.y;
        mouseButtons = p.buttons;
        updateHover();
        updateClick();
    }
    static int printed() { return consoleCursorRow(); }
};

TEST_F(WidgetInputTest, ClickRules) {
    struct Case {
        const char* name;
        std::vector<Pointer> steps;
        std::vector<int> printsAfterEach;
        int32_t skillAfter;
    };
    const Case cases[] = {
        {"press A release A runs once, on the release", {pressA, holdA, releaseA, releaseA},
         {0, 0, 1, 1}, 1},
        {"A to B and back to A still clicks A", {pressA, holdB, holdA, releaseA}, {0, 0, 0, 1}, 1},
        {"A to empty space and back forgets the press", {pressA, holdEmpty, holdA, releaseA},
         {0, 0, 0, 0}, 1},
        {"press A release B runs neither", {pressA, holdB, releaseB}, {0, 0, 0}, 1},
        {"press on empty space then onto A", {pressEmpty, holdA, releaseA}, {0, 0, 0}, 1},
        {"right button held hides the left edges",
         {{overA, 110, 2}, {overA, 110, 3}, {overA, 110, 2}, {overA, 110, 0}}, {0, 0, 0, 0}, 1},
        {"frame pixel is not sensitive", {{100, 110, 1}, {100, 110, 0}}, {0, 0}, 1},
        {"one pixel in is", {{101, 110, 1}, {101, 110, 0}}, {0, 1}, 1},
        {"bottom edge is not sensitive", {{overA, 129, 1}, {overA, 129, 0}}, {0, 0}, 1},
        {"press B release B selects", {{overB, 110, 1}, releaseB}, {0, 0}, 5},
        {"label runs nothing", {{overC, 210, 1}, {overC, 210, 0}}, {0, 0}, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        for (size_t i = 0; i < c.steps.size(); ++i) {
            step(c.steps[i]);
            EXPECT_EQ(printed(), c.printsAfterEach[i]) << c.name << ", step " << i;
        }
        EXPECT_EQ(selectedSkill, c.skillAfter) << c.name;
    }
}

TEST_F(WidgetInputTest, ClickOnLabelUsesUpThePress) {
    step({overC, 210, 1});
    EXPECT_EQ(pressedWidget, 3);
    step({overC, 210, 0});
    EXPECT_EQ(pressedWidget, 0);
    EXPECT_EQ(releasedWidget, 3);
}

TEST_F(WidgetInputTest, HoverColours) {
    struct Case {
        const char* name;
        int32_t x, y;
        uint8_t hovered;
        uint32_t borderA, fillA, borderC, fillC;
    };
    const Case cases[] = {
        {"nothing", 10, 10, 0, 0xFFFFFFFF, 0xFF808080, 0xFF000000, 0xFF7F7F7F},
        {"button lights", overA, 110, 1, 0xFF60A0FF, 0xFFC08080, 0xFF000000, 0xFF7F7F7F},
        {"label shows nothing but counts", overC, 210, 3, 0xFFFFFFFF, 0xFF808080, 0xFF000000,
         0xFF7F7F7F},
    };
    for (const Case& c : cases) {
        step({overA, 110, 0});  // light A first: every pass starts from the normal colours
        step({c.x, c.y, 0});
        EXPECT_EQ(hoveredWidget, c.hovered) << c.name;
        EXPECT_EQ(widgets[1].borderColour, c.borderA) << c.name;
        EXPECT_EQ(widgets[1].fillColour, c.fillA) << c.name;
        EXPECT_EQ(widgets[3].borderColour, c.borderC) << c.name;
        EXPECT_EQ(widgets[3].fillColour, c.fillC) << c.name;
    }
}

TEST_F(WidgetInputTest, OverlapGoesToTheLowestIndex) {
    addButton({150, 105}, {100, 30}, kindButton, "D", actionSkill, 7);
    step({170, 115, 0});
    EXPECT_EQ(hoveredWidget, 1);
    EXPECT_EQ(widgets[4].borderColour, 0xFFFFFFFFu);
}

TEST_F(WidgetInputTest, ScreenButtonRebuildsTheTable) {
    clearWidgets();
    addButton({100, 100}, {100, 30}, kindButton, "Options", actionScreen, screenOptions);
    step(pressA);
    step(releaseA);
    EXPECT_EQ(screen, screenOptions);
    EXPECT_EQ(widgetCount, 4);
    EXPECT_EQ(widgets[4].text, "<<-- Back");
}

TEST_F(WidgetInputTest, ArmAllLightsEveryFuseOfTheLevelRange) {
    for (Creature& c : creatures) { c = waitingCreature(); c.skillTicks = 50; }
    const int32_t saved = lastCreatureIndex;
    lastCreatureIndex = 9;
    clearWidgets();
    addButton({100, 100}, {100, 30}, kindButton, "x", actionArmAll, 0);
    const int32_t usesBefore = skillUses[8];
    step(pressA);
    step(releaseA);
    for (int i = 0; i < creatureCapacity; ++i) {
        EXPECT_EQ(creatures[i].fuse, i <= 9 ? 6 : 10) << i;
        EXPECT_EQ(creatures[i].skillTicks, i <= 9 ? 0 : 50) << i;
    }
    EXPECT_EQ(skillUses[8], usesBefore);
    // A level value beyond the table reaches the whole table and no further.
    lastCreatureIndex = 5000;
    step(pressA);
    step(releaseA);
    EXPECT_EQ(creatures[99].fuse, 6);
    lastCreatureIndex = saved;
}

}  // namespace
