// Every shipped level is won by its solution script, played through the replay
// harness with the game's real input path: skill keys, pointer, clicks, arrows.
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include "run_tool.h"

namespace {

const std::string buildDir = BUILD_DIR;
const std::string solutionsDir = std::string(TEST_DATA_DIR) + "/../levels_play/solutions";

class Solution : public ::testing::TestWithParam<int> {};

TEST_P(Solution, WinsTheLevel) {
    const int n = GetParam();
    const std::string script = solutionsDir + "/level" + std::to_string(n) + ".txt";
    ASSERT_TRUE(std::filesystem::exists(script)) << script;
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

INSTANTIATE_TEST_SUITE_P(Levels, Solution, ::testing::Range(1, 16));

}  // namespace
