#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/console.h"

#include "level_test_support.h"
#include "levels/level.h"
#include "levels/tile_map.h"
#include "levels/tmx_reader.h"
#include "platform/headless.h"

using namespace std::string_literals;

namespace {

// Tiles of 2 x 2 with spacing 1 in a picture of 3 columns and 2 rows: tiles 1-4
// are ground, 5 the entrance, 6 the exit. Lower-case letters are the gaps.
const std::vector<std::string> letterTileset = {
    "ABsCDtEF",
    "GHuIJvKL",
    "wxyzopqr",
    "MNaOPbQR",
    "STcUVdWX",
};

std::string mapFile(int columns, int rows, int tileSize, const std::string& tilesetLine,
                    const std::string& imageSource, const std::vector<std::string>& csvRows,
                    const std::string& encoding = "csv") {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    text += "<map version=\"1.8\" tiledversion=\"1.8.2\" orientation=\"orthogonal\" width=\"" +
            std::to_string(columns) + "\" height=\"" + std::to_string(rows) + "\" tilewidth=\"" +
            std::to_string(tileSize) + "\" tileheight=\"" + std::to_string(tileSize) + "\">\n";
    text += " " + tilesetLine + "\n";
    if (!imageSource.empty()) text += "  <image source=\"" + imageSource + "\" width=\"8\"/>\n";
    text += " </tileset>\n <layer id=\"1\" name=\"Tile Layer 1\">\n";
    text += "  <data encoding=\"" + encoding + "\">\n";
    for (const std::string& row : csvRows) text += row + "\n";
    text += "</data>\n </layer>\n</map>\n";
    return text;
}

const std::string spacedTileset = "<tileset firstgid=\"1\" name=\"t\" spacing=\"1\">";

struct Loaded {
    int result = -1;
    Image* terrain = nullptr;
    std::string message;
    int32_t width = -5;
    int32_t height = -5;
    ~Loaded() {
        if (terrain) destroyImage(terrain);
    }
};

void load(const std::string& text, Loaded& loaded) {
    writeFile("maps/test.tmx", text);
    loaded.result = loadTmxMap("maps\\test.tmx", loaded.terrain, loaded.message, loaded.width,
                               loaded.height);
}

struct Point {
    int32_t x, y;
    bool operator==(const Point&) const = default;
};
constexpr Point untouched{-7, -9};

void resetMarkers() {
    entranceX = exitX = untouched.x;
    entranceY = exitY = untouched.y;
}

}  // namespace

TEST(TextBetween, FindsAttributeValues) {
    struct Case { const char* text; const char* start; const char* end; const char* expected; };
    const Case cases[] = {
        {"<map width=\"40\" height=\"30\"", "width=\"", "\"", "40"},
        {"<map width=\"40\" height=\"30\"", "height=\"", "\"", "30"},
        {"a=\"open to the end", "a=\"", "\"", "open to the end"},
        // Without the start marker the text runs from the marker's length on.
        {"<tileset firstgid=\"1\" name=\"t\"", "spacing=\"", "\"", " firstgid="},
        {"", "x=\"", "\"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(textBetween(c.text, c.start, c.end), c.expected) << c.text;
}

TEST(StripDirectories, KeepsTheNameAfterTheLastSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"../gfx/tiles.png", "tiles.png"}, {"..\\gfx\\Tiles.PNG", "Tiles.PNG"},
        {"a/b\\c/d.bmp", "d.bmp"},          {"tiles.bmp", "tiles.bmp"},
        {"dir/", ""},                       {"", ""},
    };
    for (auto [path, name] : cases) EXPECT_EQ(stripDirectories(path), name) << path;
}

