// One byte per level pixel plus an extra column and row: 0 empty, 255 terrain,
// 13 brick. Reads outside the grid answer empty; writes outside are dropped.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

enum : uint8_t { cellEmpty = 0, cellBrick = 13, cellTerrain = 255 };

// The cells column by column: cell (x, y) is gridCells[x * gridRows() + y].
extern std::vector<uint8_t> gridCells;
extern int32_t gridColumnCount, gridRowCount;

// Largest grid we agree to make, in cells; a bigger request makes an empty grid.
constexpr int64_t maxGridCells = int64_t{1} << 28;

// Makes the grid anew with columns 0..width and rows 0..height, every cell empty.
// A negative or absurd size leaves a grid of no cells, in which every read is empty.
void resizeGrid(int32_t width, int32_t height);
// The same size rule, keeping the grid's memory where the new size fits; the
// cells are left as they happen to be, for a caller that writes every one.
void shapeGrid(int32_t width, int32_t height);

inline bool cellInGrid(int32_t x, int32_t y) {
    return static_cast<uint32_t>(x) < static_cast<uint32_t>(gridColumnCount) &&
           static_cast<uint32_t>(y) < static_cast<uint32_t>(gridRowCount);
}

// The creatures' inner loop: keep it a bounds test and one load.
inline uint8_t cellAt(int32_t x, int32_t y) {
    if (!cellInGrid(x, y)) return cellEmpty;
    return gridCells[static_cast<size_t>(x) * static_cast<size_t>(gridRowCount) +
                     static_cast<size_t>(y)];
}

inline void setCell(int32_t x, int32_t y, uint8_t value) {
    if (!cellInGrid(x, y)) return;
    gridCells[static_cast<size_t>(x) * static_cast<size_t>(gridRowCount) + static_cast<size_t>(y)] =
        value;
}

inline int32_t gridColumns() { return gridColumnCount; }  // width + 1
inline int32_t gridRows() { return gridRowCount; }        // height + 1
