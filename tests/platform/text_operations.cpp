#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/text.h"

namespace {

TEST(TextTest, FindText) {
    struct Case {
        int32_t start;
        const char* text;
        const char* pattern;
        int32_t found;
    } cases[] = {
        {1, "1,2,3", ",", 2}, {3, "1,2,3", ",", 4}, {6, "1,2,3", ",", 0}, {5, "1,2,3", "3", 5},
        {1, "abc", "", 0},    {1, "", "a", 0},      {0, "abc", "a", 0},   {-3, "abc", "a", 0},
        {1, "ab", "abc", 0},  {1, "abab", "ab", 1}, {2, "abab", "ab", 3}, {1, "abc", "x", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findText(c.start, c.text, c.pattern), c.found) << c.text << " " << c.pattern << " from " << c.start;
}

TEST(TextTest, CuttingTexts) {
    EXPECT_EQ(midText("tilewidth", 5, -1), "width");
    EXPECT_EQ(midText("abc", 4, 1), "");
    EXPECT_EQ(midText("abc", 2, 10), "bc");
    EXPECT_EQ(midText("abc", 0, 2), "");
    EXPECT_EQ(midText("abc", 1, 0), "");
    EXPECT_EQ(midText("abc", 3, 1), "c");
    EXPECT_EQ(midText("abc", 1, std::numeric_limits<int32_t>::max()), "abc");
    for (int32_t n : {-1, 0}) {
        EXPECT_EQ(leftText("abc", n), "");
        EXPECT_EQ(rightText("abc", n), "");
    }
    EXPECT_EQ(leftText("abc", 2), "ab");
    EXPECT_EQ(rightText("abc", 2), "bc");
    EXPECT_EQ(leftText("abc", 99), "abc");
    EXPECT_EQ(rightText("abc", 99), "abc");
    EXPECT_EQ(trimSpaces("  a b  "), "a b");
    EXPECT_EQ(trimSpaces("\t<data>"), "\t<data>");
    EXPECT_EQ(trimSpaces("    "), "");
}

TEST(TextTest, TextValue) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {" 42,", 42},    {"abc", 0},     {"1.5e1", 15},      {"12abc", 12},     {"", 0},
        {"-7", -7},      {"+.5", 0.5},   {".", 0},           {"-", 0},          {"3.", 3},
        {"2d2", 200},    {"2D-1", 0.2},  {"1e", 1},          {"1e+", 1},        {"5E+2x", 500},
        {"&HFF", 255},   {"&hff", 255},  {"&O17", 15},       {"&B101", 5},      {"&H", 0},
        {"&HG", 0},      {"&X12", 0},    {"  &H10 ", 16},    {"\t5", 0},        {"1 2", 1},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(textValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextTest, NumbersToText) {
    EXPECT_EQ(intToText(-7), "-7");
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(-2147483648LL), "-2147483648");
    struct Case {
        float value;
        const char* text;
    } cases[] = {{12.5f, "12.5"}, {100.0f, "100"},       {0.1f, "0.1"},        {-100.0f, "-100"},
                 {0.0f, "0"},     {1234567.0f, "1234567"}, {12345678.0f, "1.234568e+07"},
                 {0.0001f, "0.0001"}, {0.00001f, "1e-05"}, {1.0f / 3.0f, "0.3333333"}};
    for (const Case& c : cases) EXPECT_EQ(floatToText(c.value), c.text);
}

TEST(TextTest, CharCodes) {
    std::string text = "A\xff";
    EXPECT_EQ(charCodeAt(text, 1), 65);
    EXPECT_EQ(charCodeAt(text, 2), 255);
    EXPECT_EQ(charCodeAt(text, 0), 0);
    EXPECT_EQ(charCodeAt(text, 3), 0);
}

TEST(TextTest, RoundToInt) {
    struct Case {
        double value;
        int32_t rounded;
    } cases[] = {{0.5, 0},         {1.5, 2},         {2.5, 2},          {-0.5, 0},
                 {-1.5, -2},       {1.4999, 1},      {-2.6, -3},        {3e10, INT32_MAX},
                 {-3e10, INT32_MIN}, {2147483647.4, INT32_MAX}, {std::nan(""), 0},
                 {HUGE_VAL, INT32_MAX}};
    for (const Case& c : cases) EXPECT_EQ(roundToInt(c.value), c.rounded) << c.value;
}

}  // namespace
