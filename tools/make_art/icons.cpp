// The nine panel icons (31x31 each, side by side along the top of the sheet),
// the entrance hatch and the exit hut.
#include <algorithm>
#include <cmath>
#include "art.h"

namespace {

constexpr uint32_t rim = 0xFF1E140C;
constexpr uint32_t arrow = 0xFF50E050;
constexpr uint32_t rock = 0xFF8A8A90;

void miniEgg(Canvas& c, int cx, int cy) {
    fillEgg(c, cx, cy, 5.2, 7.2, shellShade);
    fillEgg(c, cx + 0.8, cy - 0.6, 4.3, 6.4, shell);
    fillRect(c, cx + 1, cy - 2, cx + 1, cy - 1, rim);
    fillRect(c, cx + 3, cy - 2, cx + 3, cy - 1, rim);
}

void miniLegs(Canvas& c, int cx, int top, int spread) {
    fillRect(c, cx - spread, top, cx - spread, top + 2, foot);
    fillRect(c, cx + spread, top, cx + spread, top + 2, foot);
    fillRect(c, cx - spread, top + 2, cx - spread + 1, top + 2, foot);
    fillRect(c, cx + spread, top + 2, cx + spread + 1, top + 2, foot);
}

void arrowRight(Canvas& c, int x, int y, int length) {
    fillRect(c, x, y - 1, x + length - 4, y + 1, arrow);
    for (int k = 0; k < 4; ++k) fillRect(c, x + length - 4 + k, y - 3 + k, x + length - 4 + k, y + 3 - k, arrow);
}

void arrowDown(Canvas& c, int x, int y, int length) {
    fillRect(c, x - 1, y, x + 1, y + length - 4, arrow);
    for (int k = 0; k < 4; ++k) fillRect(c, x - 3 + k, y + length - 4 + k, x + 3 - k, y + length - 4 + k, arrow);
}

void arrowUp(Canvas& c, int x, int y, int length) {
    fillRect(c, x - 1, y - length + 4, x + 1, y, arrow);
    for (int k = 0; k < 4; ++k) fillRect(c, x - 3 + k, y - length + 4 - k, x + 3 - k, y - length + 4 - k, arrow);
}

void bomb(Canvas& c, int cx, int cy, double r) {
    fillEllipse(c, cx, cy, r, r, 0xFF303038);
    fillEllipse(c, cx - r / 3, cy - r / 3, r / 4, r / 4, 0xFF8890A0);
    line(c, cx + 1, cy - static_cast<int>(r), cx + 3, cy - static_cast<int>(r) - 3, wood);
    plot(c, cx + 4, cy - static_cast<int>(r) - 4, 0xFFFFE040);
    plot(c, cx + 5, cy - static_cast<int>(r) - 5, 0xFFFF8020);
    plot(c, cx + 3, cy - static_cast<int>(r) - 5, 0xFFFF8020);
}

Canvas icon(int which) {
    Canvas c = makeCanvas(31, 31);
    switch (which) {
    case 1:  // walk
        miniLegs(c, 10, 20, 2);
        miniEgg(c, 10, 14);
        arrowRight(c, 17, 15, 11);
        break;
    case 2:  // block
        miniLegs(c, 15, 21, 3);
        miniEgg(c, 15, 15);
        fillRect(c, 3, 15, 9, 16, shell);
        fillRect(c, 21, 15, 27, 16, shell);
        fillRect(c, 2, 13, 3, 18, shell);
        fillRect(c, 27, 13, 28, 18, shell);
        break;
    case 3:  // build: a rising run of bricks
        for (int i = 0; i < 4; ++i) {
            int x = 3 + 6 * i, y = 24 - 5 * i;
            fillRect(c, x, y, x + 7, y + 3, brick);
            fillRect(c, x, y + 3, x + 7, y + 3, brickDark);
        }
        break;
    case 4:  // dig: a spade going down
        fillRect(c, 9, 3, 9, 14, wood);
        fillRect(c, 6, 3, 12, 3, wood);
        fillRect(c, 6, 15, 12, 21, steel);
        fillRect(c, 7, 22, 11, 23, steelDark);
        arrowDown(c, 22, 6, 19);
        fillRect(c, 2, 26, 28, 28, 0xFF7A4A22);
        break;
    case 5:  // tunnel: a pick and the way it cuts
        line(c, 5, 26, 15, 8, wood);
        line(c, 6, 26, 16, 8, wood);
        for (int k = -7; k <= 7; ++k) fillRect(c, 15 + k, 8 + (k * k) / 10 - k / 3, 16 + k, 9 + (k * k) / 10 - k / 3, k > 0 ? steel : steelDark);
        arrowRight(c, 17, 22, 12);
        break;
    case 6:  // float: a canopy
        for (int y = 3; y <= 13; ++y) {
            double v = (13.5 - y) / 10.5;
            int half = static_cast<int>(std::lround(13 * std::sqrt(std::max(0.0, 1 - v * v))));
            for (int x = 15 - half; x <= 15 + half; ++x) plot(c, x, y, ((x + 1) / 5) % 2 ? 0xFFFFFFFF : 0xFFE83A3A);
        }
        fillRect(c, 15, 14, 15, 24, wood);
        fillRect(c, 13, 24, 14, 25, wood);
        break;
    case 7:  // climb: up a wall
        fillRect(c, 22, 2, 28, 28, rock);
        for (int y = 5; y < 28; y += 6) fillRect(c, 22, y, 28, y, 0xFF5E5E64);
        miniEgg(c, 13, 18);
        fillRect(c, 18, 11, 21, 12, shell);
        arrowUp(c, 6, 14, 11);
        break;
    case 8:  // explode: a lit bomb
        bomb(c, 14, 18, 8.5);
        break;
    case 9:  // arm all: a burst
        for (int i = 0; i < 16; ++i) {
            double a = i * 3.14159265358979 / 8;
            double r = (i % 2) ? 8 : 14;
            line(c, 15, 15, 15 + static_cast<int>(std::lround(r * std::cos(a))),
                 15 + static_cast<int>(std::lround(r * std::sin(a))), 0xFFFF7020);
        }
        fillEllipse(c, 15, 15, 6, 6, 0xFFFFD040);
        fillEllipse(c, 15, 15, 3, 3, 0xFFFFFFFF);
        break;
    }
    addOutline(c, rim);
    return c;
}

}  // namespace

