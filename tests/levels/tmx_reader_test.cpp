#include <iterator>

#include "level_test_support.h"
#include "levels/level.h"
#include "levels/tile_map.h"
#include "levels/tmx_reader.h"

using namespace std::string_literals;

namespace {

// Tiles of 2 x 2, spacing 1, 3 columns and 2 rows: tiles 1-4 are ground, 5 the
// entrance, 6 the exit. Lower-case letters are the gaps between tiles.
const std::vector<std::string> letterTileset = {"ABsCDtEF", "GHuIJvKL", "wxyzopqr", "MNaOPbQR",
                                                "STcUVdWX"};
const std::string spaced = "<tileset firstgid=\"1\" name=\"t\" spacing=\"1\">";

std::string mapFile(int64_t columns, int64_t rows, int64_t tile, const std::string& csv,
                    const std::string& tileset = spaced, const std::string& source = "tiles.png") {
    const std::string size = std::to_string(tile);
    return "<map version=\"1.8\" width=\"" + std::to_string(columns) + "\" height=\"" +
           std::to_string(rows) + "\" tilewidth=\"" + size + "\" tileheight=\"" + size + "\">\n" +
           tileset + "\n<image source=\"../gfx/" + source + "\"/>\n</tileset>\n" +
           "<data encoding=\"csv\">\n" + csv + "\n</data>\n";
}

std::string editorFile(const char* name) {
    std::ifstream in(std::string(TEST_DATA_DIR) + "/levels/" + name);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Reads the map text; `terrain` stays as given unless the read succeeds.
struct Loaded {
    Image* terrain = nullptr;
    int result = -1;
    std::string message;
    int32_t width = -5, height = -5;
    explicit Loaded(const std::string& text, Image* given = nullptr) : terrain(given) {
        if (!text.empty()) writeFile("maps/test.tmx", text);
        result = loadTmxMap("maps\\test.tmx", terrain, message, width, height);
    }
    ~Loaded() {
        if (result == 0) destroyImage(terrain);
    }
};

using Point = std::pair<int32_t, int32_t>;
constexpr Point untouched{-7, -9};
void resetMarkers() { entranceX = exitX = untouched.first, entranceY = exitY = untouched.second; }

}  // namespace

using TmxReader = LevelFolder;

// Each cell's copy reaches one pixel past it to the right and below; the next
// cell paints over that. The last entrance and exit in reading order count.
TEST_F(TmxReader, PaintsCellsInOrderWithInclusiveFarCorners) {
    struct Case {
        int columns, rows;
        std::string csv;
        std::vector<std::string> picture;
        Point entrance, exit;
    };
    const Case cases[] = {
        {3, 2, "1,5,2,\n0,3,6", {"ABs.CD", "GHu.IJ", "..EFzo", "..KL.."}, {2, 0}, {4, 2}},
        {2, 1, "4,6", {"MNa.", "STc."}, untouched, {2, 0}},
        {2, 2, "5,6\n6,5", {"....", "....", "....", "...."}, {2, 2}, {0, 2}},
        {2, 1, "1,99999999999", {"ABs.", "GHu."}, untouched, {2, 0}},
        {2, 1, "2147483654,-1", {"....", "...."}, untouched, {0, 0}},
        {2, 1, "1,0\n3,3\n3,3", {"AB..", "GH.."}, untouched, untouched},
    };
    writeLetterBmp("data/tiles.bmp", letterTileset);
    for (const Case& c : cases) {
        resetMarkers();
        // Only the first layer counts, and a later one of any kind is no failure.
        const Loaded out(mapFile(c.columns, c.rows, 2, c.csv + "\n</data>\n<data encoding=\"x\">"));
        ASSERT_EQ(out.result, 0) << c.csv << ": " << out.message;
        EXPECT_EQ(std::pair(out.width, out.height), std::pair(2 * c.columns, 2 * c.rows));
        EXPECT_EQ(imageLetters(*out.terrain), c.picture) << c.csv;
        EXPECT_EQ(Point(entranceX, entranceY), c.entrance) << c.csv;
        EXPECT_EQ(Point(exitX, exitY), c.exit) << c.csv;
    }
}

TEST_F(TmxReader, FailuresLeaveTheTerrainArgumentAlone) {
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "File not opened!"},
        {editorFile("editor_base64.tmx"), "Not supported encoding type!"},
        {editorFile("editor_zlib.tmx"), "Not supported encoding type!"},
        {editorFile("editor_xml.tmx"), "Not supported encoding type!"},
        {"<data encoding=\"csv\">\n1\n", "Map size missing!"},
        {mapFile(3, 3, 0, ""), "Map too small!"},
        {mapFile(1025, 1, 16, ""), "Map too large!"},
        {mapFile(1024, 1024, 16, ""), "Map too large!"},
        {mapFile(2000, 1000, 1, ""), "Map too large!"},
        {mapFile(INT32_MAX, INT32_MAX, INT32_MAX, ""), "Map too large!"},
    };
    Image sentinel;
    for (const auto& c : cases) {
        std::filesystem::remove("maps/test.tmx");
        keyWaits = 0;
        const Loaded out(c.text, &sentinel);
        EXPECT_EQ(std::pair(out.result, out.message), std::pair(1, std::string(c.message)));
        EXPECT_EQ(out.terrain, &sentinel) << c.message;
        EXPECT_EQ(keyWaits > 0, c.text.empty()) << "only a missing file waits for a key";
    }
}

