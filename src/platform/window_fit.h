// Where the 640x480 picture lies in a window of any size: as large as fits,
// aspect ratio kept, centred between black bars.
#pragma once
#include <cstdint>

struct PictureArea {
    int32_t x = 0, y = 0, width = 640, height = 480;
};

PictureArea pictureAreaIn(int32_t windowWidth, int32_t windowHeight);
// A window position as a pixel of the picture; false when it lies on a bar or outside.
bool pictureFromWindow(const PictureArea& area, int32_t windowX, int32_t windowY, int32_t& x, int32_t& y);
// The picture column or row shown at offset `at` of a side `shown` pixels long.
int32_t pictureOffset(int32_t at, int32_t shown, int32_t pictureSide);
