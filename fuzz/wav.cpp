// Any bytes as a sound file: the reader must take them or refuse them whole,
// never read outside them or allocate beyond the longest sound it takes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/wav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavSound sound;
    sound.sampleRate = -1;
    const int status = decodeWav(data, size, sound);
    if (status == wavUnreadable) {
        if (sound.sampleRate != -1 || !sound.samples.empty()) std::abort();
        return 0;
    }
    if (status != wavLoaded || sound.samples.empty() || sound.samples.size() > wavMostSamples ||
        sound.samples.size() * 2 > size || sound.sampleRate < wavLowestRate || sound.sampleRate > wavHighestRate)
        std::abort();
    return 0;
}
