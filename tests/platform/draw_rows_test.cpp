// The wide block paths against the per-pixel rule, on random data of every
// width from 0 to 70, at odd offsets, over rows a pitch apart, with guard
// pixels around every run.
#include <gtest/gtest.h>
#include <random>
#include <vector>
#include "platform/draw_rows.h"

namespace {

constexpr uint32_t guard = 0xDEADBEEF;
constexpr size_t guardSize = 9;
constexpr size_t rows = 3;

std::vector<uint32_t> randomPixels(std::mt19937& random, size_t count) {
    // About half key colours under any alpha, in runs of 1 to 12 so that
    // blocks of all keys and of no keys both occur.
    std::vector<uint32_t> pixels(count);
    size_t run = 0;
    bool key = false;
    for (uint32_t& pixel : pixels) {
        if (run == 0) {
            run = 1 + random() % 12;
            key = random() % 2;
        }
        --run;
        const uint32_t value = static_cast<uint32_t>(random());
        pixel = key ? (value & 0xFF000000u) | 0x00FF00FFu : value;
    }
    return pixels;
}

void referencePixel(uint32_t& target, uint32_t pixel, CopyMode mode) {
    if (mode == CopyMode::opaque) target = pixel;
    else if ((pixel & 0xFFFFFF) != 0xFF00FF) target = pixel & 0xFFFFFF;
}

class RowPathTest : public ::testing::TestWithParam<RowPath> {};

TEST_P(RowPathTest, MatchesThePixelRule) {
    const RowPath path = GetParam();
    if (!rowPathAvailable(path)) GTEST_SKIP() << "processor lacks this path";
    std::mt19937 random(static_cast<unsigned>(path) + 1);
    for (size_t width = 0; width <= 70; ++width) {
        for (size_t offset : {0u, 1u, 3u, 5u}) {
            // Each target row is the run between guards; the source is exactly
            // the runs, so a read past them is caught by the sanitizer.
            const size_t pitch = width + offset + 2 * guardSize;
            const size_t sourcePitch = width + offset % 2;
            for (CopyMode mode : {CopyMode::opaque, CopyMode::transparent}) {
                for (bool mirrored : {false, true}) {
                    const std::vector<uint32_t> source = randomPixels(random, sourcePitch * (rows - 1) + width);
                    std::vector<uint32_t> actual = randomPixels(random, pitch * rows);
                    for (size_t r = 0; r < rows; ++r) {
                        std::fill_n(actual.begin() + static_cast<long>(r * pitch), guardSize + offset, guard);
                        std::fill_n(actual.begin() + static_cast<long>(r * pitch + pitch - guardSize), guardSize, guard);
                    }
                    std::vector<uint32_t> expected = actual;
                    const size_t start = guardSize + offset;
                    for (size_t r = 0; r < rows; ++r) {
                        for (size_t i = 0; i < width; ++i) {
                            const size_t from = r * sourcePitch + (mirrored ? width - 1 - i : i);
                            referencePixel(expected[r * pitch + start + i], source[from], mode);
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
            std::vector<uint32_t> filled(pitch * rows, guard), expected = filled;
            fillBlockWith(path, filled.data() + guardSize + offset, pitch, width, rows, 0x01234567);
            for (size_t r = 0; r < rows; ++r) {
                std::fill_n(expected.begin() + static_cast<long>(r * pitch + guardSize + offset), width, 0x01234567);
            }
            ASSERT_EQ(filled, expected) << "fill width " << width << " offset " << offset;
        }
    }
}

// Long runs take another road through the processor; they must stop where they should.
TEST_P(RowPathTest, LongFillsStayInsideTheirRun) {
    const RowPath path = GetParam();
    if (!rowPathAvailable(path)) GTEST_SKIP() << "processor lacks this path";
    for (size_t width : {4095u, 4096u, 4097u, 307200u}) {
        std::vector<uint32_t> filled(width + 2 * guardSize + 1, guard), expected = filled;
        fillBlockWith(path, filled.data() + guardSize + 1, 0, width, 1, 0xFF00FF00);
        std::fill_n(expected.begin() + guardSize + 1, width, 0xFF00FF00);
        ASSERT_EQ(filled, expected) << width;
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, RowPathTest,
                         ::testing::Values(RowPath::plain, RowPath::sse2, RowPath::avx2, RowPath::avx512));

}  // namespace
