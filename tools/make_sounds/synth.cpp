#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

double waveAt(Wave wave, double phase) {  // phase in turns
    const double t = phase - std::floor(phase);
    switch (wave) {
        case Wave::triangle: return t < 0.5 ? 4 * t - 1 : 3 - 4 * t;
        case Wave::square: return t < 0.5 ? 0.7 : -0.7;
        default: return std::sin(2 * std::numbers::pi * t);
    }
}

double envelope(double t, double attack, double decay) {
    return (t < attack ? t / attack : 1.0) * std::exp(-decay * t);
}

// The part of the sound [first, last) that a piece starting at `start` for `length` covers.
void span(const Sound& sound, double start, double length, size_t& first, size_t& last) {
    first = std::min(sound.samples.size(), static_cast<size_t>(start * sampleRate));
    last = std::min(sound.samples.size(), static_cast<size_t>((start + length) * sampleRate));
}

void putLe(std::FILE* file, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), file);
}

}  // namespace

void addTone(Sound& sound, const Tone& tone) {
    size_t first = 0, last = 0;
    span(sound, tone.start, tone.length, first, last);
    double phase = 0;
    for (size_t i = first; i < last; ++i) {
        const double t = static_cast<double>(i - first) / sampleRate;
        const double hz = tone.fromHz + (tone.toHz - tone.fromHz) * t / tone.length;
        phase += hz / sampleRate;
        sound.samples[i] += static_cast<float>(tone.level * envelope(t, tone.attack, tone.decay) *
                                               waveAt(tone.wave, phase));
    }
}

void addNoise(Sound& sound, const Noise& noise) {
    size_t first = 0, last = 0;
    span(sound, noise.start, noise.length, first, last);
    uint32_t state = noise.seed * 2654435761u + 1;
    double dull = 0;
    for (size_t i = first; i < last; ++i) {
        state = state * 1664525u + 1013904223u;
        const double white = static_cast<double>(state >> 8) / 8388608.0 - 1.0;
        dull += (white - dull) * (1.0 - noise.smooth);
        const double t = static_cast<double>(i - first) / sampleRate;
        double bursts = 1.0;
        if (noise.grain > 0) bursts = std::pow(std::fabs(std::sin(std::numbers::pi * noise.grain * t)), 3.0);
        sound.samples[i] += static_cast<float>(noise.level * bursts * envelope(t, 0.002, noise.decay) * dull);
    }
}

void normalise(Sound& sound, double peak) {
    float loudest = 0;
    for (float s : sound.samples) loudest = std::max(loudest, std::fabs(s));
    if (loudest <= 0) return;
    const float scale = static_cast<float>(peak / loudest);
    for (float& s : sound.samples) s *= scale;
}

void fadeOut(Sound& sound, double seconds) {
    const size_t count = std::min(sound.samples.size(), static_cast<size_t>(seconds * sampleRate));
    const size_t from = sound.samples.size() - count;
    for (size_t i = 0; i < count; ++i)
        sound.samples[from + i] *= static_cast<float>(count - i) / static_cast<float>(count);
}

bool writeWav(const std::string& path, const Sound& sound) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const uint32_t dataBytes = static_cast<uint32_t>(sound.samples.size() * 2);
    std::fputs("RIFF", file);
    putLe(file, 36 + dataBytes, 4);
    std::fputs("WAVEfmt ", file);
    putLe(file, 16, 4);
    putLe(file, 1, 2);  // PCM
    putLe(file, 1, 2);  // mono
    putLe(file, sampleRate, 4);
    putLe(file, sampleRate * 2, 4);
    putLe(file, 2, 2);
    putLe(file, 16, 2);
    std::fputs("data", file);
    putLe(file, dataBytes, 4);
    for (float s : sound.samples) {
        const long value = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        putLe(file, static_cast<uint32_t>(value) & 0xFFFF, 2);
    }
    return std::fclose(file) == 0;
}
