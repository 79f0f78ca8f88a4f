// A scratch level folder for the level fuzz targets: data/ with a few tileset
// pictures (one good, one whose header lies about its size, one that is not a
// picture at all), maps/ for the input, every wait for a key answered at once.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless.h"
#include "platform/input.h"
#include "platform/screen.h"

using namespace std::string_literals;

namespace fuzzfolder {

inline std::filesystem::path folder;

inline void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

inline void pressKey() {
    inputKeyEvent(scanEscape, true);
    inputKeyEvent(scanEscape, false);
}

inline void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string le32(uint32_t v) {
    std::string out;
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

// A 24-bit BMP of 8 x 5 pixels (tiles of 2 with spacing 1), some magenta.
inline std::string smallTileset() {
    const uint32_t width = 8, height = 5, stride = 24;
    std::string out = "BM" + le32(54 + stride * height) + le32(0) + le32(54) + le32(40) +
                      le32(width) + le32(height) + std::string("\1\0\x18\0", 4);
    for (int i = 0; i < 6; ++i) out += le32(0);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < stride / 3; ++x)
            out += (x + y) % 3 == 0 ? std::string("\xFF\0\xFF", 3) : std::string{char(x * 30), char(y * 40), '\x7F'};
    return out;
}

inline void enter() {
    if (!folder.empty()) return;
    if (!screenIsOpen()) openScreen(screenWidth, screenHeight, 32, 2);
    setHeadlessPumpHook(pressKey);
    char pattern[] = "/tmp/eggsodus-fuzz-XXXXXX";
    folder = mkdtemp(pattern);
    std::atexit(removeFolder);
    std::filesystem::create_directories(folder / "data");
    std::filesystem::create_directories(folder / "maps");
    std::filesystem::current_path(folder);
    writeFile("data/tiles.bmp", smallTileset());
    std::string liar = smallTileset();
    liar.replace(18, 8, le32(4000) + le32(3000));  // claims 4000 x 3000
    writeFile("data/liar.bmp", liar);
    writeFile("data/text.bmp", "not a picture at all, just some words");
    writeFile("data/tiles.png", std::string(16, 'p') + "\0\0\0\x10\0\0\0\x08"s);
}

}  // namespace fuzzfolder
