// The built-in 8x8 font: glyph c is 8 bytes, top row first; bit 0 is the leftmost pixel.
#pragma once
#include <cstdint>

extern const uint8_t (&fontGlyphs)[256][8];
