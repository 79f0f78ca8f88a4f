#include "collision_grid.h"

#include <algorithm>

std::vector<uint8_t> gridCells;
int32_t gridColumnCount = 0;
int32_t gridRowCount = 0;

void shapeGrid(int32_t width, int32_t height) {
    int64_t columns = int64_t{width} + 1;
    int64_t rows = int64_t{height} + 1;
    bool sane = width >= 0 && height >= 0 && columns * rows <= maxGridCells;
    if (!sane) columns = rows = 0;
    const size_t count = static_cast<size_t>(columns * rows);
    // Dropping storage that is too small first keeps the peak at one grid, not two.
    if (count > gridCells.capacity()) std::vector<uint8_t>().swap(gridCells);
    gridCells.resize(count);
    gridColumnCount = static_cast<int32_t>(columns);
    gridRowCount = static_cast<int32_t>(rows);
}

void resizeGrid(int32_t width, int32_t height) {
    shapeGrid(width, height);
    std::fill(gridCells.begin(), gridCells.end(), cellEmpty);
}
