#include <climits>
#include "draw_test_support.h"
#include "platform/font.h"

namespace {

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override { ensureScreenOpen(); }
};

TEST_F(DrawTest, PixelsOutsideTheImageReadAsSolidWhite) {
    Image image = makeImage(2, 2);
    struct Case { int32_t x, y; uint32_t expected; };
    const Case cases[] = {{0, 0, transparentColour}, {1, 1, transparentColour}, {2, 0, outsideColour},
                          {-1, 0, outsideColour},   {0, 2, outsideColour},     {0, -1, outsideColour},
                          {INT32_MIN, INT32_MAX, outsideColour}};
    for (const Case& c : cases) EXPECT_EQ(getPixel(image, c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST_F(DrawTest, SetPixelIgnoresPointsOutside) {
    Image image = makeImage(3, 3, 0);
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 3}, {INT32_MIN, INT32_MIN}}) {
        setPixel(image, x, y, 0xFFFFFFFF);
    }
    EXPECT_EQ(countDifferences(image, makeImage(3, 3, 0)), 0);
    setPixel(image, 2, 1, 0x12345678);
    EXPECT_EQ(getPixel(image, 2, 1), 0x12345678u);
}

// Boxes of every corner order and clipping, against the inclusive-rectangle rule.
TEST_F(DrawTest, BoxesCoverTheInclusiveRectangleCutAtTheEdges) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> coordinate(-6, 17);
    for (int round = 0; round < 400; ++round) {
        const int32_t x1 = coordinate(random), y1 = coordinate(random);
        const int32_t x2 = coordinate(random), y2 = coordinate(random);
        Image filled = makeImage(12, 10, 0), outlined = makeImage(12, 10, 0);
        fillBox(filled, x1, y1, x2, y2, 0xAB000001);
        drawBox(outlined, x1, y1, x2, y2, 0xAB000001);
        const int32_t left = std::min(x1, x2), right = std::max(x1, x2);
        const int32_t top = std::min(y1, y2), bottom = std::max(y1, y2);
        for (int32_t y = 0; y < 10; ++y) {
            for (int32_t x = 0; x < 12; ++x) {
                const bool inside = x >= left && x <= right && y >= top && y <= bottom;
                const bool onEdge = inside && (x == left || x == right || y == top || y == bottom);
                ASSERT_EQ(getPixel(filled, x, y), inside ? 0xAB000001u : 0u) << x1 << "," << y1 << " " << x2 << "," << y2;
                ASSERT_EQ(getPixel(outlined, x, y), onEdge ? 0xAB000001u : 0u) << x1 << "," << y1 << " " << x2 << "," << y2;
            }
        }
    }
}

TEST_F(DrawTest, ExtremeCoordinatesAreCutNotWrapped) {
    Image image = makeImage(4, 4, 0);
    fillBox(image, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 5);
    EXPECT_EQ(countDifferences(image, makeImage(4, 4, 5)), 0);
    drawBox(image, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 6);  // outline wholly outside
    EXPECT_EQ(countDifferences(image, makeImage(4, 4, 5)), 0);
    Image source = makeImage(3, 3, 9);
    putImage(image, INT32_MAX, INT32_MAX, &source, CopyMode::opaque);
    putImage(image, INT32_MIN, INT32_MIN, &source, CopyMode::opaque);
    putImageExtent(image, 0, 0, &source, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, CopyMode::opaque);
    EXPECT_EQ(getPixel(image, 0, 0), 9u);  // the extent clamps to the source's last pixel
    EXPECT_EQ(getPixel(image, 1, 0), 5u);
}

TEST_F(DrawTest, TransparentCopyKeysOnLow24BitsAndClearsAlpha) {
    struct Case { uint32_t source, expected; };
    const Case cases[] = {
        {0xFFFF00FF, 0x11111111}, {0x00FF00FF, 0x11111111}, {0x7FFF00FF, 0x11111111},
        {0xFF3333BB, 0x003333BB}, {0xFFFF00FE, 0x00FF00FE}, {0x00000000, 0x00000000},
    };
    for (const Case& c : cases) {
        Image target = makeImage(1, 1, 0x11111111), source = makeImage(1, 1, c.source);
        putImage(target, 0, 0, &source, CopyMode::transparent);
        EXPECT_EQ(target.pixels[0], c.expected) << std::hex << c.source;
        putImage(target, 0, 0, &source, CopyMode::opaque);
        EXPECT_EQ(target.pixels[0], c.source) << std::hex << c.source;
    }
}

