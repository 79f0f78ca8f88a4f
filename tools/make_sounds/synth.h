// A few building blocks for our sound effects: a buffer of samples in -1..1 at
// one rate, tones and noise mixed into it, shaped by envelopes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int sampleRate = 22050;

struct Sound {
    std::vector<float> samples;
    explicit Sound(double seconds) : samples(static_cast<size_t>(seconds * sampleRate)) {}
    double seconds() const { return static_cast<double>(samples.size()) / sampleRate; }
};

enum class Wave { sine, triangle, square };

// A tone from `start` for `length` seconds, its pitch gliding from `fromHz` to
// `toHz`, rising in `attack` seconds and then dying away exponentially.
struct Tone {
    double start, length;
    double fromHz, toHz;
    double level;
    double attack = 0.003;
    double decay = 8.0;  // per second: larger dies away faster
    Wave wave = Wave::sine;
};
void addTone(Sound& sound, const Tone& tone);

// Noise from `start` for `length` seconds; `smooth` 0..1 dulls it (a simple
// low-pass), `grain` > 0 chops it into bursts that many times a second.
struct Noise {
    double start, length;
    double level;
    double smooth = 0.0;
    double decay = 8.0;
    double grain = 0.0;
    uint32_t seed = 1;
};
void addNoise(Sound& sound, const Noise& noise);

// Scales the whole sound so that its loudest sample reaches `peak`.
void normalise(Sound& sound, double peak);
// Fades the last `seconds` to silence, so that no sound ends with a click.
void fadeOut(Sound& sound, double seconds);

// Mono 16-bit PCM WAV.
bool writeWav(const std::string& path, const Sound& sound);
