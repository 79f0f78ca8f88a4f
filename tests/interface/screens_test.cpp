#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
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

namespace fs = std::filesystem;

namespace {

// Each case runs in a fresh working folder holding only the given files.
struct Folder {
    fs::path home = fs::current_path();
    fs::path path = fs::temp_directory_path() / ("eggsodus-ui-" + std::to_string(getpid()));
    explicit Folder(const std::vector<std::pair<std::string, std::string>>& files) {
        fs::remove_all(path);
        fs::create_directories(path / "maps");
        fs::current_path(path);
        for (const auto& [name, text] : files) std::ofstream("maps/" + name) << text;
    }
    ~Folder() {
        fs::current_path(home);
        fs::remove_all(path);
    }
};

TEST(Screens, LevelScreenShowsTheResultAndSearchesForTheNextLevel) {
    openScreenOnce();
    const struct {
        std::vector<int> files;
        int32_t played, current, saved, next;
        uint8_t after;
        const char* lastWidget;
    } cases[] = {
        {{1, 2}, 0, 1, 0, 1, screenLevel, "Play level"},
        {{1, 2}, 1, 1, 1, 1, screenLevel, "Replay level"},  // 1 of the 2 to save
        {{1, 2, 5}, 1, 3, 2, 5, screenLevel, "Play next level"},  // saved exactly the target
        {{1, 2}, 1, 2, 3, 2, screenLevel, "Play next level"},
        {{1, 101}, 1, 1, 2, 1, screenLevel, "Play next level"},
        {{1, 100}, 1, 1, 2, 1, screenMainMenu, "Exit Game"},
        {{100}, 1, 100, 2, 1, screenMainMenu, "Exit Game"},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<std::string, std::string>> files;
        for (int n : c.files) files.push_back({"map" + std::to_string(n) + ".dat", "0,0\n"});
        Folder folder(files);
        levelPlayed = c.played, saveTarget = 2, savedCount = c.saved, levelNumber = c.current;
        showScreen(screenLevel);
        EXPECT_EQ(levelNumber, c.next) << c.current << " -> " << c.next;
        EXPECT_EQ(screen, c.after) << c.current << " -> " << c.next;
        EXPECT_EQ(widgets[widgetCount].text, c.lastWidget) << c.current << " -> " << c.next;
    }
}

int flagTests = 0;

TEST(Screens, LoadingScreenWaitsForAKeyThenPlaysOrGoesBackToTheMenu) {
    openScreenOnce();
    // A key comes on every third test of the key flag.
    setHeadlessPumpHook([] { keyPressedFlag = ++flagTests % 3 == 0; });
    const std::string map = "<map version=\"1.8\" width=\"4\" height=\"2\" tilewidth=\"16\" "
                            "tileheight=\"16\">\n<image source=\"none.bmp\"/>\n"
                            "<data encoding=\"csv\">\n1";
    const struct {
        std::vector<std::pair<std::string, std::string>> files;
        bool loads;
    } cases[] = {
        {{{"map3.dat", "20,10"}, {"map3.tmx", map}}, true},
        {{}, false},
        {{{"map3.dat", "5"}}, false},
    };
    for (const auto& c : cases) {
        Folder folder(c.files);
        for (Creature& cr : creatures) cr.inPlay = 1, cr.skill = 4;
        spawnedCount = savedCount = 4;
        flagTests = 0, levelNumber = 3, selectedSkill = 6;
        showScreen(screenLoading);
        EXPECT_GE(flagTests, 3);
        EXPECT_EQ(textShownAt(240, 230, "You must save: 10 eggs."), c.loads);
        const std::string failed = "Level 3 could not be loaded.";
        EXPECT_EQ(textShownAt(0, 8 * consoleCursorRow() - 8, failed), !c.loads);
        EXPECT_EQ(screen, c.loads ? screenPlay : screenMainMenu);
        EXPECT_EQ(selectedSkill, c.loads ? 1 : 6);  // play starts with walking selected
        EXPECT_EQ(spawnedCount + savedCount, 0);
        EXPECT_EQ(creatures[99].inPlay + creatures[0].inPlay, 0);
    }
    setHeadlessPumpHook(nullptr);
}

}  // namespace
