#include "creature_table.h"

Creature creatures[creatureCapacity];
int32_t spawnedCount, savedCount, spawnTicks, liveCount;
int32_t stateCounts[9];
