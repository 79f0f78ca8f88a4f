// Text operations; positions count from 1, 0 means "not found".
#pragma once
#include <cstdint>
#include <string>

int32_t findText(int32_t start, const std::string& text, const std::string& pattern);
std::string midText(const std::string& text, int32_t start, int32_t length);
std::string leftText(const std::string& text, int32_t n);
std::string rightText(const std::string& text, int32_t n);
std::string trimSpaces(const std::string& text);
double textValue(const std::string& text);
std::string intToText(int64_t n);
std::string floatToText(float f);
int32_t charCodeAt(const std::string& text, int32_t pos);
// Nearest integer, halves to the even neighbour, saturated to the 32-bit range.
int32_t roundToInt(double value);
