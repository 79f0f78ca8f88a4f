#include "sound.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "backend.h"
#include "files.h"
#include "wav.h"

namespace {

// Larger than any sound the reader takes, with room for its chunks.
constexpr long largestSoundFile = static_cast<long>(wavMostSamples * 2 + 4096);

double soundSeconds[soundCapacity];  // 0 for a sound not loaded
int askedTimes[soundCapacity];
double voiceEnds[soundVoices];        // when each play ends, on the game clock
bool muted = false;

bool validId(int id) { return id >= 0 && id < soundCapacity; }

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::FILE* handle = openForReading(path);
    if (handle == nullptr) return false;
    bool ok = std::fseek(handle, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(handle) : -1;
    ok = size > 0 && size <= largestSoundFile && std::fseek(handle, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(size));
        ok = std::fread(bytes.data(), 1, bytes.size(), handle) == bytes.size();
    }
    std::fclose(handle);
    return ok;
}

// One play for 128, a little louder for each more egg that asked, up to 224.
int volumeFor(int times) { return std::min(128 + 32 * (times - 1), 224); }

// A free voice, or -1 while all of them still sound.
int freeVoice(double now) {
    for (int v = 0; v < soundVoices; ++v)
        if (voiceEnds[v] <= now) return v;
    return -1;
}

}  // namespace

void loadSound(int id, const std::string& path) {
    if (!validId(id)) return;
    std::vector<uint8_t> bytes;
    WavSound sound;
    if (!readWholeFile(path, bytes) || decodeWav(bytes.data(), bytes.size(), sound) != wavLoaded) return;
    soundSeconds[id] = static_cast<double>(sound.samples.size()) / sound.sampleRate;
    backendLoadSound(id, sound.samples.data(), sound.samples.size(), sound.sampleRate);
}

void playSound(int id) {
    if (validId(id) && soundSeconds[id] > 0 && askedTimes[id] < 1000) ++askedTimes[id];
}

void startAskedSounds() {
    const double now = backendSeconds();
    for (int id = 0; id < soundCapacity; ++id) {
        const int times = askedTimes[id];
        askedTimes[id] = 0;
        if (times == 0 || muted) continue;
        const int voice = freeVoice(now);
        if (voice < 0) continue;
        voiceEnds[voice] = now + soundSeconds[id];
        backendPlaySound(id, volumeFor(times));
    }
}

void toggleSound() {
    muted = !muted;
    std::fill(std::begin(askedTimes), std::end(askedTimes), 0);
}

bool soundOn() { return !muted; }

void resetSounds() {
    std::fill(std::begin(soundSeconds), std::end(soundSeconds), 0.0);
    std::fill(std::begin(askedTimes), std::end(askedTimes), 0);
    std::fill(std::begin(voiceEnds), std::end(voiceEnds), 0.0);
    muted = false;
}
