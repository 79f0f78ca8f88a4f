#include <cstdlib>

#include "../platform/console.h"
#include "../platform/files.h"
#include "../platform/input.h"
#include "../platform/text.h"
#include "tmx_reader.h"

namespace {

int64_t bigEndian32(const uint8_t* bytes) {
    return static_cast<int32_t>(uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 |
                                uint32_t{bytes[2]} << 8 | uint32_t{bytes[3]});
}

int64_t littleEndian32(const uint8_t* bytes) {
    return static_cast<int32_t>(uint32_t{bytes[3]} << 24 | uint32_t{bytes[2]} << 16 |
                                uint32_t{bytes[1]} << 8 | uint32_t{bytes[0]});
}

int32_t clampToInt32(int64_t value) {
    return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

}  // namespace

// The size from the picture's header; the name's extension alone picks the layout.
void probeImageSize(const std::string& path, int32_t& width, int32_t& height) {
    width = 0;
    height = 0;
    uint8_t header[32] = {};
    const int file = freeFileNumber();
    const bool opened = openRawFile(path, file) == fileOk;
    if (opened) readBytes(file, 0, header, sizeof header);
    const std::string extension = rightText(path, 3);
    if (extension == "png") {
        width = clampToInt32(bigEndian32(header + 16));
        height = clampToInt32(bigEndian32(header + 20));
    } else if (extension == "bmp") {
        width = clampToInt32(littleEndian32(header + 18));
        // A picture stored top row first gives its height as a negative number.
        height = clampToInt32(std::llabs(littleEndian32(header + 22)));
    } else {
        printLine("Nie rozpoznany plik!");
        sleepMs(1000);
    }
    if (opened) closeFile(file);
}
