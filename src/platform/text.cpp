// Text operations. Positions count from 1; out-of-range arguments give the
// empty text or 0, never a fault.
#include "text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

int64_t textLength(const std::string& text) { return static_cast<int64_t>(text.size()); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

// &H, &O and &B numbers: as many digits of the base as stand there.
double radixValue(const std::string& text, size_t pos, int base) {
    double value = 0;
    for (; pos < text.size() && digitValue(text[pos]) < base; ++pos)
        value = value * base + digitValue(text[pos]);
    return value;
}

size_t skipDigits(const std::string& text, size_t pos) {
    while (pos < text.size() && isDigit(text[pos])) ++pos;
    return pos;
}

// The longest leading decimal number: sign, digits with an optional point, and
// an exponent after e, E, d or D. Returns 0 when no digit stands there.
double decimalValue(const std::string& text, size_t start) {
    size_t pos = start;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    size_t intEnd = skipDigits(text, pos);
    bool anyDigit = intEnd > pos;
    pos = intEnd;
    if (pos < text.size() && text[pos] == '.') {
        size_t fracEnd = skipDigits(text, pos + 1);
        anyDigit = anyDigit || fracEnd > pos + 1;
        pos = fracEnd;
    }
    if (!anyDigit) return 0;
    std::string number = text.substr(start, pos - start);
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E' || text[pos] == 'd' ||
                              text[pos] == 'D')) {
        size_t expPos = pos + 1;
        if (expPos < text.size() && (text[expPos] == '+' || text[expPos] == '-')) ++expPos;
        size_t expEnd = skipDigits(text, expPos);
        if (expEnd > expPos) number += 'e' + text.substr(pos + 1, expEnd - pos - 1);
    }
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace

int32_t findText(int32_t start, const std::string& text, const std::string& pattern) {
    if (start < 1 || text.empty() || pattern.empty() || start > textLength(text) ||
        pattern.size() > text.size())
        return 0;
    size_t found = text.find(pattern, static_cast<size_t>(start) - 1);
    return found == std::string::npos ? 0 : static_cast<int32_t>(found + 1);
}

std::string midText(const std::string& text, int32_t start, int32_t length) {
    if (start < 1 || start > textLength(text) || length == 0) return {};
    size_t from = static_cast<size_t>(start) - 1;
    if (length < 0) return text.substr(from);
    return text.substr(from, static_cast<size_t>(length));
}

std::string leftText(const std::string& text, int32_t n) {
    if (n <= 0) return {};
    return text.substr(0, static_cast<size_t>(n));
}

std::string rightText(const std::string& text, int32_t n) {
    if (n <= 0) return {};
    if (n >= textLength(text)) return text;
    return text.substr(text.size() - static_cast<size_t>(n));
}

std::string trimSpaces(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

double textValue(const std::string& text) {
    size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) return 0;
    if (text[pos] == '&' && pos + 1 < text.size()) {
        switch (text[pos + 1]) {
            case 'H': case 'h': return radixValue(text, pos + 2, 16);
            case 'O': case 'o': return radixValue(text, pos + 2, 8);
            case 'B': case 'b': return radixValue(text, pos + 2, 2);
            default: break;
        }
    }
    return decimalValue(text, pos);
}

std::string intToText(int64_t n) { return std::to_string(n); }

std::string floatToText(float f) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(f));
    return buffer;
}

int32_t charCodeAt(const std::string& text, int32_t pos) {
    if (pos < 1 || pos > textLength(text)) return 0;
    return static_cast<unsigned char>(text[static_cast<size_t>(pos) - 1]);
}

int32_t roundToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(std::nearbyint(value));
}
