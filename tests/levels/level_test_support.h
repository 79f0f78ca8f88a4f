// Level tests run in a scratch folder with data/ and maps/, the headless
// screen open and every wait for a key answered (unless told otherwise).
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/font.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/screen.h"

inline int keyWaits = 0;
inline bool pressKeyWhenAsked = true;

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
        pressKeyWhenAsked = true;
        setHeadlessPumpHook([] {
            ++keyWaits;
            if (pressKeyWhenAsked) inputKeyEvent(scanEscape, true), inputKeyEvent(scanEscape, false);
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

// A 24-bit bottom-up BMP; the loader gives its pixels alpha 0xFF.
inline void writeBmp24(const std::string& path, int32_t width, const std::vector<Colour>& pixels) {
    const int32_t height = static_cast<int32_t>(pixels.size()) / width;
    const int32_t stride = (width * 3 + 3) & ~3;
    std::string out = "BM";
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i));
    };
    for (uint32_t v : {54u + stride * height, 0u, 54u, 40u, uint32_t(width), uint32_t(height)}) put(v, 4);
    put(1, 2), put(24, 2);
    for (int i = 0; i < 6; ++i) put(0, 4);
    for (int32_t y = height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < width; ++x) put(pixels[size_t(y * width + x)], 3);
        for (int32_t pad = width * 3; pad < stride; ++pad) put(0, 1);
    }
    writeFile(path, out);
}

// Pictures as rows of letters: a letter is the colour 0xFF0000xx, '.' magenta.
inline void writeLetterBmp(const std::string& path, const std::vector<std::string>& rows) {
    std::vector<Colour> pixels;
    for (const std::string& row : rows)
        for (char letter : row) pixels.push_back(letter == '.' ? transparentColour : 0xFF000000u | uint8_t(letter));
    writeBmp24(path, static_cast<int32_t>(rows.front().size()), pixels);
}

inline std::vector<std::string> imageLetters(const Image& image) {
    std::vector<std::string> rows(size_t(image.height));
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) {
            Colour c = image.row(y)[x];
            rows[y] += c == transparentColour ? '.' : (c & 0xFFFFFF00u) == 0xFF000000u ? char(c) : '?';
        }
    return rows;
}

// The console rows printed since the last clearScreen, read back from the glyphs.
inline std::vector<std::string> consoleLines() {
    std::vector<std::string> lines;
    for (int row = 0; row < consoleCursorRow(); ++row) {
        std::string text;
        for (int column = 0; column < consoleColumns; ++column) {
            uint8_t cell[8] = {};
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    if (displaySurface.row(row * 8 + y)[column * 8 + x] == defaultTextColour) cell[y] |= uint8_t(1u << x);
            char found = '?';
            for (int c = 126; c >= 32; --c)
                if (std::equal(cell, cell + 8, fontGlyphs[c])) found = char(c);
            text += found;
        }
        lines.push_back(text.substr(0, text.find_last_not_of(' ') + 1));
    }
    return lines;
}
