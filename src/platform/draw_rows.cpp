#include "draw_rows.h"
#include <cstring>

namespace {

void fillBlockPlain(uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour) {
    for (size_t r = 0; r < rows; ++r, target += pitch) {
        for (size_t i = 0; i < columns; ++i) target[i] = colour;
    }
}

void copyBlockTransparentPlain(const BlockCopy& block) {
    uint32_t* target = block.target;
    const uint32_t* source = block.source;
    for (size_t r = 0; r < block.rows; ++r, target += block.targetPitch, source += block.sourcePitch) {
        for (size_t i = 0; i < block.columns; ++i) putTransparentPixel(target[i], source[i]);
    }
}

void copyBlockMirroredPlain(const BlockCopy& block, CopyMode mode) {
    uint32_t* target = block.target;
    const uint32_t* source = block.source;
    for (size_t r = 0; r < block.rows; ++r, target += block.targetPitch, source += block.sourcePitch) {
        for (size_t i = 0; i < block.columns; ++i) {
            if (mode == CopyMode::opaque) target[i] = *(source - i);
            else putTransparentPixel(target[i], *(source - i));
        }
    }
}

void copyBlockOpaque(const BlockCopy& block) {
    uint32_t* target = block.target;
    const uint32_t* source = block.source;
    for (size_t r = 0; r < block.rows; ++r, target += block.targetPitch, source += block.sourcePitch) {
        std::memmove(target, source, block.columns * sizeof(uint32_t));
    }
}

RowPath detectRowPath() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return RowPath::avx512;
    if (__builtin_cpu_supports("avx2")) return RowPath::avx2;
    return RowPath::sse2;
#else
    return RowPath::plain;
#endif
}

#if defined(__x86_64__)
// A long run is filled by the processor's string store, which writes whole
// cache lines without first reading them and so keeps up with memset.
constexpr size_t longRun = 4096;
void fillLongRun(uint32_t* target, size_t count, uint32_t colour) {
    asm volatile("rep stosl" : "+D"(target), "+c"(count) : "a"(colour) : "memory");
}
#endif

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
    case RowPath::avx2: return bestRowPath() == RowPath::avx2 || bestRowPath() == RowPath::avx512;
    case RowPath::avx512: return bestRowPath() == RowPath::avx512;
    }
    return false;
}

void fillBlockWith(RowPath path, uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour) {
#if defined(__x86_64__)
    if (path != RowPath::plain && rows == 1 && columns >= longRun) {
        fillLongRun(target, columns, colour);
        return;
    }
#endif
    switch (usable(path)) {
#if defined(__x86_64__)
    case RowPath::avx512: fillBlockAvx512(target, pitch, columns, rows, colour); return;
    case RowPath::avx2: fillBlockAvx2(target, pitch, columns, rows, colour); return;
    case RowPath::sse2: fillBlockSse2(target, pitch, columns, rows, colour); return;
#endif
    default: fillBlockPlain(target, pitch, columns, rows, colour);
    }
}

void copyBlockWith(RowPath path, const BlockCopy& block, CopyMode mode) {
    if (mode == CopyMode::opaque) {
        copyBlockOpaque(block);
        return;
    }
    switch (usable(path)) {
#if defined(__x86_64__)
    case RowPath::avx512: copyBlockTransparentAvx512(block); return;
    case RowPath::avx2: copyBlockTransparentAvx2(block); return;
    case RowPath::sse2: copyBlockTransparentSse2(block); return;
#endif
    default: copyBlockTransparentPlain(block);
    }
}

void copyBlockMirroredWith(RowPath path, const BlockCopy& block, CopyMode mode) {
    switch (usable(path)) {
#if defined(__x86_64__)
    case RowPath::avx512: copyBlockMirroredAvx512(block, mode); return;
    case RowPath::avx2: copyBlockMirroredAvx2(block, mode); return;
    case RowPath::sse2: copyBlockMirroredSse2(block, mode); return;
#endif
    default: copyBlockMirroredPlain(block, mode);
    }
}

void fillBlock(uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour) {
    fillBlockWith(bestRowPath(), target, pitch, columns, rows, colour);
}

void copyBlockRows(const BlockCopy& block, CopyMode mode) { copyBlockWith(bestRowPath(), block, mode); }

void copyBlockMirrored(const BlockCopy& block, CopyMode mode) { copyBlockMirroredWith(bestRowPath(), block, mode); }
