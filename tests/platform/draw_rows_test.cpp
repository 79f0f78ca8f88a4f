// The wide row paths against the per-pixel rule, on random data of every
// width from 0 to 70 and at odd offsets, with guard pixels around each run.
#include <gtest/gtest.h>
#include <random>
#include <vector>
#include "platform/draw_rows.h"

namespace {

constexpr uint32_t guard = 0xDEADBEEF;
constexpr size_t guardSize = 9;

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

void referenceRow(uint32_t* target, const uint32_t* source, size_t count, CopyMode mode, bool mirrored) {
    for (size_t i = 0; i < count; ++i) {
        const uint32_t pixel = mirrored ? *(source - i) : source[i];
        if (mode == CopyMode::opaque) target[i] = pixel;
        else if ((pixel & 0xFFFFFF) != 0xFF00FF) target[i] = pixel & 0xFFFFFF;
    }
}

class RowPathTest : public ::testing::TestWithParam<RowPath> {};

TEST_P(RowPathTest, MatchesThePixelRule) {
    const RowPath path = GetParam();
    if (!rowPathAvailable(path)) GTEST_SKIP() << "processor lacks this path";
    std::mt19937 random(static_cast<unsigned>(path) + 1);
    for (size_t width = 0; width <= 70; ++width) {
        for (size_t offset : {0u, 1u, 3u, 5u}) {
            for (CopyMode mode : {CopyMode::opaque, CopyMode::transparent}) {
                for (bool mirrored : {false, true}) {
                    // The source is exactly the run, so reading past it is caught by the sanitizer.
                    const std::vector<uint32_t> source = randomPixels(random, width);
                    std::vector<uint32_t> actual = randomPixels(random, width + offset + 2 * guardSize);
                    std::fill_n(actual.begin(), guardSize + offset, guard);
                    std::fill(actual.end() - guardSize, actual.end(), guard);
                    std::vector<uint32_t> expected = actual;
                    uint32_t* out = actual.data() + guardSize + offset;
                    if (width > 0 && mirrored) {
                        copyRowMirroredWith(path, out, source.data() + width - 1, width, mode);
                        referenceRow(expected.data() + guardSize + offset, source.data() + width - 1, width, mode, true);
                    } else if (width > 0) {
                        copyRowWith(path, out, source.data(), width, mode);
                        referenceRow(expected.data() + guardSize + offset, source.data(), width, mode, false);
                    }
                    ASSERT_EQ(actual, expected) << "width " << width << " offset " << offset << " mirrored " << mirrored;
                }
            }
            std::vector<uint32_t> filled(width + offset + 2 * guardSize, guard), expected = filled;
            fillRowWith(path, filled.data() + guardSize + offset, width, 0x01234567);
            std::fill_n(expected.begin() + static_cast<long>(guardSize + offset), width, 0x01234567);
            ASSERT_EQ(filled, expected) << "fill width " << width << " offset " << offset;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, RowPathTest, ::testing::Values(RowPath::plain, RowPath::sse2, RowPath::avx2));

}  // namespace
