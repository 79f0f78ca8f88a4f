// Shared by the drawing tests: an open screen, images made directly, random
// pixels, and the per-pixel copy rule the fast paths must agree with.
#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>
#include "platform/draw.h"
#include "platform/image.h"
#include "platform/screen.h"

inline void ensureScreenOpen() { ASSERT_TRUE(screenIsOpen() || openScreen(640, 480, 32, 2) == 0); }

inline Image makeImage(int32_t width, int32_t height, uint32_t fill = transparentColour) {
    return Image{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height), fill)};
}

// Key colours under any alpha: stretches of 16 pixels with none, about half
// and all of them keys, so that blocks of all keys and of no keys both occur.
inline std::vector<uint32_t> randomPixels(std::mt19937& random, size_t count) {
    std::vector<uint32_t> pixels(count);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t value = static_cast<uint32_t>(random());
        const bool key = random() % 2 < i / 16 % 3;
        pixels[i] = key ? (value & 0xFF000000u) | 0x00FF00FFu : value;
    }
    return pixels;
}

inline Image randomImage(std::mt19937& random, int32_t width, int32_t height) {
    return Image{width, height, randomPixels(random, static_cast<size_t>(width * height))};
}

// One source pixel landing on the target by the copy rule of the mode.
inline void referenceCopyPixel(uint32_t& target, uint32_t pixel, CopyMode mode) {
    if (mode == CopyMode::opaque) target = pixel;
    else if ((pixel & 0x00FFFFFFu) != 0x00FF00FFu) target = pixel & 0x00FFFFFFu;
}

// The copy of a source rectangle, pixel by pixel, straight from the rule.
inline void referenceCopy(Image& target, int64_t x, int64_t y, const Image& source, int64_t x1,
                          int64_t y1, int64_t x2, int64_t y2, CopyMode mode) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    x1 = std::clamp<int64_t>(x1, 0, source.width - 1);
    x2 = std::clamp<int64_t>(x2, 0, source.width - 1);
    y1 = std::clamp<int64_t>(y1, 0, source.height - 1);
    y2 = std::clamp<int64_t>(y2, 0, source.height - 1);
    for (int64_t r = 0; r <= y2 - y1; ++r) {
        for (int64_t c = 0; c <= x2 - x1; ++c) {
            const int64_t tx = x + c, ty = y + r;
            if (tx < 0 || ty < 0 || tx >= target.width || ty >= target.height) continue;
            referenceCopyPixel(target.pixels[ty * target.width + tx],
                               source.pixels[(y1 + r) * source.width + x1 + c], mode);
        }
    }
}
