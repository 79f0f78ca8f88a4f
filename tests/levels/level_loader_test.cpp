#include <gtest/gtest.h>

#include <array>

#include "level_test_support.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "levels/level_loader.h"
#include "platform/console.h"
#include "platform/headless.h"

namespace {

using Values = std::array<int32_t, 10>;

Values currentValues() {
    Values values;
    std::copy(std::begin(levelValues), std::end(levelValues), values.begin());
    return values;
}

// 2 x 2 tiles, no spacing, a 6 x 2 picture: tile 1 is ground, 2 the entrance, 3 the exit.
void writeSmallTileset() { writeLetterBmp("data/small.bmp", {"AB....", "C....."}); }

std::string smallMap(int columns, int rows, const std::string& csv, int tileSize = 2) {
    return "<map version=\"1.8\" width=\"" + std::to_string(columns) + "\" height=\"" +
           std::to_string(rows) + "\" tilewidth=\"" + std::to_string(tileSize) + "\" tileheight=\"" +
           std::to_string(tileSize) + "\">\n <tileset firstgid=\"1\" name=\"s\">\n" +
           "  <image source=\"small.png\"/>\n  <data encoding=\"csv\">\n" + csv + "\n</data>\n";
}

void releaseTerrain() {
    if (terrainImage) destroyImage(terrainImage);
}

}  // namespace

TEST(LevelData, ReadsUpToTenItemsInTheFileForms) {
    struct Case { const char* name; std::string text; Values expected; std::string printed; };
    const Case cases[] = {
        {"one line", "20,10,3,3,3,3,3,3,3,0", {20, 10, 3, 3, 3, 3, 3, 3, 3, 0}, ""},
        {"one a line", "20\n10\n3\n3\n3\n3\n3\n3\n3\n0\n", {20, 10, 3, 3, 3, 3, 3, 3, 3, 0}, ""},
        {"comma at a line end", "20,10,\n3", {20, 10, 0, 3}, ""},
        {"two items", "5,3", {5, 3}, ""},
        {"twelve items", "1,2,3,4,5,6,7,8,9,10,11,12", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, ""},
        {"halves to even", "2.5,3.5,-2.5", {2, 4, -2}, ""},
        {"quotes and blanks", "\"7\", \t\"8,9\"\r\n 6", {7, 8, 6}, ""},
        {"empty file", "", {}, ""},
        {"blank lines", "4\n\n5", {4, 0, 5}, ""},
        {"too many creatures", "150,5", {99, 5}, "Creature index 150 out of range, using 99"},
        {"negative creatures", "-3,5", {0, 5}, "Creature index -3 out of range, using 0"},
        {"huge number", "1e20,2", {99, 2}, "Creature index 2147483647 out of range, using 99"},
    };
    ScratchFolder folder;
    writeSmallTileset();
    writeFile("maps/map1.tmx", smallMap(1, 1, "1"));
    levelNumber = 1;
    for (const Case& c : cases) {
        writeFile("maps/map1.dat", c.text);
        levelValues[4] = 77;
        clearScreen();
        EXPECT_EQ(loadLevel(), levelLoaded) << c.name;
        EXPECT_EQ(currentValues(), c.expected) << c.name;
        std::vector<std::string> printed = consoleLines();
        EXPECT_EQ(printed.size() == 3 ? printed[0] : "", c.printed) << c.name;
    }
    releaseTerrain();
}

