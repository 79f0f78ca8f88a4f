#include "level_loader.h"

#include <algorithm>

#include "../platform/console.h"
#include "../platform/draw.h"
#include "../platform/files.h"
#include "../platform/input.h"
#include "../platform/text.h"
#include "collision_grid.h"
#include "level.h"
#include "tmx_reader.h"

namespace {

constexpr int32_t highestCreatureIndex = 99;  // the creature table has 100 records

std::string levelFileName(const char* extension) {
    return "maps\\map" + intToText(levelNumber) + extension;
}

// Up to ten comma- or line-separated numbers; missing ones are 0. False when the
// file does not open.
bool readLevelData(const std::string& path, int32_t (&values)[10]) {
    const int file = freeFileNumber();
    if (openTextFile(path, file) != fileOk) return false;
    for (int32_t i = 0; i < 10 && !atEnd(file); ++i) values[i] = roundToInt(textValue(readItem(file)));
    closeFile(file);
    return true;
}

// Creatures 0..lastCreatureIndex enter, so the index must name a table record.
void keepCreatureIndexInTable() {
    const int32_t asked = lastCreatureIndex;
    lastCreatureIndex = std::clamp(asked, 0, highestCreatureIndex);
    if (lastCreatureIndex != asked)
        printLine("Creature index " + intToText(asked) + " out of range, using " +
                  intToText(lastCreatureIndex));
}

}  // namespace

int32_t loadLevel() {
    int32_t values[10] = {};
    if (!readLevelData(levelFileName(".dat"), values)) return levelDataMissing;
    std::copy(std::begin(values), std::end(values), levelValues);
    keepCreatureIndexInTable();

    releaseTerrainImage();
    std::string message;
    if (loadTmxMap(levelFileName(".tmx"), terrainImage, message, levelWidth, levelHeight) != 0) {
        printLine("Map loading error! tmx loading sub, Info: " + message);
        sleepMs(3000);
        return levelMapFailed;
    }
    buildCollisionGrid(*terrainImage);
    return levelLoaded;
}
