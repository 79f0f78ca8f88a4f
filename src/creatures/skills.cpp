#include "skills.h"

#include "../levels/collision_grid.h"
#include "../levels/level.h"
#include "../platform/draw.h"
#include "../platform/sound.h"
#include "../shell/sound_effects.h"

namespace {

// The terrain image and the collision grid change together. After a failed map
// read there is no image; the grid alone is then changed.
void setTerrain(int32_t x, int32_t y, Colour colour, uint8_t cell) {
    if (terrainImage != nullptr) setPixel(*terrainImage, x, y, colour);
    setCell(x, y, cell);
}

void layBrick(int32_t x, int32_t y) { setTerrain(x, y, brickColour, cellBrick); }
void clearTerrain(int32_t x, int32_t y) { setTerrain(x, y, transparentColour, cellEmpty); }

int32_t emptyCells(int32_t column, int32_t fromRow, int32_t toRow) {
    int32_t count = 0;
    for (int32_t row = fromRow; row <= toRow; ++row) count += cellAt(column, row) == cellEmpty;
    return count;
}

// Dig and tunnel end in a fall as soon as the ground under the creature is gone.
void breakThroughIfHollow(Creature& c) {
    if (cellAt(c.x, c.y + 7) != cellEmpty) return;
    c.falling = 1;
    c.skill = skillWalk;
    c.fy += 2.0f;
    playSound(soundBreakThrough);
}

// The builder's last bricks clink, every 15 ticks from tick 290 to the last at 350.
constexpr int32_t lastBricksFrom = 290;
constexpr int32_t lastBricksEvery = 15;

}  // namespace

void buildStep(Creature& c) {
    layBrick(c.x, c.y + 7);
    layBrick(c.x + c.dir, c.y + 7);
    if (c.skillTicks >= lastBricksFrom && (c.skillTicks - lastBricksFrom) % lastBricksEvery == 0)
        playSound(soundLastBricks);
    c.fy -= 0.1f;
    c.fx += 0.25f * static_cast<float>(c.dir);
    // Fewer than 7 free cells of 11 two columns ahead: the way is closed.
    if (emptyCells(c.x + 2 * c.dir, c.y - 5, c.y + 5) < 7) c.skill = skillWalk;
    if (c.skillTicks > 350) {
        c.skill = skillWalk;
        c.skillTicks = 1;
    }
}

void digStep(Creature& c) {
    for (int32_t column = c.x - 8; column <= c.x + 8; ++column) {
        clearTerrain(column, c.y + 6);
        clearTerrain(column, c.y + 5);
    }
    c.fy += 0.5f;
    if (c.skillTicks > 200) c.skill = skillWalk;
    breakThroughIfHollow(c);
}

void tunnelStep(Creature& c) {
    for (int32_t ahead = 1; ahead <= 5; ++ahead) {
        const int32_t column = c.x + ahead * c.dir;
        for (int32_t row = c.y - 13; row <= c.y + 5; ++row) clearTerrain(column, row);
    }
    c.fx += 0.5f * static_cast<float>(c.dir);
    if (c.skillTicks > 100) c.skill = skillWalk;
    breakThroughIfHollow(c);
}
