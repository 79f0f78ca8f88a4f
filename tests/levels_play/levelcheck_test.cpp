// The level check names what is wrong with a broken level, and passes a sound one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "run_tool.h"

namespace fs = std::filesystem;

namespace {

struct Cell {
    int column, row, tile;
};

// A 40 x 25 map of 16 px tiles between two walls (tile 9): earth (tile 2) on
// rows 20..24, and the given cells, such as the entrance (tile 111) and exit (112).
std::string mapText(const std::vector<Cell>& cells, const std::string& encoding = "csv",
                    const std::string& image = "tiles.png") {
    std::string text = "<map version=\"1.8\" width=\"40\" height=\"25\" tilewidth=\"16\" "
                       "tileheight=\"16\">\n <tileset firstgid=\"1\" spacing=\"1\">\n"
                       "  <image source=\"" + image + "\"/>\n </tileset>\n <layer>\n"
                       "  <data encoding=\"" + encoding + "\">\n";
    for (int r = 0; r < 25; ++r)
        for (int c = 0; c < 40; ++c) {
            int tile = r >= 20 ? 2 : c % 39 == 0 ? 9 : 0;
            for (const Cell& cell : cells) tile = cell.row == r && cell.column == c ? cell.tile : tile;
            text += std::to_string(tile) + (c < 39 ? "," : ",\n");
        }
    return text + "</data>\n </layer>\n</map>\n";
}

const std::vector<Cell> soundCells = {{4, 16, 111}, {35, 18, 112}};

const fs::path folder = fs::temp_directory_path() / ("levelcheck-" + std::to_string(getpid()));

// Checks level 1 made of the given files (none where empty) in a fresh folder.
ToolRun check(const std::string& tmx, const std::string& dat, const std::string& arguments = "1") {
    fs::remove_all(folder);
    fs::create_directories(folder / "maps");
    fs::copy(buildDir + "/data", folder / "data");
    if (!tmx.empty()) std::ofstream(folder / "maps" / "map1.tmx") << tmx;
    if (!dat.empty()) std::ofstream(folder / "maps" / "map1.dat") << dat;
    return runTool(folder.string(), "'" + buildDir + "/eggsodus-levelcheck' " + arguments);
}

TEST(LevelCheck, SoundLevelPassesWithSummaryAndPreview) {
    const ToolRun run =
        check(mapText(soundCells), "9,5,1,2,3,4,5,6,7,0\n", "--preview . maps/map1.tmx");
    EXPECT_EQ(run.status, 0) << run.output;
    for (const char* expected : {"level 1: ok", "640 x 400 px", "10 eggs, 5 to save",
                                 "block 1, build 2, dig 3, tunnel 4, float 5, climb 6, explode 7",
                                 "entrance at (64, 256), exit at (560, 288)"})
        EXPECT_NE(run.output.find(expected), std::string::npos) << expected << "\n" << run.output;
    EXPECT_EQ(contents(folder / "level1-preview.bmp").substr(0, 2), "BM");
    EXPECT_GT(fs::file_size(folder / "level1-preview.bmp"), 640u * 400u * 4u);
    fs::remove_all(folder);
}

TEST(LevelCheck, BrokenLevelsAreReportedInPlainWords) {
    const std::string sound = mapText(soundCells);
    const struct {
        std::string tmx, dat;  // empty: no such file
        const char* expected;
        const char* arguments = "1";
    } cases[] = {
        {"", "", "notalevel: not a level number or map file name", "notalevel"},
        {sound, "", "maps\\map1.dat is missing"},
        {"", "9,5", "maps\\map1.tmx is missing"},
        {mapText({{4, 16, 111}}), "9,5", "the map has no exit (tile 112)"},
        {mapText({{35, 18, 112}}), "9,5", "the map has no entrance (tile 111)"},
        {sound, "100,10", "is 100; it must be 0..99"},
        {sound, "-1,0", "is -1; it must be 0..99"},
        {sound, "1e999,5", "is 1000000000; it must be 0..99"},
        {sound, "9,11", "asks to save 11 eggs but only 10 take part"},
        {sound, "9,5,-1", "the block count is -1"},
        {mapText({{4, 16, 111}, {35, 18, 112}, {10, 5, 120}}), "9,5",
         "1 cells hold tiles outside the tileset of 112 tiles (tile 120 at column 11, row 6)"},
        {mapText({{4, 16, 111}, {5, 18, 112}}), "9,5", "the first egg reaches the exit"},
        {mapText({{4, 2, 111}, {35, 18, 112}}), "9,5",
         "the first egg is lost (a deadly fall or off the level) on its way down"},
        {mapText(soundCells, "csv", "../art/rocks.png"), "9,5",
         "the tileset picture data\\rocks.bmp is missing"},
        {mapText(soundCells, "base64"), "9,5", "the game reads only CSV"},
        {sound, "9,5", "error: the preview cannot be written to no/such/folder/level1-preview.bmp",
         "--preview no/such/folder 1"},
    };
    for (const auto& c : cases) {
        const ToolRun run = check(c.tmx, c.dat, c.arguments);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(run.output.find(c.expected), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("preview written"), std::string::npos) << run.output;
    }
    fs::remove_all(folder);
}

// An exit that needs a skill, or a blocker only the arm-all button can end, is
// often meant, so it is a note and the level passes.
TEST(LevelCheck, WhatIsOftenMeantIsOnlyNoted) {
    const std::vector<Cell> wall = {{30, 19, 9}, {30, 18, 9}, {30, 17, 9}, {30, 16, 9}};
    std::vector<Cell> walled = soundCells;
    walled.insert(walled.end(), wall.begin(), wall.end());
    const struct {
        std::vector<Cell> cells;
        const char* values;
        const char* note;  // nullptr: none
    } cases[] = {
        {soundCells, "9,5,1,0,0,0,0,0,1", nullptr},
        {{{4, 16, 111}, {35, 12, 112}}, "9,5", "nothing under the exit for an egg to walk on"},
        {walled, "9,5", "no egg reaches the exit without a skill"},
        {soundCells, "9,5,1", "blockers but no explosions"},
    };
    for (const auto& c : cases) {
        const ToolRun run = check(mapText(c.cells), c.values);
        EXPECT_EQ(run.status, 0) << run.output;
        if (c.note == nullptr)
            EXPECT_EQ(run.output.find("note:"), std::string::npos) << run.output;
        else
            EXPECT_NE(run.output.find(std::string("note: ") + c.note), std::string::npos) << run.output;
    }
    fs::remove_all(folder);
}

}  // namespace
