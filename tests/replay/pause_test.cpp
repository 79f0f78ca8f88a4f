// Pause and resume: creatures stand still, their animation and fuses go on.
#include <gtest/gtest.h>

#include <string>

#include "replay_support.h"

namespace {

std::string line(int pass, const std::string& command) { return std::to_string(pass) + " " + command + "\n"; }

uint8_t gridCell(const std::string& pgm, int x, int y) {
    // "P5\n641 401\n255\n" then one byte a cell, row by row.
    size_t header = pgm.find("255\n") + 4;
    return static_cast<uint8_t>(pgm[header + static_cast<size_t>(y) * 641 + static_cast<size_t>(x)]);
}

TEST(PauseTest, CreaturesStandStillWhileFusesBurnAndExplode) {
    std::string folder = prepareFolder("pause", {{1, "pen.tmx", "pen.dat"}});
    std::string script = line(1, "level 1") + line(290, "select 8") + line(300, "click-creature 4") +
                         line(301, "dump") + line(301, "grid before.pgm") +
                         // Escape held for six passes pauses once.
                         line(310, "key down 1") + line(316, "key up 1") + line(311, "dump") + line(315, "dump") + line(320, "dump") +
                         line(360, "dump") + line(620, "dump") + line(620, "grid after.pgm") +
                         line(630, "key down 1") + line(631, "key up 1") + line(631, "dump") + line(700, "dump");
    ReplayRun run = runScript(folder, script);
    ASSERT_EQ(run.status, 0) << run.err;

    // The creature that entered last but one is under no other: the pick takes it.
    const size_t lit = 4;
    const Json& armed = run.at(301);
    ASSERT_EQ(armed["screen"].integer(), 1);
    EXPECT_GE(armed["creatures"][lit]["fuse"].integer(), 5);  // lit at 6; a second may have passed
    EXPECT_LE(armed["creatures"][lit]["fuse"].integer(), 6);
    EXPECT_EQ(armed["levelValues"][8].integer(), 2);  // one use of Explode spent
    EXPECT_EQ(armed["stateCounts"][7].integer(), 1);  // one burning fuse

    const Json& paused = run.at(311);
    EXPECT_EQ(paused["screen"].integer(), 7);
    EXPECT_EQ(run.at(315)["screen"].integer(), 7) << "a held Escape must not switch back";
    int inPlay = 0;
    bool framesMoved = false;
    for (size_t i = 0; i < paused["creatures"].items.size(); ++i) {
        const Json& before = paused["creatures"][i];
        const Json& after = run.at(620)["creatures"][i];
        if (i == lit || before["inPlay"].integer() != 1) continue;
        ++inPlay;
        EXPECT_EQ(after["inPlay"].integer(), 1) << i;
        EXPECT_EQ(after["fx"].number, before["fx"].number) << i;
        EXPECT_EQ(after["fy"].number, before["fy"].number) << i;
        EXPECT_EQ(after["skillTicks"].integer(), before["skillTicks"].integer()) << i;
        framesMoved |= run.at(320)["creatures"][i]["frame"].integer() != before["frame"].integer();
    }
    EXPECT_GE(inPlay, 4);
    EXPECT_TRUE(framesMoved) << "animation frames keep cycling in the pause";

    // The fuse burns down in the pause and the creature explodes there.
    EXPECT_LT(run.at(360)["creatures"][lit]["fuse"].integer(), paused["creatures"][lit]["fuse"].integer());
    const Json& exploded = run.at(620);
    EXPECT_EQ(exploded["screen"].integer(), 7);
    EXPECT_EQ(exploded["creatures"][lit]["inPlay"].integer(), 0);
    EXPECT_EQ(exploded["creatures"][lit]["fuse"].integer(), 10);
    int x = static_cast<int>(paused["creatures"][lit]["x"].integer());
    int y = static_cast<int>(paused["creatures"][lit]["y"].integer());
    std::string before = readFile(run.dir + "/before.pgm");
    std::string after = readFile(run.dir + "/after.pgm");
    EXPECT_NE(gridCell(before, x, y + 8), 0);  // the floor under it...
    EXPECT_EQ(gridCell(after, x, y + 8), 0);   // ...blown away
    EXPECT_EQ(gridCell(after, x, y + 20), 255) << "the circle reaches 15 px down only";

    // Escape again: play goes on from where it stood, with skill 1 selected.
    const Json& resumed = run.at(631);
    EXPECT_EQ(resumed["screen"].integer(), 1);
    EXPECT_EQ(resumed["selectedSkill"].integer(), 1);
    bool someoneMoved = false;
    for (size_t i = 0; i < paused["creatures"].items.size(); ++i)
        if (i != lit && paused["creatures"][i]["inPlay"].integer() == 1)
            someoneMoved |= run.at(700)["creatures"][i]["fx"].number != paused["creatures"][i]["fx"].number;
    EXPECT_TRUE(someoneMoved);
}

TEST(PauseTest, EscapeOnlyActsOnPlayAndPause) {
    std::string folder = prepareFolder("escape-menus", {{1, "walk.tmx", "walk-win.dat"}});
    // Escape on the main menu and the options screen does nothing.
    std::string script = line(3, "key down 1") + line(4, "key up 1") + line(5, "dump") +
                         clickAt(10, 300, 215) + line(12, "key down 1") + line(13, "key up 1") + line(14, "dump");
    ReplayRun run = runScript(folder, script);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.at(5)["screen"].integer(), 2);
    EXPECT_EQ(run.at(14)["screen"].integer(), 4);
}

}  // namespace
