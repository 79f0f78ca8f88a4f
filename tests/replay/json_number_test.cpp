// Dump numbers are written by our own formatter so that every build writes the
// same text; it must match the standard library's shortest form exactly.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "dump.h"

namespace {

std::string standardShortest(double value) {
    char text[64];
    auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : "?";
}

TEST(JsonNumber, MatchesTheShortestStandardForm) {
    const double values[] = {0.0, -0.0, 1.0, -1.0, 0.1, 1000.0, 1000.0201, 1000.5, 1e20, 1e21, 1e22,
                             123456789012345678.0, 1.5e-7, 0.001, 0.0001, 1e-5, 5e-324,
                             std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                             2.0 / 3.0, 1234.5678, 100.0, 1e15, 1e16, 1e17, 9007199254740993.0};
    for (double value : values) EXPECT_EQ(jsonDouble(value), standardShortest(value)) << value;
}

TEST(JsonNumber, MatchesOnClockTimesAndRandomBits) {
    for (int tenths = 0; tenths < 200000; tenths += 7)  // the game clock as the harness counts it
        ASSERT_EQ(jsonDouble(1000.0 + tenths / 10000.0), standardShortest(1000.0 + tenths / 10000.0));
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        ASSERT_EQ(jsonDouble(value), standardShortest(value)) << bits;
    }
}

// Floats read back as the same float; what is no number is null; strings are escaped.
TEST(JsonNumber, FloatsReadBackNotANumberIsNullAndStringsAreEscaped) {
    for (float value : {-100.0f, 0.1f, 1.0f / 3.0f, -0.000123f, 3.4e38f})
        EXPECT_EQ(std::strtof(jsonFloat(value).c_str(), nullptr), value) << jsonFloat(value);
    for (double value : {std::nan(""), std::numeric_limits<double>::infinity()}) EXPECT_EQ(jsonDouble(value), "null");
    EXPECT_EQ(jsonFloat(std::nanf("")), "null");
    EXPECT_EQ(jsonString("a\"b\\c\t\xE9"), "\"a\\\"b\\\\c\\u0009\\u00e9\"");
}

}  // namespace
