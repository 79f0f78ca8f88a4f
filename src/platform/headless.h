// What tests and the replay harness control in the headless backend: a virtual
// clock, the hook that feeds input while the game pauses, and a record of
// what was presented and played.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

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

// The sounds handed over and the plays asked of the backend, for tests. The
// record keeps the first headlessSoundRecordLimit plays after a reset.
struct HeadlessSoundPlay {
    int id;
    int volume;
    double time;  // the virtual clock when it started
};
constexpr size_t headlessSoundRecordLimit = 10000;
const std::vector<HeadlessSoundPlay>& headlessSoundPlays();
// Samples handed over for the sound, 0 when none was.
size_t headlessSoundLength(int id);
void resetHeadlessSounds();
