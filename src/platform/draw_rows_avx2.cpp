// Eight pixels at a time with AVX2, used only where the processor has it. The
// transparent copy stores through a mask and never reads the target.
#if defined(__x86_64__)
#include <immintrin.h>
#include "draw_rows.h"

#define WITH_AVX2 __attribute__((target("avx2")))

namespace {

// Stores the pixels that are not the key colour, alpha cleared, in the lanes
// that `lanes` allows.
WITH_AVX2 inline void putTransparentBlock(uint32_t* target, __m256i pixels, __m256i lanes) {
    const __m256i colour = _mm256_and_si256(pixels, _mm256_set1_epi32(0x00FFFFFF));
    const __m256i isKey = _mm256_cmpeq_epi32(colour, _mm256_set1_epi32(0x00FF00FF));
    const __m256i write = _mm256_andnot_si256(isKey, lanes);
    const int writes = _mm256_movemask_ps(_mm256_castsi256_ps(write));
    if (writes == 0) return;
    if (writes == 0xFF) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(target), colour);
        return;
    }
    _mm256_maskstore_epi32(reinterpret_cast<int*>(target), write, colour);
}

WITH_AVX2 inline __m256i allLanes() { return _mm256_set1_epi32(-1); }

// Lanes 0..count-1 set, for a block at the end of a row.
WITH_AVX2 inline __m256i firstLanes(size_t count) {
    return _mm256_cmpgt_epi32(_mm256_set1_epi32(static_cast<int>(count)), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

WITH_AVX2 inline __m256i reversed(__m256i pixels) {
    return _mm256_permutevar8x32_epi32(pixels, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0));
}

WITH_AVX2 inline void fillRow(uint32_t* target, size_t count, uint32_t colour) {
    const __m256i wide = _mm256_set1_epi32(static_cast<int>(colour));
    size_t i = 0;
    for (; i + 8 <= count; i += 8) _mm256_storeu_si256(reinterpret_cast<__m256i*>(target + i), wide);
    if (i < count) _mm256_maskstore_epi32(reinterpret_cast<int*>(target + i), firstLanes(count - i), wide);
}

WITH_AVX2 inline void transparentRow(uint32_t* target, const uint32_t* source, size_t count) {
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        putTransparentBlock(target + i, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i)), allLanes());
    }
    if (i < count) {
        // Masked-off lanes are neither read nor written, so the row's end is safe.
        const __m256i lanes = firstLanes(count - i);
        putTransparentBlock(target + i, _mm256_maskload_epi32(reinterpret_cast<const int*>(source + i), lanes), lanes);
    }
}

WITH_AVX2 inline void mirroredRow(uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode) {
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i pixels = reversed(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(sourceLast - i - 7)));
        if (mode == CopyMode::opaque) _mm256_storeu_si256(reinterpret_cast<__m256i*>(target + i), pixels);
        else putTransparentBlock(target + i, pixels, allLanes());
    }
    for (; i < count; ++i) {
        if (mode == CopyMode::opaque) target[i] = *(sourceLast - i);
        else putTransparentPixel(target[i], *(sourceLast - i));
    }
}

}  // namespace

WITH_AVX2 void fillBlockAvx2(uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour) {
    for (size_t r = 0; r < rows; ++r, target += pitch) fillRow(target, columns, colour);
}

WITH_AVX2 void copyBlockTransparentAvx2(const BlockCopy& block) {
    uint32_t* target = block.target;
    const uint32_t* source = block.source;
    for (size_t r = 0; r < block.rows; ++r, target += block.targetPitch, source += block.sourcePitch) {
        transparentRow(target, source, block.columns);
    }
}

WITH_AVX2 void copyBlockMirroredAvx2(const BlockCopy& block, CopyMode mode) {
    uint32_t* target = block.target;
    const uint32_t* source = block.source;
    for (size_t r = 0; r < block.rows; ++r, target += block.targetPitch, source += block.sourcePitch) {
        mirroredRow(target, source, block.columns, mode);
    }
}
#endif
