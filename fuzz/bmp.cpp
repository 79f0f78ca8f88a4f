// Feeds arbitrary bytes to the BMP reader. Whatever the bytes, the reader must
// stay inside them, leave the image alone unless it answers 0, and a picture it
// read must come back unchanged through the 32-bit writer.
#include <cstdlib>
#include <cstring>
#include "platform/bmp.h"
#include "platform/screen.h"

namespace {

constexpr uint32_t fill = 0x5A5A5A5A;

Image makeImage(int32_t width, int32_t height) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
    // Sizes from the input's last bytes, so the overlap rule is explored too.
    const int32_t width = size > 0 ? 1 + data[size - 1] % 40 : 5;
    const int32_t height = size > 1 ? 1 + data[size - 2] % 40 : 5;
    Image image = makeImage(width, height);
    const int status = decodeBmp(data, size, &image);
    if (status != bmpLoaded) {
        if (status != bmpUnreadable) std::abort();
        for (uint32_t pixel : image.pixels) {
            if (pixel != fill) std::abort();
        }
        return 0;
    }
    const std::vector<uint8_t> written = encodeBmp32(image);
    Image back = makeImage(width, height);
    if (decodeBmp(written.data(), written.size(), &back) != bmpLoaded || back.pixels != image.pixels) std::abort();
    return 0;
}
