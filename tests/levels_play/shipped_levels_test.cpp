// Every shipped level passes the level check, is drawn from its text drawing
// and is won by its solution script, played through the replay harness with
// the game's real input path: skill keys, pointer, clicks, arrows.
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

class Solution : public ::testing::TestWithParam<int> {};

TEST_P(Solution, WinsTheLevel) {
    const int n = GetParam();
    const std::string script = solutionsDir + "/level" + std::to_string(n) + ".txt";
    ASSERT_TRUE(fs::exists(script)) << script;
    const ToolRun run = runTool(buildDir, "./eggsodus-replay '" + script + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    // The level has ended on the level screen; a won level moves on to the next, if any.
    EXPECT_EQ(lastDumpNumber(run.output, "screen"), 3);
    const long long number = lastDumpNumber(run.output, "levelNumber");
    EXPECT_TRUE(number == n + 1 || (n == shippedLevels && number == n)) << number;
    const long long target = lastDumpNumber(run.output, "levelValues", 1);
    EXPECT_GE(target, 1);
    EXPECT_GE(lastDumpNumber(run.output, "savedCount"), target);
}

INSTANTIATE_TEST_SUITE_P(Levels, Solution, ::testing::Range(1, shippedLevels + 1));

}  // namespace
