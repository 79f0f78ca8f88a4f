#include <cmath>
#include "draw_test_support.h"
#include "platform/draw_rows.h"

namespace {

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override { ensureScreenOpen(); }
};

int64_t countOf(const Image& image, uint32_t colour) {
    return std::count(image.pixels.begin(), image.pixels.end(), colour);
}

// Boxes of every corner order and clipping, against the inclusive-rectangle rule.
TEST_F(DrawTest, BoxesCoverTheInclusiveRectangleCutAtTheEdges) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> coordinate(-6, 17);
    for (int round = 0; round < 400; ++round) {
        const int32_t x1 = coordinate(random), y1 = coordinate(random);
        const int32_t x2 = coordinate(random), y2 = coordinate(random);
        Image filled = makeImage(12, 10, 0), outlined = makeImage(12, 10, 0);
        fillBox(filled, x1, y1, x2, y2, 1);
        drawBox(outlined, x1, y1, x2, y2, 1);
        const int32_t left = std::min(x1, x2), right = std::max(x1, x2);
        const int32_t top = std::min(y1, y2), bottom = std::max(y1, y2);
        for (int32_t y = 0; y < 10; ++y) {
            for (int32_t x = 0; x < 12; ++x) {
                const bool inside = x >= left && x <= right && y >= top && y <= bottom;
                const bool onEdge = inside && (x == left || x == right || y == top || y == bottom);
                ASSERT_EQ(getPixel(filled, x, y), inside ? 1u : 0u) << x1 << "," << y1 << " " << x2 << "," << y2;
                ASSERT_EQ(getPixel(outlined, x, y), onEdge ? 1u : 0u) << x1 << "," << y1 << " " << x2 << "," << y2;
            }
        }
    }
}

// Far coordinates are cut, never wrapped; null and malformed images are refused.
TEST_F(DrawTest, BadCoordinatesAndImagesDrawNothing) {
    Image image = makeImage(4, 4, 5), broken = makeImage(4, 4, 2);
    broken.pixels.resize(3);
    putImage(image, 0, 0, nullptr, CopyMode::opaque);
    putImageMirrored(image, 0, 0, nullptr, 0, 0, 3, 3, CopyMode::opaque);
    putImage(image, 0, 0, &broken, CopyMode::opaque);
    putImageMirrored(image, 0, 0, &broken, 0, 0, 3, 3, CopyMode::opaque);
    fillBox(broken, 0, 0, 3, 3, 7);
    EXPECT_EQ(broken.pixels, std::vector<uint32_t>(3, 2));
    for (auto [x, y] : {std::pair{4, 0}, {-1, 0}, {0, 4}, {0, -1}, {INT32_MIN, INT32_MAX}}) {
        setPixel(image, x, y, 7);
        EXPECT_EQ(getPixel(image, x, y), outsideColour) << x << "," << y;
    }
    drawBox(image, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 6);  // outline wholly outside
    Image source = makeImage(3, 3, 9);
    putImage(image, INT32_MAX, INT32_MAX, &source, CopyMode::opaque);
    putImage(image, INT32_MIN, INT32_MIN, &source, CopyMode::opaque);
    drawText(image, INT32_MAX - 3, INT32_MIN, std::string(1000, 'W'));
    EXPECT_EQ(countOf(image, 5), 16);
    putImageExtent(image, 0, 0, &source, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, CopyMode::opaque);
    EXPECT_EQ(countOf(image, 9), 1);  // the extent clamps to the source's last pixel
    fillBox(image, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 5);
    setPixel(image, 3, 3, 7);
    EXPECT_EQ(countOf(image, 5), 15);
}

// The four copy forms against the per-pixel rule on random rectangles and
// places. A mirrored copy equals one-column copies of columns x2, x2-1, ...
// each clamped into the source on its own. Every fifth copy is of the target
// onto itself and must read the pixels as they were before it.
TEST_F(DrawTest, CopiesMatchThePixelRule) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int32_t> place(-40, 50), corner(-10, 50);
    for (int round = 0; round < 1600; ++round) {
        const CopyMode mode = round / 4 % 2 ? CopyMode::opaque : CopyMode::transparent;
        const int32_t x = place(random), y = place(random) / 2;
        int32_t x1 = corner(random), y1 = corner(random) / 4, x2 = corner(random), y2 = corner(random) / 4;
        Image actual = randomImage(random, 53, 23), expected = actual;
        const bool itself = round % 5 == 4;
        const Image source = itself ? actual : randomImage(random, 1 + random() % 45, 1 + random() % 12);
        const Image* from = itself ? &actual : &source;
        if (round % 4 == 0) {
            putImage(actual, x, y, from, mode);
            x1 = y1 = 0;
            x2 = source.width - 1;
            y2 = source.height - 1;
        } else if (round % 4 == 1) {
            putImageCorners(actual, x, y, from, x1, y1, x2, y2, mode);
        } else if (round % 4 == 2) {
            putImageExtent(actual, x, y, from, x1, y1, x2 - x1, y2 - y1, mode);
        } else {
            putImageMirrored(actual, x, y, from, x1, y1, x2, y2, mode);
            const int32_t high = std::max(x1, x2);
            for (int32_t k = 0; k <= high - std::min(x1, x2); ++k) {
                referenceCopy(expected, x + k, y, source, high - k, y1, high - k, y2, mode);
            }
        }
        if (round % 4 != 3) referenceCopy(expected, x, y, source, x1, y1, x2, y2, mode);
        ASSERT_EQ(actual.pixels, expected.pixels) << "round " << round;
    }
}

// Half-widths of rows cy, cy+-1, ... cy+-15 for radius 15: 741 pixels in all,
// whatever part of them lies inside the image.
constexpr int radius15HalfWidths[16] = {15, 15, 15, 15, 14, 14, 14, 13, 12, 12, 11, 10, 9, 7, 6, 3};

