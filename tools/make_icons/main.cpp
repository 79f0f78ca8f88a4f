// Writes the desktop icons: make_icons OUTPUT_DIR SIZE...
// Each SIZE gives OUTPUT_DIR/SIZExSIZE/apps/eggsodus.png, laid out as the
// hicolor icon theme wants it. The icon is the walking egg of the sprite sheet
// (same shapes, same colours), drawn afresh at each size so that it stays
// smooth from 16 to 256 px.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include "../make_art/art.h"

namespace {

constexpr uint32_t rim = 0xFF2A1C12;
constexpr uint32_t eyeDark = 0xFF151515;
constexpr uint32_t shine = 0xFFFFFFFF;
constexpr int samples = 4;  // per side of each icon pixel, for soft edges

// The egg is drawn in the units of a 41x42 sprite frame, scaled and centred on
// a canvas `samples` times the icon's size.
struct Frame {
    Canvas canvas;
    double unit;  // canvas pixels per frame unit
    double x(double fx) const { return canvas.width / 2.0 + (fx - 20.5) * unit; }
    double y(double fy) const { return canvas.height / 2.0 + (fy - 25.6) * unit; }
    void rect(double x1, double y1, double x2, double y2, uint32_t colour) {
        // Frame rectangles include both corners: a unit pixel spans [x, x + 1).
        fillRect(canvas, static_cast<int>(x(x1)), static_cast<int>(y(y1)),
                 static_cast<int>(x(x2 + 1)) - 1, static_cast<int>(y(y2 + 1)) - 1, colour);
    }
    void egg(double cx, double cy, double rx, double ry, uint32_t colour) {
        fillEgg(canvas, x(cx + 0.5), y(cy + 0.5), rx * unit, ry * unit, colour);  // pixel centres
    }
};

// Each icon pixel is the mean of its samples; empty samples make it see-through.
Canvas downsampled(const Canvas& big, int size) {
    Canvas icon = makeCanvas(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            uint32_t r = 0, g = 0, b = 0, drawn = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    uint32_t p = pixelAt(big, x * samples + sx, y * samples + sy);
                    if (p == none) continue;
                    r += (p >> 16) & 0xFF;
                    g += (p >> 8) & 0xFF;
                    b += p & 0xFF;
                    ++drawn;
                }
            const uint32_t alpha = drawn * 255 / (samples * samples);
            plot(icon, x, y, drawn == 0 ? 0 : alpha << 24 | (r / drawn) << 16 | (g / drawn) << 8 | b / drawn);
        }
    return icon;
}

// The walking egg. With `grow` > 0 only its outline is drawn: every shape that
// much larger, in the dark rim colour, to lie under the egg as the sprites' rim.
void drawEgg(Frame& f, double grow) {
    auto paint = [&](uint32_t colour) { return grow > 0 ? rim : colour; };
    for (int legX : {16, 22}) {  // feet in mid-stride, as in the first walking frame
        f.rect(legX - grow, 33 - grow, legX + grow, 35 + grow, paint(foot));
        f.rect(legX - grow, 36 - grow, legX + 2 + grow, 36 + grow, paint(foot));
    }
    f.egg(20, 24, 7.6 + grow, 10.2 + grow, paint(shellShade));
    if (grow > 0) return;
    f.egg(21.2, 23.2, 6.4, 9.2, shell);
    f.rect(16, 17, 17, 19, shine);
    f.rect(22, 20, 23, 22, eyeDark);
    f.rect(25, 20, 26, 22, eyeDark);
    f.rect(22, 20, 22, 20, shine);
    f.rect(25, 20, 25, 20, shine);
}

Canvas drawAppIcon(int size) {
    // The egg with its feet spans about 23 frame units; it fills 92% of the icon.
    Frame f{makeCanvas(size * samples, size * samples), 0.92 * size * samples / 23.2};
    // The sprites' one-unit rim, but never thinner than one icon pixel.
    drawEgg(f, std::max(1.0, samples / f.unit));
    drawEgg(f, 0);
    return downsampled(f.canvas, size);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_DIR SIZE...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 8 || size > 1024) {
            std::fprintf(stderr, "make_icons: %s is not an icon size (8 to 1024)\n", argv[i]);
            return 2;
        }
        const std::string dimensions = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path dir = std::filesystem::path(argv[1]) / dimensions / "apps";
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        if (!writePng((dir / "eggsodus.png").string(), drawAppIcon(size), true)) {
            std::fprintf(stderr, "make_icons: cannot write %s/eggsodus.png\n", dir.c_str());
            return 1;
        }
    }
    return 0;
}
