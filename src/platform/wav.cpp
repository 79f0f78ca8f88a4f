#include "wav.h"

#include <cstring>

namespace {

uint32_t le32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

struct Chunk {
    const uint8_t* body = nullptr;
    size_t size = 0;
};

// The first chunk with this id among those after the RIFF header. A chunk
// whose size runs past the end of the file ends the search.
Chunk findChunk(const uint8_t* data, size_t size, const char* id) {
    size_t at = 12;
    while (size - at >= 8) {
        const uint8_t* header = data + at;
        const size_t length = le32(header + 4);
        if (length > size - at - 8) return Chunk{};
        if (std::memcmp(header, id, 4) == 0) return Chunk{header + 8, length};
        at += 8 + length;
        if (length % 2 != 0) {  // chunks are padded to an even length
            if (at == size) break;
            ++at;
        }
    }
    return Chunk{};
}

bool plainMono16(const Chunk& format, int& rate) {
    if (format.body == nullptr || format.size < 16) return false;
    const uint16_t encoding = le16(format.body);
    const uint16_t channels = le16(format.body + 2);
    const uint32_t samplesPerSecond = le32(format.body + 4);
    const uint16_t blockAlign = le16(format.body + 12);
    const uint16_t bits = le16(format.body + 14);
    constexpr uint16_t pcm = 1;
    if (encoding != pcm || channels != 1 || bits != 16 || blockAlign != 2) return false;
    if (samplesPerSecond < wavLowestRate || samplesPerSecond > wavHighestRate) return false;
    rate = static_cast<int>(samplesPerSecond);
    return true;
}

}  // namespace

int decodeWav(const uint8_t* data, size_t size, WavSound& sound) {
    if (data == nullptr || size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return wavUnreadable;
    int rate = 0;
    if (!plainMono16(findChunk(data, size, "fmt "), rate)) return wavUnreadable;
    const Chunk samples = findChunk(data, size, "data");
    if (samples.body == nullptr || samples.size < 2 || samples.size / 2 > wavMostSamples) return wavUnreadable;
    const size_t count = samples.size / 2;  // an odd last byte is no sample
    sound.sampleRate = rate;
    sound.samples.resize(count);
    for (size_t i = 0; i < count; ++i) sound.samples[i] = static_cast<int16_t>(le16(samples.body + 2 * i));
    return wavLoaded;
}
