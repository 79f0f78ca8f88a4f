// Shared by the drawing tests: an open screen, images made directly, and the
// per-pixel rules the fast paths must agree with.
#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <random>
#include "platform/draw.h"
#include "platform/image.h"
#include "platform/screen.h"

inline void ensureScreenOpen() {
    if (!screenIsOpen()) {
        ASSERT_EQ(openScreen(640, 480, 32, 2), 0);
    }
}

inline Image makeImage(int32_t width, int32_t height, uint32_t fill = transparentColour) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    return image;
}

// Random pixels, about `keyShare` of them with the key colour's low 24 bits
// under a random alpha.
inline Image randomImage(std::mt19937& random, int32_t width, int32_t height, double keyShare = 0.4) {
    Image image = makeImage(width, height);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    for (uint32_t& pixel : image.pixels) {
        const uint32_t value = static_cast<uint32_t>(random());
        pixel = share(random) < keyShare ? (value & 0xFF000000u) | 0x00FF00FFu : value;
    }
    return image;
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

inline int countDifferences(const Image& a, const Image& b) {
    if (a.pixels.size() != b.pixels.size()) return -1;
    int differences = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) differences += a.pixels[i] != b.pixels[i];
    return differences;
}