TEST_F(DrawTest, CopiedRectangleSizes) {
    Image source = makeImage(290, 384, 0xFF0000FF);
    struct Case { bool extent; int32_t x1, y1, x2, y2; int64_t columns, rows; };
    const Case cases[] = {
        {false, 40, 332, 87, 373, 48, 42}, {false, 10, 0, 10, 30, 1, 31}, {true, 0, 0, 16, 16, 17, 17},
        {false, 87, 373, 40, 332, 48, 42}, {false, -5, -5, 2, 2, 3, 3},   {false, 280, 380, 400, 400, 10, 4},
    };
    for (const Case& c : cases) {
        Image target = makeImage(100, 100, 0);
        if (c.extent) putImageExtent(target, 0, 0, &source, c.x1, c.y1, c.x2, c.y2, CopyMode::opaque);
        else putImageCorners(target, 0, 0, &source, c.x1, c.y1, c.x2, c.y2, CopyMode::opaque);
        const auto written = std::count(target.pixels.begin(), target.pixels.end(), 0xFF0000FFu);
        EXPECT_EQ(written, c.columns * c.rows) << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2;
        EXPECT_EQ(getPixel(target, static_cast<int32_t>(c.columns - 1), static_cast<int32_t>(c.rows - 1)), 0xFF0000FFu);
    }
}

TEST_F(DrawTest, CopiesAreCutAtEveryEdge) {
    Image source = makeImage(10, 6, 0xFF123456);
    struct Case { int32_t x, y; int64_t columns, rows; };
    const Case cases[] = {{-5, 0, 5, 6}, {636, 0, 4, 6}, {0, -4, 10, 2}, {0, 477, 10, 3}, {-10, 0, 0, 0}, {640, 0, 0, 0}};
    for (const Case& c : cases) {
        Image target = makeImage(640, 480, 0);
        putImage(target, c.x, c.y, &source, CopyMode::opaque);
        EXPECT_EQ(std::count(target.pixels.begin(), target.pixels.end(), 0xFF123456u), c.columns * c.rows)
            << c.x << "," << c.y;
    }
}

// All three copy forms against the per-pixel rule on random rectangles and places.
TEST_F(DrawTest, CopiesMatchThePixelRule) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int32_t> place(-30, 50), corner(-8, 40);
    for (int round = 0; round < 600; ++round) {
        const Image source = randomImage(random, 1 + static_cast<int32_t>(random() % 37), 1 + static_cast<int32_t>(random() % 9));
        const CopyMode mode = round % 2 ? CopyMode::opaque : CopyMode::transparent;
        const int32_t x = place(random), y = place(random);
        const int32_t x1 = corner(random), y1 = corner(random), x2 = corner(random), y2 = corner(random);
        Image actual = randomImage(random, 41, 23), expected = actual;
        switch (round % 3) {
        case 0:
            putImage(actual, x, y, &source, mode);
            referenceCopy(expected, x, y, source, 0, 0, source.width - 1, source.height - 1, mode);
            break;
        case 1:
            putImageCorners(actual, x, y, &source, x1, y1, x2, y2, mode);
            referenceCopy(expected, x, y, source, x1, y1, x2, y2, mode);
            break;
        default:
            putImageExtent(actual, x, y, &source, x1, y1, x2 - x1, y2 - y1, mode);
            referenceCopy(expected, x, y, source, x1, y1, x2, y2, mode);
        }
        ASSERT_EQ(countDifferences(actual, expected), 0) << "round " << round;
    }
}

