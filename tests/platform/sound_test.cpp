#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/wav.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Byte by byte: GCC 12 warns wrongly about vector::insert here.
Bytes& operator+=(Bytes& out, const Bytes& more) {
    for (uint8_t b : more) out.push_back(b);
    return out;
}
Bytes le(uint32_t value, int bytes) {
    Bytes out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return out;
}
Bytes id(const char* text) { return Bytes(text, text + 4); }

Bytes chunk(const char* name, const Bytes& body, uint32_t claimed = UINT32_MAX) {
    Bytes out = id(name);
    out += le(claimed == UINT32_MAX ? static_cast<uint32_t>(body.size()) : claimed, 4);
    out += body;
    if (body.size() % 2 != 0) out.push_back(0);
    return out;
}

// A format chunk: encoding, channels, rate, bytes a frame, bits; cut or padded to `length`.
Bytes fmtChunk(uint16_t encoding = 1, uint16_t channels = 1, uint32_t rate = 22050, uint16_t align = 2,
               uint16_t bits = 16, uint32_t length = 16) {
    Bytes body = le(encoding, 2);
    for (const Bytes& field : {le(channels, 2), le(rate, 4), le(rate * align, 4), le(align, 2), le(bits, 2)})
        body += field;
    body.resize(length);
    return chunk("fmt ", body);
}

Bytes wav(const std::vector<Bytes>& chunks) {
    Bytes body = id("WAVE");
    for (const Bytes& c : chunks) body += c;
    Bytes out = id("RIFF");
    out += le(static_cast<uint32_t>(body.size()), 4);
    return out += body;
}

const Bytes fourSamples = {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F};

