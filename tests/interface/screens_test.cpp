#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "creatures/creature_table.h"
#include "interface/screens.h"
#include "interface/widgets.h"
#include "levels/level.h"
#include "shell/play_state.h"
#include "temp_folder.h"
#include "ui_support.h"

namespace {

struct Expected {
    uint8_t kind;
    int32_t x, y, width, height;
    std::string text;
    uint8_t action, argument;
};

void expectWidgets(const std::vector<Expected>& expected, const std::string& where) {
    ASSERT_EQ(widgetCount, expected.size()) << where;
    for (size_t i = 0; i < expected.size(); ++i) {
        const Widget& w = widgets[i + 1];
        const Expected& e = expected[i];
        EXPECT_EQ(w.kind, e.kind) << where << " #" << i + 1;
        EXPECT_EQ(w.x, e.x) << where << " #" << i + 1;
        EXPECT_EQ(w.y, e.y) << where << " #" << i + 1;
        EXPECT_EQ(w.width, e.width) << where << " #" << i + 1;
        EXPECT_EQ(w.height, e.height) << where << " #" << i + 1;
        EXPECT_EQ(w.text, e.text) << where << " #" << i + 1;
        EXPECT_EQ(w.action, e.action) << where << " #" << i + 1;
        EXPECT_EQ(w.actionArg, e.argument) << where << " #" << i + 1;
    }
}

constexpr uint8_t B = kindButton, L = kindLabel;

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        openTestScreen();
        running = 0;
        levelPlayed = 0;
        levelNumber = 1;
    }
};

TEST_F(ScreensTest, FixedScreensHaveTheirWidgets) {
    struct Case {
        uint8_t screenNumber;
        std::vector<Expected> widgets;
    };
    const Case cases[] = {
        {screenMainMenu,
         {{B, 260, 150, 120, 30, "Play Game", actionScreen, 3},
          {B, 260, 200, 120, 30, "Options", actionScreen, 4},
          {B, 260, 250, 120, 30, "Credits", actionPrint, 0},
          {B, 260, 300, 120, 30, "Exit Game", actionScreen, 6}}},
        {screenOptions,
         {{B, 220, 190, 200, 30, "Full Screen", actionSkill, 0},
          {B, 220, 230, 200, 30, "Music Volume", actionPrint, 0},
          {B, 220, 270, 200, 30, "Sound Volume", actionPrint, 0},
          {B, 260, 350, 120, 30, "<<-- Back", actionScreen, 2}}},
        {screenExitConfirm,
         {{L, 160, 150, 330, 30, "Do You really want to exit game?", 0, 0},
          {B, 200, 200, 60, 30, "Yes", actionScreen, 255},
          {B, 380, 200, 60, 30, "No", actionScreen, 2}}},
        {screenPause,
         {{L, 250, 150, 140, 30, "Pause", 0, 0},
          {B, 250, 200, 140, 30, "Return to menu", actionScreen, 2},
          {B, 250, 350, 140, 30, "<<-- Back", actionScreen, 1}}},
        {screenPlay,
         {{B, 79, 424, 34, 34, "", actionSkill, 1}, {B, 129, 424, 34, 34, "", actionSkill, 2},
          {B, 179, 424, 34, 34, "", actionSkill, 3}, {B, 229, 424, 34, 34, "", actionSkill, 4},
          {B, 279, 424, 34, 34, "", actionSkill, 5}, {B, 329, 424, 34, 34, "", actionSkill, 6},
          {B, 379, 424, 34, 34, "", actionSkill, 7}, {B, 429, 424, 34, 34, "", actionSkill, 8},
          {B, 479, 424, 34, 34, "x", actionArmAll, 0}}},
        {screenQuit, {}},
    };
    for (const Case& c : cases) {
        showScreen(c.screenNumber);
        EXPECT_EQ(screen, c.screenNumber);
        expectWidgets(c.widgets, "screen " + std::to_string(c.screenNumber));
    }
}

TEST_F(ScreensTest, EnteringScreensSetsTheirState) {
    levelNumber = 7;
    levelPlayed = 1;
    showScreen(screenMainMenu);
    EXPECT_EQ(running, 1);
    EXPECT_EQ(levelNumber, 1);
    EXPECT_EQ(levelPlayed, 0);

    selectedSkill = 6;
    running = 0;
    showScreen(screenPlay);
    EXPECT_EQ(running, 1);
    EXPECT_EQ(selectedSkill, 1);
    EXPECT_EQ(levelPlayed, 1);

    showScreen(screenQuit);
    EXPECT_EQ(running, 0);
}

