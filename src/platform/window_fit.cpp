#include "window_fit.h"

#include <algorithm>

#include "screen.h"

PictureArea pictureAreaIn(int32_t windowWidth, int32_t windowHeight) {
    PictureArea area;
    windowWidth = std::max(windowWidth, 1);
    windowHeight = std::max(windowHeight, 1);
    if (int64_t{windowWidth} * screenHeight <= int64_t{windowHeight} * screenWidth) {
        area.width = windowWidth;
        area.height = static_cast<int32_t>(int64_t{windowWidth} * screenHeight / screenWidth);
    } else {
        area.height = windowHeight;
        area.width = static_cast<int32_t>(int64_t{windowHeight} * screenWidth / screenHeight);
    }
    area.width = std::max(area.width, 1);
    area.height = std::max(area.height, 1);
    area.x = (windowWidth - area.width) / 2;
    area.y = (windowHeight - area.height) / 2;
    return area;
}

int32_t pictureOffset(int32_t at, int32_t shown, int32_t pictureSide) {
    return static_cast<int32_t>(int64_t{at} * pictureSide / shown);
}

bool pictureFromWindow(const PictureArea& area, int32_t windowX, int32_t windowY, int32_t& x, int32_t& y) {
    int64_t dx = int64_t{windowX} - area.x, dy = int64_t{windowY} - area.y;
    if (dx < 0 || dy < 0 || dx >= area.width || dy >= area.height) return false;
    x = pictureOffset(static_cast<int32_t>(dx), area.width, screenWidth);
    y = pictureOffset(static_cast<int32_t>(dy), area.height, screenHeight);
    return true;
}
