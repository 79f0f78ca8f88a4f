#include "screen.h"
#include <algorithm>
#include "backend.h"
#include "console.h"
#include "input.h"

Image displaySurface;

namespace {

bool screenOpen = false;
int32_t lockCount = 0;
// The changed rows are kept as one band from the first to the last: showing
// an unchanged row again costs little, and a frame touches them all anyway.
int32_t firstChanged = screenHeight;
int32_t lastChanged = -1;

void forgetChangedRows() {
    firstChanged = screenHeight;
    lastChanged = -1;
}

void presentChangedRows() {
    if (firstChanged > lastChanged) return;
    const int32_t first = firstChanged, last = lastChanged;
    forgetChangedRows();
    backendPresent(displaySurface.pixels.data(), screenWidth, first, last);
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
    forgetChangedRows();
    screenOpen = true;
    resetConsoleCursor();
    return 0;
}

bool screenIsOpen() { return screenOpen; }

void lockScreen() { ++lockCount; }

void markScreenRows(int32_t firstRow, int32_t lastRow) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, screenHeight - 1);
    if (firstRow > lastRow) return;
    firstChanged = std::min(firstChanged, firstRow);
    lastChanged = std::max(lastChanged, lastRow);
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
    forgetChangedRows();
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
