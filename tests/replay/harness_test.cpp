// The harness itself: the dump's shape, exit statuses, the pictures it writes,
// the level and click-creature commands, and --bmp.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "replay_support.h"

namespace {

const std::vector<LevelFiles> walkLevel = {{1, "walk.tmx", "walk-win.dat"}};

TEST(HarnessTest, DumpKeysComeInTheirOrder) {
    std::string folder = prepareFolder("dump-keys", {{1, "pen.tmx", "pen.dat"}});
    ReplayRun run = runScript(folder, "1 level 1\n120 dump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json& dump = run.at(120);
    const std::vector<std::string> top = {
        "pass", "time", "screen", "running", "levelNumber", "levelPlayed", "selectedSkill", "scrollX",
        "scrollY", "levelWidth", "levelHeight", "entranceX", "entranceY", "exitX", "exitY",
        "levelValues", "spawnedCount", "savedCount", "liveCount", "spawnTicks", "stateCounts", "fps",
        "lps", "mouseX", "mouseY", "mouseButtons", "hoveredCreature", "hoveredWidget", "pressedWidget",
        "releasedWidget", "widgets", "creatures"};
    EXPECT_EQ(dump.keys(), top);
    EXPECT_EQ(dump["levelValues"].items.size(), 10u);
    EXPECT_EQ(dump["stateCounts"].items.size(), 8u);
    ASSERT_EQ(dump["widgets"].items.size(), 9u);
    EXPECT_EQ(dump["widgets"][0].keys(),
              (std::vector<std::string>{"x", "y", "width", "height", "kind", "text", "action", "actionArg",
                                        "fillColour", "borderColour"}));
    // Records 0..lastCreatureIndex (9 in this level), entered or not.
    ASSERT_EQ(dump["creatures"].items.size(), 10u);
    EXPECT_EQ(dump["creatures"][0].keys(),
              (std::vector<std::string>{"inPlay", "x", "y", "fx", "fy", "dir", "falling", "skill", "frame",
                                        "highlighted", "fallStartY", "skillTicks", "fuse"}));
    EXPECT_EQ(dump["creatures"][9]["fx"].number, -100.0);
}

TEST(HarnessTest, StartUpStateAndTheVirtualClock) {
    std::string folder = prepareFolder("start-up", {});
    ReplayRun run = runScript(folder, "1 dump\n2 dump\n50 dump\n51 dump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json& first = run.at(1);
    EXPECT_EQ(first["screen"].integer(), 2);
    EXPECT_EQ(first["running"].integer(), 1);
    EXPECT_EQ(first["levelNumber"].integer(), 1);
    EXPECT_EQ(first["fps"].integer(), 1);  // every step runs on the first pass
    EXPECT_EQ(first["lps"].integer(), 1);
    EXPECT_EQ(first["mouseX"].integer(), -1);  // the pointer starts outside the window
    EXPECT_EQ(first["hoveredWidget"].integer(), 0);
    ASSERT_EQ(first["widgets"].items.size(), 4u);
    EXPECT_EQ(first["widgets"][0]["text"].text, "Play Game");
    EXPECT_EQ(first["widgets"][3]["text"].text, "Exit Game");
    EXPECT_TRUE(first["creatures"].items.size() == 1u);  // records 0..0 before any level
    // Each pass sleeps 20 ms and costs 0.1 ms more.
    EXPECT_DOUBLE_EQ(first["time"].number, 1000.0201);
    EXPECT_DOUBLE_EQ(run.at(2)["time"].number, 1000.0402);
    EXPECT_DOUBLE_EQ(run.at(50)["time"].number, 1001.005);
    // The second step ran on pass 1 and next on the first pass a full second later.
    EXPECT_EQ(run.at(50)["fps"].integer(), 1);
    EXPECT_EQ(run.at(51)["fps"].integer(), 50);
}

struct StatusCase {
    const char* name;
    const char* script;
    int status;
    const char* message;  // part of standard error
};

TEST(HarnessTest, ExitStatuses) {
    const StatusCase cases[] = {
        {"empty script", "", 0, ""},
        {"script that ends", "3 dump\n", 0, ""},
        {"unreadable line", "1 dump\n2 mouse 9999 1\n", 2, "line 2: X must be"},
        {"unknown command", "# fine\n4 fly\n", 2, "line 2: unknown command"},
        // "Play Game", then "Play level", and nothing to press a key with.
        {"wait for a key with no input left",
         "2 mouse 300 165\n2 button down left\n3 button up left\n5 mouse 300 265\n5 button down left\n"
         "6 button up left\n",
         1, "waits for a key in pass 6"},
        {"a picture that cannot be written", "1 shot no/such/folder/x.bmp\n", 1, "line 1: cannot write"},
        {"quit through the exit screen",
         "2 mouse 300 315\n2 button down left\n3 button up left\n5 mouse 230 215\n5 button down left\n"
         "6 button up left\n6 dump\n7 dump\n500 dump\n",
         0, ""},
    };
    for (const StatusCase& c : cases) {
        std::string folder = prepareFolder("status", walkLevel);
        ReplayRun run = runScript(folder, c.script);
        EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
    }
    // Quitting stops after the pass in which the game quit, with its output.
    std::string folder = prepareFolder("status", walkLevel);
    ReplayRun run = runScript(folder, cases[6].script);
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_EQ(run.dumps[0]["pass"].integer(), 6);
    EXPECT_EQ(run.dumps[0]["running"].integer(), 0);
}

TEST(HarnessTest, ArgumentsAndScriptFromStandardInput) {
    std::string folder = prepareFolder("arguments", {});
    EXPECT_EQ(runArguments(folder, "").status, 2);
    EXPECT_EQ(runArguments(folder, "a b").status, 2);
    EXPECT_EQ(runArguments(folder, "--bmp onlyone").status, 2);
    ReplayRun missing = runArguments(folder, "missing-script.txt");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
    std::ofstream(folder + "/piped.txt") << "2 dump\n4 end\n9 dump\n";
    ReplayRun piped = runArguments(folder, "- < piped.txt");
    EXPECT_EQ(piped.status, 0) << piped.err;
    ASSERT_EQ(piped.dumps.size(), 1u);
    EXPECT_EQ(piped.dumps[0]["pass"].integer(), 2);
}

TEST(HarnessTest, LevelCommandEntersPlayOrFallsBackToTheMenu) {
    std::string folder = prepareFolder("level-command", {{1, "walk.tmx", "walk-win.dat"},
                                                         {2, "", "walk-win.dat"}});
    ReplayRun run = runScript(folder, "1 level 1\n1 dump\n2 level 2\n2 dump\n3 level 7\n3 dump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.at(1)["screen"].integer(), 1);
    EXPECT_EQ(run.at(1)["levelWidth"].integer(), 640);
    EXPECT_EQ(run.at(1)["entranceX"].integer(), 32);
    EXPECT_EQ(run.at(1)["exitX"].integer(), 480);
    // A level whose map is missing, and one with no files at all: the main menu.
    EXPECT_EQ(run.at(2)["screen"].integer(), 2);
    EXPECT_EQ(run.at(3)["screen"].integer(), 2);
    EXPECT_EQ(run.at(3)["levelNumber"].integer(), 1);
}

TEST(HarnessTest, TerrainAndGridPictures) {
    std::string folder = prepareFolder("pictures", {{1, "walk.tmx", "walk-win.dat"}, {2, "", "walk-win.dat"}});
    std::string script =
        "1 grid start.pgm\n1 terrain start.bmp\n"
        "2 level 1\n2 grid level.pgm\n2 terrain level.bmp\n"
        "3 level 2\n3 grid failed.pgm\n3 terrain failed.bmp\n";
    std::ofstream(folder + "/failed.bmp") << "stale";  // must not survive a missing terrain
    ReplayRun run = runScript(folder, script);
    ASSERT_EQ(run.status, 0) << run.err;
    namespace fs = std::filesystem;
    std::string start = readFile(folder + "/start.pgm");
    EXPECT_EQ(start, std::string("P5\n2 2\n255\n") + std::string(4, '\0'));
    Picture startTerrain;  // the 1x1 terrain made at start-up
    ASSERT_TRUE(readPicture(folder + "/start.bmp", startTerrain));
    EXPECT_EQ(startTerrain.width * startTerrain.height, 1);

    std::string level = readFile(folder + "/level.pgm");
    std::string header = "P5\n641 401\n255\n";
    ASSERT_EQ(level.size(), header.size() + 641u * 401u);
    EXPECT_EQ(level.substr(0, header.size()), header);
    auto cell = [&](int x, int y) { return static_cast<uint8_t>(level[header.size() + static_cast<size_t>(y) * 641 + x]); };
    EXPECT_EQ(cell(100, 319), 0);    // air above the floor
    EXPECT_EQ(cell(100, 320), 255);  // the floor starts at row 320
    EXPECT_EQ(cell(640, 350), 0);    // the extra column
    EXPECT_EQ(cell(100, 400), 0);    // the extra row

    Picture terrain;
    ASSERT_TRUE(readPicture(folder + "/level.bmp", terrain));
    EXPECT_EQ(terrain.width, 640);
    EXPECT_EQ(terrain.height, 400);
    EXPECT_EQ(terrain.at(100, 319), 0xFFFF00FFu);
    EXPECT_EQ(terrain.at(100, 320), tileColours[0]);

    // After a failed map read there is no terrain picture, and the grid is the old one.
    EXPECT_FALSE(fs::exists(folder + "/failed.bmp"));
    EXPECT_EQ(readFile(folder + "/failed.pgm"), level);
}

// A solution that wins today must win tomorrow: the same script gives the same
// dumps and the same pictures, byte for byte.
TEST(HarnessTest, SameScriptSameRun) {
    std::string script = "1 level 1\n100 select 4\n150 click-creature 2\n300 select 8\n320 click-creature 5\n"
                         "600 dump\n600 shot shot.bmp\n600 grid grid.pgm\n600 terrain terrain.bmp\n";
    std::string outputs[2];
    for (std::string& output : outputs) {
        ReplayRun run = runScript(prepareFolder("same-run", {{1, "pen.tmx", "pen.dat"}}), script);
        ASSERT_EQ(run.status, 0) << run.err;
        output = run.out + readFile(run.dir + "/shot.bmp") + readFile(run.dir + "/grid.pgm") +
                 readFile(run.dir + "/terrain.bmp");
    }
    EXPECT_GT(outputs[0].size(), 1000000u);
    EXPECT_TRUE(outputs[0] == outputs[1]);
}

TEST(HarnessTest, ClickCreatureOutsideTheViewIsAScriptError) {
    std::string folder = prepareFolder("click-outside", {{1, "wide.tmx", "wide.dat"}});
    // The creature enters near the left of a 1280 px level; with the view
    // scrolled right to its end it lies off screen.
    std::string script = "1 level 1\n2 key down 77\n";
    script += "400 dump\n401 click-creature 0\n";
    ReplayRun run = runScript(folder, script);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("line 4: creature 0 is at screen point"), std::string::npos) << run.err;
    EXPECT_EQ(run.at(400)["scrollX"].integer(), 640 - 1280);
}

uint32_t checker(int32_t x, int32_t y) { return (x + y) % 2 ? 0xFF123456 : 0xFFFF00FF; }

TEST(HarnessTest, BmpConversion) {
    std::string folder = prepareFolder("bmp", {});
    ASSERT_TRUE(writeBmp24(folder + "/small.bmp", 5, 3, checker));
    ReplayRun run = runArguments(folder, "--bmp small.bmp small-out.bmp");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "status 0\n");
    Picture picture;
    ASSERT_TRUE(readPicture(folder + "/small-out.bmp", picture));
    ASSERT_EQ(picture.width, 5);
    ASSERT_EQ(picture.height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(picture.at(x, y), checker(x, y)) << x << "," << y;

    std::ofstream(folder + "/garbage.bmp") << "BM this is no picture at all, just words";
    const std::pair<const char*, const char*> failures[] = {
        {"missing.bmp", "status 2\n"},
        {"garbage.bmp", "status 3\n"},
    };
    for (const auto& [file, status] : failures) {
        ReplayRun bad = runArguments(folder, std::string("--bmp ") + file + " out.bmp");
        EXPECT_EQ(bad.status, 0) << file << ": " << bad.err;
        EXPECT_EQ(bad.out, status) << file;
    }
}

}  // namespace