TEST_F(DrawTest, CirclesCutAtTheEdgesAndOddRadii) {
    for (auto [cx, cy] : {std::pair{20, 20}, {0, 0}, {5, 20}, {39, 39}, {20, -10}, {50, 20}, {55, 20}, {-15, 0}}) {
        Image image = makeImage(40, 40, 0);
        fillCircle(image, cx, cy, 15.0, 1);
        for (int32_t y = 0; y < 40; ++y) {
            const int dy = std::abs(y - cy), half = dy <= 15 ? radius15HalfWidths[dy] : -1;
            for (int32_t x = 0; x < 40; ++x) {
                ASSERT_EQ(getPixel(image, x, y), std::abs(x - cx) <= half ? 1u : 0u) << cx << "," << cy << " at " << x << "," << y;
            }
        }
    }
    // Radii below one or invalid; an absurd radius must cost bounded work and
    // cover the whole image.
    const std::pair<double, int> cases[] = {{0.0, 0}, {-3.0, 0}, {std::nan(""), 0}, {0.5, 2}, {1.0, 5}, {1e300, 81}};
    for (auto [radius, pixels] : cases) {
        Image image = makeImage(9, 9, 0);
        fillCircle(image, 4, 4, radius, 1);
        EXPECT_EQ(countOf(image, 1), pixels) << radius;
    }
}

// Text cut at any edge shows just what the same text drawn whole shows there.
TEST_F(DrawTest, TextIsCutAtEveryEdge) {
    std::mt19937 random(19);
    std::uniform_int_distribution<int32_t> place(-20, 30);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0, n = static_cast<int>(random() % 5); i < n; ++i) text += static_cast<char>(random() % 256);
        const int32_t x = place(random), y = place(random) / 2;
        Image cut = makeImage(21, 11, 7), whole = makeImage(90, 40, 7);
        drawText(cut, x, y, text, 0xFF0000FF);
        drawText(whole, x + 25, y + 15, text, 0xFF0000FF);
        for (int32_t py = 0; py < 11; ++py) {
            for (int32_t px = 0; px < 21; ++px) {
                ASSERT_EQ(getPixel(cut, px, py), getPixel(whole, px + 25, py + 15)) << round << " at " << x << "," << y;
            }
        }
    }
}

// The wide block paths against the per-pixel rule, on random data of every
// width from 0 to 70, at odd offsets, over rows a pitch apart, with pixels
// around every run that must stay as they were.
constexpr uint32_t guard = 0xDEADBEEF;
constexpr size_t guardSize = 9;
constexpr size_t rows = 3;

class RowPathTest : public ::testing::TestWithParam<RowPath> {
protected:
    void SetUp() override {
        if (!rowPathAvailable(GetParam())) GTEST_SKIP() << "processor lacks this path";
    }
};

TEST_P(RowPathTest, MatchesThePixelRule) {
    const RowPath path = GetParam();
    std::mt19937 random(static_cast<unsigned>(path) + 1);
    for (size_t width = 0; width <= 70; ++width) {
        for (size_t offset : {0u, 1u, 3u, 5u}) {
            // Each target row is the run between guards; the source is exactly
            // the runs, so a read past them is caught by the sanitizer.
            const size_t pitch = width + offset + 2 * guardSize, sourcePitch = width + offset % 2;
            const size_t start = guardSize + offset;
            std::vector<uint32_t> filled(pitch * rows, guard), expected = filled;
            fillBlockWith(path, filled.data() + start, pitch, width, rows, 0x01234567);
            for (size_t r = 0; r < rows; ++r) std::fill_n(&expected[r * pitch + start], width, 0x01234567);
            ASSERT_EQ(filled, expected) << "fill width " << width << " offset " << offset;
            for (CopyMode mode : {CopyMode::opaque, CopyMode::transparent}) {
                for (bool mirrored : {false, true}) {
                    const std::vector<uint32_t> source = randomPixels(random, sourcePitch * (rows - 1) + width);
                    // Random around the runs too, so that a stray write shows.
                    std::vector<uint32_t> actual = randomPixels(random, pitch * rows);
                    expected = actual;
                    for (size_t r = 0; r < rows; ++r) {
                        for (size_t i = 0; i < width; ++i) {
                            const size_t from = r * sourcePitch + (mirrored ? width - 1 - i : i);
                            referenceCopyPixel(expected[r * pitch + start + i], source[from], mode);
                        }
                    }
                    if (width > 0) {
                        const BlockCopy block{actual.data() + start, pitch,
                                              source.data() + (mirrored ? width - 1 : 0), sourcePitch, width, rows};
                        if (mirrored) copyBlockMirroredWith(path, block, mode);
                        else copyBlockWith(path, block, mode);
                    }
                    ASSERT_EQ(actual, expected) << "width " << width << " offset " << offset << " mirrored " << mirrored;
                }
            }
        }
    }
}

// Long runs take another road through the processor; they must stop where they should.
TEST_P(RowPathTest, LongFillsStayInsideTheirRun) {
    for (size_t width : {4095u, 4096u, 4097u, 307200u}) {
        std::vector<uint32_t> filled(width + 2 * guardSize + 1, guard), expected = filled;
        fillBlockWith(GetParam(), filled.data() + guardSize + 1, 0, width, 1, 0xFF00FF00);
        std::fill_n(expected.begin() + guardSize + 1, width, 0xFF00FF00);
        ASSERT_EQ(filled, expected) << width;
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, RowPathTest,
                         ::testing::Values(RowPath::plain, RowPath::sse2, RowPath::avx2, RowPath::avx512));

}  // namespace
