#include <gtest/gtest.h>

#include <climits>

#include "levels/collision_grid.h"

TEST(CollisionGrid, ColumnByColumnWithOutsideReadsEmptyAndWritesDropped) {
    resizeGrid(3, 2);
    ASSERT_EQ(std::pair(gridColumns(), gridRows()), std::pair(4, 3));
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 3; ++y) setCell(x, y, cellTerrain);
    setCell(1, 2, cellBrick);
    EXPECT_EQ(gridCells[1 * 3 + 2], cellBrick);
    const std::pair<int32_t, int32_t> outside[] = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {INT32_MIN, 0},
                                                   {0, INT32_MAX}};
    for (auto [x, y] : outside) {
        setCell(x, y, cellEmpty);
        EXPECT_EQ(cellAt(x, y), cellEmpty) << x << "," << y;
    }
    EXPECT_EQ(std::count(gridCells.begin(), gridCells.end(), cellTerrain), 11);
}

// A negative or absurd size makes a grid of no cells rather than a huge allocation.
TEST(CollisionGrid, AbsurdSizesMakeAGridOfNoCells) {
    const std::pair<int32_t, int32_t> sizes[] = {{-1, 5}, {5, -2}, {70000, 70000},
                                                 {INT32_MAX, INT32_MAX}};
    for (auto [width, height] : sizes) {
        resizeGrid(width, height);
        EXPECT_TRUE(gridCells.empty());
        EXPECT_EQ(cellAt(0, 0), cellEmpty);
    }
}
