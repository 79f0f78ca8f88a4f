// The player's road by mouse: menu, level screen, loading, play, result, the
// next level, and back to the menu and out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "replay_support.h"

namespace {

// Button centres on the menus.
constexpr int playGame[] = {300, 165};
constexpr int exitGame[] = {300, 315};
constexpr int playLevel[] = {300, 265};  // also "Replay level" and "Play next level"
constexpr int backToMenu[] = {300, 365};
constexpr int yes[] = {230, 215};

std::string click(int pass, const int (&at)[2]) { return clickAt(pass, at[0], at[1]); }
std::string line(int pass, const std::string& command) { return std::to_string(pass) + " " + command + "\n"; }

std::vector<std::string> widgetTexts(const Json& dump) {
    std::vector<std::string> texts;
    for (const Json& widget : dump["widgets"].items) texts.push_back(widget["text"].text);
    return texts;
}

TEST(RoadTest, FromTheMenuThroughAWonAndALostLevelAndOut) {
    std::string folder = prepareFolder("road", {{1, "walk.tmx", "walk-win.dat"}, {2, "walk.tmx", "walk-lose.dat"}});
    std::string script = click(2, playGame) + line(3, "dump") +
                         // The loading screen waits in pass 5 for the key of pass 7.
                         click(4, playLevel) + line(5, "dump") + line(7, "key down 57") + line(8, "key up 57") +
                         line(700, "dump") +  // two walkers saved: won
                         click(710, playLevel) + line(711, "dump") + line(713, "key down 28") +
                         line(714, "key up 28") + line(1400, "dump") +  // one of five saved: lost
                         click(1410, backToMenu) + line(1411, "dump") + click(1420, exitGame) + click(1425, yes) +
                         line(1426, "dump") + line(1500, "dump");
    ReplayRun run = runScript(folder, script);
    ASSERT_EQ(run.status, 0) << run.err;

    EXPECT_EQ(run.at(3)["screen"].integer(), 3);
    EXPECT_EQ(widgetTexts(run.at(3)), (std::vector<std::string>{"<<-- Back to menu", "Play level"}));

    const Json& playing = run.at(5);
    EXPECT_EQ(playing["screen"].integer(), 1);
    EXPECT_EQ(playing["levelPlayed"].integer(), 1);
    EXPECT_EQ(playing["widgets"].items.size(), 9u);

    const Json& won = run.at(700);
    EXPECT_EQ(won["screen"].integer(), 3);
    EXPECT_EQ(won["savedCount"].integer(), 2);
    EXPECT_EQ(widgetTexts(won), (std::vector<std::string>{"<<-- Back to menu", "You should save: 2",
                                                          "You have saved: 2", "You have won!",
                                                          "Play next level"}));
    EXPECT_EQ(won["levelNumber"].integer(), 2);

    EXPECT_EQ(run.at(711)["screen"].integer(), 1);
    EXPECT_EQ(run.at(711)["levelValues"][1].integer(), 5);

    const Json& lost = run.at(1400);
    EXPECT_EQ(lost["screen"].integer(), 3);
    EXPECT_EQ(widgetTexts(lost), (std::vector<std::string>{"<<-- Back to menu", "You should save: 5",
                                                           "You have saved: 1", "You have lost!",
                                                           "Replay level"}));
    EXPECT_EQ(lost["levelNumber"].integer(), 2);

    const Json& menu = run.at(1411);
    EXPECT_EQ(menu["screen"].integer(), 2);
    EXPECT_EQ(menu["levelNumber"].integer(), 1);
    EXPECT_EQ(menu["levelPlayed"].integer(), 0);

    // "Yes" quits in pass 1426; nothing runs after it.
    EXPECT_EQ(run.at(1426)["running"].integer(), 0);
    EXPECT_EQ(run.dumps.back()["pass"].integer(), 1426);
}

struct NextLevelCase {
    const char* name;
    std::vector<int> otherLevels;  // data files beside level 1's
    int levelAfterWin;
    int screenAfterWin;
};

TEST(RoadTest, NextLevelSearchAfterAWin) {
    const NextLevelCase cases[] = {
        {"the next number", {2, 3}, 2, 3},
        {"a gap in the numbering", {3}, 3, 3},
        {"a data file without a map still counts", {5, 9}, 5, 3},
        {"no level after this one: replay the same", {}, 1, 3},
        {"level 100 ends the series: back to the menu", {100}, 1, 2},
    };
    for (const NextLevelCase& c : cases) {
        std::vector<LevelFiles> levels = {{1, "walk.tmx", "walk-win.dat"}};
        for (int number : c.otherLevels) levels.push_back({number, "", "walk-win.dat"});
        std::string folder = prepareFolder("next-level", levels);
        ReplayRun run = runScript(folder, "1 level 1\n700 dump\n");
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.at(700)["levelNumber"].integer(), c.levelAfterWin) << c.name;
        EXPECT_EQ(run.at(700)["screen"].integer(), c.screenAfterWin) << c.name;
    }
}

