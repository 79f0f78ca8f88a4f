// The text console: 80x60 cells of 8x8 pixels laid over the screen.
#pragma once
#include <string_view>

constexpr int consoleColumns = 80;
constexpr int consoleRows = 60;

// Whole screen black, cursor to column 0, row 0.
void clearScreen();
// Writes the text at the cursor (opaque cells, white on black) and moves to the
// next row; past the last row the console scrolls up one row.
void printLine(std::string_view text);
int consoleCursorColumn();
int consoleCursorRow();
// Cursor back to column 0, row 0 without drawing (when the screen opens).
void resetConsoleCursor();
