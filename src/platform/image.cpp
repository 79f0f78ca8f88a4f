#include "image.h"
#include "screen.h"

Image* createImage(int32_t width, int32_t height, Colour fill) {
    if (!screenIsOpen()) return nullptr;
    if (width < 1 || height < 1 || width > maxImageSide || height > maxImageSide) return nullptr;
    if (int64_t{width} * height > maxImagePixels) return nullptr;
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
