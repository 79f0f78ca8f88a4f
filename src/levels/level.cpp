#include "level.h"

int32_t levelValues[10];
int32_t levelNumber = 1;
Image* terrainImage = nullptr;
Image* spareTerrain = nullptr;
int32_t levelWidth, levelHeight;
int32_t entranceX, entranceY, exitX, exitY;

void releaseTerrainImage() {
    if (terrainImage == nullptr) return;
    releaseSpareTerrain();
    spareTerrain = terrainImage;
    terrainImage = nullptr;
}

void releaseSpareTerrain() {
    if (spareTerrain != nullptr) destroyImage(spareTerrain);
}
