#include "creature_world.h"

#include <cmath>
#include "creatures/movement.h"
#include "creatures/skills.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "platform/draw.h"
#include "platform/screen.h"

void makeLevel(int32_t width, int32_t height) {
    if (!screenIsOpen()) openScreen(screenWidth, screenHeight, 32, 2);
    if (terrainImage != nullptr) destroyImage(terrainImage);
    terrainImage = createImage(width, height);
    resizeGrid(width, height);
    levelWidth = width;
    levelHeight = height;
    exitX = exitY = -10000;
    lastCreatureIndex = creatureCapacity - 1;
    resetCreatureTable();
    spawnedCount = savedCount = spawnTicks = liveCount = 0;
}

void paint(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t cell) {
    const uint32_t colour = cell == cellEmpty   ? transparentColour
                            : cell == cellBrick ? brickColour
                                                : 0xFF6B4A2Bu;
    for (int32_t x = x1; x <= x2; ++x) {
        for (int32_t y = y1; y <= y2; ++y) {
            setPixel(*terrainImage, x, y, colour);
            setCell(x, y, cell);
        }
    }
}

void flatLevel() {
    makeLevel(300, 200);
    paint(0, groundTop, 299, 199, cellTerrain);
}

Creature& place(int32_t index, float fx, float fy, int32_t skill, int32_t dir) {
    Creature& c = creatures[index];
    c = Creature{};
    c.inPlay = 1;
    c.fx = fx;
    c.fy = fy;
    c.x = static_cast<int32_t>(std::floor(fx));
    c.y = static_cast<int32_t>(std::floor(fy));
    c.fallStartY = c.y;
    c.dir = dir;
    c.skill = skill;
    c.fuse = noFuse;
    return c;
}

void tick(int32_t times) {
    for (int32_t i = 0; i < times; ++i) creatureTick(lastCreatureIndex, levelWidth, levelHeight);
}

int32_t gridImageMismatches() {
    int32_t mismatches = 0;
    for (int32_t x = 0; x < levelWidth; ++x) {
        for (int32_t y = 0; y < levelHeight; ++y) {
            const bool emptyPixel = getPixel(*terrainImage, x, y) == transparentColour;
            mismatches += emptyPixel != (cellAt(x, y) == cellEmpty);
        }
    }
    return mismatches;
}
