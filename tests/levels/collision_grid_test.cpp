#include <gtest/gtest.h>

#include <climits>

#include "levels/collision_grid.h"

TEST(CollisionGrid, ColumnByColumnWithOutsideReadsEmptyAndWritesDropped) {
    resizeGrid(3, 2);
    ASSERT_EQ(gridColumns(), 4);
    ASSERT_EQ(gridRows(), 3);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 3; ++y) setCell(x, y, cellTerrain);
    setCell(1, 2, cellBrick);
    EXPECT_EQ(gridCells[1 * 3 + 2], cellBrick);
    const int32_t outside[][2] = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {INT32_MIN, 0}, {0, INT32_MAX}};
    for (auto [x, y] : outside) {
        setCell(x, y, cellEmpty);
        EXPECT_EQ(cellAt(x, y), cellEmpty) << x << "," << y;
    }
    EXPECT_EQ(std::count(gridCells.begin(), gridCells.end(), cellTerrain), 11);
    resizeGrid(3, 2);
    EXPECT_EQ(cellAt(1, 1), cellEmpty) << "a new grid starts empty";
}

TEST(CollisionGrid, AbsurdSizesMakeAGridOfNoCells) {
    for (auto [width, height] : {std::pair{-1, 5}, {5, -2}, {INT32_MAX, INT32_MAX}, {70000, 70000}}) {
        resizeGrid(width, height);
        EXPECT_TRUE(gridCells.empty());
        setCell(0, 0, cellTerrain);
        EXPECT_EQ(cellAt(0, 0), cellEmpty);
    }
}
