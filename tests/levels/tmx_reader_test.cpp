#include <iterator>

#include "level_test_support.h"
#include "levels/level.h"
#include "levels/tile_map.h"
#include "levels/tmx_reader.h"

using namespace std::string_literals;

namespace {

// Tiles of 2 x 2, spacing 1, 3 columns and 2 rows: tiles 1-4 are ground, 5 the
// entrance, 6 the exit. Lower-case letters are the gaps between tiles.
const std::vector<std::string> letterTileset = {"ABsCDtEF", "GHuIJvKL", "wxyzopqr", "MNaOPbQR", "STcUVdWX"};
const std::string spaced = "<tileset firstgid=\"1\" name=\"t\" spacing=\"1\">";

std::string mapFile(int64_t columns, int64_t rows, int64_t tile, const std::string& tileset,
                    const std::string& source, const std::string& csv) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" width=\"" + std::to_string(columns) +
           "\" height=\"" + std::to_string(rows) + "\" tilewidth=\"" + std::to_string(tile) +
           "\" tileheight=\"" + std::to_string(tile) + "\">\n " + tileset + "\n" +
           (source.empty() ? "" : "  <image source=\"" + source + "\"/>\n") +
           " </tileset>\n <layer id=\"1\">\n  <data encoding=\"csv\">\n" + csv + "\n</data>\n </layer>\n</map>\n";
}

std::string editorFile(const char* name) {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/levels/" + name);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Loaded {
    int result = -1;
    Image* terrain = nullptr;
    std::string message;
    int32_t width = -5, height = -5;
    ~Loaded() { if (terrain) destroyImage(terrain); }
};

void load(const std::string& text, Loaded& out) {
    if (!text.empty()) writeFile("maps/test.tmx", text);
    out.result = loadTmxMap("maps\\test.tmx", out.terrain, out.message, out.width, out.height);
}

using Point = std::pair<int32_t, int32_t>;
constexpr Point untouched{-7, -9};
void resetMarkers() { entranceX = exitX = untouched.first, entranceY = exitY = untouched.second; }

}  // namespace

using TmxReader = LevelFolder;

TEST(TmxText, AttributeValuesAndFileNames) {
    EXPECT_EQ(textBetween("<map width=\"40\" height=\"30\"", "height=\"", "\""), "30");
    EXPECT_EQ(textBetween("a=\"to the end", "a=\"", "\""), "to the end");
    EXPECT_EQ(textBetween("<tileset firstgid=\"1\"", "spacing=\"", "\""), " firstgid=");  // reads as 0
    for (auto [path, name] : {std::pair{"../gfx/tiles.png", "tiles.png"}, {"..\\gfx\\Tiles.PNG", "Tiles.PNG"},
                              {"a/b\\c/d.bmp", "d.bmp"}, {"tiles.bmp", "tiles.bmp"}, {"dir/", ""}})
        EXPECT_EQ(stripDirectories(path), name) << path;
}

TEST(TmxText, TilesetGridCountsAsTheEditorDoes) {
    struct Case { int32_t w, h, spacing; int64_t columns, tiles; };
    for (Case c : {Case{136, 68, 1, 8, 32}, {135, 67, 1, 8, 32}, {128, 64, 0, 8, 32}, {15, 64, 0, 0, 0},
                   {0, 0, 1, 0, 0}, {64, 64, -16, 0, 0}, {40, 40, -6, 3, 9}}) {
        TilesetGrid grid = tilesetGrid(c.w, c.h, 16, 16, c.spacing);
        EXPECT_EQ(std::pair(grid.columns, grid.tileCount), std::pair(c.columns, c.tiles)) << c.w << " " << c.spacing;
    }
}

TEST(TmxText, CsvRowValuesRunToTheirComma) {
    struct Case { int32_t width; const char* line; std::vector<uint32_t> row; };
    for (const Case& c : {Case{3, "1,2,3,", {1, 2, 3}}, {3, "7", {7, 0, 0}}, {3, "", {0, 0, 0}},
                          {2, "007,5", {7, 5}}, {2, " 12 , 3,4", {12, 3}}, {3, "-4,0,x", {0, 0, 0}},
                          {2, "2147483649,3758096386", {0x80000001u, 0xE0000002u}},
                          {2, "99999999999,2.5", {0xFFFFFFFFu, 2}}}) {
        TileMap map{c.width, 2, 1, 1, 0, std::vector<uint32_t>(size_t(c.width) * 2)};
        readCsvRow(map, 1, c.line);
        EXPECT_EQ(std::vector<uint32_t>(map.tiles.begin() + c.width, map.tiles.end()), c.row) << c.line;
        EXPECT_EQ(std::count(map.tiles.begin(), map.tiles.begin() + c.width, 0u), c.width);
    }
}

