// The table of 100 creatures, the entry rule and the counts.
#pragma once
#include <cstdint>

enum : int32_t {
    skillWalk = 1,
    skillBlock = 2,
    skillBuild = 3,
    skillDig = 4,
    skillTunnel = 5,
    skillFloat = 6,
    skillClimb = 7,
    skillExplode = 8,
};

constexpr int32_t creatureCapacity = 100;
constexpr int32_t noFuse = 10;
constexpr int32_t entryPeriod = 50;

struct Creature {
    int32_t inPlay;
    int32_t x;
    int32_t y;
    float fx;
    float fy;
    int32_t dir;
    int32_t falling;
    int32_t skill;
    int32_t frame;
    int32_t highlighted;
    int32_t fallStartY;
    int32_t skillTicks;
    int32_t fuse;
};

extern Creature creatures[creatureCapacity];
extern int32_t spawnedCount, savedCount, spawnTicks, liveCount;
extern int32_t stateCounts[9];  // 1..7 by skill, 8 burning fuses

// Before a level loads: every record out of play, fx -100, skill 1.
void resetCreatureTable();
// Once per tick on the play screen, after the creature tick.
void entryRule(int32_t lastIndex);
// Before every frame.
void countStates(int32_t lastIndex);
// The animation step: frames run 1..6.
void animateCreatures(int32_t lastIndex);

// The highest record a scan over 0..lastIndex may touch: a level that asks for
// more creatures than the table holds gets the 100 it can have, and a negative
// count gets none (the scans then run over no record at all).
inline int32_t lastRecord(int32_t lastIndex) {
    return lastIndex < creatureCapacity ? lastIndex : creatureCapacity - 1;
}

// The pixel a position lies in. Positions far outside any level are held to
// +-2^30, so that neighbouring cells can be computed without overflow.
int32_t floorToPixel(float position);
