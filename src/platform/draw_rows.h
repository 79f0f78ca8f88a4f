// Block kernels under the drawing operations: rows of pixels a whole run at a
// time, each giving exactly the per-pixel result of its rule. The widest path
// the processor offers is chosen once, at start-up.
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

// `rows` rows of `columns` pixels; consecutive rows lie a pitch apart (in pixels).
// For a mirrored copy `source` is the rightmost pixel of the first source row,
// and each row is read right to left.
struct BlockCopy {
    uint32_t* target;
    size_t targetPitch;
    const uint32_t* source;
    size_t sourcePitch;
    size_t columns;
    size_t rows;
};

void fillBlock(uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour);
void copyBlockRows(const BlockCopy& block, CopyMode mode);
void copyBlockMirrored(const BlockCopy& block, CopyMode mode);

// The paths, for tests and benchmarks that compare them. A path the processor
// lacks falls back to the plain one.
enum class RowPath { plain, sse2, avx2, avx512 };
RowPath bestRowPath();
bool rowPathAvailable(RowPath path);
void fillBlockWith(RowPath path, uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour);
void copyBlockWith(RowPath path, const BlockCopy& block, CopyMode mode);
void copyBlockMirroredWith(RowPath path, const BlockCopy& block, CopyMode mode);

// The wide paths themselves (draw_rows_sse2.cpp, _avx2.cpp, _avx512.cpp).
void fillBlockSse2(uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour);
void copyBlockTransparentSse2(const BlockCopy& block);
void copyBlockMirroredSse2(const BlockCopy& block, CopyMode mode);
void fillBlockAvx2(uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour);
void copyBlockTransparentAvx2(const BlockCopy& block);
void copyBlockMirroredAvx2(const BlockCopy& block, CopyMode mode);
void fillBlockAvx512(uint32_t* target, size_t pitch, size_t columns, size_t rows, uint32_t colour);
void copyBlockTransparentAvx512(const BlockCopy& block);
void copyBlockMirroredAvx512(const BlockCopy& block, CopyMode mode);
