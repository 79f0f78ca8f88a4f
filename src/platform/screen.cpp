#include "screen.h"
#include <algorithm>
#include <array>
#include "backend.h"
#include "console.h"
#include "input.h"

Image displaySurface;

namespace {

bool screenOpen = false;
int32_t lockCount = 0;
std::array<bool, screenHeight> rowChanged{};

void presentChangedRows() {
    int32_t row = 0;
    while (row < screenHeight) {
        if (!rowChanged[row]) {
            ++row;
            continue;
        }
        int32_t last = row;
        while (last + 1 < screenHeight && rowChanged[last + 1]) ++last;
        backendPresent(displaySurface.pixels.data(), screenWidth, row, last);
        std::fill(rowChanged.begin() + row, rowChanged.begin() + last + 1, false);
        row = last + 1;
    }
}

}  // namespace

int openScreen(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t /*pages*/,
               int32_t /*flags*/, int32_t /*refreshRate*/) {
    if (width != screenWidth || height != screenHeight || bitsPerPixel != 32) return 1;
    if (screenOpen) return 0;
    if (!backendOpen(screenWidth, screenHeight, programName())) return 1;
    displaySurface.width = screenWidth;
    displaySurface.height = screenHeight;
    displaySurface.pixels.assign(static_cast<size_t>(screenWidth) * screenHeight, consoleBackground);
    lockCount = 0;
    rowChanged.fill(false);
    screenOpen = true;
    resetConsoleCursor();
    return 0;
}

bool screenIsOpen() { return screenOpen; }

void lockScreen() { ++lockCount; }

void markScreenRows(int32_t firstRow, int32_t lastRow) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, screenHeight - 1);
    for (int32_t row = firstRow; row <= lastRow; ++row) rowChanged[row] = true;
}

void releaseScreenLock() {
    // An unlock without a lock must not push the count below zero, or every
    // later frame would be held back.
    if (lockCount > 0) --lockCount;
    if (lockCount == 0 && screenOpen) presentChangedRows();
}

void unlockScreen(int32_t firstRow, int32_t lastRow) {
    if (firstRow < 0) firstRow = 0;
    if (lastRow < 0) lastRow = screenHeight - 1;
    markScreenRows(firstRow, lastRow);
    releaseScreenLock();
}

int32_t screenLockCount() { return lockCount; }

void closeScreen() {
    if (!screenOpen) return;
    screenOpen = false;
    lockCount = 0;
    rowChanged.fill(false);
    backendClose();
    displaySurface.pixels.clear();
    displaySurface.pixels.shrink_to_fit();
    displaySurface.width = 0;
    displaySurface.height = 0;
}

bool imageIsWellFormed(const Image& image) {
    if (image.width < 1 || image.height < 1) return false;
    return image.pixels.size() >= static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
}

bool beginDrawing(const Image& target) {
    if (!screenOpen || !imageIsWellFormed(target)) return false;
    if (&target == &displaySurface) lockScreen();
    return true;
}

void endDrawing(const Image& target, int32_t firstRow, int32_t lastRow) {
    if (&target != &displaySurface) return;
    if (firstRow <= lastRow) markScreenRows(firstRow, lastRow);
    releaseScreenLock();
}
