#include "play_state.h"

#include "../creatures/creature_table.h"
#include "../creatures/pick.h"
#include "../interface/screens.h"
#include "../interface/widget_input.h"
#include "../levels/level.h"
#include "../platform/input.h"

namespace {

constexpr int32_t viewWidth = 640;
constexpr int32_t viewHeight = 400;
constexpr int32_t scrollStep = 5;

// Keeps the level covering the view: the offset lies between view - level and 0.
// A level smaller than the view in this direction stays at offset 0.
int32_t clampOffset(int32_t offset, int32_t viewSize, int32_t levelSize) {
    const int64_t lowest = int64_t{viewSize} - levelSize;
    if (lowest >= 0) return 0;
    if (offset < lowest) return static_cast<int32_t>(lowest);
    if (offset > 0) return 0;
    return offset;
}

void togglePause() {
    if (!keyEdge(scanEscape)) return;
    if (screen == screenPlay)
        showScreen(screenPause);
    else if (screen == screenPause)
        showScreen(screenPlay);
}

void scrollView() {
    if (keyDown(scanRight)) scrollX -= scrollStep;
    if (keyDown(scanLeft)) scrollX += scrollStep;
    scrollX = clampOffset(scrollX, viewWidth, levelWidth);
    if (keyDown(scanUp)) scrollY += scrollStep;
    if (keyDown(scanDown)) scrollY -= scrollStep;
    scrollY = clampOffset(scrollY, viewHeight, levelHeight);
}

// Digits 1..8 in order: with several held the highest wins.
void readSkillKeys() {
    for (int32_t skill = 1; skill <= 8; ++skill)
        if (keyDown(scanDigit1 + skill - 1)) selectedSkill = skill;
}

}  // namespace

bool keyEdge(int scancode) {
    if (scancode < 0 || scancode > 255) return false;
    if (!keyDown(scancode)) {
        keyLatch[scancode] = 0;
        return false;
    }
    if (keyLatch[scancode] == scancode) return false;
    keyLatch[scancode] = scancode;
    return true;
}

void inputStep() {
    togglePause();
    scrollView();
    readSkillKeys();
    // The pick marks the creature under the pointer again if it is still there.
    if (hoveredCreature >= 0 && hoveredCreature < creatureCapacity)
        creatures[hoveredCreature].highlighted = 0;
    int32_t wheel = 0;
    if (readMouse(mouseX, mouseY, wheel, mouseButtons) != 0) return;
    updateHover();
    updateClick();
    pickCreature();
}

void levelEndTest() {
    if (screen == screenPlay && liveCount == 0 && spawnedCount > 0) showScreen(screenLevel);
}