void drawIcons(Canvas& sheet) {
    for (int k = 1; k <= 9; ++k) stamp(sheet, icon(k), 32 * k - 32, 0);
}

// The hatch the eggs drop from; they appear below its middle column (20).
void drawEntrance(Canvas& sheet, int x0, int y0) {
    Canvas c = makeCanvas(40, 24);
    fillRect(c, 3, 2, 36, 14, 0xFF20140C);       // dark shaft
    fillRect(c, 1, 0, 38, 4, 0xFF8C5A2C);        // lintel
    fillRect(c, 1, 0, 38, 0, 0xFFB8844C);
    for (int x = 4; x <= 36; x += 8) plot(c, x, 2, 0xFFE0D080);
    fillRect(c, 1, 5, 4, 15, 0xFF8C5A2C);        // posts
    fillRect(c, 35, 5, 38, 15, 0xFF8C5A2C);
    line(c, 5, 15, 11, 22, 0xFFB8844C);          // flaps hanging open
    line(c, 6, 15, 12, 22, 0xFFB8844C);
    line(c, 34, 15, 28, 22, 0xFFB8844C);
    line(c, 33, 15, 27, 22, 0xFFB8844C);
    addOutline(c, rim);
    stamp(sheet, c, x0, y0);
}

// A little hut with an open door; its floor line is row 40, its door is
// centred on column 24.
void drawExit(Canvas& sheet, int x0, int y0) {
    Canvas c = makeCanvas(48, 42);
    fillRect(c, 7, 16, 40, 39, 0xFFD8B070);      // walls
    for (int y = 19; y <= 39; y += 4) fillRect(c, 7, y, 40, y, 0xFFB08850);
    for (int y = 2; y <= 16; ++y) {              // roof
        int half = (y - 2) * 22 / 14 + 1;
        fillRect(c, 24 - half, y, 24 + half, y, y % 3 ? 0xFFC83C28 : 0xFF982818);
    }
    fillRect(c, 16, 22, 31, 39, 0xFF3A2008);     // doorway
    fillEllipse(c, 23.5, 22, 7.5, 5, 0xFF3A2008);
    fillRect(c, 18, 25, 29, 39, 0xFFFFD060);     // warm light inside
    fillEllipse(c, 23.5, 25, 5.5, 3.5, 0xFFFFD060);
    fillRect(c, 10, 24, 13, 28, 0xFF80C8FF);     // windows
    fillRect(c, 34, 24, 37, 28, 0xFF80C8FF);
    fillRect(c, 24, 0, 24, 3, 0xFF403020);       // flag on the ridge
    fillRect(c, 25, 0, 29, 2, 0xFF50E050);
    addOutline(c, rim);
    stamp(sheet, c, x0, y0);
}

Canvas drawSpriteSheet() {
    Canvas sheet = makeCanvas(290, 384);
    drawIcons(sheet);
    drawCreatures(sheet);
    drawEntrance(sheet, 0, 326);
    drawExit(sheet, 40, 332);
    return sheet;
}
