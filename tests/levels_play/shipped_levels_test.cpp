// Every shipped level passes the level check and is won by its solution script,
// played through the replay harness with the game's real input path.
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include "run_tool.h"

namespace {

const std::string buildDir = BUILD_DIR;
const std::string solutionsDir = std::string(TEST_DATA_DIR) + "/../levels_play/solutions";
constexpr int shippedLevels = 15;

bool exists(const std::string& path) { return std::filesystem::exists(path); }

class ShippedLevel : public ::testing::TestWithParam<int> {};

TEST_P(ShippedLevel, PassesTheLevelCheck) {
    const int n = GetParam();
    const ToolRun run = runTool(buildDir, "./eggsodus-levelcheck " + std::to_string(n));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("level " + std::to_string(n) + ": ok"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("warning"), std::string::npos) << run.output;
}

TEST_P(ShippedLevel, IsWonByItsSolution) {
    const int n = GetParam();
    const std::string script = solutionsDir + "/level" + std::to_string(n) + ".txt";
    ASSERT_TRUE(exists(script)) << script;
    const ToolRun run = runTool(buildDir, "./eggsodus-replay '" + script + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string dump = lastDump(run.output);
    ASSERT_FALSE(dump.empty()) << "the script ends without a dump";
    // a won level moves on to the next one, when there is one
    const long long number = dumpNumber(dump, "levelNumber");
    EXPECT_TRUE(number == n || number == n + 1) << number;
    EXPECT_EQ(dumpNumber(dump, "screen"), 3) << "the level has not ended when the script does";
    const long long saved = dumpNumber(dump, "savedCount");
    const long long target = dumpArrayNumber(dump, "levelValues", 1);
    EXPECT_GE(saved, target) << "saved " << saved << " of the " << target << " needed";
    EXPECT_GE(target, 1);
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevel, ::testing::Range(1, shippedLevels + 1));

TEST(ShippedLevels, FormAnUnbrokenRunWithASolutionEach) {
    int n = 1;
    while (exists(buildDir + "/maps/map" + std::to_string(n) + ".dat")) {
        EXPECT_TRUE(exists(buildDir + "/maps/map" + std::to_string(n) + ".tmx")) << n;
        EXPECT_TRUE(exists(solutionsDir + "/level" + std::to_string(n) + ".txt")) << n;
        ++n;
    }
    EXPECT_EQ(n - 1, shippedLevels);
}

}  // namespace
