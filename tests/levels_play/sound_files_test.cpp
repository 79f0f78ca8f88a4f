// The generated sounds: one file for each of the game's sounds, each a WAV the
// game reads, short, neither silent nor clipped, and quiet at its end (no click).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/wav.h"
#include "shell/sound_effects.h"

namespace {

TEST(SoundFiles, EachSoundIsAShortCleanWav) {
    for (int id = 0; id < soundEffectCount; ++id) {
        const std::string path = std::string(BUILD_DIR) + "/data/sounds/" + soundFileName(SoundEffect(id));
        SCOPED_TRACE(path);
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        WavSound sound;
        ASSERT_EQ(decodeWav(bytes.data(), bytes.size(), sound), wavLoaded);
        EXPECT_EQ(sound.sampleRate, 22050);
        const double seconds = static_cast<double>(sound.samples.size()) / sound.sampleRate;
        EXPECT_GE(seconds, 0.03);
        EXPECT_LE(seconds, 1.0);
        int peak = 0;
        for (int16_t s : sound.samples) peak = std::max(peak, std::abs(int{s}));
        EXPECT_GT(peak, 16000);
        EXPECT_LT(peak, 32000);
        EXPECT_LT(std::abs(int{sound.samples.back()}), 200);
    }
}

}  // namespace
