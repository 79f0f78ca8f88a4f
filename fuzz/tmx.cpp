// Any bytes as a level map: the reader, the painting and the collision grid
// must stay inside every table and image, and a failure must leave the
// terrain argument alone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_level_folder.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "levels/level_loader.h"
#include "levels/tmx_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzfolder::enter();
    fuzzfolder::writeFile("maps/fuzz.tmx", std::string(reinterpret_cast<const char*>(data), size));
    Image* terrain = nullptr;
    std::string message;
    levelWidth = 3;
    levelHeight = 4;
    const int result = loadTmxMap("maps\\fuzz.tmx", terrain, message, levelWidth, levelHeight);
    if (result == 0) {
        if (!terrain || terrain->width != levelWidth || terrain->height != levelHeight) std::abort();
        buildCollisionGrid(*terrain);
        destroyImage(terrain);
    } else if (terrain || message.empty()) {
        std::abort();
    }
    return 0;
}
