#include "draw.h"
#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>
#include "draw_rows.h"
#include "font.h"
#include "screen.h"

namespace {

// A span of rows touched by one operation, for the screen's changed rows.
struct TouchedRows {
    int32_t first = INT32_MAX;
    int32_t last = INT32_MIN;
    void add(int64_t row) {
        first = std::min(first, static_cast<int32_t>(row));
        last = std::max(last, static_cast<int32_t>(row));
    }
};

int64_t clampTo(int64_t value, int64_t low, int64_t high) { return std::clamp(value, low, high); }

// Fills columns x1..x2 of row y, cut at the target's edges.
void fillSpan(Image& target, int64_t x1, int64_t x2, int64_t y, Colour colour, TouchedRows& rows) {
    if (y < 0 || y >= target.height) return;
    x1 = std::max<int64_t>(x1, 0);
    x2 = std::min<int64_t>(x2, target.width - 1);
    if (x1 > x2) return;
    fillBlock(target.row(static_cast<int32_t>(y)) + x1, 0, static_cast<size_t>(x2 - x1 + 1), 1, colour);
    rows.add(y);
}

void fillRect(Image& target, int64_t x1, int64_t y1, int64_t x2, int64_t y2, Colour colour,
              TouchedRows& rows) {
    x1 = std::max<int64_t>(x1, 0);
    x2 = std::min<int64_t>(x2, target.width - 1);
    y1 = std::max<int64_t>(y1, 0);
    y2 = std::min<int64_t>(y2, target.height - 1);
    if (x1 > x2 || y1 > y2) return;
    size_t columns = static_cast<size_t>(x2 - x1 + 1), rowCount = static_cast<size_t>(y2 - y1 + 1);
    // Whole rows lie end to end: one run.
    if (columns == static_cast<size_t>(target.width)) {
        columns *= rowCount;
        rowCount = 1;
    }
    fillBlock(target.row(static_cast<int32_t>(y1)) + x1, static_cast<size_t>(target.width), columns, rowCount, colour);
    rows.add(y1);
    rows.add(y2);
}

// The source rectangle after ordering and clamping into the source image.
struct SourceRect {
    int64_t x1, y1, x2, y2;
};

SourceRect clampedRect(const Image& source, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    return {clampTo(x1, 0, source.width - 1), clampTo(y1, 0, source.height - 1),
            clampTo(x2, 0, source.width - 1), clampTo(y2, 0, source.height - 1)};
}

// A copy must not read pixels it has already overwritten: when source and
// target are one image, read from a snapshot of it.
const Image* readableSource(const Image& target, const Image* source, Image& snapshot) {
    if (source != &target) return source;
    snapshot = *source;
    return &snapshot;
}

void copyPixel(uint32_t& target, uint32_t pixel, CopyMode mode) {
    if (mode == CopyMode::opaque) target = pixel;
    else putTransparentPixel(target, pixel);
}

constexpr int64_t narrowRun = 4;

void copyBlock(Image& target, int64_t x, int64_t y, const Image* source, int64_t x1, int64_t y1,
               int64_t x2, int64_t y2, CopyMode mode) {
    if (source == nullptr || !imageIsWellFormed(*source)) return;
    if (!beginDrawing(target)) return;
    Image snapshot;
    source = readableSource(target, source, snapshot);
    const SourceRect rect = clampedRect(*source, x1, y1, x2, y2);
    int64_t sx = rect.x1, sy = rect.y1;
    int64_t columns = rect.x2 - rect.x1 + 1, rowCount = rect.y2 - rect.y1 + 1;
    if (x < 0) { sx -= x; columns += x; x = 0; }
    if (y < 0) { sy -= y; rowCount += y; y = 0; }
    columns = std::min<int64_t>(columns, target.width - x);
    rowCount = std::min<int64_t>(rowCount, target.height - y);
    TouchedRows rows;
    if (columns > 0 && rowCount > 0) {
        uint32_t* out = target.row(static_cast<int32_t>(y)) + x;
        const uint32_t* in = source->row(static_cast<int32_t>(sy)) + sx;
        if (columns <= narrowRun) {
            // A run this short costs less pixel by pixel than through a block kernel.
            for (int64_t r = 0; r < rowCount; ++r, out += target.width, in += source->width) {
                for (int64_t c = 0; c < columns; ++c) copyPixel(out[c], in[c], mode);
            }
        } else {
            copyBlockRows({out, static_cast<size_t>(target.width), in, static_cast<size_t>(source->width),
                           static_cast<size_t>(columns), static_cast<size_t>(rowCount)},
                          mode);
        }
        rows.add(y);
        rows.add(y + rowCount - 1);
    }
    endDrawing(target, rows.first, rows.last);
}

}  // namespace

