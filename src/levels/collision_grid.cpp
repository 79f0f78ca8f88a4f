#include "collision_grid.h"

std::vector<uint8_t> gridCells;
int32_t gridColumnCount = 0;
int32_t gridRowCount = 0;

void resizeGrid(int32_t width, int32_t height) {
    int64_t columns = int64_t{width} + 1;
    int64_t rows = int64_t{height} + 1;
    bool sane = width >= 0 && height >= 0 && columns * rows <= maxGridCells;
    if (!sane) columns = rows = 0;
    // Dropping the old storage first keeps the peak at one grid, not two.
    std::vector<uint8_t>().swap(gridCells);
    gridColumnCount = 0;
    gridRowCount = 0;
    gridCells.assign(static_cast<size_t>(columns * rows), cellEmpty);
    gridColumnCount = static_cast<int32_t>(columns);
    gridRowCount = static_cast<int32_t>(rows);
}