TEST_F(ScreensTest, LevelScreenForms) {
    const Expected back{B, 240, 350, 160, 30, "<<-- Back to menu", actionScreen, 2};
    struct Case {
        const char* name;
        int32_t played, target, saved;
        std::vector<Expected> widgets;
    };
    const Case cases[] = {
        {"before a level", 0, 10, 9, {back, {B, 250, 250, 140, 30, "Play level", actionScreen, 8}}},
        {"lost", 1, 10, 9,
         {back,
          {L, 220, 100, 200, 30, "You should save: 10", 0, 0},
          {L, 220, 130, 200, 30, "You have saved: 9", 0, 0},
          {L, 220, 180, 200, 30, "You have lost!", 0, 0},
          {B, 250, 250, 140, 30, "Replay level", actionScreen, 8}}},
        {"won", 1, 10, 10,
         {back,
          {L, 220, 100, 200, 30, "You should save: 10", 0, 0},
          {L, 220, 130, 200, 30, "You have saved: 10", 0, 0},
          {L, 220, 180, 200, 30, "You have won!", 0, 0},
          {B, 250, 250, 140, 30, "Play next level", actionScreen, 8}}},
        {"a target of 0 is won", 1, 0, 0,
         {back,
          {L, 220, 100, 200, 30, "You should save: 0", 0, 0},
          {L, 220, 130, 200, 30, "You have saved: 0", 0, 0},
          {L, 220, 180, 200, 30, "You have won!", 0, 0},
          {B, 250, 250, 140, 30, "Play next level", actionScreen, 8}}},
        {"a negative target reads signed", 1, -3, 0,
         {back,
          {L, 220, 100, 200, 30, "You should save: -3", 0, 0},
          {L, 220, 130, 200, 30, "You have saved: 0", 0, 0},
          {L, 220, 180, 200, 30, "You have won!", 0, 0},
          {B, 250, 250, 140, 30, "Play next level", actionScreen, 8}}},
    };
    TempFolder folder;  // no level files: the search finds nothing
    for (const Case& c : cases) {
        levelPlayed = c.played;
        saveTarget = c.target;
        savedCount = c.saved;
        levelNumber = 4;
        showScreen(screenLevel);
        EXPECT_EQ(screen, screenLevel) << c.name;
        EXPECT_EQ(levelNumber, 4) << c.name;
        expectWidgets(c.widgets, c.name);
    }
}

TEST_F(ScreensTest, NextLevelSearch) {
    struct Case {
        const char* name;
        std::vector<int> files;
        int32_t current;
        int32_t nextLevel;
        int32_t screenAfter;
    };
    const Case cases[] = {
        {"the next number", {1, 2, 3}, 1, 2, screenLevel},
        {"a gap is skipped", {1, 3}, 1, 3, screenLevel},
        {"files below the current one do not count", {1, 2, 5}, 3, 5, screenLevel},
        {"none found keeps the level", {1, 2}, 2, 2, screenLevel},
        {"nothing beyond 100 is looked at", {1, 101}, 1, 1, screenLevel},
        {"level 100 ends the series", {1, 100}, 1, 1, screenMainMenu},
        {"winning level 100 itself", {100}, 100, 1, screenMainMenu},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        for (int n : c.files) TempFolder::write("maps/map" + std::to_string(n) + ".dat", "0,0\n");
        levelPlayed = 1;
        saveTarget = 1;
        savedCount = 1;
        levelNumber = c.current;
        showScreen(screenLevel);
        EXPECT_EQ(levelNumber, c.nextLevel) << c.name;
        EXPECT_EQ(screen, c.screenAfter) << c.name;
        if (c.screenAfter == screenMainMenu) {
            EXPECT_EQ(widgets[1].text, "Play Game") << c.name;
        }
    }
}

TEST_F(ScreensTest, LostLevelDoesNotSearch) {
    TempFolder folder;
    TempFolder::write("maps/map2.dat", "0,0\n");
    levelPlayed = 1;
    saveTarget = 5;
    savedCount = 4;
    levelNumber = 1;
    showScreen(screenLevel);
    EXPECT_EQ(levelNumber, 1);
}

}  // namespace
