#include "level.h"

int32_t levelValues[10];
int32_t levelNumber = 1;
Image* terrainImage = nullptr;
int32_t levelWidth, levelHeight;
int32_t entranceX, entranceY, exitX, exitY;
