// The tileset: 30 ground tiles in six materials, then the entrance and exit
// markers. Every ground tile but one is solid over its whole 16x16 square, so
// the eggs meet flat floors and straight walls; the plank ledge (26) is solid
// only in its top 6 rows, thin enough for an explosion to blow a hole in it.
// The gaps between tiles stay empty.
#include <cstdint>
#include "art.h"

namespace {

// A fixed scramble of (x, y, salt), so the textures come out the same every build.
uint32_t noise(int x, int y, int salt) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

uint32_t shade(uint32_t colour, int amount) {
    auto channel = [&](int shift) {
        int v = static_cast<int>((colour >> shift) & 0xFF) + amount;
        return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

using Tile = Canvas;

Tile speckled(uint32_t base, int spread, int salt) {
    Tile t = makeCanvas(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            plot(t, x, y, shade(base, static_cast<int>(noise(x, y, salt) % (2 * spread + 1)) - spread));
    return t;
}

void grassTop(Tile& t, int salt) {
    for (int x = 0; x < 16; ++x) {
        int depth = 3 + static_cast<int>(noise(x, 0, salt) % 3);
        for (int y = 0; y < depth; ++y) plot(t, x, y, y == 0 ? 0xFF8CE05A : shade(0xFF4CB030, -8 * y));
    }
}

void pebbles(Tile& t, uint32_t colour, int salt, int count) {
    for (int i = 0; i < count; ++i) {
        int x = static_cast<int>(noise(i, 1, salt) % 14), y = static_cast<int>(noise(i, 2, salt) % 14);
        fillRect(t, x, y, x + 1, y + 1, colour);
        plot(t, x, y, shade(colour, 40));
    }
}

Tile bricks(uint32_t base, uint32_t mortar, int salt) {
    Tile t = speckled(base, 10, salt);
    for (int y = 0; y < 16; y += 4) {
        fillRect(t, 0, y + 3, 15, y + 3, mortar);
        int offset = (y / 4) % 2 ? 4 : 12;
        fillRect(t, offset, y, offset, y + 2, mortar);
        fillRect(t, (offset + 8) % 16, y, (offset + 8) % 16, y + 2, mortar);
    }
    return t;
}

Tile metal(uint32_t base, bool rivets, int salt) {
    Tile t = speckled(base, 4, salt);
    fillRect(t, 0, 0, 15, 0, shade(base, 50));
    fillRect(t, 0, 0, 0, 15, shade(base, 35));
    fillRect(t, 0, 15, 15, 15, shade(base, -50));
    fillRect(t, 15, 0, 15, 15, shade(base, -40));
    if (rivets)
        for (int y : {3, 12})
            for (int x : {3, 12}) {
                plot(t, x, y, shade(base, 70));
                plot(t, x + 1, y + 1, shade(base, -60));
            }
    return t;
}

Tile crystal(uint32_t base, int salt) {
    Tile t = speckled(shade(base, -40), 6, salt);
    for (int k = 0; k < 3; ++k) {  // facets
        int x0 = static_cast<int>(noise(k, 5, salt) % 12), w = 3 + static_cast<int>(noise(k, 6, salt) % 3);
        for (int y = 2; y < 15; ++y)
            for (int x = x0; x < x0 + w && x < 16; ++x)
                plot(t, x, y, shade(base, (x == x0 ? 60 : 0) + (y < 5 ? 30 : 0)));
    }
    return t;
}

Tile planks(int salt) {
    Tile t = speckled(0xFF9A6232, 8, salt);
    for (int y = 0; y < 16; y += 4) fillRect(t, 0, y, 15, y, 0xFF6A3C18);
    return t;
}

Tile ledge(int salt) {
    Tile t = makeCanvas(16, 16);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 16; ++x)
            plot(t, x, y, shade(0xFFB07840, static_cast<int>(noise(x, y, salt) % 17) - 8));
    fillRect(t, 0, 0, 15, 0, 0xFFD8A060);
    fillRect(t, 0, 5, 15, 5, 0xFF6A3C18);
    fillRect(t, 7, 1, 7, 4, 0xFF6A3C18);
    return t;
}

Tile marker(bool exit) {
    Tile t = makeCanvas(16, 16);
    uint32_t colour = exit ? 0xFF30D030 : 0xFF30A0FF;
    fillRect(t, 0, 0, 15, 15, 0xFF202020);
    fillRect(t, 2, 2, 13, 13, colour);
    if (exit) {  // an arrow out: right
        fillRect(t, 4, 7, 9, 8, 0xFFFFFFFF);
        for (int k = 0; k < 4; ++k) fillRect(t, 9 + k, 4 + k, 9 + k, 11 - k, 0xFFFFFFFF);
    } else {  // an arrow in: down
        fillRect(t, 7, 3, 8, 8, 0xFFFFFFFF);
        for (int k = 0; k < 4; ++k) fillRect(t, 4 + k, 8 + k, 11 - k, 8 + k, 0xFFFFFFFF);
    }
    return t;
}

Tile tile(int n) {
    Tile t;
    switch (n) {
    case 1: t = speckled(0xFF8A5A30, 12, n); grassTop(t, n); break;          // grass on earth
    case 2: t = speckled(0xFF8A5A30, 12, n); break;                          // earth
    case 3: t = speckled(0xFF8A5A30, 12, n); pebbles(t, 0xFF6E6A64, n, 4); break;
    case 4: t = speckled(0xFF6E4424, 10, n); break;                          // dark earth
    case 5: t = speckled(0xFF6E4424, 10, n); grassTop(t, n); break;
    case 6: t = speckled(0xFFC8A868, 10, n); break;                          // sand
    case 7: t = speckled(0xFFC8A868, 10, n); grassTop(t, n); break;
    case 8: t = speckled(0xFF8A5A30, 12, n); pebbles(t, 0xFFD0C060, n, 2); break;  // earth with gold
    case 9: t = speckled(0xFF84848C, 14, n); pebbles(t, 0xFF5C5C64, n, 3); break;  // rock
    case 10: t = speckled(0xFF6C6C74, 12, n); break;                         // dark rock
    case 11: t = speckled(0xFF84848C, 14, n); grassTop(t, n); break;        // mossy rock
    case 12: t = speckled(0xFFA0A0A8, 10, n); pebbles(t, 0xFF707078, n, 5); break;
    case 13: t = bricks(0xFFB85A3C, 0xFF5C3020, n); break;                   // red brick
    case 14: t = bricks(0xFF9C9488, 0xFF4C4840, n); break;                   // stone brick
    case 15: t = bricks(0xFF7C5C8C, 0xFF3C2848, n); break;                   // violet brick
    case 16: t = bricks(0xFFC89848, 0xFF6C4C20, n); break;                   // sandstone
    case 17: t = metal(0xFF7C8CA0, true, n); break;                          // steel plate
    case 18: t = metal(0xFF7C8CA0, false, n); break;
    case 19: t = metal(0xFFA08C5C, true, n); break;                          // brass
    case 20: t = metal(0xFF5C6470, true, n); break;                          // dark steel
    case 21: t = crystal(0xFF60C8FF, n); break;                              // ice blue
    case 22: t = crystal(0xFFC070FF, n); break;                              // amethyst
    case 23: t = crystal(0xFF60F0A0, n); break;                              // emerald
    case 24: t = crystal(0xFFFF8080, n); break;                              // rose
    case 25: t = planks(n); break;
    case 26: t = ledge(n); break;                                            // thin ledge
    case 27: t = speckled(0xFFE8E4DC, 6, n); break;                          // marble
    case 28: t = speckled(0xFFE8E4DC, 6, n); fillRect(t, 0, 0, 15, 1, 0xFFFFFFFF); break;
    case 29: t = speckled(0xFF3C3C44, 8, n); break;                          // basalt
    case 30: t = speckled(0xFF3C3C44, 8, n); pebbles(t, 0xFFE05020, n, 3); break;  // with embers
    case 31: t = marker(false); break;
    default: t = marker(true); break;
    }
    return t;
}

}  // namespace

Canvas drawTileset() {
    Canvas set = makeCanvas(136, 68);
    for (int n = 1; n <= 32; ++n) stamp(set, tile(n), 17 * ((n - 1) % 8), 17 * ((n - 1) / 8));
    return set;
}
