// The level check names what is wrong with a broken level, and passes a sound one.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include "run_tool.h"

namespace fs = std::filesystem;

namespace {

const std::string buildDir = BUILD_DIR;

// A 40 x 25 map of 16 px tiles: earth (tile 2) on rows 20..24, the entrance
// (tile 31) and the exit (tile 32) where asked, and any extra cells.
struct Cell {
    int column, row, tile;
};

std::string mapText(std::vector<Cell> cells, const std::string& encoding = "csv",
                    const std::string& image = "tiles.png") {
    std::vector<std::vector<int>> tiles(25, std::vector<int>(40, 0));
    for (int r = 20; r < 25; ++r)
        for (int c = 0; c < 40; ++c) tiles[r][c] = 2;
    for (int r = 0; r < 20; ++r) tiles[r][0] = tiles[r][39] = 9;
    for (const Cell& cell : cells) tiles[cell.row][cell.column] = cell.tile;
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<map version=\"1.8\" tiledversion=\"1.8.2\" orientation=\"orthogonal\" renderorder=\"right-down\" "
        "width=\"40\" height=\"25\" tilewidth=\"16\" tileheight=\"16\" infinite=\"0\" nextlayerid=\"2\" nextobjectid=\"1\">\n"
        " <tileset firstgid=\"1\" name=\"tiles\" tilewidth=\"16\" tileheight=\"16\" spacing=\"1\" tilecount=\"32\" columns=\"8\">\n"
        "  <image source=\"" + image + "\" trans=\"ff00ff\" width=\"136\" height=\"68\"/>\n"
        " </tileset>\n"
        " <layer id=\"1\" name=\"Ground\" width=\"40\" height=\"25\">\n"
        "  <data encoding=\"" + encoding + "\">\n";
    for (int r = 0; r < 25; ++r) {
        for (int c = 0; c < 40; ++c) text += std::to_string(tiles[r][c]) + (c < 39 || r < 24 ? "," : "");
        text += "\n";
    }
    return text + "</data>\n </layer>\n</map>\n";
}

const std::vector<Cell> soundCells = {{4, 16, 31}, {35, 18, 32}};

class LevelFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("levelcheck-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "data");
        fs::create_directories(folder / "maps");
        fs::copy_file(buildDir + "/data/tiles.bmp", folder / "data" / "tiles.bmp");
        fs::copy_file(buildDir + "/data/main.bmp", folder / "data" / "main.bmp");
    }
    void TearDown() override { fs::remove_all(folder); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(folder / "maps" / name) << text;
    }
    ToolRun check(const std::string& arguments = "1") {
        return runTool(folder.string(), "'" + buildDir + "/eggsodus-levelcheck' " + arguments);
    }
    fs::path folder;
};

TEST_F(LevelFolder, SoundLevelPassesWithSummaryAndPreview) {
    write("map1.tmx", mapText(soundCells));
    write("map1.dat", "9,5,1,2,3,4,5,6,7,0\n");
    const ToolRun run = check("--preview . maps/map1.tmx");
    EXPECT_EQ(run.status, 0) << run.output;
    for (const char* expected : {"level 1: ok", "640 x 400 px", "10 eggs, 5 to save",
                                 "block 1, build 2, dig 3, tunnel 4, float 5, climb 6, explode 7",
                                 "entrance at (64, 256), exit at (560, 288)"})
        EXPECT_NE(run.output.find(expected), std::string::npos) << expected << "\n" << run.output;
    std::ifstream preview(folder / "level1-preview.bmp", std::ios::binary);
    ASSERT_TRUE(preview.good());
    char magic[2] = {};
    preview.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "BM");
    EXPECT_GT(fs::file_size(folder / "level1-preview.bmp"), 640u * 400u * 4u);
}

struct BrokenLevel {
    const char* name;
    std::string tmx;  // empty: no map file
    std::string dat;  // empty: no data file
    const char* expected;
};

class BrokenLevels : public LevelFolder, public ::testing::WithParamInterface<BrokenLevel> {};

TEST_P(BrokenLevels, AreReportedInPlainWords) {
    const BrokenLevel& level = GetParam();
    if (!level.tmx.empty()) write("map1.tmx", level.tmx);
    if (!level.dat.empty()) write("map1.dat", level.dat);
    const ToolRun run = check();
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("level 1: has errors"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(level.expected), std::string::npos) << run.output;
}

const std::string sound = mapText(soundCells);

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenLevels,
    ::testing::Values(
        BrokenLevel{"NoDataFile", sound, "", "maps\\map1.dat is missing"},
        BrokenLevel{"NoMapFile", "", "9,5", "maps\\map1.tmx is missing"},
        BrokenLevel{"NoExit", mapText({{4, 16, 31}}), "9,5", "the map has no exit (tile 32)"},
        BrokenLevel{"NoEntrance", mapText({{35, 18, 32}}), "9,5", "the map has no entrance (tile 31)"},
        BrokenLevel{"TooManyEggs", sound, "150,10", "is 150; it must be 0..99"},
        BrokenLevel{"NegativeEggs", sound, "-1,0", "is -1; it must be 0..99"},
        BrokenLevel{"AbsurdEggCount", sound, "1e999,5", "is 1000000000; it must be 0..99"},
        BrokenLevel{"TargetAboveEggs", sound, "9,11", "asks to save 11 eggs but only 10 take part"},
        BrokenLevel{"NegativeSkillCount", sound, "9,5,-1", "the block count is -1"},
        BrokenLevel{"TileOutsideTileset", mapText({{4, 16, 31}, {35, 18, 32}, {10, 5, 40}}), "9,5",
                    "1 cells hold tiles outside the tileset of 32 tiles (tile 40 at column 11, row 6)"},
        BrokenLevel{"ExitBesideEntrance", mapText({{4, 16, 31}, {5, 18, 32}}), "9,5",
                    "the first egg reaches the exit"},
        BrokenLevel{"DeadlyFirstFall", mapText({{4, 2, 31}, {35, 18, 32}}), "9,5",
                    "the first egg is lost (a deadly fall or off the level) on its way down"},
        BrokenLevel{"MissingTileset", mapText(soundCells, "csv", "../art/rocks.png"), "9,5",
                    "the tileset picture data\\rocks.bmp is missing"},
        BrokenLevel{"Base64Layer", mapText(soundCells, "base64"), "9,5", "the game reads only CSV"}),
    [](const ::testing::TestParamInfo<BrokenLevel>& tested) { return std::string(tested.param.name); });

TEST_F(LevelFolder, ArgumentThatNamesNoLevelIsRefused) {
    const ToolRun run = check("notalevel");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("notalevel: not a level number or map file name"), std::string::npos) << run.output;
}

}  // namespace
