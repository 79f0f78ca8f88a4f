#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "creatures/creature_table.h"
#include "interface/screens.h"
#include "interface/widgets.h"
#include "levels/level.h"
#include "platform/console.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "shell/play_state.h"
#include "temp_folder.h"
#include "ui_support.h"

namespace {

// The wait for a key: count how often it tests the flag, and press a key on the third test.
int flagTests = 0;
void pressOnThirdTest() {
    if (++flagTests == 3) keyPressedFlag = true;
}

void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

// A 24-bit bottom-up BMP whose column x is colours[x / 16]: three 16 x 16 tiles.
std::string tilesetBmp(const std::vector<uint32_t>& colours) {
    const int32_t width = 16 * int32_t(colours.size()), height = 16;
    const int32_t rowBytes = (width * 3 + 3) & ~3;
    std::string out = "BM";
    put32(out, 54 + rowBytes * height);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));
    put32(out, 1 | (24 << 16));
    for (int i = 0; i < 6; ++i) put32(out, 0);
    for (int32_t y = 0; y < height; ++y) {
        std::string row;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t c = colours[size_t(x / 16)];
            row.push_back(char(c & 0xFF));
            row.push_back(char((c >> 8) & 0xFF));
            row.push_back(char((c >> 16) & 0xFF));
        }
        row.resize(size_t(rowBytes), '\0');
        out += row;
    }
    return out;
}

// 4 x 2 tiles of 16 px: entrance top left, exit top right, ground below.
const char* const smallMap =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<map version=\"1.8\" orientation=\"orthogonal\" width=\"4\" height=\"2\" tilewidth=\"16\" "
    "tileheight=\"16\">\n"
    " <tileset firstgid=\"1\" name=\"t\" tilewidth=\"16\" tileheight=\"16\">\n"
    "  <image source=\"art/t.png\" width=\"48\" height=\"16\"/>\n"
    " </tileset>\n"
    " <layer id=\"1\" name=\"L\" width=\"4\" height=\"2\">\n"
    "  <data encoding=\"csv\">\n"
    "2,0,0,3,\n"
    "1,1,1,1\n"
    "</data>\n"
    " </layer>\n"
    "</map>\n";

class LoadingScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        openTestScreen();
        flagTests = 0;
        keyPressedFlag = false;
        setHeadlessPumpHook(pressOnThirdTest);
        for (Creature& c : creatures) {
            c.inPlay = 1;
            c.fx = 50.0f;
            c.skill = skillDig;
        }
        spawnedCount = 4;
        savedCount = 2;
        running = 0;
        levelNumber = 3;
    }
    void TearDown() override {
        setHeadlessPumpHook(nullptr);
        keyPressedFlag = false;
    }
    static void writeLevel() {
        TempFolder::write("maps/map3.dat", "20,10,3,3,3,3,3,3,3,0\n");
        TempFolder::write("maps/map3.tmx", smallMap);
        TempFolder::write("data/t.bmp", tilesetBmp({0xFF20A020, 0xFF0000FF, 0xFF00FF00}));
    }
};

TEST_F(LoadingScreenTest, LoadsTheLevelShowsTheTargetAndWaitsForAKey) {
    TempFolder folder;
    writeLevel();
    showScreen(screenLoading);
    EXPECT_EQ(flagTests, 3);  // it waited until the key
    EXPECT_TRUE(textShownAt(0, 0, "Loading..."));
    EXPECT_TRUE(textShownAt(240, 230, "You must save: 10 eggs."));
    EXPECT_TRUE(textShownAt(240, 300, "Press any key to continue."));
    EXPECT_EQ(screen, screenPlay);
    EXPECT_EQ(running, 1);
    EXPECT_EQ(widgetCount, 9);
    EXPECT_EQ(spawnedCount, 0);
    EXPECT_EQ(savedCount, 0);
    EXPECT_EQ(lastCreatureIndex, 20);
    ASSERT_NE(terrainImage, nullptr);
    EXPECT_EQ(levelWidth, 64);
    EXPECT_EQ(levelHeight, 32);
    for (const Creature& c : creatures) {
        EXPECT_EQ(c.inPlay, 0);
        EXPECT_EQ(c.fx, -100.0f);
        EXPECT_EQ(c.skill, skillWalk);
    }
}

TEST_F(LoadingScreenTest, AKeyPressedEarlierEndsTheWaitAtOnce) {
    TempFolder folder;
    writeLevel();
    keyPressedFlag = true;
    showScreen(screenLoading);
    EXPECT_EQ(flagTests, 0);
    EXPECT_EQ(screen, screenPlay);
    EXPECT_FALSE(keyPressedFlag);
}

TEST_F(LoadingScreenTest, WithoutTheWaitItGoesStraightToPlay) {
    TempFolder folder;
    writeLevel();
    runLoadingScreen(false);
    EXPECT_EQ(flagTests, 0);
    EXPECT_EQ(screen, screenPlay);
}

TEST_F(LoadingScreenTest, ALevelThatFailsToLoadNamesItselfAndReturnsToTheMenu) {
    struct Case {
        const char* name;
        bool dataFile;
    };
    for (const Case c : {Case{"no data file", false}, Case{"no map", true}}) {
        TempFolder folder;
        if (c.dataFile) TempFolder::write("maps/map3.dat", "5,1\n");
        flagTests = 0;
        levelNumber = 3;
        showScreen(screenLoading);
        EXPECT_GE(flagTests, 3) << c.name;
        EXPECT_TRUE(textShownAt(0, 0, "Loading...")) << c.name;
        EXPECT_TRUE(textShownAt(0, 8 * (consoleCursorRow() - 1), "Level 3 could not be loaded."))
            << c.name;
        EXPECT_FALSE(textShownAt(240, 230, "You must save: ")) << c.name;
        EXPECT_TRUE(textShownAt(240, 300, "Press any key to continue.")) << c.name;
        EXPECT_EQ(screen, screenMainMenu) << c.name;
        EXPECT_EQ(levelPlayed, 0) << c.name;
        EXPECT_EQ(widgets[1].text, "Play Game") << c.name;
    }
}

}  // namespace
