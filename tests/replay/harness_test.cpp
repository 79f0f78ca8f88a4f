// The harness itself: the dump's shape, the virtual clock, exit statuses and
// their messages, the pictures it writes, the level command and --bmp.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/bmp.h"
#include "replay_support.h"
#include "script.h"

namespace {

const LevelFiles walkLevel = {1, "walk.tmx", "walk-win.dat"};

TEST(HarnessTest, DumpKeysAndTheVirtualClock) {
    std::string script = "1 dump\n50 dump\n51 dump\n60 level 1\n180 dump\n";
    ReplayRun run = play("dump", {{1, "pen.tmx", "pen.dat"}}, script);
    const Json& dump = run.at(180);
    const std::vector<std::string> top = {
        "pass", "time", "screen", "running", "levelNumber", "levelPlayed", "selectedSkill", "scrollX",
        "scrollY", "levelWidth", "levelHeight", "entranceX", "entranceY", "exitX", "exitY",
        "levelValues", "spawnedCount", "savedCount", "liveCount", "spawnTicks", "stateCounts", "fps",
        "lps", "mouseX", "mouseY", "mouseButtons", "hoveredCreature", "hoveredWidget", "pressedWidget",
        "releasedWidget", "widgets", "creatures"};
    EXPECT_EQ(dump.keys, top);
    // Creature records 0..lastCreatureIndex (9 in this level), entered or not.
    for (auto [key, size] :
         {std::pair{"levelValues", 10u}, {"stateCounts", 8u}, {"widgets", 9u}, {"creatures", 10u}})
        EXPECT_EQ(dump[key].items.size(), size) << key;
    EXPECT_EQ(dump["widgets"][0].keys,
              (std::vector<std::string>{"x", "y", "width", "height", "kind", "text", "action", "actionArg",
                                        "fillColour", "borderColour"}));
    EXPECT_EQ(dump["creatures"][0].keys,
              (std::vector<std::string>{"inPlay", "x", "y", "fx", "fy", "dir", "falling", "skill", "frame",
                                        "highlighted", "fallStartY", "skillTicks", "fuse"}));
    EXPECT_EQ(dump["creatures"][9]["fx"].number, -100.0);
    // Each pass sleeps 20 ms and costs 0.1 ms more; the frame count after the
    // first pass comes a full virtual second later.
    EXPECT_DOUBLE_EQ(run.at(1)["time"].number, 1000.0201);
    EXPECT_DOUBLE_EQ(run.at(50)["time"].number, 1001.005);
    expectDumpValues(run, {{50, "fps", 1}, {51, "fps", 50}});
}

// A bad script line stops the run before its first pass, with status 2 and the line named.
TEST(HarnessTest, ExitStatusesAndTheirMessages) {
    std::string many;
    for (size_t i = 0; i <= maxScriptCommands; ++i) many += "1 dump\n";
    const struct {
        std::string script;
        const char* message;  // part of standard error
        int status = 2;
        const char* arguments = "script.txt";
        size_t dumps = 0;
    } cases[] = {
        {"", "", 0},
        {"2 dump\n50 end\n4 end\n9 dump\n", "", 0, "- < script.txt", 1},
        {"", "usage", 2, ""},
        {"", "usage", 2, "--bmp onlyone"},
        {"", "cannot open", 2, "missing.txt"},
        // The creature enters near the left of a 1280 px level; scrolled to the
        // right end, it lies off screen. The line survives sorting by pass.
        {"1 level 2\n400 dump\n2 key down 77\n401 click-creature 0\n", "line 4: creature 0 is at screen point",
         2, "script.txt", 1},
        // "Play Game", then "Play level", and nothing to press a key with.
        {clickAt(2, 300, 165) + clickAt(5, 300, 265), "waits for a key in pass 6", 1},
        {"1 shot no/such/folder/x.bmp\n", "line 1: cannot write", 1},
        {"0 dump\n", "line 1: the pass number must be a whole number from 1 to"},
        {"1000001 dump\n", "line 1: the pass number"},
        {"99999999999999999999999 dump\n", "line 1: the pass number"},
        {"# fine\n\n4 fly\n", "line 3: unknown command"},
        {"1 dump\r\n1 key down\n", "line 2: incomplete command"},
        {"1 key down 128\n", "line 1: the scancode must be"},
        {"1 key down 4 5\n", "line 1: unexpected '5'"},
        {"1 mouse 640 10\n", "line 1: X must be"},
        {"1 select 9\n", "line 1: the skill must be"},
        {"1 click-creature 100\n", "line 1: the creature index must be"},
        {"1 level 2147483647\n", "line 1: the level number must be a whole number from 0 to 1000000"},
        {"1 grid   # only a comment\n", "line 1: missing file name"},
        {"1 dump\n1 shot " + std::string(maxScriptLineBytes, 'a') + "\n", "line 2: the line is longer than"},
        {many, "more than"},
    };
    std::string folder = prepareFolder("status", {walkLevel, {2, "wide.tmx", "wide.dat"}});
    for (const auto& c : cases) {
        ReplayRun run = runReplay(folder, c.script, c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << " " << c.script.substr(0, 99) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.script.substr(0, 99) << run.err;
        EXPECT_EQ(run.dumps.size(), c.dumps) << c.script.substr(0, 99);
    }
    // A quoted word in a message is cut short.
    EXPECT_LT(runReplay(folder, "1 " + std::string(1000, 'z') + "\n").err.size(), 300u);
}

TEST(HarnessTest, LevelCommandTerrainAndGrid) {
    std::string folder = prepareFolder("pictures", {walkLevel, {2, "", "walk-win.dat"}});
    std::string script = "1 grid start.pgm\n2 level 1\n2 grid level.pgm\n2 terrain level.bmp\n"
                         "3 level 2\n4 key down 57\n3 grid failed.pgm\n3 terrain failed.bmp\n3 dump\n";
    std::ofstream(folder + "/failed.bmp") << "stale";  // must not survive a missing terrain
    ReplayRun run = runReplay(folder, script);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(folder + "/start.pgm"), std::string("P5\n2 2\n255\n") + std::string(4, '\0'));

    std::string level = readFile(folder + "/level.pgm"), header = "P5\n641 401\n255\n";
    EXPECT_EQ(level.substr(0, header.size()), header);
    ASSERT_EQ(level.size(), header.size() + 641u * 401u);
    // The floor starts at row 320; the extra column and row are empty.
    for (auto [x, y, cell] : {std::tuple{100, 320, 255}, {100, 319, 0}, {640, 350, 0}, {100, 400, 0}})
        EXPECT_EQ(static_cast<uint8_t>(level[header.size() + y * 641u + x]), cell) << x << "," << y;
    Picture terrain;
    ASSERT_TRUE(readPicture(folder + "/level.bmp", terrain));
    EXPECT_EQ(terrain.image.pixels.size(), 640u * 400u);
    EXPECT_EQ(terrain.at(100, 319), 0xFFFF00FFu);
    EXPECT_EQ(terrain.at(100, 320), tileColours[0]);

    // A level whose map is missing (its wait for a key takes the key of pass 4):
    // the main menu, no terrain picture, and the grid the old one.
    EXPECT_EQ(run.at(3)["screen"].integer(), 2);
    EXPECT_FALSE(std::filesystem::exists(folder + "/failed.bmp"));
    EXPECT_EQ(readFile(folder + "/failed.pgm"), level);
}

// The level command skips only the loading screen's wait for a key: the map
// reader's wait for a missing map, the loader's 3000 ms pause after a failed
// read and the 1000 ms pause for a tileset it does not recognise run as in the
// game, each test of the key flag taking the next pass's input first.
TEST(HarnessTest, LevelCommandRunsTheLoadersWaitsAndPauses) {
    const struct {
        const char* script;
        double time;  // after pass 1 (5 when the level command comes later)
        int screen;
        int mouseX = -1, mouseY = -1;
        int status = 0;
        const char* message = "";  // part of standard error
    } cases[] = {
        // Missing map: the pointer move, a 50 ms slice, the key; then the full pause.
        {"1 level 2\n2 mouse 10 20\n3 key down 57\n4 key up 57\n1 dump\n", 1003.0701, 2, 10, 20},
        // A key still pending ends the wait at once, after taking the pointer move.
        {"1 key down 30\n2 key up 30\n5 level 2\n6 mouse 3 4\n5 dump\n", 1003.1005, 2, 3, 4},
        {"1 level 2\n1 dump\n", 0, 0, -1, -1, 1, "waits for a key in pass 1"},  // nothing presses a key
        // Unreadable map: two slices, then the key of pass 4 cuts the pause short.
        {"1 level 3\n2 mouse 7 8\n3 mouse 9 9\n4 key down 57\n1 dump\n", 1000.1201, 2, 9, 9},
        {"1 level 3\n1 dump\n", 1003.0201, 2},
        // The pause takes the next level command, which cannot run inside a load.
        {"1 level 3\n2 level 1\n", 0, 0, -1, -1, 1, "the level command of pass 2 came while"},
        // An unknown tileset picture: the probe's pause, then play.
        {"1 level 4\n1 dump\n", 1001.0201, 1},
        {"1 level 4\n3 mouse 1 2\n5 key down 30\n1 dump\n", 1000.0701, 1, 1, 2},
    };
    const std::string folder =
        prepareFolder("loader-pauses", {walkLevel, {2, "", "walk-win.dat"}, {3, "", "walk-win.dat"},
                                        {4, "", "walk-win.dat"}});
    std::ofstream(folder + "/maps/map3.tmx")
        << "<map version=\"1.8\" width=\"2\" height=\"2\" tilewidth=\"16\" tileheight=\"16\">\n"
           "<data encoding=\"base64\">\n";
    std::ofstream(folder + "/maps/map4.tmx")
        << "<map version=\"1.8\" width=\"2\" height=\"2\" tilewidth=\"16\" tileheight=\"16\">\n"
           "<image source=\"tiles.gif\"/>\n<data encoding=\"csv\">\n0,0,\n0,0\n</data>\n";
    for (const auto& c : cases) {
        ReplayRun run = runReplay(folder, c.script);
        ASSERT_EQ(run.status, c.status) << c.script << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        if (c.status != 0) continue;
        ASSERT_EQ(run.dumps.size(), 1u) << c.script;
        const Json& dump = run.dumps[0];
        EXPECT_DOUBLE_EQ(dump["time"].number, c.time) << c.script;
        EXPECT_EQ(dump["screen"].integer(), c.screen) << c.script;
        EXPECT_EQ(std::pair(dump["mouseX"].integer(), dump["mouseY"].integer()),
                  std::pair(int64_t{c.mouseX}, int64_t{c.mouseY})) << c.script;
    }
}

// A solution that wins today must win tomorrow: the same script gives the same
// dumps and the same pictures, byte for byte.
TEST(HarnessTest, SameScriptSameRun) {
    std::string script = "1 level 1\n100 select 4\n150 click-creature 2\n300 select 8\n320 click-creature 5\n"
                         "600 dump\n600 shot shot.bmp\n600 grid grid.pgm\n600 terrain terrain.bmp\n";
    std::string outputs[2];
    for (std::string& output : outputs) {
        ReplayRun run = play("same-run", {{1, "pen.tmx", "pen.dat"}}, script);
        output = run.out + readFile(run.dir + "/shot.bmp") + readFile(run.dir + "/grid.pgm") +
                 readFile(run.dir + "/terrain.bmp");
    }
    EXPECT_GT(outputs[0].size(), 1000000u);
    EXPECT_TRUE(outputs[0] == outputs[1]);
}

uint32_t checker(int32_t x, int32_t y) { return (x + y) % 2 ? 0x80123456 : 0xFFFF00FF; }

TEST(HarnessTest, BmpConversion) {
    std::string folder = prepareFolder("bmp", {});
    ASSERT_TRUE(writeBmp32(folder + "/small.bmp", makeImage(5, 3, checker)));
    ReplayRun run = runReplay(folder, "", "--bmp small.bmp small-out.bmp");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "status 0\n");
    Picture picture;
    ASSERT_TRUE(readPicture(folder + "/small-out.bmp", picture));
    EXPECT_EQ(picture.image.pixels, makeImage(5, 3, checker).pixels);

    EXPECT_EQ(runReplay(folder, "", "--bmp missing.bmp out.bmp").out, "status 2\n");
}

}  // namespace
