// Any bytes as a level map: the reader, the painting and the collision grid
// must stay inside every table and image, and a failure must leave the
// terrain argument alone. A map read again into memory that another level
// left behind, full of other pixels and cells, must come out the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_level_folder.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "levels/level_loader.h"
#include "levels/tmx_reader.h"

namespace {

// What the last level leaves: an image and a grid at least this big, all ground.
void leaveAnotherLevelBehind(int32_t width, int32_t height) {
    releaseSpareTerrain();
    spareTerrain = createImage(width, height + 1, 0xFF123456);
    resizeGrid(width + 2, height);
    std::fill(gridCells.begin(), gridCells.end(), cellBrick);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzfolder::enter();
    fuzzfolder::writeFile("maps/fuzz.tmx", std::string(reinterpret_cast<const char*>(data), size));
    Image* terrain = nullptr;
    std::string message;
    levelWidth = 3;
    levelHeight = 4;
    releaseSpareTerrain();
    const int result = loadTmxMap("maps\\fuzz.tmx", terrain, message, levelWidth, levelHeight);
    if (result != 0) {
        if (terrain || message.empty()) std::abort();
        return 0;
    }
    if (!terrain || terrain->width != levelWidth || terrain->height != levelHeight) std::abort();
    buildCollisionGrid(*terrain);
    const std::vector<uint8_t> cells = gridCells;
    const int32_t places[] = {entranceX, entranceY, exitX, exitY};

    leaveAnotherLevelBehind(levelWidth, levelHeight);
    Image* again = nullptr;
    if (loadTmxMap("maps\\fuzz.tmx", again, message, levelWidth, levelHeight) != 0 || !again) std::abort();
    if (spareTerrain != nullptr || again->pixels != terrain->pixels) std::abort();
    buildCollisionGrid(*again);
    const int32_t placesAgain[] = {entranceX, entranceY, exitX, exitY};
    if (gridCells != cells || !std::equal(places, places + 4, placesAgain)) std::abort();
    destroyImage(again);
    destroyImage(terrain);
    return 0;
}