TEST_F(TmxReader, PaintsCellsInOrderWithInclusiveFarCorners) {
    struct Case { const char* name; int columns, rows; std::string csv; std::vector<std::string> picture; Point entrance, exit; };
    const Case cases[] = {
        {"overhangs round entrance and exit", 3, 2, "1,5,2,\n0,3,6", {"ABs.CD", "GHu.IJ", "..EFzo", "..KL.."}, {2, 0}, {4, 2}},
        {"second picture row, exit", 2, 1, "4,6", {"MNa.", "STc."}, untouched, {2, 0}},
        {"last in order wins", 2, 2, "5,6\n6,5", {"....", "....", "....", "...."}, {2, 2}, {0, 2}},
        {"above the count is an exit", 2, 1, "1,999", {"ABs.", "GHu."}, untouched, {2, 0}},
        {"flipped exit", 2, 1, "2147483654,-1", {"....", "...."}, untouched, {0, 0}},
        {"flip across", 2, 1, "2147483649,5", {"BAs.", "HGu."}, {2, 0}, untouched},
        {"flip down", 1, 1, "1073741825", {"GH", "AB"}, untouched, untouched},
        {"diagonal", 1, 1, "536870913", {"AG", "BH"}, untouched, untouched},
        {"quarter turn", 1, 1, "2684354561", {"GA", "HB"}, untouched, untouched},
        {"flags alone", 1, 1, "2147483648", {"..", ".."}, untouched, untouched},
        {"rows past the map", 2, 1, "1,0\n3,3\n3,3", {"AB..", "GH.."}, untouched, untouched},
    };
    writeLetterBmp("data/tiles.bmp", letterTileset);
    for (const Case& c : cases) {
        resetMarkers();
        Loaded out;
        std::string secondLayer = "\n</data>\n<data encoding=\"csv\">\n3,3\n</data>\n<data encoding=\"base64\">";
        load(mapFile(c.columns, c.rows, 2, spaced, "../gfx/tiles.png", c.csv + secondLayer), out);
        ASSERT_EQ(out.result, 0) << c.name << ": " << out.message;
        EXPECT_EQ(std::pair(out.width, out.height), std::pair(2 * c.columns, 2 * c.rows));
        EXPECT_EQ(imageLetters(*out.terrain), c.picture) << c.name;
        EXPECT_EQ(Point(entranceX, entranceY), c.entrance) << c.name;
        EXPECT_EQ(Point(exitX, exitY), c.exit) << c.name;
    }
}

TEST_F(TmxReader, FailuresLeaveTheTerrainArgumentAlone) {
    struct Case { const char* name; std::string text; const char* message; int32_t width; };
    const Case cases[] = {
        {"no file", "", "File not opened!", -5},
        {"editor base64", editorFile("editor_base64.tmx"), "Not supported encoding type!", 20},
        {"editor zlib", editorFile("editor_zlib.tmx"), "Not supported encoding type!", 20},
        {"editor XML tiles", editorFile("editor_xml.tmx"), "Not supported encoding type!", 20},
        {"no map line", "<data encoding=\"csv\">\n1\n", "Map size missing!", -5},
        {"no cells", mapFile(0, 3, 16, spaced, "", ""), "Map too small!", -5},
        {"no tile size", mapFile(3, 3, 0, spaced, "", ""), "Map too small!", -5},
        {"too wide", mapFile(1025, 1, 16, spaced, "", ""), "Map too large!", -5},
        {"too many pixels", mapFile(1024, 1024, 16, spaced, "", ""), "Map too large!", -5},
        {"too many cells", mapFile(2000, 1000, 1, spaced, "", ""), "Map too large!", -5},
        {"overflowing", mapFile(INT32_MAX, INT32_MAX, INT32_MAX, spaced, "", ""), "Map too large!", -5},
    };
    for (const Case& c : cases) {
        std::filesystem::remove("maps/test.tmx");
        keyWaits = 0;
        Image sentinel;
        Loaded out;
        out.terrain = &sentinel;
        load(c.text, out);
        EXPECT_EQ(std::pair(out.result, out.message), std::pair(1, std::string(c.message))) << c.name;
        EXPECT_EQ(out.terrain, &sentinel) << c.name;
        EXPECT_EQ(out.width, c.width) << c.name;
        EXPECT_EQ(keyWaits > 0, c.text.empty()) << c.name << ": only a missing file waits for a key";
        out.terrain = nullptr;
    }
}

