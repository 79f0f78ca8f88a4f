// Buttons and labels under a scripted pointer, on the main menu and the exit
// confirmation: "Play Game" spans (260, 150)-(379, 179), "Options" (260, 200)-(379, 229).
#include <gtest/gtest.h>

#include <string>

#include "replay_support.h"

namespace {

constexpr int64_t hoverBorder = 0xFF60A0FF;
constexpr int64_t hoverFill = 0xFFC08080;
constexpr int64_t buttonBorder = 0xFFFFFFFF;
constexpr int64_t labelBorder = 0xFF000000;
constexpr int64_t labelFill = 0xFF7F7F7F;

TEST(WidgetsTest, OnlyTheInsideOfTheFrameIsUnderThePointer) {
    struct Point {
        int x, y;
        int hovered;
    };
    const Point points[] = {
        {260, 165, 0}, {261, 165, 1}, {379, 165, 0}, {378, 165, 1},
        {300, 150, 0}, {300, 151, 1}, {300, 179, 0}, {300, 178, 1},
        {300, 190, 0}, {300, 215, 2},
    };
    std::string script;
    int pass = 1;
    for (const Point& p : points) {
        script += std::to_string(pass) + " mouse " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
        script += std::to_string(pass) + " dump\n";
        ++pass;
    }
    ReplayRun run = runScript(prepareFolder("widget-frames", {}), script);
    ASSERT_EQ(run.status, 0) << run.err;
    for (int i = 0; i < pass - 1; ++i) {
        const Point& p = points[i];
        const Json& dump = run.at(i + 1);
        EXPECT_EQ(dump["hoveredWidget"].integer(), p.hovered) << p.x << "," << p.y;
        const Json& playGame = dump["widgets"][0];
        EXPECT_EQ(playGame["borderColour"].integer(), p.hovered == 1 ? hoverBorder : buttonBorder) << p.x << "," << p.y;
        EXPECT_EQ(playGame["fillColour"].integer(), p.hovered == 1 ? hoverFill : 0xFF808080) << p.x << "," << p.y;
    }
}

struct ClickCase {
    const char* name;
    const char* script;
    int screen;  // after pass 20
};

TEST(WidgetsTest, AClickIsAPressAndAReleaseOverTheSameButton) {
    const ClickCase cases[] = {
        {"press and release on Play Game", "5 mouse 300 165\n5 button down left\n6 button up left\n", 3},
        {"holding the button longer changes nothing",
         "5 mouse 300 165\n5 button down left\n11 button up left\n", 3},
        {"passing over another button on the way",
         "5 mouse 300 165\n5 button down left\n6 mouse 300 215\n7 mouse 300 165\n8 button up left\n", 3},
        {"leaving every button forgets the press",
         "5 mouse 300 165\n5 button down left\n6 mouse 300 190\n7 mouse 300 165\n8 button up left\n", 2},
        {"press on one button, release on another",
         "5 mouse 300 165\n5 button down left\n6 mouse 300 215\n7 button up left\n", 2},
        {"press on empty space, release on a button",
         "5 mouse 300 190\n5 button down left\n6 mouse 300 165\n7 button up left\n", 2},
        {"left pressed while the right is held",
         "4 mouse 300 165\n4 button down right\n5 button down left\n6 button up left\n7 button up right\n", 2},
        {"the middle button is not a click", "5 mouse 300 165\n5 button down middle\n6 button up middle\n", 2},
        // While the pointer is outside nothing is read, so the press waits for it.
        {"a press stays pending while the pointer is outside",
         "5 mouse 300 165\n5 button down left\n6 mouse out\n7 button up left\n9 mouse 300 165\n", 3},
        {"a close request is no click", "5 mouse 300 165\n6 close\n", 2},
    };
    for (const ClickCase& c : cases) {
        ReplayRun run = runScript(prepareFolder("widget-clicks", {}), std::string(c.script) + "20 dump\n");
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.at(20)["screen"].integer(), c.screen) << c.name;
    }
}

TEST(WidgetsTest, PointerLeavingKeepsTheHighlight) {
    ReplayRun run = runScript(prepareFolder("widget-leave", {}), "5 mouse 300 165\n6 mouse out\n8 dump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json& dump = run.at(8);
    EXPECT_EQ(dump["mouseX"].integer(), -1);
    EXPECT_EQ(dump["hoveredWidget"].integer(), 1);
    EXPECT_EQ(dump["widgets"][0]["borderColour"].integer(), hoverBorder);
}

TEST(WidgetsTest, LabelsShowNoHighlightAndRunNothing) {
    // "Exit Game", then the label "Do You really want to exit game?" at (160, 150), 330x30.
    std::string script = clickAt(2, 300, 315) + "5 mouse 200 165\n5 dump\n6 button down left\n6 dump\n"
                         "7 button up left\n7 dump\n";
    ReplayRun run = runScript(prepareFolder("widget-label", {}), script);
    ASSERT_EQ(run.status, 0) << run.err;
    const Json& hovered = run.at(5);
    ASSERT_EQ(hovered["screen"].integer(), 6);
    EXPECT_EQ(hovered["hoveredWidget"].integer(), 1);
    EXPECT_EQ(hovered["widgets"][0]["kind"].integer(), 4);
    EXPECT_EQ(hovered["widgets"][0]["borderColour"].integer(), labelBorder);
    EXPECT_EQ(hovered["widgets"][0]["fillColour"].integer(), labelFill);
    EXPECT_EQ(run.at(6)["pressedWidget"].integer(), 1);
    // The release on the label is a click that does nothing but use up the press.
    EXPECT_EQ(run.at(7)["screen"].integer(), 6);
    EXPECT_EQ(run.at(7)["pressedWidget"].integer(), 0);
    EXPECT_EQ(run.at(7)["releasedWidget"].integer(), 1);
}

}  // namespace
