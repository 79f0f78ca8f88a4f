// What tests and the replay harness control in the headless backend: a virtual
// clock, the hook that feeds input while the game pauses, and a record of
// what was presented.
#pragma once
#include <cstdint>

// Called each time a pause or the wait for a key is about to test the key flag.
using HeadlessPumpHook = void (*)();
void setHeadlessPumpHook(HeadlessPumpHook hook);

// The virtual clock starts at 1000.0 s. A plain sleep of n ms advances it by
// n + 0.1 ms (one pass of the main loop); a slice of a longer pause by n ms.
double headlessClock();
void resetHeadlessClock();
// Moves the clock on by whole tenths of a millisecond.
void advanceHeadlessClock(int64_t tenthsOfMs);

struct HeadlessPresent {
    int64_t count = 0;     // backendPresent calls since the last reset
    int32_t firstRow = -1;  // rows of the most recent call
    int32_t lastRow = -1;
};
const HeadlessPresent& headlessPresents();
void resetHeadlessPresents();

bool headlessWindowOpen();
