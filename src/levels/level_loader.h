// Makes level `levelNumber` the current level.
#pragma once
#include <cstdint>

enum : int32_t { levelLoaded = 0, levelDataMissing = 1, levelMapFailed = 3 };

int32_t loadLevel();
