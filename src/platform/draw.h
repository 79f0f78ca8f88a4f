// Drawing on the screen or on an image. Every operation clips to its target.
#pragma once
#include <string_view>
#include "image.h"

enum class CopyMode { opaque, transparent };

void setPixel(Image& target, int32_t x, int32_t y, Colour colour);
// 0xFFFFFFFF outside the target (and when the screen is not open).
Colour getPixel(const Image& target, int32_t x, int32_t y);

// Outline / fill of the rectangle with both corners included; corners in any order.
void drawBox(Image& target, int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour colour);
void fillBox(Image& target, int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour colour);

// Filled circle drawn as horizontal spans; radius <= 0 draws nothing.
void fillCircle(Image& target, int32_t cx, int32_t cy, double radius, Colour colour);

// Copies of `source` so that the chosen rectangle's top-left lands on (x, y).
// Opaque writes all 32 bits; transparent skips pixels whose low 24 bits are
// 0xFF00FF and writes the others with alpha cleared. A null source draws nothing.
void putImage(Image& target, int32_t x, int32_t y, const Image* source, CopyMode mode);
// Two-corner form: (x1, y1)-(x2, y2), both included.
void putImageCorners(Image& target, int32_t x, int32_t y, const Image* source, int32_t x1,
                     int32_t y1, int32_t x2, int32_t y2, CopyMode mode);
// Corner-and-extent form: (x1, y1)-(x1 + dx, y1 + dy), both included.
void putImageExtent(Image& target, int32_t x, int32_t y, const Image* source, int32_t x1,
                    int32_t y1, int32_t dx, int32_t dy, CopyMode mode);
// Same pixels as copying columns x2, x2-1, ... x1 of the rectangle one at a time
// to x, x+1, ...: the picture mirrored left to right, in one call.
void putImageMirrored(Image& target, int32_t x, int32_t y, const Image* source, int32_t x1,
                      int32_t y1, int32_t x2, int32_t y2, CopyMode mode);

// Text in the built-in 8x8 font; only the glyphs' set bits are drawn.
void drawText(Image& target, int32_t x, int32_t y, std::string_view text,
              Colour colour = defaultTextColour);
