// Reading sounds from WAV files: plain PCM, mono, 16 bits a sample, which is
// the form our sound tool writes. Anything else is refused as a whole.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

enum : int { wavLoaded = 0, wavUnreadable = 3 };

struct WavSound {
    int sampleRate = 0;
    std::vector<int16_t> samples;
};

// The longest sound read: ten seconds at the highest rate taken.
constexpr int wavLowestRate = 8000;
constexpr int wavHighestRate = 48000;
constexpr size_t wavMostSamples = size_t{10} * wavHighestRate;

// Fills `sound` from the bytes of a whole file, or leaves it unchanged and
// returns wavUnreadable.
int decodeWav(const uint8_t* data, size_t size, WavSound& sound);
