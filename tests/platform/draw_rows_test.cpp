// The wide block paths against the per-pixel rule, on random data of every
// width from 0 to 70, at odd offsets, over rows a pitch apart, with pixels
// around every run that must stay as they were.
#include "draw_test_support.h"
#include "platform/draw_rows.h"

namespace {

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
