// Creatures on a small level built from the input: any level size, entrance,
// exit, creature count, terrain and creature fields, played for a few hundred
// ticks with mouse picks and burning fuses. Nothing may read or write outside
// the table, the grid or the image.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "creatures/creature_table.h"
#include "creatures/movement.h"
#include "creatures/pick.h"
#include "creatures/skills.h"
#include "interface/screens.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "platform/draw.h"
#include "platform/screen.h"
#include "shell/play_state.h"

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    uint8_t byte() { return at < size ? data[at++] : 0; }
    int16_t half() { return static_cast<int16_t>(byte() | (byte() << 8)); }
};

uint8_t cellFrom(uint8_t bits) {
    static constexpr uint8_t kinds[4] = {cellEmpty, cellEmpty, cellTerrain, cellBrick};
    return kinds[bits & 3];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!screenIsOpen()) openScreen(screenWidth, screenHeight, 32, 2);
    Reader in{data, size};
    const int32_t width = 1 + in.byte() % 96;
    const int32_t height = 1 + in.byte() % 96;
    if (terrainImage != nullptr) destroyImage(terrainImage);
    if (in.byte() % 8 != 0) terrainImage = createImage(width, height);  // sometimes none
    resizeGrid(width, height);
    levelWidth = in.byte() % 4 == 0 ? in.half() : width;
    levelHeight = in.byte() % 4 == 0 ? in.half() : height;
    entranceX = in.byte() % 4 == 0 ? int32_t(in.half()) << 16 : in.half() % 128;
    entranceY = in.half() % 128;
    exitX = in.half() % 128;
    exitY = in.half() % 128;
    lastCreatureIndex = static_cast<int8_t>(in.byte());
    for (int32_t s = skillBlock; s <= skillExplode; ++s) skillUses[s] = in.byte() % 4;
    spawnTicks = in.byte() % 60;
    spawnedCount = static_cast<int8_t>(in.byte());
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; y += 4) {
            const uint8_t bits = in.byte();
            for (int32_t k = 0; k < 4 && y + k < height; ++k) {
                const uint8_t cell = cellFrom(static_cast<uint8_t>(bits >> (2 * k)));
                setCell(x, y + k, cell);
                if (terrainImage != nullptr && cell != cellEmpty) setPixel(*terrainImage, x, y + k, 0xFF806030);
            }
        }
    }
    resetCreatureTable();
    const int32_t placed = in.byte() % (creatureCapacity + 1);
    for (int32_t i = 0; i < placed; ++i) {
        Creature& c = creatures[i];
        c.inPlay = in.byte() % 2;
        c.fx = in.half() / 4.0f;
        c.fy = in.half() / 4.0f;
        c.x = in.half();
        c.y = in.half();
        c.dir = in.byte() % 2 == 0 ? 1 : -1;
        c.falling = in.byte() % 2;
        c.skill = static_cast<int8_t>(in.byte()) % 10;
        c.fallStartY = in.half();
        c.skillTicks = in.half();
        c.fuse = in.byte() % 12;
    }
    screen = screenPlay;
    scrollX = in.half();
    scrollY = in.half();
    for (int32_t t = 0; t < 300; ++t) {
        creatureTick(lastCreatureIndex, levelWidth, levelHeight);
        entryRule(lastCreatureIndex);
        if (t % 10 == 0) {
            mouseX = in.half() % 700;
            mouseY = in.half() % 500;
            mouseButtons = in.byte() & 1;
            selectedSkill = in.byte() % 10;
            pickCreature();
        }
        if (t % 50 == 0) {
            countStates(lastCreatureIndex);
            animateCreatures(lastCreatureIndex);
            burnFuses(lastCreatureIndex);
        }
    }
    return 0;
}
