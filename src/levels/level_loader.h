// Makes level `levelNumber` the current level.
#pragma once
#include <cstdint>

enum : int32_t { levelLoaded = 0, levelDataMissing = 1, levelMapFailed = 3 };

int32_t loadLevel();

struct Image;
// Makes the grid anew for levelWidth x levelHeight and marks every pixel of the
// terrain that is not magenta as ground.
void buildCollisionGrid(const Image& terrain);
