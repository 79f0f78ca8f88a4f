#include "console.h"
#include <algorithm>
#include <cstring>
#include "draw_rows.h"
#include "font.h"
#include "image.h"
#include "screen.h"

namespace {

int cursorColumn = 0;
int cursorRow = 0;
constexpr int cellSize = 8;

// Moves every console row up by one and blanks the last one.
void scrollUp(Image& screen) {
    const size_t rowPixels = static_cast<size_t>(screen.width) * cellSize;
    uint32_t* pixels = screen.pixels.data();
    std::memmove(pixels, pixels + rowPixels, (screen.pixels.size() - rowPixels) * sizeof(uint32_t));
    fillBlock(pixels + screen.pixels.size() - rowPixels, 0, rowPixels, 1, consoleBackground);
}

void drawCell(Image& screen, int column, int row, uint8_t code) {
    const uint8_t* glyph = fontGlyphs[code];
    for (int gy = 0; gy < cellSize; ++gy) {
        uint32_t* out = screen.row(row * cellSize + gy) + column * cellSize;
        for (int gx = 0; gx < cellSize; ++gx) {
            out[gx] = (glyph[gy] >> gx & 1) ? defaultTextColour : consoleBackground;
        }
    }
}

}  // namespace

void resetConsoleCursor() {
    cursorColumn = 0;
    cursorRow = 0;
}

void clearScreen() {
    if (!beginDrawing(displaySurface)) return;
    fillBlock(displaySurface.pixels.data(), 0, displaySurface.pixels.size(), 1, consoleBackground);
    resetConsoleCursor();
    endDrawing(displaySurface, 0, screenHeight - 1);
}

void printLine(std::string_view text) {
    if (!beginDrawing(displaySurface)) return;
    bool scrolled = false;
    if (cursorRow >= consoleRows) {
        scrollUp(displaySurface);
        cursorRow = consoleRows - 1;
        scrolled = true;
    }
    // Cells past the right edge are cut off, like everything else drawn there.
    const size_t shown = std::min<size_t>(text.size(), static_cast<size_t>(consoleColumns - cursorColumn));
    for (size_t i = 0; i < shown; ++i) {
        drawCell(displaySurface, cursorColumn, cursorRow, static_cast<uint8_t>(text[i]));
        ++cursorColumn;
    }
    const int firstRow = scrolled ? 0 : cursorRow * cellSize;
    endDrawing(displaySurface, firstRow, cursorRow * cellSize + cellSize - 1);
    cursorColumn = 0;
    ++cursorRow;
}

int consoleCursorColumn() { return cursorColumn; }
int consoleCursorRow() { return cursorRow; }