TEST(Wav, ReadsOurFormAndSkipsOtherChunks) {
    const struct { const char* name; Bytes file; std::vector<int16_t> samples; } cases[] = {
        {"plain", wav({fmtChunk(), chunk("data", fourSamples)}), {1, -1, -32768, 32767}},
        {"odd chunk before the samples",
         wav({fmtChunk(), chunk("LIST", {1, 2, 3}), chunk("data", fourSamples)}), {1, -1, -32768, 32767}},
        {"longer format chunk", wav({fmtChunk(1, 1, 22050, 2, 16, 18), chunk("data", {5, 0})}), {5}},
        {"odd last byte is no sample", wav({fmtChunk(), chunk("data", {5, 0, 7})}), {5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WavSound sound;
        ASSERT_EQ(decodeWav(c.file.data(), c.file.size(), sound), wavLoaded);
        EXPECT_EQ(sound.sampleRate, 22050);
        EXPECT_EQ(sound.samples, c.samples);
    }
}

TEST(Wav, RefusesOtherFormsAndBrokenFiles) {
    const Bytes data = chunk("data", fourSamples);
    const Bytes good = wav({fmtChunk(), data});
    Bytes notRiff = good, notWave = good;
    notRiff[0] = notWave[8] = 'X';
    const struct { const char* name; Bytes file; } cases[] = {
        {"empty", {}},
        {"header only", Bytes(good.begin(), good.begin() + 12)},
        {"not RIFF", notRiff},
        {"not WAVE", notWave},
        {"no format", wav({data})},
        {"format too short", wav({fmtChunk(1, 1, 22050, 2, 16, 14), data})},
        {"stereo", wav({fmtChunk(1, 2, 22050, 4, 16), data})},
        {"8 bits", wav({fmtChunk(1, 1, 22050, 1, 8), data})},
        {"float", wav({fmtChunk(3, 1, 22050, 4, 32), data})},
        {"extensible", wav({fmtChunk(0xFFFE, 1, 22050, 2, 16), data})},
        {"rate too low", wav({fmtChunk(1, 1, 4000, 2, 16), data})},
        {"rate too high", wav({fmtChunk(1, 1, 96000, 2, 16), data})},
        {"no samples chunk", wav({fmtChunk()})},
        {"empty samples", wav({fmtChunk(), chunk("data", {})})},
        {"samples past the end", wav({fmtChunk(), chunk("data", fourSamples, 9)})},
        {"chunk of 4 GiB", wav({fmtChunk(), chunk("LIST", {}, 0xFFFFFFF0u), data})},
        {"cut short", Bytes(good.begin(), good.end() - 1)},
        {"longer than ten seconds", wav({fmtChunk(), chunk("data", Bytes(2 * wavMostSamples + 2))})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WavSound sound;
        sound.sampleRate = 7;
        EXPECT_EQ(decodeWav(c.file.data(), c.file.size(), sound), wavUnreadable);
        EXPECT_EQ(sound.sampleRate, 7);
        EXPECT_TRUE(sound.samples.empty());
    }
}

// A sound file of `samples` samples in the build folder.
std::string writeSound(const std::string& name, size_t samples) {
    const std::string path = std::string(BUILD_DIR) + "/" + name;
    const Bytes file = wav({fmtChunk(), chunk("data", Bytes(2 * samples, 1))});
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    return path;
}

class SoundCore : public ::testing::Test {
protected:
    void SetUp() override {
        resetSounds();
        resetHeadlessSounds();
        resetHeadlessClock();
        inputReset();
        inputWindowOpen(true);
        for (int id = 0; id < 6; ++id) loadSound(id, writeSound("sound-test.wav", 22050 / 10));  // 0.1 s
    }
    // The plays started at the next pause, as (id, volume) pairs.
    std::vector<std::pair<int, int>> started() {
        const size_t before = headlessSoundPlays().size();
        sleepMs(20);
        std::vector<std::pair<int, int>> plays;
        for (size_t i = before; i < headlessSoundPlays().size(); ++i)
            plays.emplace_back(headlessSoundPlays()[i].id, headlessSoundPlays()[i].volume);
        return plays;
    }
    using Plays = std::vector<std::pair<int, int>>;
};

TEST_F(SoundCore, MissingBadOrOutOfRangeSoundsAreSilent) {
    const std::string bad = std::string(BUILD_DIR) + "/sound-test-bad.wav";
    std::FILE* out = std::fopen(bad.c_str(), "wb");
    std::fputs("RIFF not really", out);
    std::fclose(out);
    loadSound(10, "no/such/file.wav");
    loadSound(11, bad);
    loadSound(12, BUILD_DIR);  // a folder
    loadSound(-1, writeSound("sound-test.wav", 10));
    loadSound(soundCapacity, writeSound("sound-test.wav", 10));
    for (int id : {10, 11, 12, -1, soundCapacity, 1000}) playSound(id);
    EXPECT_EQ(started(), Plays{});
    EXPECT_EQ(headlessSoundLength(10) + headlessSoundLength(11) + headlessSoundLength(12), 0u);
    EXPECT_EQ(headlessSoundLength(0), 2205u);
}

TEST_F(SoundCore, OneLouderPlayForManyAsksAndAtMostFourTogether) {
    for (int i = 0; i < 5; ++i) playSound(2);
    playSound(3);
    playSound(3);
    playSound(4);
    EXPECT_EQ(started(), (Plays{{2, 224}, {3, 160}, {4, 128}}));
    EXPECT_EQ(started(), Plays{});  // asked for once, played once
    // Three still sound: one more voice is free, the lowest number takes it.
    for (int id : {5, 1, 0}) playSound(id);
    EXPECT_EQ(started(), (Plays{{0, 128}}));
    // Once 0.1 s has passed every voice is free again.
    advanceHeadlessClock(1000);
    for (int id : {5, 1}) playSound(id);
    EXPECT_EQ(started(), (Plays{{1, 128}, {5, 128}}));
}

TEST_F(SoundCore, TheMKeyTurnsSoundOffAndOnAndStillCountsAsAKey) {
    const struct { const char* name; std::vector<bool> events; bool on; } cases[] = {
        {"pressed", {true, false}, false},
        {"held down, repeating", {true, true, true}, false},
        {"pressed twice", {true, false, true, false}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        resetSounds();
        loadSound(0, writeSound("sound-test.wav", 10));
        inputReset();
        for (bool down : c.events) inputKeyEvent(scanM, down);
        EXPECT_TRUE(keyPressedFlag);
        EXPECT_EQ(soundOn(), c.on);
        playSound(0);
        advanceHeadlessClock(10000);
        EXPECT_EQ(started().size(), c.on ? 1u : 0u);
    }
}

}  // namespace
