#include "bmp.h"
#include <sys/stat.h>
#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include "files.h"
#include "screen.h"

namespace {

// Header sizes we read: the old 12-byte core header, the 40-byte info header
// and its 52-, 56-, 108- (V4) and 124-byte (V5) successors.
constexpr uint32_t coreHeaderSize = 12;
constexpr uint32_t infoHeaderSize = 40;
constexpr size_t fileHeaderSize = 14;

enum : uint32_t { compressionNone = 0, compressionBitFields = 3, compressionAlphaBitFields = 6 };

// Bounds-checked little-endian reads over the file's bytes.
struct Bytes {
    const uint8_t* data;
    size_t size;
    bool has(uint64_t offset, uint64_t count) const { return offset <= size && count <= size - offset; }
    uint32_t u16(size_t offset) const { return data[offset] | data[offset + 1] << 8; }
    uint32_t u32(size_t offset) const { return u16(offset) | u16(offset + 2) << 16; }
    int32_t i32(size_t offset) const { return static_cast<int32_t>(u32(offset)); }
};

// One colour channel held under a bit mask, widened to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
};

bool makeChannel(uint32_t mask, Channel& channel) {
    channel = Channel{mask, 0, 0};
    if (mask == 0) return true;
    channel.shift = std::countr_zero(mask);
    channel.bits = std::popcount(mask);
    // The set bits must form one run.
    return (mask >> channel.shift) == (channel.bits == 32 ? 0xFFFFFFFFu : (1u << channel.bits) - 1);
}

// A channel narrower than 8 bits repeats its top bits; a wider one keeps its top 8.
uint32_t widen(const Channel& channel, uint32_t value) {
    if (channel.bits == 0) return 0;
    const uint32_t v = (value & channel.mask) >> channel.shift;
    if (channel.bits >= 8) return v >> (channel.bits - 8);
    uint32_t result = 0;
    int filled = 0;
    while (filled < 8) {
        result = result << channel.bits | v;
        filled += channel.bits;
    }
    return (result >> (filled - 8)) & 0xFF;
}

struct Layout {
    int64_t width = 0;
    int64_t height = 0;  // rows, always positive
    bool topDown = false;
    uint32_t bitsPerPixel = 0;
    uint64_t pixelOffset = 0;
    uint64_t stride = 0;
    // Direct colours
    Channel red, green, blue, alpha;
    bool alphaFromMask = false;
    bool alphaFromTopByte = false;
    // Palette formats
    uint32_t palette[256] = {};
    uint32_t paletteSize = 0;
};

bool readMasks(const Bytes& file, size_t offset, bool withAlpha, Layout& layout) {
    if (!file.has(offset, withAlpha ? 16 : 12)) return false;
    const uint32_t alphaMask = withAlpha ? file.u32(offset + 12) : 0;
    if (!makeChannel(file.u32(offset), layout.red) || !makeChannel(file.u32(offset + 4), layout.green) ||
        !makeChannel(file.u32(offset + 8), layout.blue) || !makeChannel(alphaMask, layout.alpha)) {
        return false;
    }
    const uint32_t colours = file.u32(offset) | file.u32(offset + 4) | file.u32(offset + 8);
    if (colours == 0) return false;  // masks that hold no colour at all
    const uint32_t all = colours | alphaMask;
    if (layout.bitsPerPixel == 16 && all > 0xFFFF) return false;
    // Only a 32-bit pixel carries alpha: every other depth is opaque, so a 16-bit
    // tileset's magenta stays empty whatever its alpha bit says.
    layout.alphaFromMask = alphaMask != 0 && layout.bitsPerPixel == 32;
    // Without an alpha mask, a 32-bit pixel's fourth byte is its alpha as long
    // as no colour lives there.
    layout.alphaFromTopByte = !layout.alphaFromMask && layout.bitsPerPixel == 32 && (all & 0xFF000000u) == 0;
    return true;
}

void defaultMasks(Layout& layout) {
    if (layout.bitsPerPixel == 16) {
        makeChannel(0x7C00, layout.red);
        makeChannel(0x03E0, layout.green);
        makeChannel(0x001F, layout.blue);
    } else {
        makeChannel(0x00FF0000, layout.red);
        makeChannel(0x0000FF00, layout.green);
        makeChannel(0x000000FF, layout.blue);
        layout.alphaFromTopByte = layout.bitsPerPixel == 32;
    }
}