// One mirrored copy must give exactly what the one-column copies give, also
// where columns fall outside the source (each column clamps on its own).
TEST_F(DrawTest, MirroredCopyEqualsOneColumnCopies) {
    std::mt19937 random(13);
    std::uniform_int_distribution<int32_t> place(-50, 60), corner(-10, 50);
    for (int round = 0; round < 800; ++round) {
        const Image source = randomImage(random, 1 + static_cast<int32_t>(random() % 45), 1 + static_cast<int32_t>(random() % 12));
        const CopyMode mode = round % 2 ? CopyMode::opaque : CopyMode::transparent;
        const int32_t x = place(random), y = place(random) / 3;
        const int32_t x1 = corner(random), x2 = corner(random), y1 = corner(random) / 4, y2 = corner(random) / 4;
        Image mirrored = randomImage(random, 53, 17), columns = mirrored;
        putImageMirrored(mirrored, x, y, &source, x1, y1, x2, y2, mode);
        const int32_t high = std::max(x1, x2), low = std::min(x1, x2);
        for (int32_t k = 0; k <= high - low; ++k) {
            putImageCorners(columns, x + k, y, &source, high - k, y1, high - k, y2, mode);
        }
        ASSERT_EQ(countDifferences(mirrored, columns), 0) << "round " << round;
    }
}

TEST_F(DrawTest, CopyOntoItselfReadsTheOriginalPixels) {
    std::mt19937 random(17);
    for (CopyMode mode : {CopyMode::opaque, CopyMode::transparent}) {
        Image image = randomImage(random, 20, 10), expected = image;
        const Image original = image;
        putImageCorners(image, 3, 2, &image, 0, 0, 15, 7, mode);
        referenceCopy(expected, 3, 2, original, 0, 0, 15, 7, mode);
        EXPECT_EQ(countDifferences(image, expected), 0);
        image = original;
        expected = original;
        putImageMirrored(image, 2, 1, &image, 0, 0, 15, 7, mode);
        for (int32_t k = 0; k <= 15; ++k) referenceCopy(expected, 2 + k, 1, original, 15 - k, 0, 15 - k, 7, mode);
        EXPECT_EQ(countDifferences(image, expected), 0);
    }
}

TEST_F(DrawTest, NullOrMalformedSourceDrawsNothing) {
    Image target = makeImage(4, 4, 1);
    Image broken = makeImage(4, 4, 2);
    broken.pixels.resize(3);
    putImage(target, 0, 0, nullptr, CopyMode::opaque);
    putImageMirrored(target, 0, 0, nullptr, 0, 0, 3, 3, CopyMode::opaque);
    putImage(target, 0, 0, &broken, CopyMode::opaque);
    putImageMirrored(target, 0, 0, &broken, 0, 0, 3, 3, CopyMode::opaque);
    EXPECT_EQ(countDifferences(target, makeImage(4, 4, 1)), 0);
    fillBox(broken, 0, 0, 3, 3, 7);  // a malformed target is refused too
    EXPECT_EQ(broken.pixels, std::vector<uint32_t>(3, 2));
}

// Half-widths of rows cy, cy+-1, ... cy+-15 for radius 15.
constexpr int radius15HalfWidths[16] = {15, 15, 15, 15, 14, 14, 14, 13, 12, 12, 11, 10, 9, 7, 6, 3};

TEST_F(DrawTest, CircleOfRadius15Covers741Pixels) {
    Image image = makeImage(64, 64, 0);
    fillCircle(image, 32, 32, 15.0, 1);
    EXPECT_EQ(std::count(image.pixels.begin(), image.pixels.end(), 1u), 741);
    for (int32_t dy = -16; dy <= 16; ++dy) {
        const int half = std::abs(dy) <= 15 ? radius15HalfWidths[std::abs(dy)] : -1;
        for (int32_t x = 0; x < 64; ++x) {
            const bool inside = half >= 0 && std::abs(x - 32) <= half;
            ASSERT_EQ(getPixel(image, x, 32 + dy), inside ? 1u : 0u) << "dy " << dy << " x " << x;
        }
    }
}

