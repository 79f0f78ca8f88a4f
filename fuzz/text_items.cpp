// Reads arbitrary bytes as a text file, item by item and line by line, and
// takes every piece apart with the text operations the level reader uses.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/text.h"

namespace {

// A plain buffer, not a std::string, so it is still there when the exit
// handler removes the file.
char scratch[64];

const char* scratchPath() {
    if (scratch[0] == 0) {
        // Memory-backed where the system has it: one file is written per run.
        const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::snprintf(scratch, sizeof scratch, "%s/fuzz_text_items.%d", folder, static_cast<int>(getpid()));
    }
    return scratch;
}

void removeScratch() { std::remove(scratchPath()); }

void takeApart(const std::string& piece) {
    double value = textValue(piece);
    (void)roundToInt(value);
    (void)floatToText(static_cast<float>(value));
    int32_t comma = findText(1, piece, ",");
    (void)midText(piece, comma, -1);
    (void)midText(piece, comma + 1, comma);
    (void)leftText(piece, comma);
    (void)rightText(piece, comma - 2);
    (void)trimSpaces(piece);
    (void)charCodeAt(piece, comma);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte chooses, bit by bit, between items and lines.
    uint8_t pattern = data[0];
    static const bool cleanupSet = std::atexit(removeScratch) == 0;
    (void)cleanupSet;
    std::FILE* file = std::fopen(scratchPath(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data + 1, 1, size - 1, file);
    std::fclose(file);

    int n = freeFileNumber();
    if (openTextFile(scratchPath(), n) != fileOk) return 0;
    size_t consumed = 0;
    for (int step = 0; !atEnd(n); ++step) {
        bool item = (pattern >> (step % 8)) & 1;
        std::string piece = item ? readItem(n) : readLine(n);
        if (piece.size() > (item ? 4096u : (4u << 20))) __builtin_trap();
        takeApart(piece);
        if (++consumed > size) __builtin_trap();  // every read must move on
    }
    closeFile(n);
    return 0;
}
