// Four pixels at a time with SSE2, which every x86-64 processor has.
#if defined(__x86_64__)
#include <emmintrin.h>
#include "draw_rows.h"

namespace {

// Blends one block by the transparent rule: key pixels keep the target's value.
inline void putTransparentBlock(uint32_t* target, __m128i pixels) {
    const __m128i colour = _mm_and_si128(pixels, _mm_set1_epi32(0x00FFFFFF));
    const __m128i isKey = _mm_cmpeq_epi32(colour, _mm_set1_epi32(0x00FF00FF));
    const int keys = _mm_movemask_epi8(isKey);
    if (keys == 0xFFFF) return;
    __m128i* out = reinterpret_cast<__m128i*>(target);
    if (keys == 0) {
        _mm_storeu_si128(out, colour);
        return;
    }
    const __m128i kept = _mm_and_si128(isKey, _mm_loadu_si128(out));
    _mm_storeu_si128(out, _mm_or_si128(kept, _mm_andnot_si128(isKey, colour)));
}

inline __m128i reversed(__m128i pixels) { return _mm_shuffle_epi32(pixels, _MM_SHUFFLE(0, 1, 2, 3)); }

inline void fillRow(uint32_t* target, size_t count, uint32_t colour) {
    const __m128i wide = _mm_set1_epi32(static_cast<int>(colour));
    size_t i = 0;
    for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), wide);
    for (; i < count; ++i) target[i] = colour;
}

inline void transparentRow(uint32_t* target, const uint32_t* source, size_t count) {
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        putTransparentBlock(target + i, _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i)));
    }
    for (; i < count; ++i) putTransparentPixel(target[i], source[i]);
}

inline void mirroredRow(uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode) {
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i pixels = reversed(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sourceLast - i - 3)));
        if (mode == CopyMode::opaque) _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), pixels);
        else putTransparentBlock(target + i, pixels);
    }
    for (; i < count; ++i) {
        if (mode == CopyMode::opaque) target[i] = *(sourceLast - i);
        else putTransparentPixel(target[i], *(sourceLast - i));
    }
}

}  // namespace

void fillBlockSse2(uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour) {
    for (size_t r = 0; r < rows; ++r, target += pitch) fillRow(target, columns, colour);
}

void copyBlockTransparentSse2(const BlockCopy& block) {
    uint32_t* target = block.target;
    const uint32_t* source = block.source;
    for (size_t r = 0; r < block.rows; ++r, target += block.targetPitch, source += block.sourcePitch) {
        transparentRow(target, source, block.columns);
    }
}

void copyBlockMirroredSse2(const BlockCopy& block, CopyMode mode) {
    uint32_t* target = block.target;
    const uint32_t* source = block.source;
    for (size_t r = 0; r < block.rows; ++r, target += block.targetPitch, source += block.sourcePitch) {
        mirroredRow(target, source, block.columns, mode);
    }
}
#endif
