#include "draw_rows.h"
#include <cstring>

namespace {

void fillRowPlain(uint32_t* target, size_t count, uint32_t colour) {
    for (size_t i = 0; i < count; ++i) target[i] = colour;
}

void copyRowTransparentPlain(uint32_t* target, const uint32_t* source, size_t count) {
    for (size_t i = 0; i < count; ++i) putTransparentPixel(target[i], source[i]);
}

void copyRowMirroredPlain(uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode) {
    if (mode == CopyMode::opaque) {
        for (size_t i = 0; i < count; ++i) target[i] = *(sourceLast - i);
        return;
    }
    for (size_t i = 0; i < count; ++i) putTransparentPixel(target[i], *(sourceLast - i));
}

RowPath detectRowPath() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return RowPath::avx2;
    return RowPath::sse2;
#else
    return RowPath::plain;
#endif
}

RowPath usable(RowPath path) { return rowPathAvailable(path) ? path : RowPath::plain; }

}  // namespace

RowPath bestRowPath() {
    static const RowPath best = detectRowPath();
    return best;
}

bool rowPathAvailable(RowPath path) {
    switch (path) {
    case RowPath::plain: return true;
    case RowPath::sse2: return bestRowPath() != RowPath::plain;
    case RowPath::avx2: return bestRowPath() == RowPath::avx2;
    }
    return false;
}

void fillRowWith(RowPath path, uint32_t* target, size_t count, uint32_t colour) {
    switch (usable(path)) {
#if defined(__x86_64__)
    case RowPath::avx2: fillRowAvx2(target, count, colour); return;
    case RowPath::sse2: fillRowSse2(target, count, colour); return;
#endif
    default: fillRowPlain(target, count, colour);
    }
}

void copyRowWith(RowPath path, uint32_t* target, const uint32_t* source, size_t count, CopyMode mode) {
    if (mode == CopyMode::opaque) {
        std::memmove(target, source, count * sizeof(uint32_t));
        return;
    }
    switch (usable(path)) {
#if defined(__x86_64__)
    case RowPath::avx2: copyRowTransparentAvx2(target, source, count); return;
    case RowPath::sse2: copyRowTransparentSse2(target, source, count); return;
#endif
    default: copyRowTransparentPlain(target, source, count);
    }
}

void copyRowMirroredWith(RowPath path, uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode) {
    switch (usable(path)) {
#if defined(__x86_64__)
    case RowPath::avx2: copyRowMirroredAvx2(target, sourceLast, count, mode); return;
    case RowPath::sse2: copyRowMirroredSse2(target, sourceLast, count, mode); return;
#endif
    default: copyRowMirroredPlain(target, sourceLast, count, mode);
    }
}

void fillRow(uint32_t* target, size_t count, uint32_t colour) { fillRowWith(bestRowPath(), target, count, colour); }

void copyRow(uint32_t* target, const uint32_t* source, size_t count, CopyMode mode) {
    copyRowWith(bestRowPath(), target, source, count, mode);
}

void copyRowMirrored(uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode) {
    copyRowMirroredWith(bestRowPath(), target, sourceLast, count, mode);
}
