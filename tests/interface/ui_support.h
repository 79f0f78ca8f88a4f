// Shared by the interface and shell tests: the screen, pixels, text, a coded
// sprite sheet and a creature as the level reset leaves it.
#pragma once
#include <string>

#include "creatures/creature_table.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "platform/screen.h"

inline void openScreenOnce() {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
}

inline uint32_t px(int32_t x, int32_t y) { return getPixel(displaySurface, x, y); }

// Every set bit of the text's glyphs is white and every other pixel of its cells is not.
inline bool textShownAt(int32_t x, int32_t y, const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i)
        for (int32_t row = 0; row < 8; ++row)
            for (int32_t col = 0; col < 8; ++col) {
                const bool set = (fontGlyphs[uint8_t(text[i])][row] >> col) & 1;
                if (set != (px(x + 8 * int32_t(i) + col, y + row) == 0xFFFFFFFF)) return false;
            }
    return true;
}

// Sheet pixel (x, y) holds (x << 10) | y: never the key colour, and a transparent
// copy (which clears alpha) shows on the screen exactly where it came from.
constexpr uint32_t sheetCode(int32_t x, int32_t y) { return (uint32_t(x) << 10) | uint32_t(y); }
inline Image* makeCodedSheet() {
    Image* sheet = createImage(290, 384);
    for (int32_t y = 0; y < 384; ++y)
        for (int32_t x = 0; x < 290; ++x) setPixel(*sheet, x, y, 0xFF000000 | sheetCode(x, y));
    return sheet;
}

// A record as the level reset leaves it.
inline Creature waitingCreature() {
    Creature c{};
    c.fx = -100.0f;
    c.skill = 1;
    c.fuse = 10;
    return c;
}