TEST_F(TmxReader, TilesetTroubleLoadsEmptyGround) {
    writeLetterBmp("data/tiles.bmp", letterTileset);
    writeFile("data/broken.bmp", std::string(18, 'x') + "\x08\0\0\0\x05\0\0\0junk"s);
    writeFile("data/huge.bmp", std::string(18, 'x') + "\xA0\x86\x01\0\xA0\x86\x01\0"s);
    const std::string noStep = "<tileset firstgid=\"1\" spacing=\"-2\">";
    const std::pair<std::string, const char*> tilesets[] = {
        {spaced, "missing.png"}, {noStep, "tiles.png"}, {spaced, "tiles.gif"},
        {spaced, "broken.bmp"},  {spaced, "huge.bmp"},
    };
    for (auto [tileset, source] : tilesets) {
        const std::string map = mapFile(2, 1, 2, "1,1", tileset, source);
        const Loaded out(map);
        ASSERT_EQ(out.result, 0) << map;
        EXPECT_EQ(imageLetters(*out.terrain), (std::vector<std::string>{"....", "...."})) << map;
    }
}

// Maps made with the map editor, turned tiles included, paint as the editor shows them.
TEST_F(TmxReader, EditorMapsLoadAsTheEditorShowsThem) {
    // 4 x 4 tiles, spacing 1, 4 x 2 of them; each picture pixel (x, y) is 0xFF00xxyy.
    auto at = [](int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x) << 8 | uint32_t(y); };
    std::vector<Colour> picture;
    for (int32_t y = 0; y < 9; ++y)
        for (int32_t x = 0; x < 19; ++x) picture.push_back(at(x, y));
    writeBmp("data/tiles.bmp", 19, picture);
    resetMarkers();
    const Loaded out(editorFile("editor_csv.tmx"));
    ASSERT_EQ(out.result, 0) << out.message;
    EXPECT_EQ(std::pair(out.width, out.height), std::pair(20, 12));
    EXPECT_EQ(Point(entranceX, entranceY), Point(12, 4));
    EXPECT_EQ(Point(exitX, exitY), Point(12, 8));
    const Image& t = *out.terrain;
    EXPECT_EQ(t.row(3)[7], at(8, 3));   // tile 2, bottom right
    EXPECT_EQ(t.row(4)[4], at(8, 5));   // tile 6 flipped across: top left shows top right
    EXPECT_EQ(t.row(8)[0], at(0, 3));   // tile 1 flipped down
    EXPECT_EQ(t.row(8)[5], at(0, 1));   // tile 1 mirrored across its diagonal
    EXPECT_EQ(t.row(11)[8], at(5, 3));  // tile 2 turned every way
}