TEST(LevelLoader, BuildsTheGridFromTheTerrainPixels) {
    ScratchFolder folder;
    // Tile 1 has magenta, ground, and a colour one step from magenta.
    std::vector<Colour> picture(48 * 16, transparentColour);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (y >= 8) picture[y * 48 + x] = x == 3 ? 0xFFFE00FF : 0xFF336699;
    writeBmp24("data/ground.bmp", 48, 16, picture);
    std::string csv;
    for (int row = 0; row < 30; ++row) {
        for (int column = 0; column < 40; ++column) csv += (row + column) % 3 == 0 ? "1," : "0,";
        csv += "\n";
    }
    writeFile("maps/map12.dat", "3,1");
    writeFile("maps/map12.tmx", "<map version=\"1.8\" width=\"40\" height=\"30\" tilewidth=\"16\" "
                                "tileheight=\"16\">\n<tileset firstgid=\"1\">\n<image source=\"ground.bmp\"/>\n"
                                "<data encoding=\"csv\">\n" + csv + "</data>\n");
    resizeGrid(700, 500);
    setCell(100, 100, cellBrick);
    levelNumber = 12;
    ASSERT_EQ(loadLevel(), levelLoaded);
    ASSERT_NE(terrainImage, nullptr);
    EXPECT_EQ(levelWidth, 640);
    EXPECT_EQ(levelHeight, 480);
    EXPECT_EQ(gridColumns(), 641);
    EXPECT_EQ(gridRows(), 481);
    int mismatches = 0;
    for (int x = 0; x < 641; ++x)
        for (int y = 0; y < 481; ++y) {
            uint8_t expected = x < 640 && y < 480 && terrainImage->row(y)[x] != transparentColour ? cellTerrain : cellEmpty;
            mismatches += cellAt(x, y) != expected;
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(terrainImage->row(8)[3], 0xFFFE00FFu);
    EXPECT_EQ(cellAt(3, 8), cellTerrain);
    EXPECT_EQ(cellAt(3, 7), cellEmpty);
    EXPECT_EQ(cellAt(100, 100), cellEmpty) << "the old grid's bricks are gone";
    releaseTerrain();
}

TEST(LevelLoader, FailuresLeaveWhatTheLoadingScreenExpects) {
    ScratchFolder folder;
    writeSmallTileset();
    writeFile("maps/map1.dat", "4,2");
    writeFile("maps/map1.tmx", smallMap(3, 1, "1,2,3"));
    levelNumber = 1;
    ASSERT_EQ(loadLevel(), levelLoaded);
    EXPECT_EQ(entranceX, 2);
    EXPECT_EQ(exitX, 4);
    const std::vector<uint8_t> grid = gridCells;
    ASSERT_EQ(gridColumns(), 7);

    // No data file: nothing at all changes.
    levelNumber = 2;
    clearScreen();
    EXPECT_EQ(loadLevel(), levelDataMissing);
    EXPECT_EQ(currentValues(), (Values{4, 2}));
    EXPECT_NE(terrainImage, nullptr);
    EXPECT_EQ(levelWidth, 6);
    EXPECT_EQ(consoleCursorRow(), 0);

    // A data file without its map: new values, no terrain, the old grid, a wait
    // for a key and then the loader's line.
    writeFile("maps/map2.dat", "9,8,7");
    keyWaits = 0;
    EXPECT_EQ(loadLevel(), levelMapFailed);
    EXPECT_EQ(currentValues(), (Values{9, 8, 7}));
    EXPECT_EQ(terrainImage, nullptr);
    EXPECT_EQ(gridCells, grid);
    EXPECT_GT(keyWaits, 0);
    EXPECT_EQ(consoleLines(),
              std::vector<std::string>{"Map loading error! tmx loading sub, Info: File not opened!"});

    // A map the reader refuses: its size is already taken; the pause lasts 3 s
    // when no key cuts it short.
    writeFile("maps/map2.tmx", "<map version=\"1.8\" width=\"5\" height=\"4\" tilewidth=\"2\" tileheight=\"2\">\n"
                               "<data encoding=\"base64\">\n");
    pressKeyWhenAsked = false;
    resetHeadlessClock();
    EXPECT_EQ(loadLevel(), levelMapFailed);
    EXPECT_NEAR(headlessClock() - 1000.0, 3.0, 0.01);
    EXPECT_EQ(levelWidth, 10);
    EXPECT_EQ(levelHeight, 8);
    EXPECT_EQ(gridCells, grid);
    EXPECT_EQ(terrainImage, nullptr);
    EXPECT_EQ(consoleText(consoleCursorRow() - 1),
              "Map loading error! tmx loading sub, Info: Not supported encoding type!");

    // And the next good load recovers everything.
    levelNumber = 1;
    pressKeyWhenAsked = true;
    EXPECT_EQ(loadLevel(), levelLoaded);
    EXPECT_EQ(gridCells, grid);
    EXPECT_EQ(levelWidth, 6);
    releaseTerrain();
}

TEST(CollisionGridBuild, MatchesEveryPixelWhateverTheSize) {
    ScratchFolder folder;  // opens the screen for createImage
    const int32_t sizes[][2] = {{1, 1}, {15, 17}, {16, 16}, {37, 53}, {100, 70}, {130, 33}};
    uint32_t seed = 12345;
    for (auto [width, height] : sizes) {
        Image* terrain = createImage(width, height);
        for (Colour& pixel : terrain->pixels) {
            seed = seed * 1103515245 + 12345;
            pixel = (seed >> 16) % 3 == 0 ? transparentColour : (seed >> 16) % 3 == 1 ? 0xFFFE00FF : 0x00FF00FF;
        }
        levelWidth = width;
        levelHeight = height;
        buildCollisionGrid(*terrain);
        ASSERT_EQ(gridColumns(), width + 1);
        int mismatches = 0;
        for (int32_t x = 0; x <= width; ++x)
            for (int32_t y = 0; y <= height; ++y) {
                Colour pixel = x < width && y < height ? terrain->row(y)[x] : transparentColour;
                mismatches += cellAt(x, y) != (pixel == transparentColour ? cellEmpty : cellTerrain);
            }
        EXPECT_EQ(mismatches, 0) << width << "x" << height;
        destroyImage(terrain);
    }
}
