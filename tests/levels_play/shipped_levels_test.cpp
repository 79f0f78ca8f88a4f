// Every shipped level passes the level check, is drawn from its text drawing,
// is written back unchanged by the map editor, and is won by its solution
// script, played through the replay harness with the game's real input path:
// skill keys, pointer, clicks, arrows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "run_tool.h"

namespace fs = std::filesystem;

namespace {

TEST(ShippedLevels, FormAnUnbrokenRunThatPassesTheLevelCheck) {
    int n = 1;
    std::string levels;
    for (; fs::exists(buildDir + "/maps/map" + std::to_string(n) + ".dat"); ++n) {
        EXPECT_TRUE(fs::exists(buildDir + "/maps/map" + std::to_string(n) + ".tmx")) << n;
        levels += std::to_string(n) + " ";
    }
    EXPECT_EQ(n - 1, shippedLevels);
    const ToolRun run = runTool(buildDir, "./eggsodus-levelcheck " + levels);
    EXPECT_EQ(run.status, 0) << run.output;
    for (int k = 1; k <= shippedLevels; ++k)
        EXPECT_NE(run.output.find("level " + std::to_string(k) + ": ok"), std::string::npos) << k;
    EXPECT_EQ(run.output.find("warning"), std::string::npos) << run.output;
}

// The shipped maps are written from their text drawings; the two must not drift apart.
TEST(ShippedLevels, MatchTheirTextDrawings) {
    if (runTool(".", "command -v python3").status != 0) GTEST_SKIP() << "no python3";
    const fs::path out = fs::temp_directory_path() / ("drawn-maps-" + std::to_string(getpid()));
    fs::create_directories(out);
    const std::string script = std::string(TEST_DATA_DIR) + "/../../tools/make_maps/make_maps.py";
    const ToolRun run = runTool(".", "python3 '" + script + "' '" + out.string() + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    int compared = 0;
    for (const auto& drawn : fs::directory_iterator(out)) {
        const std::string name = drawn.path().filename().string();
        EXPECT_EQ(contents(drawn.path()), contents(buildDir + "/maps/" + name))
            << name << " differs from its drawing: run make_maps.py";
        ++compared;
    }
    EXPECT_EQ(compared, 2 * shippedLevels);
    fs::remove_all(out);
}

class ShippedLevel : public ::testing::TestWithParam<int> {};

TEST_P(ShippedLevel, IsWonByItsSolution) {
    const int n = GetParam();
    const std::string script = solutionsDir + "/level" + std::to_string(n) + ".txt";
    ASSERT_TRUE(fs::exists(script)) << script;
    const ToolRun run = runTool(buildDir, "./eggsodus-replay '" + script + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    // The last dump: on the level screen, won, pointing at the next level if there is one.
    const std::string dump = run.output.substr(run.output.rfind("\n{") + 1);
    const int next = n == shippedLevels ? n : n + 1;
    for (const std::string& expected : {std::string("\"screen\":3,"), std::string("\"You have won!\""),
                                        "\"levelNumber\":" + std::to_string(next) + ","})
        EXPECT_NE(dump.find(expected), std::string::npos) << expected << "\n" << dump.substr(0, 300);
}

TEST_P(ShippedLevel, IsWrittenBackUnchangedByTheMapEditor) {
    if (runTool(".", "command -v tiled").status != 0) GTEST_SKIP() << "no map editor";
    const std::string name = "map" + std::to_string(GetParam()) + ".tmx";
    const fs::path folder = fs::temp_directory_path() / ("editor-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(buildDir + "/maps/" + name, folder / name);
    fs::copy_file(buildDir + "/maps/tiles.png", folder / "tiles.png");
    const ToolRun run = runTool(folder.string(), "QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$PWD "
                                                 "tiled --export-map tmx " + name + " written.tmx");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(contents(folder / "written.tmx"), contents(folder / name)) << run.output;
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevel, ::testing::Range(1, shippedLevels + 1));

}  // namespace