void setPixel(Image& target, int32_t x, int32_t y, Colour colour) {
    if (!beginDrawing(target)) return;
    TouchedRows rows;
    if (x >= 0 && y >= 0 && x < target.width && y < target.height) {
        target.row(y)[x] = colour;
        rows.add(y);
    }
    endDrawing(target, rows.first, rows.last);
}

Colour getPixel(const Image& target, int32_t x, int32_t y) {
    if (!screenIsOpen() || !imageIsWellFormed(target)) return outsideColour;
    if (x < 0 || y < 0 || x >= target.width || y >= target.height) return outsideColour;
    return target.row(y)[x];
}

void drawBox(Image& target, int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour colour) {
    if (!beginDrawing(target)) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    TouchedRows rows;
    fillSpan(target, x1, x2, y1, colour, rows);
    fillSpan(target, x1, x2, y2, colour, rows);
    fillRect(target, x1, y1, x1, y2, colour, rows);
    fillRect(target, x2, y1, x2, y2, colour, rows);
    endDrawing(target, rows.first, rows.last);
}

void fillBox(Image& target, int32_t x1, int32_t y1, int32_t x2, int32_t y2, Colour colour) {
    if (!beginDrawing(target)) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    TouchedRows rows;
    fillRect(target, x1, y1, x2, y2, colour, rows);
    endDrawing(target, rows.first, rows.last);
}

// Radii beyond this would overflow the 64-bit error terms; no target is that large.
constexpr double largestRadius = 1'000'000.0;

void fillCircle(Image& target, int32_t cx, int32_t cy, double radius, Colour colour) {
    if (!(radius > 0.0)) return;  // also refuses NaN
    radius = std::min(radius, largestRadius);
    if (!beginDrawing(target)) return;
    TouchedRows rows;
    int64_t x1 = static_cast<int64_t>(cx - radius);
    int64_t x2 = static_cast<int64_t>(cx + radius);
    fillSpan(target, x1, x2, cy, colour, rows);
    const int64_t a = static_cast<int64_t>(radius * radius);
    int64_t n = static_cast<int64_t>(radius);
    int64_t e = static_cast<int64_t>(radius * static_cast<double>(a));
    int64_t d = 2 * e;
    int64_t s = 0;
    int64_t yDown = cy, yUp = cy;
    int64_t lastDown = cy, lastUp = cy;  // rows that already have their span
    while (true) {
        bool columnStep = true;
        if (e > 0) {
            ++yDown;
            --yUp;
            s += 2 * a;
            e -= s;
            columnStep = e <= 0;
        }
        if (columnStep) {
            --n;
            ++x1;
            --x2;
            d -= 2 * a;
            e += d;
        }
        if (yDown != lastDown) {
            fillSpan(target, x1, x2, yDown, colour, rows);
            lastDown = yDown;
        }
        if (yUp != lastUp) {
            fillSpan(target, x1, x2, yUp, colour, rows);
            lastUp = yUp;
        }
        if (n <= 0) break;
    }
    endDrawing(target, rows.first, rows.last);
}

void putImage(Image& target, int32_t x, int32_t y, const Image* source, CopyMode mode) {
    if (source == nullptr) return;
    copyBlock(target, x, y, source, 0, 0, int64_t{source->width} - 1, int64_t{source->height} - 1, mode);
}

void putImageCorners(Image& target, int32_t x, int32_t y, const Image* source, int32_t x1,
                     int32_t y1, int32_t x2, int32_t y2, CopyMode mode) {
    copyBlock(target, x, y, source, x1, y1, x2, y2, mode);
}