TEST(RoadTest, ReplayAfterTheLastLevelLoadsItAgain) {
    std::string folder = prepareFolder("replay-last", {{1, "walk.tmx", "walk-win.dat"}});
    std::string script = line(1, "level 1") + click(700, playLevel) + line(703, "key down 57") + line(704, "dump");
    ReplayRun run = runScript(folder, script);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.at(704)["screen"].integer(), 1);
    EXPECT_EQ(run.at(704)["levelNumber"].integer(), 1);
    EXPECT_EQ(run.at(704)["savedCount"].integer(), 0);
}

// The loading screen ends its wait with the first key pressed since the last
// wait; while it waits, the script's next input is fed to it pass by pass.
TEST(RoadTest, LoadingScreenWaitAndTheLeftoverKey) {
    const std::string toLoading = click(10, playGame) + click(20, playLevel);
    const std::string later = line(30, "mouse 5 5") + line(40, "key down 57") + line(41, "key up 57") +
                              line(22, "dump") + line(35, "dump");

    std::string folder = prepareFolder("loading-wait", {{1, "walk.tmx", "walk-win.dat"}});
    ReplayRun waited = runScript(folder, toLoading + later);
    ASSERT_EQ(waited.status, 0) << waited.err;
    // The wait used up the pointer move of pass 30 and the key of pass 40.
    EXPECT_EQ(waited.at(22)["screen"].integer(), 1);
    EXPECT_EQ(waited.at(22)["mouseX"].integer(), 5);

    // A letter pressed on the main menu is still pending: no wait at all, and
    // the pointer move stays in its own pass.
    folder = prepareFolder("loading-leftover", {{1, "walk.tmx", "walk-win.dat"}});
    ReplayRun leftover = runScript(folder, line(3, "key down 30") + line(4, "key up 30") + toLoading + later);
    ASSERT_EQ(leftover.status, 0) << leftover.err;
    EXPECT_EQ(leftover.at(22)["screen"].integer(), 1);
    EXPECT_EQ(leftover.at(22)["mouseX"].integer(), playLevel[0]);
    EXPECT_EQ(leftover.at(35)["mouseX"].integer(), 5);
}

TEST(RoadTest, PauseReturnToMenuShowsNoResult) {
    std::string folder = prepareFolder("pause-menu", {{1, "walk.tmx", "walk-win.dat"}});
    std::string script = line(1, "level 1") + line(100, "key down 1") + line(101, "key up 1") +
                         line(101, "dump") + click(110, {300, 215}) + line(111, "dump") +
                         click(120, playGame) + line(121, "dump");
    ReplayRun run = runScript(folder, script);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.at(101)["screen"].integer(), 7);
    EXPECT_EQ(widgetTexts(run.at(101)), (std::vector<std::string>{"Pause", "Return to menu", "<<-- Back"}));
    EXPECT_EQ(run.at(111)["screen"].integer(), 2);
    EXPECT_EQ(widgetTexts(run.at(121)), (std::vector<std::string>{"<<-- Back to menu", "Play level"}));
}

}  // namespace
