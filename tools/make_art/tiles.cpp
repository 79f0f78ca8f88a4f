// The tileset: 30 square ground tiles in six materials, 78 shaped tiles of
// earth, rock and sand, two spare places, then the entrance and exit markers.
// Tiles 1 to 30 are solid over their whole 16x16 square except the plank ledge
// (26), solid only in its top 6 rows, thin enough for a blast to go through it.
// The shaped tiles have magenta cut into them: slopes, rounded corners, hanging
// tips, ledges and half-width pillars, so the ground can rise and fall in steps
// of 1 or 2 px that the eggs walk over. The gaps between tiles stay empty.
#include <cmath>
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

constexpr int firstShaped = 31;                  // 26 shapes each of earth, rock, sand
constexpr int spareTiles = firstShaped + 3 * 26;  // 109 and 110, left empty
constexpr int entranceTile = 111, exitTile = 112;

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

// Height of the ground in column x (0..15) of a slope tile: `part` counts the
// tiles of a slope from its low end, `parts` is how many tiles it takes to rise
// 16 px. Mirrored columns make the falling slopes.
int slopeHeight(int x, int part, int parts) {
    const int rise = 16 / parts;
    return rise * part + x * rise / 16 + 1;
}

bool insideCorner(int x, int y) {  // the quarter circle of radius 8 round (8, 8)
    const double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
    return dx * dx + dy * dy <= 64.0;
}

// The shapes in the order their tiles follow one another, for each material.
enum Shape {
    slopeUp, slopeDown, riseQuarter1, riseQuarter2, riseQuarter3, riseQuarter4,
    fallQuarter1, fallQuarter2, fallQuarter3, fallQuarter4,
    riseHalfLow, riseHalfHigh, fallHalfHigh, fallHalfLow,
    roundTopLeft, roundTopRight, roundUnderLeft, roundUnderRight, hangingTip,
    thinLedge, upperHalf, lowerHalf, leftPillar, rightPillar, knoll, lowStep,
    shapeCount
};

bool solidIn(Shape shape, int x, int y) {
    const int mx = 15 - x;
    auto ground = [&](int height) { return y >= 16 - height; };
    switch (shape) {
    case slopeUp: return ground(slopeHeight(x, 0, 1));
    case slopeDown: return ground(slopeHeight(mx, 0, 1));
    case riseQuarter1: case riseQuarter2: case riseQuarter3: case riseQuarter4:
        return ground(slopeHeight(x, shape - riseQuarter1, 4));
    case fallQuarter1: case fallQuarter2: case fallQuarter3: case fallQuarter4:
        return ground(slopeHeight(mx, fallQuarter4 - shape, 4));
    case riseHalfLow: return ground(slopeHeight(x, 0, 2));
    case riseHalfHigh: return ground(slopeHeight(x, 1, 2));
    case fallHalfHigh: return ground(slopeHeight(mx, 1, 2));
    case fallHalfLow: return ground(slopeHeight(mx, 0, 2));
    case roundTopLeft: return x >= 8 || y >= 8 || insideCorner(x, y);
    case roundTopRight: return mx >= 8 || y >= 8 || insideCorner(mx, y);
    case roundUnderLeft: return x >= 8 || y < 8 || insideCorner(x, 15 - y);
    case roundUnderRight: return mx >= 8 || y < 8 || insideCorner(mx, 15 - y);
    case hangingTip: return std::abs(x + 0.5 - 8) < 8.0 - y / 2.0;
    case thinLedge: return y < 4;
    case upperHalf: return y < 8;
    case lowerHalf: return y >= 8;
    case leftPillar: return x < 8;
    case rightPillar: return x >= 8;
    case knoll: return y >= 8 || insideCorner(x < 8 ? x : mx, y);
    case lowStep: return y >= 14;
    default: return false;
    }
}

// Shapes whose top row meets open air rather than more of the same ground.
bool openAbove(Shape shape) {
    return shape != roundUnderLeft && shape != roundUnderRight && shape != hangingTip &&
           shape != leftPillar && shape != rightPillar;
}

// A tile of the material with the shape cut out of it, grass on every face open
// to the sky and a darker rim where the ground meets the air at its sides or below.
Tile shaped(Tile t, Shape shape, int salt) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (!solidIn(shape, x, y)) plot(t, x, y, none);
    const Tile cut = t;
    auto solid = [&](int x, int y) { return pixelAt(cut, x, y) != none; };
    for (int x = 0; x < 16; ++x) {
        for (int y = 0; y < 16; ++y) {
            if (!solid(x, y)) continue;
            const bool sky = y == 0 ? openAbove(shape) : !solid(x, y - 1);
            if (sky) {
                const int depth = 3 + static_cast<int>(noise(x, 0, salt) % 3);
                for (int k = 0; k < depth && solid(x, y + k); ++k)
                    plot(t, x, y + k, k == 0 ? 0xFF8CE05A : shade(0xFF4CB030, -8 * k));
                continue;
            }
            const bool edge = (x > 0 && !solid(x - 1, y)) || (x < 15 && !solid(x + 1, y)) ||
                              (y < 15 && !solid(x, y + 1));
            if (edge && pixelAt(t, x, y) == pixelAt(cut, x, y)) plot(t, x, y, shade(pixelAt(cut, x, y), -30));
        }
    }
    return t;
}

// The three materials shaped tiles come in, each like its square tiles.
Tile material(int m, int salt) {
    if (m == 0) return speckled(0xFF8A5A30, 12, salt);  // earth
    if (m == 1) {                                       // rock
        Tile t = speckled(0xFF84848C, 14, salt);
        pebbles(t, 0xFF5C5C64, salt, 3);
        return t;
    }
    return speckled(0xFFC8A868, 10, salt);  // sand
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
    case spareTiles: case spareTiles + 1: t = makeCanvas(16, 16); break;
    case entranceTile: t = marker(false); break;
    case exitTile: t = marker(true); break;
    default: {
        const int k = n - firstShaped;
        t = shaped(material(k / shapeCount, n), static_cast<Shape>(k % shapeCount), n);
    }
    }
    return t;
}

}  // namespace

Canvas drawTileset() {
    Canvas set = makeCanvas(136, 17 * (exitTile / 8));
    for (int n = 1; n <= exitTile; ++n) stamp(set, tile(n), 17 * ((n - 1) % 8), 17 * ((n - 1) / 8));
    return set;
}
