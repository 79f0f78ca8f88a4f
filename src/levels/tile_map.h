// What the map reader keeps between reading a map file and painting it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "../platform/image.h"

// The editor keeps a tile's flips in the top three bits of its number.
constexpr uint32_t tileFlipHorizontal = 0x80000000u;
constexpr uint32_t tileFlipVertical = 0x40000000u;
constexpr uint32_t tileFlipDiagonal = 0x20000000u;
constexpr uint32_t tileNumberMask = 0x1FFFFFFFu;

// Largest level we agree to build: its image, grid and tile table stay a few
// hundred megabytes at worst, whatever a map file claims.
constexpr int32_t maxLevelSide = 16384;
constexpr int64_t maxLevelPixels = int64_t{1} << 24;
constexpr int64_t maxMapCells = int64_t{1} << 20;
// Largest tileset picture we agree to make.
constexpr int64_t maxTilesetPixels = int64_t{1} << 24;

struct TileMap {
    int32_t columns = 0;  // cells across (W)
    int32_t rows = 0;     // cells down (H)
    int32_t tileWidth = 0;
    int32_t tileHeight = 0;
    int32_t spacing = 0;
    std::vector<uint32_t> tiles;  // row by row, the editor's numbers with their flip bits
};

// How the tileset picture divides into tiles. A tileCount of 0 means the picture
// holds no whole tile (or the tile size plus spacing is not positive).
struct TilesetGrid {
    int64_t columns = 0;
    int64_t tileCount = 0;
};

TilesetGrid tilesetGrid(int32_t pictureWidth, int32_t pictureHeight, int32_t tileWidth,
                        int32_t tileHeight, int32_t spacing);

// A tile number as the editor writes it: an unsigned decimal; zero, negative
// or unreadable numbers are empty cells.
uint32_t tileNumberFromText(const std::string& text);

// Fills row y of the map from one line of the CSV layer.
void readCsvRow(TileMap& map, int32_t y, const std::string& line);

// Paints every cell into `terrain` (already filled with magenta), in rows from
// the top and each row from the left, and sets the entrance and exit globals
// from their tiles. A null tileset paints its tiles as empty ground.
void paintTerrain(Image& terrain, const TileMap& map, const Image* tileset, TilesetGrid grid);
