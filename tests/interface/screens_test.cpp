#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interface/screens.h"
#include "interface/widgets.h"
#include "levels/level.h"
#include "platform/console.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "shell/play_state.h"
#include "ui_support.h"

namespace {

// One line per widget: kind, rectangle, text, action and argument.
std::vector<std::string> describeWidgets() {
    std::vector<std::string> out;
    for (int i = 1; i <= widgetCount; ++i) {
        const Widget& w = widgets[i];
        out.push_back(std::string(w.kind == kindLabel ? "L " : "B ") + std::to_string(w.x) + "," +
                      std::to_string(w.y) + " " + std::to_string(w.width) + "x" +
                      std::to_string(w.height) + " '" + w.text + "' " + std::to_string(w.action) +
                      "/" + std::to_string(w.actionArg));
    }
    return out;
}

void openOnce() {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
}

TEST(Screens, WidgetTables) {
    openOnce();
    TempFolder noLevels;
    const std::string backToMenu = "B 240,350 160x30 '<<-- Back to menu' 1/2";
    const struct {
        uint8_t number;
        int32_t played, target, saved;
        std::vector<std::string> widgets;
    } cases[] = {
        {2, 1, 0, 0, {"B 260,150 120x30 'Play Game' 1/3", "B 260,200 120x30 'Options' 1/4",
                      "B 260,250 120x30 'Credits' 0/0", "B 260,300 120x30 'Exit Game' 1/6"}},
        {4, 0, 0, 0, {"B 220,190 200x30 'Full Screen' 3/0", "B 220,230 200x30 'Music Volume' 0/0",
                      "B 220,270 200x30 'Sound Volume' 0/0", "B 260,350 120x30 '<<-- Back' 1/2"}},
        {6, 0, 0, 0, {"L 160,150 330x30 'Do You really want to exit game?' 0/0",
                      "B 200,200 60x30 'Yes' 1/255", "B 380,200 60x30 'No' 1/2"}},
        {7, 0, 0, 0, {"L 250,150 140x30 'Pause' 0/0", "B 250,200 140x30 'Return to menu' 1/2",
                      "B 250,350 140x30 '<<-- Back' 1/1"}},
        {1, 0, 0, 0, {"B 79,424 34x34 '' 3/1", "B 129,424 34x34 '' 3/2", "B 179,424 34x34 '' 3/3",
                      "B 229,424 34x34 '' 3/4", "B 279,424 34x34 '' 3/5", "B 329,424 34x34 '' 3/6",
                      "B 379,424 34x34 '' 3/7", "B 429,424 34x34 '' 3/8", "B 479,424 34x34 'x' 4/0"}},
        {255, 0, 0, 0, {}},
        {3, 0, 10, 9, {backToMenu, "B 250,250 140x30 'Play level' 1/8"}},
        {3, 1, 10, 9, {backToMenu, "L 220,100 200x30 'You should save: 10' 0/0",
                       "L 220,130 200x30 'You have saved: 9' 0/0", "L 220,180 200x30 'You have lost!' 0/0",
                       "B 250,250 140x30 'Replay level' 1/8"}},
        {3, 1, -3, 0, {backToMenu, "L 220,100 200x30 'You should save: -3' 0/0",
                       "L 220,130 200x30 'You have saved: 0' 0/0", "L 220,180 200x30 'You have won!' 0/0",
                       "B 250,250 140x30 'Play next level' 1/8"}},
    };
    for (const auto& c : cases) {
        levelPlayed = c.played;
        saveTarget = c.target;
        savedCount = c.saved;
        levelNumber = 4;
        showScreen(c.number);
        EXPECT_EQ(screen, c.number);
        EXPECT_EQ(describeWidgets(), c.widgets) << "screen " << int(c.number);
    }
}

TEST(Screens, EnteringSetsTheirState) {
    openOnce();
    levelNumber = 7;
    running = 0;
    showScreen(screenMainMenu);
    EXPECT_EQ(running, 1);
    EXPECT_EQ(levelNumber, 1);
    EXPECT_EQ(levelPlayed, 0);
    selectedSkill = 6;
    showScreen(screenPlay);
    EXPECT_EQ(selectedSkill, 1);
    EXPECT_EQ(levelPlayed, 1);
    showScreen(screenQuit);
    EXPECT_EQ(running, 0);
}

TEST(Screens, NextLevelSearchAfterAWin) {
    openOnce();
    const struct {
        std::vector<int> files;
        int32_t current, saved, next;
        uint8_t after;
    } cases[] = {
        {{1, 2, 3}, 1, 1, 2, screenLevel},    {{1, 3}, 1, 1, 3, screenLevel},
        {{1, 2, 5}, 3, 1, 5, screenLevel},    {{1, 2}, 2, 1, 2, screenLevel},
        {{1, 101}, 1, 1, 1, screenLevel},     {{1, 2}, 1, 0, 1, screenLevel},  // lost: no search
        {{1, 100}, 1, 1, 1, screenMainMenu},  {{100}, 100, 1, 1, screenMainMenu},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        for (int n : c.files) TempFolder::write("maps/map" + std::to_string(n) + ".dat", "0,0\n");
        levelPlayed = 1;
        saveTarget = 1;
        savedCount = c.saved;
        levelNumber = c.current;
        showScreen(screenLevel);
        EXPECT_EQ(levelNumber, c.next) << c.current << " -> " << c.next;
        EXPECT_EQ(screen, c.after) << c.current << " -> " << c.next;
    }
}

// Waits for a key: count how often they test the flag; a key comes on every third test.
int flagTests = 0;
void keyOnThirdTest() {
    if (++flagTests % 3 == 0) keyPressedFlag = true;
}

void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char(v >> (8 * i)));
}

