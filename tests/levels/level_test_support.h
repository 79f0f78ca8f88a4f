// Shared helpers of the level tests: a scratch folder to run in, tiny BMP
// tilesets, pictures as letters, the console read back as text, key presses.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/image.h"

// Makes a fresh folder with data/ and maps/, enters it, and on leaving goes back
// and removes it. Also opens the headless screen, clears the console and makes
// every wait for a key end at once (see keyWaits).
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

void writeFile(const std::string& path, const std::string& content);

// Letters stand for colours 0xFF0000xx (xx the letter's code); '.' is magenta.
Colour letterColour(char letter);
// The image as rows of letters: '.' for magenta, '?' for any other colour.
std::vector<std::string> imageLetters(const Image& image);
// A 24-bit bottom-up BMP of the pictures given as rows of letters.
void writeLetterBmp(const std::string& path, const std::vector<std::string>& rows);
// A 24-bit BMP from raw pixels (alpha dropped).
void writeBmp24(const std::string& path, int32_t width, int32_t height,
                const std::vector<Colour>& pixels);

// The text printed on console row `row` (trailing blanks dropped).
std::string consoleText(int row);
// Every console row printed since the last clearScreen, top first.
std::vector<std::string> consoleLines();

// Times a pause tested the key flag, and whether each test finds a key pressed.
extern int keyWaits;
extern bool pressKeyWhenAsked;
