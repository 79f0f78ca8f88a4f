#include "canvas.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

Canvas makeCanvas(int width, int height) {
    return Canvas{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, none)};
}

uint32_t pixelAt(const Canvas& c, int x, int y) {
    if (x < 0 || y < 0 || x >= c.width || y >= c.height) return none;
    return c.pixels[static_cast<size_t>(y) * c.width + x];
}

void plot(Canvas& c, int x, int y, uint32_t colour) {
    if (x < 0 || y < 0 || x >= c.width || y >= c.height) return;
    c.pixels[static_cast<size_t>(y) * c.width + x] = colour;
}

void fillRect(Canvas& c, int x1, int y1, int x2, int y2, uint32_t colour) {
    for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
        for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) plot(c, x, y, colour);
}

void line(Canvas& c, int x1, int y1, int x2, int y2, uint32_t colour) {
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(c, x1, y1, colour);
        if (x1 == x2 && y1 == y2) return;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x1 += sx; }
        if (e2 <= dx) { err += dx; y1 += sy; }
    }
}

void fillEllipse(Canvas& c, double cx, double cy, double rx, double ry, uint32_t colour) {
    for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
        for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
            double u = (x - cx) / rx, v = (y - cy) / ry;
            if (u * u + v * v <= 1.0) plot(c, x, y, colour);
        }
}

void fillEgg(Canvas& c, double cx, double cy, double rx, double ry, uint32_t colour) {
    for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y) {
        double v = (y - cy) / ry;
        if (v < -1.0 || v > 1.0) continue;
        double half = rx * std::sqrt(1.0 - v * v) * (v < 0 ? 0.82 + 0.18 * (1.0 + v) : 1.0);
        for (int x = static_cast<int>(std::floor(cx - half)); x <= static_cast<int>(std::ceil(cx + half)); ++x)
            if (std::abs(x - cx) <= half) plot(c, x, y, colour);
    }
}

void addOutline(Canvas& c, uint32_t outline) {
    Canvas before = c;
    auto drawn = [&](int x, int y) {
        uint32_t p = pixelAt(before, x, y);
        return p != none && p != outline;
    };
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (pixelAt(before, x, y) == none &&
                (drawn(x - 1, y) || drawn(x + 1, y) || drawn(x, y - 1) || drawn(x, y + 1)))
                plot(c, x, y, outline);
}

void stamp(Canvas& to, const Canvas& from, int x, int y) {
    for (int r = 0; r < from.height; ++r)
        for (int col = 0; col < from.width; ++col) {
            uint32_t p = pixelAt(from, col, r);
            if (p != none) plot(to, x + col, y + r, p);
        }
}

Canvas mirrored(const Canvas& c) {
    Canvas m = makeCanvas(c.width, c.height);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) plot(m, c.width - 1 - x, y, pixelAt(c, x, y));
    return m;
}

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void put32be(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((v >> shift) & 0xFF);
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

uint32_t crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void pngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    put32be(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    put32be(out, crc32(body.data(), body.size()));
}

}  // namespace

bool writeBmp24(const std::string& path, const Canvas& c) {
    const uint32_t rowBytes = (static_cast<uint32_t>(c.width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(c.height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(c.width));
    put32(out, static_cast<uint32_t>(c.height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // BI_RGB
    put32(out, imageBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = c.height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < c.width; ++x) {
            uint32_t p = pixelAt(c, x, y);
            out.push_back(p & 0xFF);
            out.push_back((p >> 8) & 0xFF);
            out.push_back((p >> 16) & 0xFF);
        }
        while (out.size() - start < rowBytes) out.push_back(0);
    }
    return writeFile(path, out);
}

bool writePng(const std::string& path, const Canvas& c, bool alpha) {
    // Raw scanlines (filter 0, RGB or RGBA), wrapped in zlib stored blocks.
    std::vector<uint8_t> raw;
    for (int y = 0; y < c.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < c.width; ++x) {
            uint32_t p = pixelAt(c, x, y);
            raw.push_back((p >> 16) & 0xFF);
            raw.push_back((p >> 8) & 0xFF);
            raw.push_back(p & 0xFF);
            if (alpha) raw.push_back(p >> 24);
        }
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        z.push_back(pos + n == raw.size() ? 1 : 0);
        put16(z, static_cast<uint32_t>(n));
        put16(z, static_cast<uint32_t>(~n & 0xFFFF));
        z.insert(z.end(), raw.begin() + static_cast<long>(pos), raw.begin() + static_cast<long>(pos + n));
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32be(z, (b << 16) | a);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    put32be(header, static_cast<uint32_t>(c.width));
    put32be(header, static_cast<uint32_t>(c.height));
    header.insert(header.end(), {8, static_cast<uint8_t>(alpha ? 6 : 2), 0, 0, 0});  // 8-bit RGB(A), no interlace
    pngChunk(out, "IHDR", header);
    pngChunk(out, "IDAT", z);
    pngChunk(out, "IEND", {});
    return writeFile(path, out);
}
