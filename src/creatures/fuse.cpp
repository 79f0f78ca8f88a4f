#include "../levels/collision_grid.h"
#include "../levels/level.h"
#include "../platform/draw.h"
#include "../platform/sound.h"
#include "../shell/sound_effects.h"
#include "skills.h"

void burnFuses(int32_t lastIndex) {
    for (int32_t i = 0; i <= lastRecord(lastIndex); ++i) {
        Creature& c = creatures[i];
        if (c.inPlay != 1 || c.fuse >= noFuse) continue;
        --c.fuse;
        if (c.fuse > 0) {
            if (c.fuse <= 3) playSound(soundFuseTick);
            continue;
        }
        c.fuse = noFuse;
        c.inPlay = 0;
        explodeAt(c.x, c.y);
        playSound(soundExplosion);
    }
}

// The grid follows the pixels the circle emptied. Without a terrain image there
// is nothing to read back, and the explosion leaves the grid as it is.
void explodeAt(int32_t x, int32_t y) {
    if (terrainImage == nullptr) return;
    fillCircle(*terrainImage, x, y, explosionRadius, transparentColour);
    for (int32_t column = x - explosionRadius; column <= x + explosionRadius; ++column) {
        for (int32_t row = y - explosionRadius; row <= y + explosionRadius; ++row) {
            if (getPixel(*terrainImage, column, row) == transparentColour) setCell(column, row, cellEmpty);
        }
    }
}
