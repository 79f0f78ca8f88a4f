// The shipped maps are the map editor's own: it opens each one and writes it
// back unchanged. Skipped where the editor is not installed.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <string>
#include "run_tool.h"

namespace fs = std::filesystem;

namespace {

const std::string buildDir = BUILD_DIR;

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class EditorRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(EditorRoundTrip, WritesTheMapBackUnchanged) {
    if (runTool(".", "command -v tiled").status != 0) GTEST_SKIP() << "the map editor is not installed";
    const std::string name = "map" + std::to_string(GetParam()) + ".tmx";
    const fs::path folder = fs::temp_directory_path() / ("editor-" + std::to_string(GetParam()) + "-" +
                                                         std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(buildDir + "/maps/" + name, folder / name);
    fs::copy_file(buildDir + "/maps/tiles.png", folder / "tiles.png");
    const fs::path written = folder / ("written-" + name);
    const ToolRun run = runTool(folder.string(), "QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR='" + folder.string() +
                                                     "' tiled --export-map tmx '" + (folder / name).string() +
                                                     "' '" + written.string() + "'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(contents(written), contents(folder / name)) << run.output;
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Levels, EditorRoundTrip, ::testing::Range(1, 16));

}  // namespace
