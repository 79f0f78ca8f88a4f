// What eggsodus-levelcheck finds out about one level.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct LevelReport {
    std::vector<std::string> errors;    // the level cannot be played as meant
    std::vector<std::string> warnings;  // playable, but probably not what the author wants
    std::vector<std::string> notes;     // worth knowing, often meant: the exit needs a skill
    std::vector<std::string> summary;   // size, eggs, target, skills, entrance, exit
};

// Checks level `number` in the current folder (maps\mapN.tmx, maps\mapN.dat and
// the tileset under data\) with the game's own loader. When previewPath is not
// empty and the map loads, a picture of the level with its entrance and exit is
// written there.
LevelReport checkLevel(int32_t number, const std::string& previewPath);

// The numbers of a level data file as the loader reads them, unrounded:
// at most ten, missing ones 0. Empty when the file cannot be opened.
std::vector<double> readLevelValues(const std::string& path);

// What the map file itself says, read line by line as the game's reader does.
struct MapFacts {
    bool opened = false;
    int32_t columns = 0, rows = 0, tileWidth = 0, tileHeight = 0, spacing = 0;
    std::string encoding;
    std::string imageSource;
    int64_t entranceTiles = 0, exitTiles = 0;
    std::vector<std::string> badCells;  // "tile 40 at column 3, row 7", at most a few
    int64_t badCellCount = 0;
};
// tileCount is the number of tiles of the tileset (0 when unknown: no check of the
// numbers is made then).
MapFacts readMapFacts(const std::string& path, int64_t tileCount);
