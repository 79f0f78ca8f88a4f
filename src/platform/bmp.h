// Reading BMP pictures into existing images, and writing the harness's 32-bit form.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "image.h"

enum : int { bmpLoaded = 0, bmpCannotOpen = 2, bmpUnreadable = 3 };

// Reads the file into the top-left part of `image` that both cover. Any file that
// does not fit returns bmpUnreadable and leaves the image unchanged.
int loadBmp(const std::string& path, Image* image);
// The same from bytes in memory (what loadBmp does after reading the file).
int decodeBmp(const uint8_t* data, size_t size, Image* image);

// Top-down 32-bit BI_BITFIELDS BMP (masks 0x00FF0000, 0x0000FF00, 0x000000FF,
// alpha 0xFF000000) that keeps every pixel's full value.
std::vector<uint8_t> encodeBmp32(const Image& image);
bool writeBmp32(const std::string& path, const Image& image);
