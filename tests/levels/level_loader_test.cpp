#include <array>

#include "level_test_support.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "levels/level_loader.h"

namespace {

using Values = std::array<int32_t, 10>;
Values currentValues() { return std::to_array(levelValues); }

// Tiles of 2 x 2 without spacing in a 6 x 2 picture: 1 ground, 2 entrance, 3 exit.
std::string smallMap(const std::string& csv) {
    writeLetterBmp("data/small.bmp", {"AB....", "C....."});
    return "<map version=\"1.8\" width=\"3\" height=\"1\" tilewidth=\"2\" tileheight=\"2\">\n"
           "<image source=\"small.png\"/>\n<data encoding=\"csv\">\n" + csv + "\n</data>\n";
}

}  // namespace

using LevelLoader = LevelFolder;

// Up to ten numbers, by commas or lines; the creature index must name a record
// of the table, and a changed one is said.
TEST_F(LevelLoader, ReadsUpToTenNumbersAndKeepsTheCreatureIndexInTheTable) {
    const struct {
        const char* text;
        Values values;
        int linesPrinted;
    } cases[] = {
        {"20\n10\n3,3,3,3,3,3,3,0,11,12", {20, 10, 3, 3, 3, 3, 3, 3, 3, 0}, 2},
        {"20,10,\n3", {20, 10, 0, 3}, 2},
        {"100,5", {99, 5}, 3},
        {"-1,5", {0, 5}, 3},
    };
    writeFile("maps/map1.tmx", smallMap("1"));
    levelNumber = 1;
    for (const auto& c : cases) {
        writeFile("maps/map1.dat", c.text);
        levelValues[4] = 77;
        clearScreen();
        EXPECT_EQ(loadLevel(), levelLoaded) << c.text;
        EXPECT_EQ(currentValues(), c.values) << c.text;
        EXPECT_EQ(consoleCursorRow(), c.linesPrinted) << c.text;
    }
    destroyImage(terrainImage);
}

// The grid is built in blocks of 16 x 16 and the rest one by one: every size
// must come out the same as the picture, with the extra column and row empty.
TEST_F(LevelLoader, GridFollowsTheTerrainPixelsAtEveryBlockEdge) {
    uint32_t seed = 12345;
    for (auto [width, height] : {std::pair{1, 1}, {15, 17}, {16, 16}, {37, 53}, {640, 480}}) {
        Image* terrain = createImage(width, height);
        for (Colour& pixel : terrain->pixels) {
            seed = seed * 1103515245 + 12345;
            pixel = seed >> 31 ? transparentColour : seed >> 30 & 1 ? 0xFFFE00FF : 0x00FF00FF;
        }
        setCell(10, 10, cellBrick);
        levelWidth = width, levelHeight = height;
        buildCollisionGrid(*terrain);
        ASSERT_EQ(std::pair(gridColumns(), gridRows()), std::pair(width + 1, height + 1));
        int mismatches = 0;
        for (int32_t x = 0; x <= width; ++x)
            for (int32_t y = 0; y <= height; ++y) {
                const bool inside = x < width && y < height;
                const bool solid = inside && terrain->row(y)[x] != transparentColour;
                mismatches += cellAt(x, y) != (solid ? cellTerrain : cellEmpty);
            }
        EXPECT_EQ(mismatches, 0) << width << "x" << height;
        destroyImage(terrain);
    }
}

TEST_F(LevelLoader, FailuresLeaveWhatTheLoadingScreenExpects) {
    writeFile("maps/map1.dat", "4,2");
    writeFile("maps/map1.tmx", smallMap("1,2,3"));
    levelNumber = 1;
    ASSERT_EQ(loadLevel(), levelLoaded);
    EXPECT_EQ(Values({entranceX, entranceY, exitX, exitY}), Values({2, 0, 4, 0}));
    const std::vector<uint8_t> grid = gridCells;

    levelNumber = 2;  // no data file: nothing changes, nothing is printed
    clearScreen();
    EXPECT_EQ(loadLevel(), levelDataMissing);
    EXPECT_EQ(currentValues(), Values({4, 2}));
    EXPECT_NE(terrainImage, nullptr);
    EXPECT_EQ(consoleCursorRow(), 0);

    writeFile("maps/map2.dat", "9,8,7");  // no map: new values, no terrain, the old grid
    EXPECT_EQ(loadLevel(), levelMapFailed);
    EXPECT_EQ(currentValues(), Values({9, 8, 7}));
    EXPECT_EQ(terrainImage, nullptr);
    EXPECT_EQ(gridCells, grid);
    EXPECT_GT(keyWaits, 0);

    // A map that fails after its map line: the size is read, the grid stays.
    writeFile("maps/map2.tmx", "<map version=\"1.8\" width=\"5\" height=\"4\" tilewidth=\"2\" "
                               "tileheight=\"2\">\n<data encoding=\"base64\">\n");
    setHeadlessPumpHook(nullptr);  // nobody cuts the pause short
    resetHeadlessClock();
    EXPECT_EQ(loadLevel(), levelMapFailed);
    EXPECT_NEAR(headlessClock() - 1000.0, 3.0, 0.01) << "the error line's pause";
    EXPECT_EQ(std::pair(levelWidth, levelHeight), std::pair(10, 8));
    EXPECT_EQ(gridCells, grid);
}
