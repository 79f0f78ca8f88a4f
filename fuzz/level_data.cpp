// Any bytes as a level data file beside a small good map: the loader must keep
// the creature index inside the creature table and build a matching grid.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_level_folder.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "levels/level_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzfolder::enter();
    static bool mapWritten = false;
    if (!mapWritten) {
        fuzzfolder::writeFile("maps/map1.tmx",
                              "<map version=\"1.8\" width=\"3\" height=\"2\" tilewidth=\"2\" tileheight=\"2\">\n"
                              "<tileset firstgid=\"1\" spacing=\"1\">\n<image source=\"tiles.png\"/>\n"
                              "<data encoding=\"csv\">\n1,5,2,\n0,3,6\n</data>\n");
        mapWritten = true;
    }
    fuzzfolder::writeFile("maps/map1.dat", std::string(reinterpret_cast<const char*>(data), size));
    levelNumber = 1;
    if (loadLevel() != levelLoaded) std::abort();
    if (lastCreatureIndex < 0 || lastCreatureIndex > 99) std::abort();
    if (gridColumns() != 7 || gridRows() != 5 || !terrainImage) std::abort();
    return 0;
}
