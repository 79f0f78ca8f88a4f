// The backend for tests and replays: no window, a virtual clock, and input
// that arrives only through the pump hook (or straight through input.h).
#include "backend.h"

#include <map>

#include "headless.h"
#include "input.h"

namespace {

constexpr double clockOrigin = 1000.0;
// Counted in tenths of a millisecond so that thousands of 20.1 ms passes add up exactly.
int64_t clockTenths = 0;
HeadlessPumpHook pumpHook = nullptr;
HeadlessPresent presents;
bool isOpen = false;
std::vector<HeadlessSoundPlay> soundPlays;
std::map<int, size_t> soundLengths;

}  // namespace

void setHeadlessPumpHook(HeadlessPumpHook hook) { pumpHook = hook; }

double headlessClock() { return clockOrigin + static_cast<double>(clockTenths) / 10000.0; }
void resetHeadlessClock() { clockTenths = 0; }
void advanceHeadlessClock(int64_t tenthsOfMs) {
    if (tenthsOfMs > 0) clockTenths += tenthsOfMs;
}

const HeadlessPresent& headlessPresents() { return presents; }
void resetHeadlessPresents() { presents = HeadlessPresent{}; }
bool headlessWindowOpen() { return isOpen; }

bool backendOpen(int32_t, int32_t, const char*) {
    isOpen = true;
    inputWindowOpen(true);
    return true;
}

void backendPresent(const uint32_t*, int32_t, int32_t firstRow, int32_t lastRow) {
    ++presents.count;
    presents.firstRow = firstRow;
    presents.lastRow = lastRow;
}

void backendPumpEvents() {
    if (pumpHook != nullptr) pumpHook();
}

double backendSeconds() { return headlessClock(); }

void backendSleep(int32_t ms, bool slice) {
    if (ms <= 0) return;
    advanceHeadlessClock(int64_t{ms} * 10 + (slice ? 0 : 1));
}

void backendClose() {
    isOpen = false;
    inputWindowOpen(false);
}

void backendLoadSound(int id, const std::int16_t*, std::size_t count, int) { soundLengths[id] = count; }

void backendPlaySound(int id, int volume) {
    if (soundPlays.size() < headlessSoundRecordLimit) soundPlays.push_back({id, volume, headlessClock()});
}

const std::vector<HeadlessSoundPlay>& headlessSoundPlays() { return soundPlays; }

size_t headlessSoundLength(int id) {
    auto found = soundLengths.find(id);
    return found == soundLengths.end() ? 0 : found->second;
}

void resetHeadlessSounds() {
    soundPlays.clear();
    soundLengths.clear();
}