TEST_F(TmxReader, TilesetTroubleLoadsEmptyGroundAndPrintsWhy) {
    struct Case { const char* name; std::string tileset, source; std::vector<std::string> printed; Point entrance; };
    const Case cases[] = {
        {"missing picture", spaced, "missing.png", {"wymiary: 0x0"}, untouched},
        {"unknown kind", spaced, "tiles.gif", {"Nie rozpoznany plik!", "wymiary: 0x0"}, untouched},
        {"tileset file", "<tileset firstgid=\"1\" source=\"t.tsx\"/>", "", {"Nie rozpoznany plik!", "wymiary: 0x0"}, untouched},
        {"not a picture", spaced, "broken.bmp", {"wymiary: 8x5"}, {2, 0}},
        {"tile plus spacing 0", "<tileset firstgid=\"1\" spacing=\"-2\">", "tiles.bmp", {"wymiary: 8x5"}, untouched},
        {"absurd size", spaced, "huge.bmp", {"Tileset too large!", "wymiary: 100000x100000"}, untouched},
    };
    writeLetterBmp("data/tiles.bmp", letterTileset);
    writeFile("data/broken.bmp", std::string(18, 'x') + "\x08\0\0\0\x05\0\0\0junk"s);
    writeFile("data/huge.bmp", std::string(18, 'x') + "\xA0\x86\x01\0\xA0\x86\x01\0"s);
    for (const Case& c : cases) {
        resetMarkers();
        clearScreen();
        Loaded out;
        load(mapFile(2, 1, 2, c.tileset, c.source, "1,5"), out);
        ASSERT_EQ(out.result, 0) << c.name;
        EXPECT_EQ(imageLetters(*out.terrain), (std::vector<std::string>{"....", "...."})) << c.name;
        std::vector<std::string> printed = consoleLines();
        EXPECT_EQ(printed.front(), "Map dimensions: '2x1, tile: '2x2");
        EXPECT_EQ(std::vector(printed.begin() + 1, printed.end()), c.printed) << c.name;
        EXPECT_EQ(Point(entranceX, entranceY), c.entrance) << c.name;
    }
}

TEST_F(TmxReader, ProbeReadsTheHeaderThatTheExtensionNames) {
    auto header = [](size_t at, std::string bytes) { return std::string(at, '\0') + bytes + std::string(8, '\0'); };
    struct Case { const char* name; std::string bytes; int32_t width, height; bool unknown; };
    const Case cases[] = {
        {"a.bmp", header(18, "\xC8\0\0\0\x64\0\0\0"s), 200, 100, false},
        {"top-down.bmp", header(18, "\x10\0\0\0\xF0\xFF\xFF\xFF"s), 16, 16, false},
        {"a.png", header(16, "\0\0\1\0\0\0\0\x40"s), 256, 64, false},
        {"a.BMP", header(18, "\xC8\0\0\0\x64\0\0\0"s), 0, 0, true},
    };
    pressKeyWhenAsked = false;
    for (const Case& c : cases) {
        writeFile("data/"s + c.name, c.bytes);
        clearScreen();
        resetHeadlessClock();
        int32_t width = -1, height = -1;
        probeImageSize("data\\"s + c.name, width, height);
        EXPECT_EQ(std::pair(width, height), std::pair(c.width, c.height)) << c.name;
        EXPECT_EQ(consoleLines().size(), c.unknown ? 1u : 0u) << c.name;
        EXPECT_NEAR(headlessClock() - 1000.0, c.unknown ? 1.0 : 0.0, 0.01) << c.name << ": pause";
    }
}

TEST_F(TmxReader, EditorMapsLoadAsTheEditorShowsThem) {
    // 4 x 4 tiles, spacing 1, 4 x 2 of them; each picture pixel (x, y) is 0xFF00xxyy.
    auto at = [](int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x) << 8 | uint32_t(y); };
    std::vector<Colour> picture;
    for (int32_t y = 0; y < 9; ++y)
        for (int32_t x = 0; x < 19; ++x) picture.push_back(at(x, y));
    writeBmp24("data/tiles.bmp", 19, picture);
    std::vector<uint32_t> first;
    for (const char* name : {"editor_csv.tmx", "editor_two_layers.tmx"}) {
        resetMarkers();
        Loaded out;
        load(editorFile(name), out);
        ASSERT_EQ(out.result, 0) << name;
        EXPECT_EQ(std::pair(out.width, out.height), std::pair(20, 12));
        EXPECT_EQ(Point(entranceX, entranceY), Point(12, 4));
        EXPECT_EQ(Point(exitX, exitY), Point(12, 8));
        const Image& t = *out.terrain;
        EXPECT_EQ(t.row(3)[7], at(8, 3));   // tile 2, bottom right
        EXPECT_EQ(t.row(4)[4], at(8, 5));   // tile 6 flipped across: top left shows top right
        EXPECT_EQ(t.row(11)[8], at(5, 3));  // tile 2 turned every way
        if (first.empty()) first = t.pixels;
        EXPECT_EQ(t.pixels, first) << name << ": the second layer is ignored";
    }
    writeBmp24("data/tiles_nospace.bmp", 16, std::vector<Colour>(128, 0xFF112233));  // "../maps/tiles_nospace.png"
    Loaded out;
    load(editorFile("editor_nospacing.tmx"), out);
    ASSERT_EQ(out.result, 0);
    EXPECT_EQ(imageLetters(*out.terrain)[6], "....????");
}
