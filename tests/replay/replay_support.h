// Running eggsodus-replay from the tests: a working folder with our own small
// pictures and test levels, the script, and the dump lines read back.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/image.h"

// Just enough JSON for the dump lines: objects keep their keys in the order written.
struct Json {
    double number = 0;
    std::string text;
    std::vector<std::string> keys;  // empty for arrays
    std::vector<Json> items;

    const Json& operator[](std::string_view key) const;  // an empty value when missing
    const Json& operator[](size_t index) const;
    int64_t integer() const { return static_cast<int64_t>(number); }
};
bool parseJson(std::string_view text, Json& value);

// A level placed as maps/map<number>.tmx and .dat from files in tests/data/replay;
// an empty name leaves that file out.
struct LevelFiles {
    int number;
    std::string map, data;
};

struct ReplayRun {
    int status = -1;
    std::string dir;  // the working folder, where pictures are written
    std::string out, err;
    std::vector<Json> dumps;

    // The dump written after `pass`; fails the test when there is none.
    const Json& at(int pass) const;
};

// Whole numbers expected in the dumps: each {pass, key, value} says that `key`
// in the dump after `pass` holds `value`.
void expectDumpValues(const ReplayRun& run, const std::vector<std::tuple<int, const char*, int64_t>>& values);

// The colour of sheet pixel (x, y) in our test sprite sheet: every pixel opaque
// and telling where it came from. Blue 0x40 keeps it clear of magenta.
constexpr uint32_t sheetColour(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>(x & 0xFF) << 16 | static_cast<uint32_t>(y & 0xFF) << 8 | 0x40u;
}
// The four 16x16 tiles of the test tileset: two grounds, then entrance and exit.
constexpr uint32_t tileColours[4] = {0xFF996633, 0xFF556677, 0xFF00FF00, 0xFF0000FF};

// A fresh working folder under the build folder, with data/main.bmp, data/tiles.bmp and the levels.
std::string prepareFolder(const std::string& name, const std::vector<LevelFiles>& levels);
// Writes `script` to script.txt in `folder` and runs the harness there with `arguments`.
ReplayRun runReplay(const std::string& folder, const std::string& script,
                    const std::string& arguments = "script.txt");
// A script run in a fresh folder that must end with status 0.
ReplayRun play(const std::string& name, const std::vector<LevelFiles>& levels, const std::string& script);

// Script pieces: one command in `pass`; a left click at (x, y) pressed in `pass`, released in the next.
std::string line(int pass, const std::string& command);
std::string clickAt(int pass, int x, int y);

// A picture read with the game's own BMP loader; white outside it.
struct Picture {
    Image image;
    uint32_t at(int32_t x, int32_t y) const {
        bool inside = x >= 0 && y >= 0 && x < image.width && y < image.height;
        return inside ? image.row(y)[x] : outsideColour;
    }
};
bool readPicture(const std::string& path, Picture& picture);
Image makeImage(int32_t width, int32_t height, uint32_t (*colour)(int32_t, int32_t));
std::string readFile(const std::string& path);
