// Whole runs: the player's road by mouse through a won and a lost level, the
// loading screen's wait, the pause, and a frame compared pixel by pixel with
// what our test sprite sheet must put there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/font.h"
#include "replay_support.h"

namespace {

// Button centres on the menus.
constexpr int playGame[] = {300, 165};
constexpr int exitGame[] = {300, 315};
constexpr int playLevel[] = {300, 265};  // also "Replay level" and "Play next level"
constexpr int backToMenu[] = {300, 365};
constexpr int yes[] = {230, 215};

std::string click(int pass, const int (&at)[2]) { return clickAt(pass, at[0], at[1]); }

// The texts of the widgets on screen, joined by "|".
std::string widgetTexts(const Json& dump) {
    std::string texts;
    for (const Json& widget : dump["widgets"].items)
        texts += (texts.empty() ? "" : "|") + widget["text"].text;
    return texts;
}

TEST(RoadTest, FromTheMenuThroughAWonAndALostLevelAndOut) {
    std::string script = click(2, playGame) + line(3, "dump") +
                         // The loading screen waits in pass 5 for the key of pass 7.
                         click(4, playLevel) + line(5, "dump") + line(7, "key down 57") +
                         line(8, "key up 57") + line(700, "dump") +  // two walkers saved: won
                         click(710, playLevel) + line(711, "dump") + line(713, "key down 28") +
                         line(714, "key up 28") + line(1400, "dump") +  // one of five saved: lost
                         click(1410, backToMenu) + line(1411, "dump") + click(1420, exitGame) +
                         click(1425, yes) + line(1426, "dump") + line(1500, "dump");
    ReplayRun run = play("road", {{1, "walk.tmx", "walk-win.dat"}, {2, "walk.tmx", "walk-lose.dat"}}, script);
    EXPECT_EQ(widgetTexts(run.at(3)), "<<-- Back to menu|Play level");
    EXPECT_EQ(widgetTexts(run.at(700)), "<<-- Back to menu|You should save: 2|You have saved: 2|"
                                        "You have won!|Play next level");
    EXPECT_EQ(widgetTexts(run.at(1400)), "<<-- Back to menu|You should save: 5|You have saved: 1|"
                                         "You have lost!|Replay level");
    // "Yes" quits in pass 1426; nothing runs after it.
    expectDumpValues(run, {{5, "screen", 1}, {5, "levelPlayed", 1}, {700, "levelNumber", 2},
                           {711, "screen", 1}, {1400, "levelNumber", 2}, {1411, "screen", 2},
                           {1411, "levelNumber", 1}, {1426, "running", 0}});
    EXPECT_EQ(run.dumps.back()["pass"].integer(), 1426);
}

// The loading screen ends its wait with the first key pressed since the last
// wait; each test of the key flag first takes the script's next input, also
// when a key is still pending.
TEST(RoadTest, LoadingScreenWaitAndTheLeftoverKey) {
    const std::string toLoading = click(10, playGame) + click(20, playLevel);
    const std::string later = line(30, "mouse 5 5") + line(40, "key down 57") + line(41, "key up 57") +
                              line(22, "dump") + line(35, "dump");
    const std::vector<LevelFiles> levels = {{1, "walk.tmx", "walk-win.dat"}};

    // The wait used up the pointer move of pass 30 and, one 50 ms slice later,
    // the key of pass 40.
    ReplayRun waited = play("loading-wait", levels, toLoading + later);
    expectDumpValues(waited, {{22, "screen", 1}, {22, "mouseX", 5}});
    EXPECT_DOUBLE_EQ(waited.at(22)["time"].number, 1000.4922);

    // A letter pressed on the main menu is still pending: the first test takes
    // the pointer move of pass 30 and ends the wait, with no slice slept.
    std::string letter = line(3, "key down 30") + line(4, "key up 30");
    ReplayRun leftover = play("loading-leftover", levels, letter + toLoading + later);
    expectDumpValues(leftover, {{22, "screen", 1}, {22, "mouseX", 5}, {35, "mouseX", 5}});
    EXPECT_DOUBLE_EQ(leftover.at(22)["time"].number, 1000.4422);
}

TEST(RoadTest, PauseStopsCreaturesWhileFusesBurnAndExplode) {
    std::string script = line(1, "level 1") + line(290, "select 8") + line(300, "click-creature 4") +
                         // Escape held for six passes pauses once.
                         line(310, "key down 1") + line(316, "key up 1") + line(311, "dump") +
                         line(315, "dump") + line(360, "dump") + line(620, "dump") + line(630, "key down 1") +
                         line(631, "key up 1") + line(700, "dump");
    ReplayRun run = play("pause", {{1, "pen.tmx", "pen.dat"}}, script);
    const Json &paused = run.at(311), &later = run.at(620);
    // Paused from pass 311 on: a held Escape does not switch back.
    expectDumpValues(run, {{311, "screen", 7}, {315, "screen", 7}, {620, "screen", 7},
                           {700, "selectedSkill", 1}});
    EXPECT_EQ(paused["stateCounts"][7].integer(), 1);  // one burning fuse
    // The creature that entered last but one is under no other: the pick takes
    // it. Its fuse burns down in the pause and it explodes there; no other moves.
    EXPECT_LT(run.at(360)["creatures"][4]["fuse"].integer(), paused["creatures"][4]["fuse"].integer());
    EXPECT_EQ(later["creatures"][4]["inPlay"].integer(), 0);
    for (size_t i : {0, 1, 2, 3, 5}) {
        const Json &before = paused["creatures"][i], &after = later["creatures"][i];
        EXPECT_TRUE(after["inPlay"].integer() == 1 && after["fx"].number == before["fx"].number &&
                    after["fy"].number == before["fy"].number &&
                    after["skillTicks"].integer() == before["skillTicks"].integer()) << i;
    }
    // Escape again: play goes on, on a play screen built afresh with walking selected.
    EXPECT_NE(run.at(700)["creatures"][0]["fx"].number, paused["creatures"][0]["fx"].number);
}

// Pixels on the outline of the rectangle (x1, y1)-(x2, y2) that are not `colour`.
int ringMismatches(const Picture& shot, int x1, int y1, int x2, int y2, uint32_t colour) {
    int bad = 0;
    for (int x = x1; x <= x2; ++x) bad += (shot.at(x, y1) != colour) + (shot.at(x, y2) != colour);
    for (int y = y1; y <= y2; ++y) bad += (shot.at(x1, y) != colour) + (shot.at(x2, y) != colour);
    return bad;
}

TEST(FramesTest, CreaturesMirroredHighlightFuseDigitAndPanel) {
    // The single walker goes right until the wall at x 320 and back left; there
    // it is made a blocker, so it stands still, its fuse lit, the pointer left on it.
    std::string script = line(1, "level 1") + line(340, "select 2") + line(350, "click-creature 0") +
                         line(360, "select 8") + line(370, "click-creature 0") + line(459, "dump") +
                         line(460, "dump") + line(460, "shot fuse.bmp");
    ReplayRun run = play("frames", {{1, "pen.tmx", "pen-one.dat"}}, script);
    Picture shot;
    ASSERT_TRUE(readPicture(run.dir + "/fuse.bmp", shot));

    // The frame of pass 460 shows the highlight and fuse as they stood after pass
    // 459, and the creature as it stood after the tick of pass 460.
    const Json& before = run.at(459)["creatures"][0];
    const Json& now = run.at(460)["creatures"][0];
    ASSERT_EQ(before["highlighted"].integer(), 1);
    ASSERT_EQ(now["skill"].integer(), 2);
    ASSERT_EQ(now["dir"].integer(), -1);
    int fuse = static_cast<int>(before["fuse"].integer());
    ASSERT_GE(fuse, 1);
    ASSERT_LE(fuse, 6);
    int sx = static_cast<int>(run.at(460)["scrollX"].integer() + now["x"].integer());
    int sy = static_cast<int>(run.at(460)["scrollY"].integer() + now["y"].integer());
    int frame = static_cast<int>(now["frame"].integer());

    // The 41x42 picture runs backwards, copied with alpha cleared; the fuse
    // digit's set pixels are white over it at (sx - 3, sy - 30).
    int bad = 0;
    for (int y = sy - 31; y <= sy + 9; ++y)
        for (int x = sx - 20; x <= sx + 20; ++x) {
            int col = x - sx + 3, row = y - sy + 30;
            bool digit = col >= 0 && col < 8 && row >= 0 && row < 8 &&
                         (fontGlyphs['0' + fuse][row] >> col) & 1;
            // Skill 2's pictures start at sheet row 74; mirrored, column k reads 40 * frame - k.
            uint32_t sheet = sheetColour(40 * frame - (x - sx + 20), 74 + y - (sy - 31));
            bad += shot.at(x, y) != (digit ? 0xFFFFFFFF : sheet & 0x00FFFFFF);
        }
    EXPECT_EQ(bad, 0);
    // Two grey frames round the picture; the inner one's bottom on its last row.
    for (int k : {0, 1}) {
        uint32_t grey = k == 0 ? 0xFF333333 : 0xFF707070;
        EXPECT_EQ(ringMismatches(shot, sx - 22 + k, sy - 33 + k, sx + 22 - k, sy + 11 - k, grey), 0);
    }

    // The panel: skill 8 framed three times round its own white frame; skill 1 no longer.
    EXPECT_EQ(run.at(460)["selectedSkill"].integer(), 8);
    const uint32_t rings[] = {0xFF005000, 0xFF009000, 0xFF00C000, 0xFFFFFFFF};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(ringMismatches(shot, 426 + k, 421 + k, 465 - k, 460 - k, rings[k]), 0) << k;
    EXPECT_EQ(shot.at(2, 402), 0xFF806040);
    EXPECT_EQ(shot.at(76, 421), 0xFF806040);
}

}  // namespace