void putImageExtent(Image& target, int32_t x, int32_t y, const Image* source, int32_t x1,
                    int32_t y1, int32_t dx, int32_t dy, CopyMode mode) {
    copyBlock(target, x, y, source, x1, y1, int64_t{x1} + dx, int64_t{y1} + dy, mode);
}

void putImageMirrored(Image& target, int32_t x, int32_t y, const Image* source, int32_t x1,
                      int32_t y1, int32_t x2, int32_t y2, CopyMode mode) {
    if (source == nullptr || !imageIsWellFormed(*source)) return;
    if (!beginDrawing(target)) return;
    Image snapshot;
    source = readableSource(target, source, snapshot);
    // Target column x + i shows source column high - i, each column clamped into
    // the source the way a one-column copy would clamp it.
    const int64_t high = std::max(x1, x2), low = std::min(x1, x2);
    const SourceRect rect = clampedRect(*source, 0, y1, 0, y2);
    int64_t first = std::max<int64_t>(0, -int64_t{x});
    int64_t last = std::min<int64_t>(high - low, int64_t{target.width} - 1 - x);
    int64_t sy = rect.y1, rowCount = rect.y2 - rect.y1 + 1;
    int64_t ty = y;
    if (ty < 0) { sy -= ty; rowCount += ty; ty = 0; }
    rowCount = std::min<int64_t>(rowCount, target.height - ty);
    TouchedRows rows;
    if (first <= last && rowCount > 0) {
        const int64_t rightmost = source->width - 1;
        // Columns i with high - i inside the source form one mirrored run.
        const int64_t runFirst = std::clamp(high - rightmost, first, last + 1);
        const int64_t runLast = std::clamp(high, runFirst - 1, last);
        for (int64_t r = 0; r < rowCount; ++r) {
            uint32_t* out = target.row(static_cast<int32_t>(ty + r)) + x;
            const uint32_t* in = source->row(static_cast<int32_t>(sy + r));
            for (int64_t i = first; i < runFirst; ++i) copyPixel(out[i], in[rightmost], mode);
            for (int64_t i = std::max(runLast + 1, first); i <= last; ++i) copyPixel(out[i], in[0], mode);
        }
        if (runFirst <= runLast) {
            copyBlockMirrored({target.row(static_cast<int32_t>(ty)) + x + runFirst, static_cast<size_t>(target.width),
                               source->row(static_cast<int32_t>(sy)) + (high - runFirst),
                               static_cast<size_t>(source->width), static_cast<size_t>(runLast - runFirst + 1),
                               static_cast<size_t>(rowCount)},
                              mode);
        }
        rows.add(ty);
        rows.add(ty + rowCount - 1);
    }
    endDrawing(target, rows.first, rows.last);
}

void drawText(Image& target, int32_t x, int32_t y, std::string_view text, Colour colour) {
    if (!beginDrawing(target)) return;
    TouchedRows rows;
    const int64_t top = y;
    // Glyph rows that fall inside the target.
    const int64_t firstRow = std::max<int64_t>(0, -top), lastRow = std::min<int64_t>(7, target.height - 1 - top);
    if (firstRow <= lastRow) {
        // Characters wholly left of the target are skipped without a look.
        size_t index = x < 0 ? static_cast<size_t>((-int64_t{x}) / 8) : 0;
        for (; index < text.size(); ++index) {
            const int64_t left = int64_t{x} + 8 * static_cast<int64_t>(index);
            if (left >= target.width) break;
            // Glyph columns inside the target, as bits like the glyph's own.
            uint32_t columns = 0xFF;
            if (left < 0) columns &= 0xFFu << -left;
            if (left + 8 > target.width) columns &= 0xFFu >> (left + 8 - target.width);
            const uint8_t* glyph = fontGlyphs[static_cast<uint8_t>(text[index])];
            for (int64_t gy = firstRow; gy <= lastRow; ++gy) {
                uint32_t bits = glyph[gy] & columns;
                uint32_t* out = target.row(static_cast<int32_t>(top + gy));
                while (bits != 0) {
                    out[left + std::countr_zero(bits)] = colour;
                    bits &= bits - 1;
                }
            }
        }
        rows.add(top + firstRow);
        rows.add(top + lastRow);
    }
    endDrawing(target, rows.first, rows.last);
}
