#include "draw_rows.h"
#include <algorithm>
#include <cstring>

void fillRow(uint32_t* target, size_t count, uint32_t colour) { std::fill_n(target, count, colour); }

void copyRow(uint32_t* target, const uint32_t* source, size_t count, CopyMode mode) {
    if (mode == CopyMode::opaque) {
        std::memmove(target, source, count * sizeof(uint32_t));
        return;
    }
    for (size_t i = 0; i < count; ++i) putTransparentPixel(target[i], source[i]);
}

void copyRowMirrored(uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode) {
    if (mode == CopyMode::opaque) {
        for (size_t i = 0; i < count; ++i) target[i] = *(sourceLast - i);
        return;
    }
    for (size_t i = 0; i < count; ++i) putTransparentPixel(target[i], *(sourceLast - i));
}
