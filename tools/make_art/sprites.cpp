// The eggs: seven rows of six frames, one row per skill, all facing right.
// Within a 41x42 frame the egg's reference point is (20, 31); its feet end on
// row 36 and the ground starts on row 37.
#include <algorithm>
#include <cmath>
#include "art.h"

namespace {

constexpr uint32_t shellLight = 0xFFFFFFFF;
constexpr uint32_t rim = 0xFF2A1C12;
constexpr uint32_t eyeDark = 0xFF151515;
constexpr uint32_t arm = 0xFFEADBB8;
constexpr uint32_t helmet = 0xFFFFD020;
constexpr uint32_t dirt = 0xFF7A4A22;

constexpr double pi = 3.14159265358979;

// The body with a shaded back, a shine and two eyes looking right;
// (dx, dy) shift the whole body.
void body(Canvas& c, int dx, int dy) {
    double cx = 20 + dx, cy = 24 + dy;
    fillEgg(c, cx, cy, 7.6, 10.2, shellShade);
    fillEgg(c, cx + 1.2, cy - 0.8, 6.4, 9.2, shell);
    fillRect(c, 16 + dx, 17 + dy, 17 + dx, 19 + dy, shellLight);
    fillRect(c, 22 + dx, 20 + dy, 23 + dx, 22 + dy, eyeDark);
    fillRect(c, 25 + dx, 20 + dy, 26 + dx, 22 + dy, eyeDark);
    plot(c, 22 + dx, 20 + dy, shellLight);
    plot(c, 25 + dx, 20 + dy, shellLight);
}

// A leg at column x whose foot is lifted `lift` px; the foot points right.
void leg(Canvas& c, int x, int lift) {
    fillRect(c, x, 33 - lift, x, 35 - lift, foot);
    fillRect(c, x, 36 - lift, x + 2, 36 - lift, foot);
}

void thickLine(Canvas& c, int x1, int y1, int x2, int y2, uint32_t colour) {
    line(c, x1, y1, x2, y2, colour);
    line(c, x1, y1 + 1, x2, y2 + 1, colour);
}

Canvas frame() { return makeCanvas(41, 42); }

// Finished frames get their rim; it stays inside columns 1..39 so that
// neighbouring frames, which share a column, never touch, and above row 37,
// the ground's top row, unless the egg is digging into it.
Canvas finish(Canvas c, bool intoTheGround = false) {
    addOutline(c, rim);
    for (int y = 0; y < c.height; ++y) {
        plot(c, 0, y, none);
        plot(c, 40, y, none);
    }
    if (!intoTheGround) fillRect(c, 0, 37, 40, 41, none);
    return c;
}

// Side view of a stride: one leg swings forward lifted while the other pushes back.
const int stride[6] = {3, 1, -1, -3, -1, 1};

Canvas walking(int f) {
    Canvas c = frame();
    int d = stride[f];
    bool frontLegSwings = f >= 4;  // the leg at 19 + d comes forward in the last frames
    leg(c, 19 + d, frontLegSwings ? 1 : 0);
    leg(c, 19 - d, (f == 1 || f == 2) ? 1 : 0);
    body(c, 0, (d == 3 || d == -3) ? 0 : -1);
    return finish(c);
}

Canvas blocking(int f) {
    Canvas c = frame();
    int wave = (f % 3) - 1;  // hands go -1, 0, +1 px
    leg(c, 15, 0);
    leg(c, 24, 0);
    body(c, 0, 0);
    thickLine(c, 12, 25, 4, 24 + wave, arm);
    thickLine(c, 28, 25, 36, 24 + wave, arm);
    fillRect(c, 3, 22 + wave, 5, 26 + wave, arm);
    fillRect(c, 35, 22 + wave, 37, 26 + wave, arm);
    // a red sash says "stop" from far away
    for (int x = 13; x <= 27; ++x) plot(c, x, 29 - (x - 13) / 3, brick);
    for (int x = 13; x <= 27; ++x) plot(c, x, 30 - (x - 13) / 3, brickDark);
    return finish(c);
}

Canvas building(int f) {
    Canvas c = frame();
    const int lift[6] = {8, 6, 4, 2, 0, 0};  // the brick comes down to be laid
    int s = stride[f] / 2;
    leg(c, 18 + s, 0);
    leg(c, 21 - s, 0);
    body(c, 0, 0);
    fillEllipse(c, 20.5, 14.5, 7, 3.5, helmet);  // hard hat
    fillRect(c, 13, 15, 28, 15, helmet);
    int by = 31 - lift[f];
    fillRect(c, 27, by, 34, by + 3, brick);
    fillRect(c, 27, by + 3, 34, by + 3, brickDark);
    thickLine(c, 23, 26, 28, by, arm);
    return finish(c);
}

Canvas digging(int f) {
    Canvas c = frame();
    const int push[6] = {0, 2, 4, 3, 1, 0};
    int p = push[f];
    leg(c, 17, 0);
    leg(c, 22, 0);
    body(c, 0, 1);
    // shovel held upright in front, driven down into the ground
    fillRect(c, 29, 16 + p, 29, 32 + p, wood);
    fillRect(c, 27, 16 + p, 31, 16 + p, wood);
    fillRect(c, 26, 33 + p, 32, 36 + p, steel);
    fillRect(c, 27, 37 + p, 31, 37 + p, steelDark);
    thickLine(c, 23, 25, 29, 22 + p, arm);
    if (f >= 2) {  // clods thrown back over the shoulder
        plot(c, 9 - f, 20 + f, dirt);
        fillRect(c, 11 - f, 14 + f, 12 - f, 15 + f, dirt);
        plot(c, 6, 28 - f, dirt);
    }
    return finish(c, true);
}

Canvas tunnelling(int f) {
    Canvas c = frame();
    // the pick's handle, in degrees from straight ahead: raised, swung, struck
    const double swing[6] = {115, 85, 55, 25, 0, 70};
    int s = stride[f] / 2;
    leg(c, 17 + s, 0);
    leg(c, 22 - s, 0);
    body(c, 0, 0);
    double a = swing[f] * pi / 180;
    double ux = std::cos(a), uy = -std::sin(a);  // along the handle, screen y down
    int hx = 24, hy = 26;                         // hands
    int tx = hx + static_cast<int>(std::lround(12 * ux));
    int ty = hy + static_cast<int>(std::lround(12 * uy));
    thickLine(c, hx, hy, tx, ty, wood);
    // the head lies across the handle's end, its points bent back toward the hands
    for (int k = -6; k <= 6; ++k) {
        double bend = (k * k) / 14.0;
        int x = tx + static_cast<int>(std::lround(k * -uy - bend * ux));
        int y = ty + static_cast<int>(std::lround(k * ux - bend * uy));
        fillRect(c, x, y, x + 1, y + 1, k > 0 ? steel : steelDark);
    }
    thickLine(c, 20, 27, hx, hy, arm);
    if (f == 4 || f == 5) {  // chips fly from the face being cut
        plot(c, 38, 22, dirt);
        plot(c, 36, 17, dirt);
        fillRect(c, 37, 27, 38, 28, dirt);
    }
    return finish(c);
}

Canvas floating(int f) {
    Canvas c = frame();
    const int sway[6] = {0, 1, 1, 0, -1, -1};
    int w = sway[f];
    // canopy in alternating panels
    for (int y = 1; y <= 10; ++y) {
        double v = (10.5 - y) / 9.5;
        int half = static_cast<int>(std::lround(15 * std::sqrt(std::max(0.0, 1 - v * v))));
        for (int x = 20 - half; x <= 20 + half; ++x) {
            int panel = (x - 20 + 16) / 6;
            plot(c, x + w, y, panel % 2 ? 0xFFFFFFFF : 0xFFE83A3A);
        }
    }
    for (int x = 5; x <= 35; x += 6) plot(c, x + w, 11, 0xFFE83A3A);
    line(c, 20 + w, 11, 20, 15, wood);
    body(c, 0, 0);
    thickLine(c, 17, 22, 20, 15, arm);
    thickLine(c, 24, 22, 21, 15, arm);
    leg(c, 17 + (f % 2), 1);
    leg(c, 22 - (f % 2), 0);
    return finish(c);
}

Canvas climbing(int f) {
    Canvas c = frame();
    const int reach[6] = {0, 1, 2, 3, 2, 1};
    int r = reach[f];
    // pressed against a wall on the right, hands and feet on its face
    leg(c, 24, 2 + (r % 2));
    leg(c, 21, 0);
    body(c, 2, -r / 2);
    thickLine(c, 26, 20, 33, 12 + r, arm);
    thickLine(c, 26, 24, 33, 17 - r, arm);
    fillRect(c, 33, 11 + r, 35, 13 + r, arm);
    fillRect(c, 33, 16 - r, 35, 18 - r, arm);
    return finish(c);
}

}  // namespace

void drawCreatures(Canvas& sheet) {
    Canvas (*const rows[7])(int) = {walking, blocking, building, digging,
                                    tunnelling, floating, climbing};
    for (int s = 1; s <= 7; ++s)
        for (int f = 1; f <= 6; ++f) stamp(sheet, rows[s - 1](f - 1), 40 * f - 40, 42 * s - 10);
}