bool readPalette(const Bytes& file, size_t offset, uint32_t entrySize, uint32_t used, Layout& layout) {
    const uint32_t most = 1u << layout.bitsPerPixel;
    layout.paletteSize = used == 0 || used > most ? most : used;
    if (!file.has(offset, uint64_t{layout.paletteSize} * entrySize)) return false;
    for (uint32_t i = 0; i < layout.paletteSize; ++i) {
        const size_t at = offset + static_cast<size_t>(i) * entrySize;
        layout.palette[i] = 0xFF000000u | uint32_t{file.data[at + 2]} << 16 | uint32_t{file.data[at + 1]} << 8 | file.data[at];
    }
    return true;
}

// Reads and checks every header field; true when the pixels can be read safely.
bool readLayout(const Bytes& file, Layout& layout) {
    if (!file.has(0, fileHeaderSize + 4) || file.data[0] != 'B' || file.data[1] != 'M') return false;
    layout.pixelOffset = file.u32(10);
    const uint32_t headerSize = file.u32(14);
    if (!file.has(fileHeaderSize, headerSize)) return false;
    uint32_t compression = compressionNone, coloursUsed = 0;
    int64_t height = 0;
    if (headerSize == coreHeaderSize) {
        layout.width = file.u16(18);
        height = static_cast<int16_t>(file.u16(20));
        layout.bitsPerPixel = file.u16(24);
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
        layout.width = file.i32(18);
        height = file.i32(22);
        layout.bitsPerPixel = file.u16(28);
        compression = file.u32(30);
        coloursUsed = file.u32(46);
    } else {
        return false;
    }
    if (layout.width <= 0 || height == 0) return false;
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;

    const size_t afterHeader = fileHeaderSize + headerSize;
    const uint32_t bits = layout.bitsPerPixel;
    if (bits == 1 || bits == 4 || bits == 8) {
        if (compression != compressionNone) return false;
        if (!readPalette(file, afterHeader, headerSize == coreHeaderSize ? 3 : 4, coloursUsed, layout)) return false;
    } else if (bits == 16 || bits == 24 || bits == 32) {
        if (compression == compressionNone) {
            defaultMasks(layout);
        } else if ((compression == compressionBitFields || compression == compressionAlphaBitFields) && bits != 24) {
            // Masks sit inside the larger headers, or follow the 40-byte one.
            // A 40-byte header whose pixels start right after it declares masks
            // it does not hold. Such 16-bit files come from writers that mean
            // 5-6-5 (the plain 5-5-5 needs no masks); 32-bit ones mean 8-8-8.
            const bool withAlpha = headerSize >= 56 || compression == compressionAlphaBitFields;
            const size_t masksAt = headerSize > infoHeaderSize ? fileHeaderSize + infoHeaderSize : afterHeader;
            if (headerSize == infoHeaderSize && layout.pixelOffset < masksAt + (withAlpha ? 16 : 12)) {
                defaultMasks(layout);
                if (bits == 16) {
                    makeChannel(0xF800, layout.red);
                    makeChannel(0x07E0, layout.green);
                }
            } else if (!readMasks(file, masksAt, withAlpha, layout)) {
                return false;
            }
        } else {
            return false;
        }
    } else {
        return false;
    }

    layout.stride = (static_cast<uint64_t>(layout.width) * bits + 31) / 32 * 4;
    const uint64_t lastRowBytes = (static_cast<uint64_t>(layout.width) * bits + 7) / 8;
    // The last row may come without its padding; everything else must be there.
    return file.has(layout.pixelOffset, layout.stride * static_cast<uint64_t>(layout.height - 1) + lastRowBytes);
}

uint32_t directPixel(const Layout& layout, uint32_t value, uint32_t fourthByte) {
    uint32_t alpha = 0xFF;
    if (layout.alphaFromMask) alpha = widen(layout.alpha, value);
    else if (layout.alphaFromTopByte) alpha = fourthByte;
    return alpha << 24 | widen(layout.red, value) << 16 | widen(layout.green, value) << 8 | widen(layout.blue, value);
}

