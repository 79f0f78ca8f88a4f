// The shipped maps are the map editor's own: it opens each one and writes it
// back unchanged. Skipped where the editor is not installed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "run_tool.h"

namespace fs = std::filesystem;

namespace {

class EditorRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(EditorRoundTrip, WritesTheMapBackUnchanged) {
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

INSTANTIATE_TEST_SUITE_P(Levels, EditorRoundTrip, ::testing::Range(1, shippedLevels + 1));

}  // namespace
