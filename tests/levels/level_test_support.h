// Level tests run in a scratch folder with data/ and maps/, the headless
// screen open and every wait for a key answered (and counted).
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/bmp.h"
#include "platform/console.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/screen.h"

inline int keyWaits = 0;

class LevelFolder : public ::testing::Test {
protected:
    void SetUp() override {
        if (!screenIsOpen()) openScreen(640, 480, 32, 2);
        char pattern[] = "/tmp/eggsodus-levels-XXXXXX";
        folder_ = mkdtemp(pattern);
        std::filesystem::create_directory(folder_ / "data");
        std::filesystem::create_directory(folder_ / "maps");
        std::filesystem::current_path(folder_);
        clearScreen();
        keyWaits = 0;
        setHeadlessPumpHook([] {
            ++keyWaits;
            inputKeyEvent(scanEscape, true);
            inputKeyEvent(scanEscape, false);
        });
    }
    void TearDown() override {
        setHeadlessPumpHook(nullptr);
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(folder_);
    }

private:
    std::filesystem::path previous_ = std::filesystem::current_path();
    std::filesystem::path folder_;
};

inline void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// Writes the pixels, row by row, as a BMP picture `width` wide.
inline void writeBmp(const std::string& path, int32_t width, std::vector<Colour> pixels) {
    const int32_t height = static_cast<int32_t>(pixels.size()) / width;
    writeBmp32(path, Image{width, height, std::move(pixels)});
}

// Pictures as rows of letters: a letter is the colour 0xFF0000xx, '.' magenta.
inline void writeLetterBmp(const std::string& path, const std::vector<std::string>& rows) {
    std::vector<Colour> pixels;
    for (const std::string& row : rows)
        for (char c : row) pixels.push_back(c == '.' ? transparentColour : 0xFF000000u | c);
    writeBmp(path, static_cast<int32_t>(rows.front().size()), pixels);
}

inline std::vector<std::string> imageLetters(const Image& image) {
    std::vector<std::string> rows(size_t(image.height));
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) {
            Colour c = image.row(y)[x];
            rows[y] += c == transparentColour ? '.' : char(c);
        }
    return rows;
}
