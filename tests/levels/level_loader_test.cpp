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

// A picture of 16-bit pixels (stored values, row by row, top row first) with the
// bit fields of a V5 header, as paint programs write it.
void write16BitBmp(const std::string& path, int32_t width, const std::vector<uint16_t>& pixels,
                   const std::array<uint32_t, 4>& masks) {
    const int32_t height = static_cast<int32_t>(pixels.size()) / width;
    const uint32_t stride = (static_cast<uint32_t>(width) * 2 + 3) & ~3u;
    std::string out = "BM";
    auto put = [&out](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> 8 * i);
    };
    put(138 + stride * static_cast<uint32_t>(height), 4), put(0, 4), put(138, 4);
    put(124, 4), put(static_cast<uint32_t>(width), 4), put(static_cast<uint32_t>(-height), 4);
    put(1, 2), put(16, 2), put(3, 4), put(stride * static_cast<uint32_t>(height), 4);
    for (int i = 0; i < 4; ++i) put(0, 4);
    for (uint32_t mask : masks) put(mask, 4);
    out.resize(138, '\0');
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) put(pixels[static_cast<size_t>(y * width + x)], 2);
        out.resize(out.size() + stride - static_cast<uint32_t>(width) * 2, '\0');
    }
    writeFile(path, out);
}

// What a load leaves: the terrain, the grid and the entrance and exit.
struct LoadedLevel {
    std::vector<Colour> pixels;
    std::vector<uint8_t> cells;
    Values geometry;
    bool operator==(const LoadedLevel&) const = default;
};

LoadedLevel loadedLevel() {
    LoadedLevel level;
    if (terrainImage) level.pixels = terrainImage->pixels;
    level.cells = gridCells;
    level.geometry = {levelWidth, levelHeight, gridColumns(), gridRows(), entranceX, entranceY, exitX, exitY};
    return level;
}

// Drops the memory a level load keeps for the next one.
void forgetLevelMemory() {
    if (terrainImage) destroyImage(terrainImage);
    releaseSpareTerrain();
    std::vector<uint8_t>().swap(gridCells);
    resizeGrid(-1, -1);
}

}  // namespace

using LevelLoader = LevelFolder;

// Only 32-bit pixels carry alpha: a 16-bit tileset's magenta is empty even where
// its alpha bit or nibble is 0.
TEST_F(LevelLoader, SixteenBitTilesetsAreOpaqueWhateverTheirAlpha) {
    const struct {
        const char* name;
        std::array<uint32_t, 4> masks;
        uint16_t red, magenta;  // the magenta with alpha 0
    } formats[] = {
        {"ARGB1555", {0x7C00, 0x03E0, 0x001F, 0x8000}, 0xFC00, 0x7C1F},
        {"ARGB4444", {0x0F00, 0x00F0, 0x000F, 0xF000}, 0xFF00, 0x0F0F},
    };
    writeFile("maps/map1.dat", "4,2");
    writeFile("maps/map1.tmx", "<map version=\"1.8\" width=\"3\" height=\"1\" tilewidth=\"2\" tileheight=\"2\">\n"
                               "<image source=\"small.png\"/>\n<data encoding=\"csv\">\n1,1,1\n</data>\n");
    levelNumber = 1;
    constexpr Colour red = 0xFFFF0000, empty = transparentColour;
    const std::vector<Colour> terrain = {red, empty, red, empty, red, empty, empty, red, empty, red, empty, red};
    for (const auto& f : formats) {
        const uint16_t r = f.red, m = f.magenta;
        write16BitBmp("data/small.bmp", 6, {r, m, m, m, m, m, m, r, m, m, m, m}, f.masks);
        ASSERT_EQ(loadLevel(), levelLoaded) << f.name;
        EXPECT_EQ(terrainImage->pixels, terrain) << f.name;
        int wrongCells = 0;
        for (int32_t y = 0; y < 2; ++y)
            for (int32_t x = 0; x < 6; ++x)
                wrongCells += cellAt(x, y) != (terrain[size_t(y * 6 + x)] == empty ? cellEmpty : cellTerrain);
        EXPECT_EQ(wrongCells, 0) << f.name;
    }
}

// Each load reuses the last level's image and grid memory where the new level
// fits; nothing of the old level may show through: not in the entrance and exit
// cells, which are never painted, nor in the grid's extra column and row.
TEST_F(LevelLoader, ReusedMemoryKeepsNothingOfThePreviousLevel) {
    writeLetterBmp("data/small.bmp", {"AB....", "CD...."});
    const std::string head = "<map version=\"1.8\" width=\"";
    writeFile("maps/map1.tmx", head + "5\" height=\"3\" tilewidth=\"2\" tileheight=\"2\">\n<image source=\"small.png\"/>\n"
                               "<data encoding=\"csv\">\n1,1,1,1,2,\n1,1,1,1,1,\n1,1,1,1,3\n</data>\n");
    writeFile("maps/map2.tmx", head + "3\" height=\"2\" tilewidth=\"2\" tileheight=\"2\">\n<image source=\"small.png\"/>\n"
                               "<data encoding=\"csv\">\n2,0,1,\n1,3,0\n</data>\n");
    // Fails after its map line, which sets the level size.
    writeFile("maps/map3.tmx", head + "7\" height=\"7\" tilewidth=\"2\" tileheight=\"2\">\n<data encoding=\"base64\">\n");
    for (int n : {1, 2, 3}) writeFile("maps/map" + std::to_string(n) + ".dat", "4,2");

    LoadedLevel fresh[3];
    for (int n : {1, 2}) {
        forgetLevelMemory();
        levelNumber = n;
        ASSERT_EQ(loadLevel(), levelLoaded);
        fresh[n] = loadedLevel();
    }
    const std::vector<std::vector<int>> roads = {{1, 2}, {2, 1}, {1, 3, 2}, {2, 3, 1}, {1, 2, 1, 2}};
    for (const std::vector<int>& road : roads) {
        forgetLevelMemory();
        std::string name;
        for (int n : road) {
            name += std::to_string(n) + " ";
            levelNumber = n;
            const Colour* kept = terrainImage ? terrainImage->pixels.data() : spareTerrain ? spareTerrain->pixels.data() : nullptr;
            const uint8_t* keptCells = gridCells.data();
            if (n == 3) {
                EXPECT_EQ(loadLevel(), levelMapFailed) << name;
                continue;
            }
            ASSERT_EQ(loadLevel(), levelLoaded) << name;
            EXPECT_TRUE(loadedLevel() == fresh[n]) << name;
            if (n == 2 && road.front() == 1) {  // smaller after larger: the same memory
                EXPECT_EQ(terrainImage->pixels.data(), kept) << name;
                EXPECT_EQ(gridCells.data(), keptCells) << name;
            }
        }
    }
    forgetLevelMemory();
}

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
