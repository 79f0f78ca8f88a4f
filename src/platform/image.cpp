#include "image.h"
#include "screen.h"

namespace {

bool imageCanBeMade(int32_t width, int32_t height) {
    if (!screenIsOpen()) return false;
    if (width < 1 || height < 1 || width > maxImageSide || height > maxImageSide) return false;
    return int64_t{width} * height <= maxImagePixels;
}

}  // namespace

Image* createImage(int32_t width, int32_t height, Colour fill) {
    if (!imageCanBeMade(width, height)) return nullptr;
    Image* image = new Image;
    image->width = width;
    image->height = height;
    image->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    return image;
}

void destroyImage(Image*& image) {
    delete image;
    image = nullptr;
}

Image* reuseImage(Image*& spare, int32_t width, int32_t height) {
    if (!imageCanBeMade(width, height)) return nullptr;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (spare == nullptr || spare->pixels.capacity() < count) {
        // Too small: give its memory back before asking for more.
        if (spare != nullptr) destroyImage(spare);
        return createImage(width, height);
    }
    Image* image = spare;
    spare = nullptr;
    image->width = width;
    image->height = height;
    image->pixels.resize(count);  // within its memory: only pixels it never held are written
    return image;
}
