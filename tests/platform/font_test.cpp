#include <gtest/gtest.h>
#include <set>
#include <vector>
#include "platform/font.h"

namespace {

std::vector<uint8_t> glyph(int code) { return {fontGlyphs[code], fontGlyphs[code] + 8}; }

TEST(FontTest, PrintableCharactersHaveDistinctVisibleGlyphs) {
    std::set<std::vector<uint8_t>> seen;
    for (int code = 33; code <= 126; ++code) {
        int bits = 0;
        for (uint8_t row : glyph(code)) bits += __builtin_popcount(row);
        EXPECT_GE(bits, 2) << "code " << code;
        EXPECT_TRUE(seen.insert(glyph(code)).second) << "code " << code << " repeats another glyph";
    }
}

TEST(FontTest, OtherCodesAreBlank) {
    for (int code = 0; code < 256; ++code) {
        if (code > 32 && code < 127) continue;
        EXPECT_EQ(glyph(code), std::vector<uint8_t>(8, 0)) << "code " << code;
    }
}

// Neighbouring characters must not touch: the rightmost column stays clear.
TEST(FontTest, GlyphsLeaveAGapToTheNextCell) {
    for (int code = 32; code <= 126; ++code) {
        if (code == '_') continue;  // the underscore joins up on purpose
        for (uint8_t row : glyph(code)) EXPECT_EQ(row & 0x80, 0) << "code " << code;
    }
}

}  // namespace
