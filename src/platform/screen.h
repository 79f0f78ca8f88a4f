// The one 640x480 window surface, its lock count and changed-row presenting.
#pragma once
#include "image.h"

constexpr int32_t screenWidth = 640;
constexpr int32_t screenHeight = 480;

// The screen as a drawing target. Drawing operations given this image take the
// screen lock around their own work and mark the rows they touched.
extern Image displaySurface;

// Opens the window (or the headless surface). Returns 0 on success.
int openScreen(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t pages,
               int32_t flags = 0, int32_t refreshRate = 0);
bool screenIsOpen();
void lockScreen();
// Marks rows first..last changed (negative first = 0, negative last = 479), drops
// the lock count, and presents every changed row when it reaches 0.
void unlockScreen(int32_t firstRow = -1, int32_t lastRow = -1);
int32_t screenLockCount();
// Releases the surface; used by endProgram.
void closeScreen();

// For the drawing operations: marks rows as changed without touching the lock,
// and drops the lock count by one (presenting at 0) without marking anything.
void markScreenRows(int32_t firstRow, int32_t lastRow);
void releaseScreenLock();

// Every drawing operation runs between these two. beginDrawing answers whether
// the target can be drawn on at all (screen open, image well formed) and takes
// the screen lock when the target is the screen; endDrawing marks the rows
// first..last (none when first > last) and releases that lock.
bool beginDrawing(const Image& target);
void endDrawing(const Image& target, int32_t firstRow, int32_t lastRow);
// True when the image's pixel store matches its size.
bool imageIsWellFormed(const Image& image);
