#include <gtest/gtest.h>

#include "levels/collision_grid.h"

TEST(CollisionGrid, HoldsOneExtraColumnAndRowStoredColumnByColumn) {
    resizeGrid(3, 2);
    EXPECT_EQ(gridColumns(), 4);
    EXPECT_EQ(gridRows(), 3);
    setCell(1, 2, cellBrick);
    EXPECT_EQ(gridCells[1 * 3 + 2], cellBrick);
    EXPECT_EQ(cellAt(1, 2), cellBrick);
    setCell(3, 2, cellTerrain);  // the extra corner cell is inside
    EXPECT_EQ(cellAt(3, 2), cellTerrain);
}

TEST(CollisionGrid, OutsideReadsEmptyAndWritesAreDropped) {
    resizeGrid(3, 2);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 3; ++y) setCell(x, y, cellTerrain);
    struct Point { int32_t x, y; };
    const Point outside[] = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {4, 3}, {INT32_MIN, INT32_MIN},
                             {INT32_MAX, 0}, {0, INT32_MAX}, {-8, 10}};
    for (Point p : outside) {
        setCell(p.x, p.y, cellBrick);
        EXPECT_EQ(cellAt(p.x, p.y), cellEmpty) << p.x << "," << p.y;
    }
    for (uint8_t cell : gridCells) EXPECT_EQ(cell, cellTerrain);
}

TEST(CollisionGrid, ResizeEmptiesEveryCell) {
    resizeGrid(5, 5);
    setCell(2, 2, cellTerrain);
    resizeGrid(5, 5);
    EXPECT_EQ(cellAt(2, 2), cellEmpty);
    resizeGrid(1, 1);  // the start-up grid: 2 x 2
    EXPECT_EQ(gridColumns(), 2);
    EXPECT_EQ(gridRows(), 2);
    EXPECT_EQ(gridCells.size(), 4u);
}

TEST(CollisionGrid, AbsurdSizesMakeAGridOfNoCells) {
    const int32_t sizes[][2] = {{-1, 5}, {5, -2}, {INT32_MAX, INT32_MAX}, {70000, 70000}};
    for (auto& size : sizes) {
        resizeGrid(size[0], size[1]);
        EXPECT_EQ(gridColumns() * int64_t{gridRows()}, 0);
        EXPECT_TRUE(gridCells.empty());
        setCell(0, 0, cellTerrain);
        EXPECT_EQ(cellAt(0, 0), cellEmpty);
    }
}