// A 24-bit 48 x 16 tileset: ground, entrance and exit tiles.
std::string tilesetBmp() {
    std::string out = "BM";
    for (uint32_t v : {54u + 48 * 3 * 16, 0u, 54u, 40u, 48u, 16u, 1u | (24u << 16), 0u, 0u, 0u, 0u, 0u, 0u})
        put32(out, v);
    for (int i = 0; i < 16 * 48; ++i) out.append(i % 48 < 16 ? "\x20\xA0\x20" : "\xFF\x00\x00", 3);
    return out;
}

TEST(Screens, LoadingScreen) {
    openOnce();
    setHeadlessPumpHook(keyOnThirdTest);
    const char* const map =
        "<map version=\"1.8\" width=\"4\" height=\"2\" tilewidth=\"16\" tileheight=\"16\">\n"
        " <tileset firstgid=\"1\" name=\"t\">\n  <image source=\"art/t.png\"/>\n"
        "  <data encoding=\"csv\">\n2,0,0,3,\n1,1,1,1\n</data>\n";
    const struct {
        const char *dat, *tmx;
        bool loads;
    } cases[] = {{"20,10,3,3,3,3,3,3,3,0", map, true}, {nullptr, nullptr, false}, {"5,1", nullptr, false}};
    for (const auto& c : cases) {
        TempFolder folder;
        if (c.dat != nullptr) TempFolder::write("maps/map3.dat", c.dat);
        if (c.tmx != nullptr) TempFolder::write("maps/map3.tmx", c.tmx);
        TempFolder::write("data/t.bmp", tilesetBmp());
        for (Creature& cr : creatures) cr.inPlay = 1, cr.skill = 4;
        spawnedCount = savedCount = 4;
        flagTests = 0;
        levelNumber = 3;
        showScreen(screenLoading);
        EXPECT_GE(flagTests, 3) << "it waits for a key";
        EXPECT_TRUE(textShownAt(0, 0, "Loading..."));
        EXPECT_TRUE(textShownAt(240, 300, "Press any key to continue."));
        EXPECT_EQ(textShownAt(240, 230, "You must save: 10 eggs."), c.loads);
        EXPECT_EQ(textShownAt(0, 8 * consoleCursorRow() - 8, "Level 3 could not be loaded."), !c.loads);
        EXPECT_EQ(screen, c.loads ? screenPlay : screenMainMenu);
        EXPECT_EQ(widgetCount, c.loads ? 9 : 4);
        EXPECT_EQ(spawnedCount + savedCount, 0);
        EXPECT_EQ(creatures[99].inPlay + creatures[0].inPlay, 0);
        EXPECT_EQ(creatures[0].fx, -100.0f);
        EXPECT_EQ(creatures[0].skill, 1);
    }
    setHeadlessPumpHook(nullptr);
}

}  // namespace
