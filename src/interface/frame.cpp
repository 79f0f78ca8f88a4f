#include "frame.h"

#include <algorithm>
#include <string>

#include "../creatures/creature_table.h"
#include "../levels/level.h"
#include "../platform/draw.h"
#include "../platform/screen.h"
#include "../platform/text.h"
#include "../shell/main_loop.h"
#include "../shell/play_state.h"
#include "screens.h"
#include "widgets.h"

namespace {

constexpr Colour backgroundColour = 0xFF3333BB;
constexpr Colour panelColour = 0xFF806040;
constexpr Colour selectionFrames[3] = {0xFF005000, 0xFF009000, 0xFF00C000};  // outer to inner
constexpr Colour highlightOuter = 0xFF333333;
constexpr Colour highlightInner = 0xFF707070;
constexpr int panelSlots = 9;

void copySprite(int32_t x, int32_t y, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    putImageCorners(displaySurface, x, y, spriteSheet, x1, y1, x2, y2, CopyMode::transparent);
}

void text(int32_t x, int32_t y, const std::string& s) { drawText(displaySurface, x, y, s); }

void drawLevel() {
    if (terrainImage != nullptr)
        putImage(displaySurface, scrollX, scrollY, terrainImage, CopyMode::transparent);
    copySprite(scrollX + exitX - 16, scrollY + exitY - 8, 40, 332, 87, 373);
    copySprite(scrollX + entranceX - 12, scrollY + entranceY - 16, 0, 326, 39, 349);
}

// The 41x42 picture of skill s, frame f covers x - 20..x + 20 and y - 31..y + 10;
// pictures face right, a creature facing left is drawn mirrored.
void drawCreature(const Creature& c) {
    const int32_t sx = scrollX + c.x;
    const int32_t sy = scrollY + c.y;
    const int32_t left = 40 * c.frame - 40, top = 42 * c.skill - 10;
    const int32_t right = 40 * c.frame, bottom = 42 * c.skill + 31;
    if (c.dir == 1)
        copySprite(sx - 20, sy - 31, left, top, right, bottom);
    else
        putImageMirrored(displaySurface, sx - 20, sy - 31, spriteSheet, left, top, right, bottom,
                         CopyMode::transparent);
    if (c.highlighted == 1) {
        drawBox(displaySurface, sx - 22, sy - 33, sx + 22, sy + 11, highlightOuter);
        drawBox(displaySurface, sx - 21, sy - 32, sx + 21, sy + 10, highlightInner);
    }
    if (c.fuse < noFuse) text(sx - 3, sy - 30, intToText(c.fuse));
}

void drawPanel() {
    fillBox(displaySurface, 0, 400, 639, 479, panelColour);
    const int32_t k = selectedSkill;
    for (int32_t i = 0; i < 3; ++i)
        drawBox(displaySurface, 50 * k + 26 + i, 421 + i, 50 * k + 65 - i, 460 - i, selectionFrames[i]);
    drawWidgets();
    for (int32_t slot = 1; slot <= panelSlots; ++slot) {
        copySprite(50 * slot + 30, 425, 32 * slot - 32, 0, 32 * slot - 2, 30);
        // Slot 9 (arm all) counts nothing.
        const int32_t current = slot <= 8 ? stateCounts[slot] : 0;
        text(50 * slot + 40, 410, intToText(current));
        if (slot >= 2 && slot <= 8) text(50 * slot + 40, 465, intToText(skillUses[slot]));
    }
    text(10, 410, "Curr: ");
    text(10, 465, "Max: ");
}

void drawDebugLines(int32_t lastIndex) {
    const Creature& first = creatures[0];
    text(0, 0, "FPS: " + intToText(fps) + ", Lps: " + intToText(lps));
    text(0, 10, "Aktualna czynnosc: " + intToText(selectedSkill) +
                    ", last created: " + intToText(spawnedCount));
    text(0, 20, "ludzik0: " + intToText(first.x) + "x" + intToText(first.y) +
                    ", single: " + floatToText(first.fx) + "x" + floatToText(first.fy) +
                    ", czynnosc: " + intToText(first.skill) + ", spada: " + intToText(first.falling));
    text(0, 30, "widoczne: " + intToText(liveCount) + "/" + intToText(int64_t{lastIndex} + 1) +
                    ", uratowane: " + intToText(savedCount));
}

}  // namespace

void drawFrame(int32_t lastIndex) {
    lockScreen();
    if (screen != screenPlay) {
        fillBox(displaySurface, 0, 0, 639, 479, backgroundColour);
        drawWidgets();
        unlockScreen(-1, -1);
        return;
    }
    // The panel covers the bottom 80 rows whole, so only the view needs the background.
    fillBox(displaySurface, 0, 0, 639, 399, backgroundColour);
    drawLevel();
    // Never past the table, whatever the level file said.
    const int32_t last = std::min(lastIndex, creatureCapacity - 1);
    for (int32_t i = 0; i <= last; ++i)
        if (creatures[i].inPlay == 1) drawCreature(creatures[i]);
    drawPanel();
    drawDebugLines(lastIndex);
    unlockScreen(-1, -1);
}
