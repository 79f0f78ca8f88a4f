// Turns the row-by-row terrain image into the column-by-column collision grid.
#include <algorithm>

#include "collision_grid.h"
#include "level.h"
#include "level_loader.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

inline uint8_t cellForPixel(Colour pixel) {
    return pixel == transparentColour ? cellEmpty : cellTerrain;
}

void fillCellsScalar(const Image& terrain, int32_t left, int32_t right, int32_t top, int32_t bottom) {
    const size_t rows = static_cast<size_t>(gridRows());
    for (int32_t x = left; x < right; ++x) {
        uint8_t* column = gridCells.data() + static_cast<size_t>(x) * rows;
        for (int32_t y = top; y < bottom; ++y) column[y] = cellForPixel(terrain.row(y)[x]);
    }
}

#if defined(__SSE2__)
// 16 pixels of one row become 16 cell bytes.
inline __m128i cellsOfRow(const uint32_t* pixels) {
    const __m128i magenta = _mm_set1_epi32(static_cast<int32_t>(transparentColour));
    auto empty = [&](int i) {
        return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels) + i), magenta);
    };
    const __m128i low = _mm_packs_epi32(empty(0), empty(1));
    const __m128i high = _mm_packs_epi32(empty(2), empty(3));
    return _mm_xor_si128(_mm_packs_epi16(low, high), _mm_set1_epi8(-1));
}

// Transposes 16 rows of 16 bytes; afterwards r[k] holds column bitReversed(k).
inline void transpose16(__m128i (&r)[16]) {
    __m128i t[16];
    for (int i = 0; i < 8; ++i) {
        t[i] = _mm_unpacklo_epi8(r[2 * i], r[2 * i + 1]);
        t[i + 8] = _mm_unpackhi_epi8(r[2 * i], r[2 * i + 1]);
    }
    for (int i = 0; i < 8; ++i) {
        r[i] = _mm_unpacklo_epi16(t[2 * i], t[2 * i + 1]);
        r[i + 8] = _mm_unpackhi_epi16(t[2 * i], t[2 * i + 1]);
    }
    for (int i = 0; i < 8; ++i) {
        t[i] = _mm_unpacklo_epi32(r[2 * i], r[2 * i + 1]);
        t[i + 8] = _mm_unpackhi_epi32(r[2 * i], r[2 * i + 1]);
    }
    for (int i = 0; i < 8; ++i) {
        r[i] = _mm_unpacklo_epi64(t[2 * i], t[2 * i + 1]);
        r[i + 8] = _mm_unpackhi_epi64(t[2 * i], t[2 * i + 1]);
    }
}

constexpr int bitReversed[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};

// Every whole 16 x 16 block from the top-left corner, taken in squares of 128
// so that the rows read and the columns written stay within a few hundred pages.
void fillCellsInBlocks(const Image& terrain, int32_t width, int32_t height) {
    const size_t rows = static_cast<size_t>(gridRows());
    const int32_t blocksWidth = width / 16 * 16;
    const int32_t blocksHeight = height / 16 * 16;
    constexpr int32_t squareWidth = 128, squareHeight = 128;
    for (int32_t squareTop = 0; squareTop < blocksHeight; squareTop += squareHeight) {
        const int32_t squareBottom = std::min(squareTop + squareHeight, blocksHeight);
        for (int32_t squareLeft = 0; squareLeft < blocksWidth; squareLeft += squareWidth) {
            const int32_t squareRight = std::min(squareLeft + squareWidth, blocksWidth);
            for (int32_t top = squareTop; top < squareBottom; top += 16) {
                for (int32_t left = squareLeft; left < squareRight; left += 16) {
                    __m128i block[16];
                    for (int i = 0; i < 16; ++i) block[i] = cellsOfRow(terrain.row(top + i) + left);
                    transpose16(block);
                    for (int k = 0; k < 16; ++k) {
                        uint8_t* column = gridCells.data() + static_cast<size_t>(left + bitReversed[k]) * rows;
                        _mm_storeu_si128(reinterpret_cast<__m128i*>(column + top), block[k]);
                    }
                }
            }
        }
    }
}
#endif

// The cells the terrain does not set are empty: the extra column and row, and
// everything beyond a terrain image smaller than the level.
void clearCellsOutside(int32_t width, int32_t height) {
    if (width < gridColumns() - 1 || height < gridRows() - 1) {
        std::fill(gridCells.begin(), gridCells.end(), cellEmpty);
        return;
    }
    if (gridCells.empty()) return;
    const size_t rows = static_cast<size_t>(gridRows());
    for (size_t x = 0; x < static_cast<size_t>(width); ++x)
        gridCells[x * rows + static_cast<size_t>(height)] = cellEmpty;
    std::fill(gridCells.end() - static_cast<ptrdiff_t>(rows), gridCells.end(), cellEmpty);
}

}  // namespace

void buildCollisionGrid(const Image& terrain) {
    // The grid keeps its memory from the last level and is written cell by cell.
    shapeGrid(levelWidth, levelHeight);
    const int32_t width = std::clamp(std::min(terrain.width, levelWidth), 0, std::max(gridColumns() - 1, 0));
    const int32_t height = std::clamp(std::min(terrain.height, levelHeight), 0, std::max(gridRows() - 1, 0));
    clearCellsOutside(width, height);
#if defined(__SSE2__)
    fillCellsInBlocks(terrain, width, height);
    const int32_t blockWidth = width / 16 * 16;
    const int32_t blockHeight = height / 16 * 16;
    fillCellsScalar(terrain, 0, blockWidth, blockHeight, height);
    fillCellsScalar(terrain, blockWidth, width, 0, height);
#else
    fillCellsScalar(terrain, 0, width, 0, height);
#endif
}
