// Running eggsodus-replay from the tests: a working folder with our own small
// pictures and test levels, the script, and the dump lines read back.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Just enough JSON for the dump lines.
struct Json {
    enum class Type { null, number, string, array, object } type = Type::null;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> fields;  // in the order written

    const Json& operator[](std::string_view key) const;  // a null value when missing
    const Json& operator[](size_t index) const;
    int64_t integer() const { return static_cast<int64_t>(number); }
    std::vector<std::string> keys() const;
};
bool parseJson(std::string_view text, Json& value);

// A level placed as maps/map<number>.tmx and .dat from files in tests/data/replay;
// an empty name leaves that file out.
struct LevelFiles {
    int number;
    std::string map;
    std::string data;
};

struct ReplayRun {
    int status = -1;
    std::string dir;  // the working folder, where pictures are written
    std::string out;
    std::string err;
    std::vector<Json> dumps;

    // The dump written after `pass`; fails the test when there is none.
    const Json& at(int pass) const;
};

// The colour of sheet pixel (x, y) in our test sprite sheet: every pixel opaque
// and telling where it came from. Blue 0x40 keeps it clear of magenta.
constexpr uint32_t sheetColour(int x, int y) {
    return 0xFF000000u | (static_cast<uint32_t>(x & 0xFF) << 16) | (static_cast<uint32_t>(y & 0xFF) << 8) | 0x40u;
}
// The four 16x16 tiles of the test tileset: two grounds, then entrance and exit.
constexpr uint32_t tileColours[4] = {0xFF996633, 0xFF556677, 0xFF00FF00, 0xFF0000FF};

// A fresh working folder under the build folder, with data/main.bmp, data/tiles.bmp
// (unless `withSheet` is false) and the levels.
std::string prepareFolder(const std::string& name, const std::vector<LevelFiles>& levels,
                          bool withSheet = true);
ReplayRun runScript(const std::string& folder, const std::string& script);
ReplayRun runArguments(const std::string& folder, const std::string& arguments);

// Script pieces: a left click at (x, y) pressed in `pass`, released in the next.
std::string clickAt(int pass, int x, int y);

// A 32-bit picture written by the harness.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};
bool readPicture(const std::string& path, Picture& picture);
bool writeBmp24(const std::string& path, int32_t width, int32_t height, uint32_t (*colour)(int32_t, int32_t));
std::string readFile(const std::string& path);
