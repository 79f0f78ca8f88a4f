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

// A whole number field of a dump line.
int64_t field(const std::string& dump, const std::string& name) {
    const size_t at = dump.find("\"" + name + "\":");
    return at == std::string::npos ? -1 : std::stoll(dump.substr(at + name.size() + 3));
}

// Past the first three levels, the eggs left alone do not win: by the time all
// have entered and had long to walk, they are stuck or lost short of the target,
// and no more are being saved.
TEST_P(ShippedLevel, IsNotWonByDoingNothing) {
    const int n = GetParam();
    if (n <= 3) GTEST_SKIP() << "the first levels may be won by watching";
    const std::string values = contents(buildDir + "/maps/map" + std::to_string(n) + ".dat");
    const int64_t eggs = std::stoll(values) + 1, target = std::stoll(values.substr(values.find(',') + 1));
    const int64_t settled = (eggs + 1) * 50 + 1500, later = settled + 1500;
    const ToolRun run = runTool(buildDir, "printf '1 level " + std::to_string(n) + "\\n" + std::to_string(settled) +
                                              " dump\\n" + std::to_string(later) + " dump\\n' | ./eggsodus-replay -");
    ASSERT_EQ(run.status, 0) << run.output;
    const size_t last = run.output.rfind("\n{");
    const std::string first = run.output.substr(run.output.rfind("\n{", last - 1) + 1, last);
    const std::string second = run.output.substr(last + 1);
    EXPECT_LT(field(second, "savedCount"), target) << n;
    EXPECT_EQ(field(first, "savedCount"), field(second, "savedCount")) << "eggs are still being saved";
    EXPECT_EQ(second.find("\"You have won!\""), std::string::npos);
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
