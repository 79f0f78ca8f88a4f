// A small picture to draw the game's art on, and writers for the files we ship.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t none = 0xFFFF00FF;  // magenta: nothing drawn here

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

Canvas makeCanvas(int width, int height);
uint32_t pixelAt(const Canvas& c, int x, int y);  // `none` outside
void plot(Canvas& c, int x, int y, uint32_t colour);  // clipped
void fillRect(Canvas& c, int x1, int y1, int x2, int y2, uint32_t colour);  // corners included
void line(Canvas& c, int x1, int y1, int x2, int y2, uint32_t colour);
void fillEllipse(Canvas& c, double cx, double cy, double rx, double ry, uint32_t colour);
// An egg: rounder and wider below its middle, narrower above.
void fillEgg(Canvas& c, double cx, double cy, double rx, double ry, uint32_t colour);
// Every empty pixel that touches a drawn pixel (not itself `outline`) side by side
// becomes `outline`: gives each shape a dark rim that reads on any background.
void addOutline(Canvas& c, uint32_t outline);
// Copies the drawn pixels of `from` so that its top-left lands on (x, y).
void stamp(Canvas& to, const Canvas& from, int x, int y);
Canvas mirrored(const Canvas& c);

// 24-bit bottom-up BMP, the plainest form every reader knows.
bool writeBmp24(const std::string& path, const Canvas& c);
// Uncompressed (stored) PNG, for the map editor, which wants a PNG tileset.
// With `alpha`, each pixel's top byte is written as its opacity (RGBA).
bool writePng(const std::string& path, const Canvas& c, bool alpha = false);
