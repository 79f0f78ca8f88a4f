// One byte per level pixel plus an extra column and row: 0 empty, 255 terrain,
// 13 brick. Reads outside the grid answer empty; writes outside are dropped.
#pragma once
#include <cstdint>

enum : uint8_t { cellEmpty = 0, cellBrick = 13, cellTerrain = 255 };

// Makes the grid anew with columns 0..width and rows 0..height, every cell empty.
void resizeGrid(int32_t width, int32_t height);
uint8_t cellAt(int32_t x, int32_t y);
void setCell(int32_t x, int32_t y, uint8_t value);
int32_t gridColumns();  // width + 1
int32_t gridRows();     // height + 1