TEST(TilesetGrid, CountsColumnsAndRowsAsTheEditorDoes) {
    struct Case { int32_t w, h, tw, th, spacing; int64_t columns, tiles; };
    const Case cases[] = {
        {136, 68, 16, 16, 1, 8, 32},
        {135, 67, 16, 16, 1, 8, 32},  // no gap behind the last column and row
        {128, 64, 16, 16, 0, 8, 32},
        {15, 16, 16, 16, 0, 0, 0},     // narrower than one tile
        {0, 0, 16, 16, 1, 0, 0},       // picture of unknown size
        {64, 64, 16, 16, -16, 0, 0},   // tile plus spacing of 0
        {64, 64, 16, 16, -20, 0, 0},
        {64, 64, 0, 16, 0, 0, 0},
        {40, 40, 16, 16, -6, 3, 9},    // overlapping tiles still count
    };
    for (const Case& c : cases) {
        TilesetGrid grid = tilesetGrid(c.w, c.h, c.tw, c.th, c.spacing);
        EXPECT_EQ(grid.columns, c.columns) << c.w << "x" << c.h << " spacing " << c.spacing;
        EXPECT_EQ(grid.tileCount, c.tiles) << c.w << "x" << c.h << " spacing " << c.spacing;
    }
}

TEST(CsvRow, ReadsEachValueUpToItsComma) {
    struct Case { int32_t width; const char* line; std::vector<uint32_t> expected; };
    const Case cases[] = {
        {3, "1,2,3,", {1, 2, 3}},
        {3, "4,5,6", {4, 5, 6}},
        {3, "7", {7, 0, 0}},
        {3, "", {0, 0, 0}},
        {2, "007,5", {7, 5}},
        {2, " 12 , 3", {12, 3}},
        {2, "1,2,3,4", {1, 2}},
        {3, "-4,0,x", {0, 0, 0}},
        {2, "2147483649,3758096386", {0x80000001u, 0xE0000002u}},
        {1, "99999999999", {0xFFFFFFFFu}},
        {2, "2.5,3.5", {2, 4}},
        {3, ",,9", {0, 0, 9}},
    };
    for (const Case& c : cases) {
        TileMap map;
        map.columns = c.width;
        map.rows = 2;
        map.tiles.assign(static_cast<size_t>(c.width) * 2, 0);
        readCsvRow(map, 1, c.line);
        std::vector<uint32_t> row(map.tiles.begin() + c.width, map.tiles.end());
        EXPECT_EQ(row, c.expected) << c.line;
        for (int32_t x = 0; x < c.width; ++x) EXPECT_EQ(map.tiles[x], 0u) << "row 0 written";
    }
}

TEST(TmxPainting, FollowsTheCellOrderWithInclusiveFarCorners) {
    struct Case {
        const char* name;
        int columns, rows;
        std::vector<std::string> csv, expected;
        Point entrance, exit;
    };
    const Case cases[] = {
        {"overhangs show round entrance and exit", 3, 2, {"1,5,2,", "0,3,6"},
         {"ABs.CD", "GHu.IJ", "..EFzo", "..KL.."}, {2, 0}, {4, 2}},
        {"empty cell paints over the overhang", 2, 1, {"1,0"}, {"AB..", "GH.."}, untouched, untouched},
        {"last tile of the picture row", 1, 1, {"3"}, {"EF", "KL"}, untouched, untouched},
        {"second picture row", 2, 1, {"4,6"}, {"MNa.", "STc."}, untouched, {2, 0}},
        {"the last one in painting order wins", 2, 2, {"5,6", "6,5"}, {"....", "....", "....", "...."},
         {2, 2}, {0, 2}},
        {"zero and negative are empty", 2, 1, {"-1,0"}, {"....", "...."}, untouched, untouched},
        {"numbers above the tile count are exits", 2, 1, {"1,999"}, {"ABs.", "GHu."}, untouched, {2, 0}},
        {"flipped exit is still the exit", 2, 1, {"2147483654,1"}, {"..AB", "..GH"}, untouched, {0, 0}},
        {"flip left to right", 1, 1, {"2147483649"}, {"BA", "HG"}, untouched, untouched},
        {"flip top to bottom", 1, 1, {"1073741825"}, {"GH", "AB"}, untouched, untouched},
        {"flip across the diagonal", 1, 1, {"536870913"}, {"AG", "BH"}, untouched, untouched},
        {"quarter turn clockwise", 1, 1, {"2684354561"}, {"GA", "HB"}, untouched, untouched},
        {"half turn", 1, 1, {"3221225473"}, {"HG", "BA"}, untouched, untouched},
        {"flipped tile keeps the plain overhang", 2, 1, {"2147483649,5"}, {"BAs.", "HGu."}, {2, 0},
         untouched},
        {"flag bits alone are empty", 1, 1, {"2147483648"}, {"..", ".."}, untouched, untouched},
    };
    ScratchFolder folder;
    writeLetterBmp("data/tiles.bmp", letterTileset);
    for (const Case& c : cases) {
        resetMarkers();
        Loaded loaded;
        load(mapFile(c.columns, c.rows, 2, spacedTileset, "../gfx/tiles.png", c.csv), loaded);
        ASSERT_EQ(loaded.result, 0) << c.name << ": " << loaded.message;
        ASSERT_NE(loaded.terrain, nullptr);
        EXPECT_EQ(loaded.width, 2 * c.columns);
        EXPECT_EQ(loaded.height, 2 * c.rows);
        EXPECT_EQ(imageLetters(*loaded.terrain), c.expected) << c.name;
        EXPECT_EQ((Point{entranceX, entranceY}), c.entrance) << c.name;
        EXPECT_EQ((Point{exitX, exitY}), c.exit) << c.name;
    }
}

