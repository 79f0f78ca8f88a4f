#include "creature_world.h"

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
    fillBox(*terrainImage, x1, y1, x2, y2, colour);
    for (int32_t x = x1; x <= x2; ++x) {
        for (int32_t y = y1; y <= y2; ++y) setCell(x, y, cell);
    }
}

void flatLevel(int32_t width) {
    makeLevel(width, 200);
    paint(0, groundTop, width - 1, 199, cellTerrain);
}

Creature& place(int32_t index, float fx, float fy, int32_t skill, int32_t dir) {
    const int32_t x = floorToPixel(fx), y = floorToPixel(fy);
    creatures[index] = Creature{.inPlay = 1, .x = x, .y = y, .fx = fx, .fy = fy, .dir = dir, .falling = 0,
                                .skill = skill, .frame = 0, .highlighted = 0, .fallStartY = y,
                                .skillTicks = 0, .fuse = noFuse};
    return creatures[index];
}

void tick(int32_t times) {
    for (int32_t i = 0; i < times; ++i) creatureTick(lastCreatureIndex, levelWidth, levelHeight);
}

int32_t gridImageMismatches() {
    int32_t mismatches = 0;
    for (int32_t i = 0; i < levelWidth * levelHeight; ++i) {
        const int32_t x = i % levelWidth, y = i / levelWidth;
        const bool emptyPixel = getPixel(*terrainImage, x, y) == transparentColour;
        mismatches += emptyPixel != (cellAt(x, y) == cellEmpty);
    }
    return mismatches;
}
