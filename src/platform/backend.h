// The narrow backend under the portable platform core. Exactly one backend is
// linked into a program: the SDL window, or the headless one for tests and replays.
#pragma once
#include <cstddef>
#include <cstdint>

bool backendOpen(int32_t width, int32_t height, const char* title);
// Shows rows first..last of the 640x480 surface (pitch in pixels).
void backendPresent(const uint32_t* pixels, int32_t pitch, int32_t firstRow, int32_t lastRow);
// Turns pending window events into input events (see input.h).
void backendPumpEvents();
// Seconds from a fixed origin, monotonic.
double backendSeconds();
// Sleeps ms milliseconds, keeping input fresh meanwhile. `slice` marks one 50 ms
// slice of a longer pause or of the wait for a key (not a pass of the main loop).
void backendSleep(int32_t ms, bool slice);
void backendClose();

// Sound. A sound is mono signed 16-bit samples at the given rate, handed over once at start;
// the game then asks for it by number. Without an audio device both do nothing.
void backendLoadSound(int id, const std::int16_t* samples, std::size_t count, int sampleRate);
void backendPlaySound(int id, int volume);  // volume 0..255, 128 is the sound as made
