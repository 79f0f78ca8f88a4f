// Every shipped level passes the level check, and each has its solution script.
#include <gtest/gtest.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include "run_tool.h"

namespace {

const std::string buildDir = BUILD_DIR;
const std::string solutionsDir = std::string(TEST_DATA_DIR) + "/../levels_play/solutions";
constexpr int shippedLevels = 15;

bool exists(const std::string& path) { return std::filesystem::exists(path); }

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

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

// The shipped maps are written from their text drawings; the two must not drift apart.
TEST(ShippedLevels, MatchTheirTextDrawings) {
    if (runTool(".", "command -v python3").status != 0) GTEST_SKIP() << "python3 is not installed";
    const std::filesystem::path out = std::filesystem::temp_directory_path() / ("drawn-maps-" + std::to_string(::getpid()));
    std::filesystem::create_directories(out);
    const ToolRun run = runTool(".", "python3 '" + std::string(TEST_DATA_DIR) + "/../../tools/make_maps/make_maps.py' '" +
                                         out.string() + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    int compared = 0;
    for (const auto& drawn : std::filesystem::directory_iterator(out)) {
        EXPECT_EQ(contents(drawn.path()), contents(buildDir + "/maps/" + drawn.path().filename().string()))
            << drawn.path().filename() << " differs from its drawing: run make_maps.py";
        ++compared;
    }
    EXPECT_EQ(compared, 2 * shippedLevels);
    std::filesystem::remove_all(out);
}

}  // namespace
