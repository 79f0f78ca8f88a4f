// The loaded level: its ten values, terrain image, size, entrance and exit.
#pragma once
#include <cstdint>
#include "../platform/image.h"

// Entry 0: highest creature index that enters; 1: save target; 2..8: uses left
// of skills 2..8; 9: stored, unused.
extern int32_t levelValues[10];
inline int32_t& lastCreatureIndex = levelValues[0];
inline int32_t& saveTarget = levelValues[1];
// skillUses[s] for skill s = 2..8.
inline int32_t* const skillUses = levelValues;

// Level to load: "maps\map" + levelNumber + ".tmx" / ".dat".
extern int32_t levelNumber;

// The level painted from its tiles; magenta 0xFFFF00FF pixels are empty.
// Null after a failed map read.
extern Image* terrainImage;
// The memory of the last released terrain image, kept for the next level's
// (see reuseImage); null when there is none.
extern Image* spareTerrain;
// Releases the terrain image, keeping its memory in spareTerrain.
void releaseTerrainImage();
// Gives back the memory kept for the next level.
void releaseSpareTerrain();
extern int32_t levelWidth, levelHeight;
extern int32_t entranceX, entranceY, exitX, exitY;
