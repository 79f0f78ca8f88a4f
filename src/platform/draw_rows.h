// Row kernels under the drawing operations: whole runs of pixels at a time,
// each giving exactly the per-pixel result of its rule. The widest path the
// processor offers is chosen once, at start-up.
#pragma once
#include <cstddef>
#include <cstdint>
#include "draw.h"

// The transparent copy's rule for one pixel: the key colour (low 24 bits
// 0xFF00FF, any alpha) leaves the target alone, anything else lands with alpha cleared.
inline bool isKeyColour(uint32_t pixel) { return (pixel & 0x00FFFFFFu) == 0x00FF00FFu; }
inline void putTransparentPixel(uint32_t& target, uint32_t pixel) {
    if (!isKeyColour(pixel)) target = pixel & 0x00FFFFFFu;
}

void fillRow(uint32_t* target, size_t count, uint32_t colour);
void copyRow(uint32_t* target, const uint32_t* source, size_t count, CopyMode mode);
// target[i] takes source[-i]: the row read right to left.
void copyRowMirrored(uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode);

// The paths, for tests and benchmarks that compare them. A path the processor
// lacks falls back to the plain one.
enum class RowPath { plain, sse2, avx2 };
RowPath bestRowPath();
bool rowPathAvailable(RowPath path);
void fillRowWith(RowPath path, uint32_t* target, size_t count, uint32_t colour);
void copyRowWith(RowPath path, uint32_t* target, const uint32_t* source, size_t count, CopyMode mode);
void copyRowMirroredWith(RowPath path, uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode);

// The wide paths themselves (draw_rows_sse2.cpp, draw_rows_avx2.cpp).
void fillRowSse2(uint32_t* target, size_t count, uint32_t colour);
void copyRowTransparentSse2(uint32_t* target, const uint32_t* source, size_t count);
void copyRowMirroredSse2(uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode);
void fillRowAvx2(uint32_t* target, size_t count, uint32_t colour);
void copyRowTransparentAvx2(uint32_t* target, const uint32_t* source, size_t count);
void copyRowMirroredAvx2(uint32_t* target, const uint32_t* sourceLast, size_t count, CopyMode mode);