TEST(TmxPainting, RowsBeyondTheMapAndLaterLayersAreIgnored) {
    ScratchFolder folder;
    writeLetterBmp("data/tiles.bmp", letterTileset);
    std::string text = mapFile(2, 1, 2, spacedTileset, "tiles.bmp", {"1,0", "3,3", "3,3"});
    text += " <layer id=\"2\">\n  <data encoding=\"csv\">\n3,3\n</data>\n </layer>\n";
    text += " <layer id=\"3\">\n  <data encoding=\"base64\">\n  AQAAAA==\n  </data>\n</layer>\n";
    Loaded loaded;
    load(text, loaded);
    ASSERT_EQ(loaded.result, 0) << loaded.message;
    EXPECT_EQ(imageLetters(*loaded.terrain), (std::vector<std::string>{"AB..", "GH.."}));
}

TEST(TmxReader, PrintsTheMapLineAndTheTilesetSize) {
    ScratchFolder folder;
    writeLetterBmp("data/tiles.bmp", letterTileset);
    Loaded loaded;
    std::string text = mapFile(40, 30, 16, "<tileset firstgid=\"1\">", "tiles.png", {});
    load(text, loaded);
    ASSERT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.width, 640);
    EXPECT_EQ(loaded.height, 480);
    EXPECT_EQ(consoleLines(), (std::vector<std::string>{"Map dimensions: '40x30, tile: '16x16", "wymiary: 8x5"}));
}