TEST_F(DrawTest, CircleCutByTheBorderKeepsTheInsidePart) {
    Image whole = makeImage(80, 80, 0);
    fillCircle(whole, 40, 40, 15.0, 1);
    const std::pair<int32_t, int32_t> centres[] = {{0, 0}, {5, 40}, {79, 79}, {40, -10}, {90, 40}, {-15, 0}};
    for (auto [cx, cy] : centres) {
        Image cut = makeImage(20, 20, 0);
        fillCircle(cut, cx, cy, 15.0, 1);
        for (int32_t y = 0; y < 20; ++y) {
            for (int32_t x = 0; x < 20; ++x) {
                const int32_t wx = x - cx + 40, wy = y - cy + 40;
                const uint32_t expected = wx < 0 || wy < 0 || wx >= 80 || wy >= 80 ? 0u : getPixel(whole, wx, wy);
                ASSERT_EQ(getPixel(cut, x, y), expected) << cx << "," << cy;
            }
        }
    }
}

TEST_F(DrawTest, CircleRadiusBelowOneOrInvalid) {
    struct Case { double radius; int pixels; };
    const Case cases[] = {{0.0, 0}, {-3.0, 0}, {std::nan(""), 0}, {0.5, 2}, {1.0, 5}, {-0.0, 0}};
    for (const Case& c : cases) {
        Image image = makeImage(9, 9, 0);
        fillCircle(image, 4, 4, c.radius, 1);
        EXPECT_EQ(std::count(image.pixels.begin(), image.pixels.end(), 1u), c.pixels) << c.radius;
    }
    Image image = makeImage(9, 9, 0);
    fillCircle(image, 4, 4, 1e300, 1);  // absurd radius: bounded work, whole image covered
    EXPECT_EQ(std::count(image.pixels.begin(), image.pixels.end(), 1u), 81);
}

TEST_F(DrawTest, TextMarksOnlyGlyphBitsInsideItsCells) {
    Image image = makeImage(100, 20, 0x01020304);
    drawText(image, 0, 0, "Eggs 42", 0xFFFFFF00);
    int strokes = 0;
    for (int32_t y = 0; y < 20; ++y) {
        for (int32_t x = 0; x < 100; ++x) {
            const uint32_t pixel = getPixel(image, x, y);
            if (x > 55 || y > 7) {
                ASSERT_EQ(pixel, 0x01020304u) << x << "," << y;
            }
            strokes += pixel == 0xFFFFFF00u;
        }
    }
    EXPECT_GT(strokes, 20);
    Image shifted = makeImage(100, 20, 0x01020304);
    drawText(shifted, -13, 5, "Eggs 42", 0xFFFFFF00);  // cut at the left, moved down
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 13; x < 56; ++x) ASSERT_EQ(getPixel(shifted, x - 13, y + 5), getPixel(image, x, y));
    }
    drawText(shifted, INT32_MAX - 3, INT32_MIN, std::string(1000, 'W'));
}

// Text near every edge against the glyph rule, pixel by pixel.
TEST_F(DrawTest, TextIsCutAtEveryEdge) {
    std::mt19937 random(19);
    std::uniform_int_distribution<int32_t> place(-20, 30);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0, n = static_cast<int>(random() % 5); i < n; ++i) text += static_cast<char>(random() % 256);
        const int32_t x = place(random), y = place(random) / 2;
        Image actual = makeImage(21, 11, 7), expected = actual;
        drawText(actual, x, y, text, 0xFF0000FF);
        for (size_t i = 0; i < text.size(); ++i) {
            for (int32_t gy = 0; gy < 8; ++gy) {
                for (int32_t gx = 0; gx < 8; ++gx) {
                    const int32_t px = x + 8 * static_cast<int32_t>(i) + gx, py = y + gy;
                    const bool set = fontGlyphs[static_cast<uint8_t>(text[i])][gy] >> gx & 1;
                    if (set && px >= 0 && py >= 0 && px < 21 && py < 11) expected.pixels[static_cast<size_t>(py * 21 + px)] = 0xFF0000FF;
                }
            }
        }
        ASSERT_EQ(countDifferences(actual, expected), 0) << "round " << round << " at " << x << "," << y;
    }
}

}  // namespace
