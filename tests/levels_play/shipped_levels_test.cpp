// Every shipped level passes the level check, and each has its solution script.
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
