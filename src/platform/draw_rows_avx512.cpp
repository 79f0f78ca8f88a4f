// Sixteen pixels at a time with AVX-512, used only where the processor has it.
// Compares give a lane mask directly, so even the end of a row and the
// pixels of the key colour cost one masked store.
#if defined(__x86_64__)
#include <immintrin.h>
#include "draw_rows.h"

#define WITH_AVX512 __attribute__((target("avx512f")))

namespace {

WITH_AVX512 inline __mmask16 firstLanes(size_t count) {
    return static_cast<__mmask16>((1u << count) - 1);
}

// Writes the lanes of `lanes` whose pixel is not the key colour, alpha cleared.
WITH_AVX512 inline void putTransparentBlock(uint32_t* target, __m512i pixels, __mmask16 lanes) {
    const __m512i colour = _mm512_and_si512(pixels, _mm512_set1_epi32(0x00FFFFFF));
    const __mmask16 write = _mm512_mask_cmpneq_epi32_mask(lanes, colour, _mm512_set1_epi32(0x00FF00FF));
    _mm512_mask_storeu_epi32(target, write, colour);
}

WITH_AVX512 inline __m512i reversed(__m512i pixels) {
    return _mm512_maskz_permutexvar_epi32(0xFFFF, _mm512_setr_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0), pixels);
}

WITH_AVX512 inline void fillRow(uint32_t* target, size_t count, uint32_t colour) {
    const __m512i wide = _mm512_set1_epi32(static_cast<int>(colour));
    size_t i = 0;
    for (; i + 16 <= count; i += 16) _mm512_storeu_si512(target + i, wide);
    if (i < count) _mm512_mask_storeu_epi32(target + i, firstLanes(count - i), wide);
}

WITH_AVX512 inline void transparentRow(uint32_t* target, const uint32_t* source, size_t count) {
    size_t i = 0;
    for (; i + 16 <= count; i += 16) putTransparentBlock(target + i, _mm512_loadu_si512(source + i), 0xFFFF);
    if (i < count) {
        // Masked-off lanes are neither read nor written, so the row's end is safe.
        const __mmask16 lanes = firstLanes(count - i);
        putTransparentBlock(target + i, _mm512_maskz_loadu_epi32(lanes, source + i), lanes);
    }
}

WITH_AVX512 inline void mirroredRow(uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode) {
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m512i pixels = reversed(_mm512_loadu_si512(sourceLast - i - 15));
        if (mode == CopyMode::opaque) _mm512_storeu_si512(target + i, pixels);
        else putTransparentBlock(target + i, pixels, 0xFFFF);
    }
    if (i < count) {
        // The last pixels sit in the top lanes of the block that ends at sourceLast - i.
        const size_t left = count - i;
        const __mmask16 top = static_cast<__mmask16>(firstLanes(left) << (16 - left));
        const __m512i pixels = reversed(_mm512_maskz_loadu_epi32(top, sourceLast - i - 15));
        if (mode == CopyMode::opaque) _mm512_mask_storeu_epi32(target + i, firstLanes(left), pixels);
        else putTransparentBlock(target + i, pixels, firstLanes(left));
    }
}

}  // namespace

WITH_AVX512 void fillBlockAvx512(uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour) {
    for (size_t r = 0; r < rows; ++r, target += pitch) fillRow(target, columns, colour);
}

WITH_AVX512 void copyBlockTransparentAvx512(const BlockCopy& block) {
    uint32_t* target = block.target;
    const uint32_t* source = block.source;
    for (size_t r = 0; r < block.rows; ++r, target += block.targetPitch, source += block.sourcePitch) {
        transparentRow(target, source, block.columns);
    }
}

WITH_AVX512 void copyBlockMirroredAvx512(const BlockCopy& block, CopyMode mode) {
    uint32_t* target = block.target;
    const uint32_t* source = block.source;
    for (size_t r = 0; r < block.rows; ++r, target += block.targetPitch, source += block.sourcePitch) {
        mirroredRow(target, source, block.columns, mode);
    }
}
#endif