TEST(TmxReader, FailuresLeaveTheTerrainArgumentAlone) {
    struct Case {
        const char* name;
        std::string text;  // empty: no file at all
        const char* message;
        int32_t width, height;  // -5: not written
    };
    auto editorFile = [](const char* name) {
        std::ifstream in(std::string(TEST_DATA_DIR) + "/levels/" + name);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const Case cases[] = {
        {"no file", "", "File not opened!", -5, -5},
        {"base64", editorFile("editor_base64.tmx"), "Not supported encoding type!", 20, 12},
        {"zlib", editorFile("editor_zlib.tmx"), "Not supported encoding type!", 20, 12},
        {"XML tiles", editorFile("editor_xml.tmx"), "Not supported encoding type!", 20, 12},
        {"no map line", "<tileset firstgid=\"1\">\n<data encoding=\"csv\">\n1\n", "Map size missing!", -5, -5},
        {"empty file", "\n", "Map size missing!", -5, -5},
        {"no cells across", mapFile(0, 3, 16, spacedTileset, "t.bmp", {}), "Map too small!", -5, -5},
        {"negative rows", mapFile(3, -2, 16, spacedTileset, "t.bmp", {}), "Map too small!", -5, -5},
        {"tiles of no size", mapFile(3, 3, 0, spacedTileset, "t.bmp", {}), "Map too small!", -5, -5},
        {"too wide", mapFile(1025, 1, 16, spacedTileset, "t.bmp", {}), "Map too large!", -5, -5},
        {"too many pixels", mapFile(1024, 1024, 16, spacedTileset, "t.bmp", {}), "Map too large!", -5, -5},
        {"too many cells", mapFile(2000, 1000, 1, spacedTileset, "t.bmp", {}), "Map too large!", -5, -5},
        {"overflowing size", mapFile(2147483647, 2147483647, 2147483647, spacedTileset, "t.bmp", {}),
         "Map too large!", -5, -5},
    };
    ScratchFolder folder;
    for (const Case& c : cases) {
        std::filesystem::remove("maps/test.tmx");
        keyWaits = 0;
        Image sentinel;
        Loaded loaded;
        loaded.terrain = &sentinel;
        if (c.text.empty())
            loaded.result = loadTmxMap("maps\\test.tmx", loaded.terrain, loaded.message, loaded.width,
                                       loaded.height);
        else
            load(c.text, loaded);
        EXPECT_EQ(loaded.result, 1) << c.name;
        EXPECT_EQ(loaded.message, c.message) << c.name;
        EXPECT_EQ(loaded.terrain, &sentinel) << c.name;
        EXPECT_EQ(loaded.width, c.width) << c.name;
        EXPECT_EQ(loaded.height, c.height) << c.name;
        EXPECT_EQ(keyWaits > 0, c.text.empty()) << c.name << ": only a missing file waits for a key";
        loaded.terrain = nullptr;
    }
}

TEST(TmxReader, TilesetTroubleLoadsTheLevelWithEmptyGround) {
    struct Case {
        const char* name;
        std::string tilesetLine, source;
        std::vector<std::string> printed;
        Point entrance;  // the entrance tile is 5 when the tileset is the letter one
    };
    const std::string wrongBytes = std::string(18, 'x') + "\x08\0\0\0\x05\0\0\0"s + "junk";
    const Case cases[] = {
        {"missing picture", spacedTileset, "missing.png", {"wymiary: 0x0"}, untouched},
        {"picture of unknown kind", spacedTileset, "tiles.gif", {"Nie rozpoznany plik!", "wymiary: 0x0"}, untouched},
        {"external tileset", "<tileset firstgid=\"1\" source=\"t.tsx\"/>", "", {"Nie rozpoznany plik!", "wymiary: 0x0"}, untouched},
        {"unreadable picture", spacedTileset, "broken.bmp", {"wymiary: 8x5"}, {2, 0}},
        {"tile plus spacing of 0", "<tileset firstgid=\"1\" spacing=\"-2\">", "tiles.bmp", {"wymiary: 8x5"}, untouched},
        {"absurd picture size", spacedTileset, "huge.bmp", {"Tileset too large!", "wymiary: 100000x100000"}, untouched},
    };
    ScratchFolder folder;
    writeLetterBmp("data/tiles.bmp", letterTileset);
    writeFile("data/broken.bmp", wrongBytes);
    writeFile("data/huge.bmp", std::string(18, 'x') + "\xA0\x86\x01\0\xA0\x86\x01\0"s);
    for (const Case& c : cases) {
        resetMarkers();
        clearScreen();
        Loaded loaded;
        load(mapFile(2, 1, 2, c.tilesetLine, c.source, {"1,5"}), loaded);
        ASSERT_EQ(loaded.result, 0) << c.name;
        EXPECT_EQ(imageLetters(*loaded.terrain), (std::vector<std::string>{"....", "...."})) << c.name;
        std::vector<std::string> printed = consoleLines();
        printed.erase(printed.begin());  // the map line
        EXPECT_EQ(printed, c.printed) << c.name;
        EXPECT_EQ((Point{entranceX, entranceY}), c.entrance) << c.name;
    }
}

TEST(ImageProbe, ReadsTheSizeFromTheHeaderTheExtensionNames) {
    auto header = [](size_t at, std::initializer_list<uint8_t> bytes) {
        std::string h(32, '\0');
        for (uint8_t b : bytes) h[at++] = static_cast<char>(b);
        return h;
    };
    struct Case { const char* name; std::string bytes; int32_t width, height; bool unknown; };
    const Case cases[] = {
        {"a.bmp", header(18, {0xC8, 0, 0, 0, 100, 0, 0, 0}), 200, 100, false},
        {"top-down.bmp", header(18, {0x10, 0, 0, 0, 0xF0, 0xFF, 0xFF, 0xFF}), 16, 16, false},
        {"lowest.bmp", header(18, {1, 0, 0, 0, 0, 0, 0, 0x80}), 1, INT32_MAX, false},
        {"a.png", header(16, {0, 0, 1, 0, 0, 0, 0, 0x40}), 256, 64, false},
        {"short.bmp", "BM\x01", 0, 0, false},
        {"a.BMP", header(18, {0xC8, 0, 0, 0, 100, 0, 0, 0}), 0, 0, true},
        {"a.gif", header(18, {0xC8, 0, 0, 0, 100, 0, 0, 0}), 0, 0, true},
    };
    ScratchFolder folder;
    pressKeyWhenAsked = false;
    for (const Case& c : cases) {
        writeFile(std::string("data/") + c.name, c.bytes);
        clearScreen();
        resetHeadlessClock();
        int32_t width = -1, height = -1;
        probeImageSize(std::string("data\\") + c.name, width, height);
        EXPECT_EQ(width, c.width) << c.name;
        EXPECT_EQ(height, c.height) << c.name;
        EXPECT_EQ(consoleLines(), c.unknown ? std::vector<std::string>{"Nie rozpoznany plik!"}
                                            : std::vector<std::string>{}) << c.name;
        EXPECT_NEAR(headlessClock() - 1000.0, c.unknown ? 1.0 : 0.0, 0.01) << c.name;
    }
    int32_t width = 5, height = 5;
    probeImageSize("data\\absent.bmp", width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST(EditorMaps, LoadAsTheEditorShowsThem) {
    ScratchFolder folder;
    // 4 x 4 tiles with spacing 1, 4 columns and 2 rows; every pixel its own colour.
    auto pictureColour = [](int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x) << 8 | uint32_t(y); };
    std::vector<Colour> pixels;
    for (int32_t y = 0; y < 9; ++y)
        for (int32_t x = 0; x < 19; ++x) pixels.push_back(pictureColour(x, y));
    writeBmp24("data/tiles.bmp", 19, 9, pixels);
    auto copyEditorMap = [](const char* name) {
        std::filesystem::copy_file(std::string(TEST_DATA_DIR) + "/levels/" + name, "maps/test.tmx",
                                   std::filesystem::copy_options::overwrite_existing);
    };
    std::vector<uint32_t> firstPicture;
    for (const char* name : {"editor_csv.tmx", "editor_two_layers.tmx"}) {
        copyEditorMap(name);
        resetMarkers();
        Loaded loaded;
        loaded.result = loadTmxMap("maps\\test.tmx", loaded.terrain, loaded.message, loaded.width, loaded.height);
        ASSERT_EQ(loaded.result, 0) << name;
        EXPECT_EQ(loaded.width, 20);
        EXPECT_EQ(loaded.height, 12);
        EXPECT_EQ((Point{entranceX, entranceY}), (Point{12, 4})) << name;
        EXPECT_EQ((Point{exitX, exitY}), (Point{12, 8})) << name;
        const Image& t = *loaded.terrain;
        EXPECT_EQ(t.row(0)[0], pictureColour(0, 0));
        EXPECT_EQ(t.row(3)[7], pictureColour(8, 3));  // tile 2, bottom right
        // Tile 6 flipped left to right in cell (1, 1): its top-left shows the tile's top-right.
        EXPECT_EQ(t.row(4)[4], pictureColour(8, 5));
        EXPECT_EQ(t.row(7)[7], pictureColour(5, 8));
        // Tile 2 turned every way in cell (2, 2): mirrored across both diagonals.
        EXPECT_EQ(t.row(8)[8], pictureColour(8, 3));
        EXPECT_EQ(t.row(11)[8], pictureColour(5, 3));
        EXPECT_EQ(t.row(4)[16], transparentColour);
        if (firstPicture.empty()) firstPicture = t.pixels;
        else EXPECT_EQ(t.pixels, firstPicture) << "the second layer changed the picture";
    }
    // Its image source "../maps/tiles_nospace.png" is data\tiles_nospace.bmp.
    std::vector<Colour> plain(16 * 8, 0xFF112233);
    writeBmp24("data/tiles_nospace.bmp", 16, 8, plain);
    copyEditorMap("editor_nospacing.tmx");
    Loaded loaded;
    loaded.result = loadTmxMap("maps\\test.tmx", loaded.terrain, loaded.message, loaded.width, loaded.height);
    ASSERT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.terrain->row(0)[0], 0xFF112233u);
    EXPECT_EQ(loaded.terrain->row(7)[0], transparentColour);
}