uint32_t paletteIndex(const Layout& layout, const uint8_t* row, int64_t x) {
    const uint32_t bits = layout.bitsPerPixel;
    const uint64_t bit = static_cast<uint64_t>(x) * bits;
    return (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

// A colour index past the file's colour table makes the whole file unreadable,
// so it is looked for before the first pixel is written.
bool indicesWithinPalette(const uint8_t* data, const Layout& layout) {
    if (layout.bitsPerPixel > 8 || layout.paletteSize >= (1u << layout.bitsPerPixel)) return true;
    for (int64_t y = 0; y < layout.height; ++y) {
        const uint8_t* row = data + layout.pixelOffset + static_cast<uint64_t>(y) * layout.stride;
        for (int64_t x = 0; x < layout.width; ++x) {
            if (paletteIndex(layout, row, x) >= layout.paletteSize) return false;
        }
    }
    return true;
}

// Pixel x of a stored row.
uint32_t readPixel(const Layout& layout, const uint8_t* row, int64_t x) {
    switch (layout.bitsPerPixel) {
    case 1:
    case 4:
    case 8: return layout.palette[paletteIndex(layout, row, x)];
    case 16: {
        const uint8_t* p = row + x * 2;
        return directPixel(layout, p[0] | p[1] << 8, 0xFF);
    }
    case 24: {
        const uint8_t* p = row + x * 3;
        return 0xFF000000u | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    }
    default: {
        const uint8_t* p = row + x * 4;
        const uint32_t value = p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24;
        return directPixel(layout, value, p[3]);
    }
    }
}

void putLe16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
void putLe32(std::vector<uint8_t>& out, uint32_t value) {
    putLe16(out, value & 0xFFFF);
    putLe16(out, value >> 16);
}

// Files beyond this cannot be a picture the game could hold.
constexpr uint64_t largestBmpFile = static_cast<uint64_t>(maxImagePixels) * 4 + 65536;

}  // namespace

int decodeBmp(const uint8_t* data, size_t size, Image* image) {
    if (data == nullptr) return bmpUnreadable;
    const Bytes file{data, size};
    Layout layout;
    if (!readLayout(file, layout) || !indicesWithinPalette(data, layout)) return bmpUnreadable;
    if (image == nullptr || !imageIsWellFormed(*image)) return bmpUnreadable;
    const int64_t columns = std::min<int64_t>(layout.width, image->width);
    const int64_t rows = std::min<int64_t>(layout.height, image->height);
    for (int64_t y = 0; y < rows; ++y) {
        const int64_t stored = layout.topDown ? y : layout.height - 1 - y;
        const uint8_t* row = data + layout.pixelOffset + static_cast<uint64_t>(stored) * layout.stride;
        uint32_t* out = image->row(static_cast<int32_t>(y));
        for (int64_t x = 0; x < columns; ++x) out[x] = readPixel(layout, row, x);
    }
    return bmpLoaded;
}

int loadBmp(const std::string& path, Image* image) {
    std::FILE* handle = openForReading(path);
    if (handle == nullptr) return bmpCannotOpen;
    struct stat info {};
    if (fstat(fileno(handle), &info) != 0) {
        std::fclose(handle);
        return bmpCannotOpen;
    }
    const uint64_t size = static_cast<uint64_t>(info.st_size);
    if (size > largestBmpFile) {
        std::fclose(handle);
        return bmpUnreadable;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    const size_t read = std::fread(bytes.data(), 1, bytes.size(), handle);
    std::fclose(handle);
    return decodeBmp(bytes.data(), read, image);
}

std::vector<uint8_t> encodeBmp32(const Image& image) {
    std::vector<uint8_t> out;
    if (!imageIsWellFormed(image)) return out;
    constexpr uint32_t headerSize = 108;  // V4: the one with an alpha mask that every reader knows
    constexpr uint32_t pixelOffset = fileHeaderSize + headerSize;
    const uint64_t pixelBytes = static_cast<uint64_t>(image.width) * static_cast<uint64_t>(image.height) * 4;
    out.reserve(pixelOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    putLe32(out, static_cast<uint32_t>(pixelOffset + pixelBytes));
    putLe32(out, 0);
    putLe32(out, pixelOffset);
    putLe32(out, headerSize);
    putLe32(out, static_cast<uint32_t>(image.width));
    putLe32(out, static_cast<uint32_t>(-image.height));  // negative: top row first
    putLe16(out, 1);
    putLe16(out, 32);
    putLe32(out, compressionBitFields);
    putLe32(out, static_cast<uint32_t>(pixelBytes));
    putLe32(out, 2835);  // 72 dots per inch
    putLe32(out, 2835);
    putLe32(out, 0);
    putLe32(out, 0);
    for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) putLe32(out, mask);
    putLe32(out, 0x73524742);  // colour space "sRGB"
    out.resize(pixelOffset, 0);  // end points and gamma, unused
    const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    for (size_t i = 0; i < count; ++i) putLe32(out, image.pixels[i]);
    return out;
}

bool writeBmp32(const std::string& path, const Image& image) {
    const std::vector<uint8_t> bytes = encodeBmp32(image);
    if (bytes.empty()) return false;
    std::FILE* handle = std::fopen(hostPath(path).c_str(), "wb");
    if (handle == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), handle) == bytes.size();
    return std::fclose(handle) == 0 && written;
}
