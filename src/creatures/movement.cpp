#include "movement.h"

#include <cstdlib>
#include "../levels/collision_grid.h"
#include "../levels/level.h"
#include "../platform/sound.h"
#include "../shell/sound_effects.h"
#include "creature_table.h"
#include "skills.h"

namespace {

bool solid(int32_t x, int32_t y) { return cellAt(x, y) != cellEmpty; }

void fallRule(Creature& c) {
    if (!solid(c.x, c.y + 7)) {
        if (c.skill == skillFloat) {
            c.fy += 0.5f;
        } else {
            if (c.skill != skillClimb) c.skill = skillWalk;
            c.fy += 2.0f;
        }
        return;
    }
    c.falling = 0;
    if (int64_t{c.y} - c.fallStartY <= longestSafeFall) return;
    if (c.skill == skillFloat) {
        c.skill = skillWalk;  // the float is spent on one long fall
    } else {
        c.inPlay = 0;
        playSound(soundFatalFall);
    }
}

// A walker near a blocker faces away from it; the last blocker in the table decides.
void turnFromBlockers(Creature& c, int32_t lastIndex) {
    for (int32_t i = 0; i <= lastRecord(lastIndex); ++i) {
        const Creature& b = creatures[i];
        if (b.inPlay != 1 || b.skill != skillBlock) continue;
        const int64_t dx = int64_t{c.x} - b.x;
        const int64_t dy = int64_t{c.y} - b.y;
        if (std::llabs(dx) >= 17 || std::llabs(dy) >= 7) continue;
        c.dir = dx < 0 ? -1 : 1;
        if (c.skill == skillClimb) c.skill = skillWalk;
        c.skillTicks = 1;
    }
}

// Terrain cells (bricks do not count) in the 14 rows in front, from y + 5 up to y - 8.
int32_t wallCells(int32_t column, int32_t y) {
    int32_t count = 0;
    for (int32_t row = y + 5; row >= y - 8; --row) count += cellAt(column, row) == cellTerrain;
    return count;
}

// Terrain within the six rows from the creature's own row upwards.
bool overhang(const Creature& c) {
    for (int32_t row = c.y; row >= c.y - 5; --row) {
        if (cellAt(c.x, row) == cellTerrain) return true;
    }
    return false;
}

void climbOrTurn(Creature& c) {
    if (c.skill != skillClimb) {
        c.dir = -c.dir;
    } else if (overhang(c)) {
        c.dir = -c.dir;
        c.skill = skillWalk;
        c.skillTicks = 1;
    } else {
        c.fy -= 0.5f;
    }
}

// Step in front: its top is found by scanning up from y + 4 to the first empty
// cell (row offset h, or -2 when all six are solid), so the step is 5 - h high.
void stepUpOrTurn(Creature& c, int32_t front) {
    int32_t h = -2;
    int32_t bricks = 0;
    for (int32_t offset = 4; offset >= -1; --offset) {
        const uint8_t cell = cellAt(front, c.y + offset);
        if (cell == cellEmpty) {
            h = offset;
            break;
        }
        bricks += cell == cellBrick;
    }
    const bool lowStep = h >= 3;
    const bool brickStep = h >= 1 && bricks > 0;
    if (lowStep || brickStep || c.skill == skillClimb) {
        c.fy -= 0.5f;
    } else {
        c.dir = -c.dir;
    }
}

void walkOn(Creature& c) {
    c.fx += static_cast<float>(c.dir);
    if (c.skill == skillClimb && c.skillTicks > 100) {
        c.skill = skillWalk;
        c.skillTicks = 1;
    }
}

// Ground one or two pixels lower is stepped down to; anything deeper is an edge.
void stepDownOrFall(Creature& c, int32_t front) {
    if (solid(front, c.y + 7) || solid(front, c.y + 8)) {
        c.fy += 0.5f;
    } else {
        c.falling = 1;
        c.fx += static_cast<float>(c.dir);
    }
}

bool insideExit(const Creature& c) {
    const int64_t x = c.x;
    const int64_t y = c.y;
    return int64_t{exitX} - 4 < x && x < int64_t{exitX} + 20 && exitY < y && y < int64_t{exitY} + 32;
}

void walkRule(Creature& c, int32_t lastIndex) {
    turnFromBlockers(c, lastIndex);
    const int32_t front = c.x + c.dir;
    if (wallCells(front, c.y) >= 5) {
        climbOrTurn(c);
    } else if (solid(front, c.y + 5)) {
        stepUpOrTurn(c, front);
    } else if (solid(front, c.y + 6)) {
        walkOn(c);
    } else {
        stepDownOrFall(c, front);
    }
    if (c.skillTicks > 1000) c.skillTicks = 0;
    if (insideExit(c)) {
        ++savedCount;
        c.inPlay = 0;
        playSound(soundSaved);
    }
}

void groundRule(Creature& c, int32_t lastIndex) {
    switch (c.skill) {
        case skillWalk:
        case skillFloat:
        case skillClimb: walkRule(c, lastIndex); break;
        case skillBuild: buildStep(c); break;
        case skillDig: digStep(c); break;
        case skillTunnel: tunnelStep(c); break;
        default: break;  // a blocker stands still
    }
    c.fallStartY = c.y;
    if (c.skillTicks < INT32_MAX) ++c.skillTicks;
}

bool outsideArea(const Creature& c, int32_t width, int32_t height) {
    return c.fx <= 2.0f || c.fx >= static_cast<float>(width) || c.fy <= 2.0f ||
           c.fy >= static_cast<float>(height);
}

}  // namespace

void creatureTick(int32_t lastIndex, int32_t width, int32_t height) {
    liveCount = 0;
    for (int32_t i = 0; i <= lastRecord(lastIndex); ++i) {
        Creature& c = creatures[i];
        if (c.inPlay != 1) continue;
        ++liveCount;
        c.x = floorToPixel(c.fx);
        c.y = floorToPixel(c.fy);
        if (c.falling != 0) {
            fallRule(c);
        } else {
            groundRule(c, lastIndex);
        }
        if (c.inPlay == 1 && outsideArea(c, width, height)) {
            c.inPlay = 0;
            playSound(soundOffLevel);
        }
    }
}
