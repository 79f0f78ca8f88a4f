#include "creature_table.h"

#include <cmath>
#include "../levels/level.h"
#include "../platform/sound.h"
#include "../shell/sound_effects.h"
#include "pick.h"

namespace {

constexpr float pixelLimit = 1073741824.0f;  // 2^30

// An entrance far outside any level is held to +-2^30, so that its pixel and
// the cells around it still fit in 32 bits.
float heldPosition(int64_t position) {
    if (position > int64_t{1} << 30) return pixelLimit;
    if (position < -(int64_t{1} << 30)) return -pixelLimit;
    return static_cast<float>(position);
}

void enter(Creature& c) {
    c.fx = heldPosition(int64_t{entranceX} + 8);
    c.fy = heldPosition(int64_t{entranceY} + 4);
    c.fallStartY = floorToPixel(c.fy);
    c.inPlay = 1;
    c.dir = 1;
    c.skill = skillWalk;
    c.falling = 1;
    c.skillTicks = 0;
    c.fuse = noFuse;
}

}  // namespace

int32_t floorToPixel(float position) {
    if (!(position > -pixelLimit)) return -(1 << 30);  // also catches NaN
    if (position >= pixelLimit) return 1 << 30;
    return static_cast<int32_t>(std::floor(position));
}

void resetCreatureTable() {
    for (Creature& c : creatures) {
        c.inPlay = 0;
        c.fx = -100.0f;
        c.skill = skillWalk;
    }
    forgetFusesLitByPress();
}

void entryRule(int32_t lastIndex) {
    ++spawnTicks;
    if (spawnTicks < entryPeriod) return;
    spawnTicks = 0;
    if (spawnedCount < 0 || spawnedCount > lastRecord(lastIndex)) return;
    enter(creatures[spawnedCount]);
    playSound(soundEntrance);
    ++spawnedCount;
}

void countStates(int32_t lastIndex) {
    for (int32_t& count : stateCounts) count = 0;
    for (int32_t i = 0; i <= lastRecord(lastIndex); ++i) {
        const Creature& c = creatures[i];
        if (c.inPlay != 1) continue;
        if (c.skill >= skillWalk && c.skill <= skillClimb) ++stateCounts[c.skill];
        if (c.fuse < noFuse) ++stateCounts[skillExplode];
    }
}

void animateCreatures(int32_t lastIndex) {
    for (int32_t i = 0; i <= lastRecord(lastIndex); ++i) {
        Creature& c = creatures[i];
        if (c.inPlay != 1) continue;
        ++c.frame;
        if (c.frame >= 7 || c.frame < 1) c.frame = 1;
    }
}
