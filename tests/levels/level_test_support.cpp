#include "level_test_support.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "platform/console.h"
#include "platform/font.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/screen.h"

int keyWaits = 0;
bool pressKeyWhenAsked = true;

namespace {

void answerWait() {
    ++keyWaits;
    if (pressKeyWhenAsked) {
        inputKeyEvent(scanEscape, true);
        inputKeyEvent(scanEscape, false);
    }
}

void put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

ScratchFolder::ScratchFolder() : previous_(std::filesystem::current_path()) {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
    char pattern[] = "/tmp/eggsodus-levels-XXXXXX";
    folder_ = mkdtemp(pattern);
    std::filesystem::create_directory(folder_ / "data");
    std::filesystem::create_directory(folder_ / "maps");
    std::filesystem::current_path(folder_);
    clearScreen();
    keyWaits = 0;
    pressKeyWhenAsked = true;
    setHeadlessPumpHook(answerWait);
}

ScratchFolder::~ScratchFolder() {
    setHeadlessPumpHook(nullptr);
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

Colour letterColour(char letter) {
    return letter == '.' ? transparentColour : 0xFF000000u | static_cast<uint8_t>(letter);
}

std::vector<std::string> imageLetters(const Image& image) {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < image.height; ++y) {
        std::string row;
        for (int32_t x = 0; x < image.width; ++x) {
            Colour c = image.row(y)[x];
            if (c == transparentColour) row += '.';
            else if ((c & 0xFFFFFF00u) == 0xFF000000u && (c & 0xFF) > 32) row += static_cast<char>(c & 0xFF);
            else row += '?';
        }
        rows.push_back(row);
    }
    return rows;
}

void writeBmp24(const std::string& path, int32_t width, int32_t height,
                const std::vector<Colour>& pixels) {
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    std::string out = "BM";
    put32(out, 54 + stride * height);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, width);
    put32(out, height);
    put16(out, 1);
    put16(out, 24);
    for (int i = 0; i < 6; ++i) put32(out, 0);
    for (int32_t y = height - 1; y >= 0; --y) {
        std::string row;
        for (int32_t x = 0; x < width; ++x) {
            Colour c = pixels[static_cast<size_t>(y) * width + x];
            row += static_cast<char>(c & 0xFF);
            row += static_cast<char>((c >> 8) & 0xFF);
            row += static_cast<char>((c >> 16) & 0xFF);
        }
        row.resize(stride, '\0');
        out += row;
    }
    writeFile(path, out);
}

void writeLetterBmp(const std::string& path, const std::vector<std::string>& rows) {
    const int32_t width = static_cast<int32_t>(rows.front().size());
    std::vector<Colour> pixels;
    for (const std::string& row : rows)
        for (char letter : row) pixels.push_back(letterColour(letter));
    writeBmp24(path, width, static_cast<int32_t>(rows.size()), pixels);
}

std::string consoleText(int row) {
    std::string text;
    for (int column = 0; column < consoleColumns; ++column) {
        uint8_t cell[8] = {};
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (displaySurface.row(row * 8 + y)[column * 8 + x] == defaultTextColour)
                    cell[y] |= static_cast<uint8_t>(1u << x);
        char found = '?';
        for (int c = 32; c < 127; ++c)
            if (std::equal(cell, cell + 8, fontGlyphs[c])) {
                found = static_cast<char>(c);
                break;
            }
        text += found;
    }
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

std::vector<std::string> consoleLines() {
    std::vector<std::string> lines;
    for (int row = 0; row < consoleCursorRow(); ++row) lines.push_back(consoleText(row));
    return lines;
}
