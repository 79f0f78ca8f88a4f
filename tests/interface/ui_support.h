// Helpers shared by the interface tests: the screen, pixels, text and a coded sprite sheet.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/draw.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/screen.h"

inline void openTestScreen() {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
}

inline uint32_t px(int32_t x, int32_t y) { return getPixel(displaySurface, x, y); }

// True when the text stands with its first cell's top-left at (x, y): every set
// bit of its glyphs is white and every other pixel of its cells is not.
inline bool textShownAt(int32_t x, int32_t y, std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t* glyph = fontGlyphs[static_cast<uint8_t>(text[i])];
        for (int32_t row = 0; row < 8; ++row)
            for (int32_t col = 0; col < 8; ++col) {
                const bool set = (glyph[row] >> col) & 1;
                const bool white = px(x + 8 * static_cast<int32_t>(i) + col, y + row) == 0xFFFFFFFF;
                if (set != white) return false;
            }
    }
    return true;
}

// Sheet pixel (x, y) holds (x << 10) | y with full alpha: never the transparent
// colour, and a transparent copy (which clears alpha) shows where a pixel came from.
constexpr uint32_t sheetCode(int32_t x, int32_t y) {
    return (static_cast<uint32_t>(x) << 10) | static_cast<uint32_t>(y);
}

inline Image* makeCodedSheet(int32_t width = 290, int32_t height = 384) {
    Image* sheet = createImage(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) setPixel(*sheet, x, y, 0xFF000000 | sheetCode(x, y));
    return sheet;
}
