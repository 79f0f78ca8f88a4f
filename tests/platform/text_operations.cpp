#include <gtest/gtest.h>
#include <cmath>
#include <tuple>
#include "platform/text.h"

namespace {

TEST(TextTest, FindText) {
    const std::tuple<int32_t, const char*, const char*, int32_t> cases[] = {
        {1, "1,2,3", ",", 2}, {3, "1,2,3", ",", 4}, {6, "1,2,3", ",", 0}, {5, "1,2,3", "3", 5},
        {1, "abc", "", 0},    {1, "", "a", 0},      {0, "abc", "a", 0},   {-3, "abc", "a", 0},
        {1, "ab", "abc", 0},  {2, "abab", "ab", 3},
    };
    for (auto [start, text, pattern, found] : cases) {
        EXPECT_EQ(findText(start, text, pattern), found) << text << " " << pattern << " from " << start;
    }
}

TEST(TextTest, CuttingTexts) {
    const std::pair<std::string, std::string> cases[] = {
        {midText("tilewidth", 5, -1), "width"}, {midText("abc", 4, 1), ""},  {midText("abc", 2, 10), "bc"},
        {midText("abc", 0, 2), ""},             {midText("abc", 1, 0), ""},  {midText("abc", 3, 1), "c"},
        {midText("abc", 1, INT32_MAX), "abc"},  {leftText("abc", -1), ""},   {leftText("abc", 2), "ab"},
        {leftText("abc", 99), "abc"},           {rightText("abc", 0), ""},   {rightText("abc", 2), "bc"},
        {rightText("abc", 99), "abc"},          {trimSpaces("  a b  "), "a b"}, {trimSpaces("\t<d>"), "\t<d>"},
        {trimSpaces("    "), ""},
    };
    for (const auto& [cut, expected] : cases) EXPECT_EQ(cut, expected);
}

TEST(TextTest, TextValue) {
    const std::pair<const char*, double> cases[] = {
        {" 42,", 42},  {"abc", 0},    {"1.5e1", 15},   {"12abc", 12},  {"", 0},      {"-7", -7},
        {"+.5", 0.5},  {".", 0},      {"-", 0},        {"3.", 3},      {"2d2", 200}, {"2D-1", 0.2},
        {"1e", 1},     {"1e+", 1},    {"5E+2x", 500},  {"&HFF", 255},  {"&hff", 255}, {"&O17", 15},
        {"&B101", 5},  {"&H", 0},     {"&HG", 0},      {"&X12", 0},    {"  &H10 ", 16}, {"\t5", 0},
        {"1 2", 1},
    };
    for (auto [text, value] : cases) EXPECT_DOUBLE_EQ(textValue(text), value) << '"' << text << '"';
}

// Seven significant digits, no trailing zeros; exponents only beyond them.
TEST(TextTest, FloatsToText) {
    const std::pair<float, const char*> cases[] = {
        {12.5f, "12.5"}, {-100.0f, "-100"}, {1234567.0f, "1234567"}, {12345678.0f, "1.234568e+07"},
        {0.0001f, "0.0001"}, {0.00001f, "1e-05"}, {1.0f / 3.0f, "0.3333333"}};
    for (auto [value, text] : cases) EXPECT_EQ(floatToText(value), text);
}

// Halves go to the even neighbour; the rest saturates.
TEST(TextTest, RoundToInt) {
    const std::pair<double, int32_t> cases[] = {
        {0.5, 0},    {1.5, 2},    {2.5, 2},           {-0.5, 0},          {-1.5, -2},               {1.4999, 1},
        {-2.6, -3},  {3e10, INT32_MAX}, {-3e10, INT32_MIN}, {2147483647.4, INT32_MAX}, {std::nan(""), 0},
        {HUGE_VAL, INT32_MAX}};
    for (auto [value, rounded] : cases) EXPECT_EQ(roundToInt(value), rounded) << value;
}

}  // namespace
