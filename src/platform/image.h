// Images: 32-bit 0xAARRGGBB pixels, stored row by row, top row first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

using Colour = uint32_t;

// Magenta: the fill of a new image, skipped by transparent copies, and the
// "empty" value of the terrain image.
constexpr Colour transparentColour = 0xFFFF00FF;
constexpr Colour defaultTextColour = 0xFFFFFFFF;
constexpr Colour consoleBackground = 0xFF000000;
// What getPixel answers outside an image: not transparent, so it reads as solid.
constexpr Colour outsideColour = 0xFFFFFFFF;

struct Image {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // width * height, row by row

    uint32_t* row(int32_t y) { return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width); }
    const uint32_t* row(int32_t y) const { return pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width); }
};

// Largest image we agree to make: one side at most this many pixels and the
// whole at most maxImagePixels, so a bad file can never ask for gigabytes.
constexpr int32_t maxImageSide = 1 << 16;
constexpr int64_t maxImagePixels = int64_t{1} << 28;

// A new image filled with `fill`; nullptr when a side is below 1, the image
// would be absurdly large, or the screen has not been opened.
Image* createImage(int32_t width, int32_t height, Colour fill = transparentColour);
// An image of width x height for a caller that writes every pixel itself: made
// in the memory of `spare` when that holds enough pixels (spare is then taken and
// cleared), its pixels left as they happen to be. Otherwise spare is released
// and the image is made as createImage makes it. nullptr as for createImage.
Image* reuseImage(Image*& spare, int32_t width, int32_t height);
// Releases the image and clears the caller's pointer, so it can never be used again.
void destroyImage(Image*& image);
