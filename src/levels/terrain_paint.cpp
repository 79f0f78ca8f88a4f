#include <algorithm>
#include <cmath>
#include <cstring>

#include "../platform/text.h"
#include "level.h"
#include "tile_map.h"

TilesetGrid tilesetGrid(int32_t pictureWidth, int32_t pictureHeight, int32_t tileWidth,
                        int32_t tileHeight, int32_t spacing) {
    // Counted as the map editor counts them: the last column and row need no
    // gap behind them, so a 135 px picture of 16 px tiles with spacing 1 has 8.
    int64_t stepX = int64_t{tileWidth} + spacing;
    int64_t stepY = int64_t{tileHeight} + spacing;
    TilesetGrid grid;
    if (stepX <= 0 || stepY <= 0 || tileWidth < 1 || tileHeight < 1) return grid;
    int64_t columns = (int64_t{pictureWidth} + spacing) / stepX;
    int64_t rows = (int64_t{pictureHeight} + spacing) / stepY;
    if (columns <= 0 || rows <= 0) return grid;
    grid.columns = columns;
    grid.tileCount = columns * rows;
    return grid;
}

uint32_t tileNumberFromText(const std::string& text) {
    double value = textValue(text);
    if (!(value >= 0.5)) return 0;  // zero, negative and NaN are empty cells
    if (value >= 4294967295.0) return UINT32_MAX;
    return static_cast<uint32_t>(std::nearbyint(value));  // halves go to the even neighbour
}

namespace {

// Fills (x1, y1)-(x2, y2), both corners included, cut at the image's edges.
void fillMagenta(Image& image, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    x1 = std::max<int64_t>(x1, 0);
    y1 = std::max<int64_t>(y1, 0);
    x2 = std::min<int64_t>(x2, image.width - 1);
    y2 = std::min<int64_t>(y2, image.height - 1);
    if (x1 > x2 || y1 > y2) return;
    for (int64_t y = y1; y <= y2; ++y) {
        uint32_t* row = image.row(static_cast<int32_t>(y));
        std::fill(row + x1, row + x2 + 1, transparentColour);
    }
}

// Opaque copy of the tileset rectangle (sx, sy)-(sx + tw, sy + th), both corners
// included and clamped into the picture, so that (sx, sy) lands on (px, py).
void copyTile(Image& terrain, int64_t px, int64_t py, const Image& tileset, int64_t sx,
              int64_t sy, int32_t tw, int32_t th) {
    int64_t sx2 = std::min<int64_t>(sx + tw, tileset.width - 1);
    int64_t sy2 = std::min<int64_t>(sy + th, tileset.height - 1);
    sx = std::clamp<int64_t>(sx, 0, tileset.width - 1);
    sy = std::clamp<int64_t>(sy, 0, tileset.height - 1);
    int64_t columns = sx2 - sx + 1;
    int64_t rows = sy2 - sy + 1;
    if (px < 0) { sx -= px; columns += px; px = 0; }
    if (py < 0) { sy -= py; rows += py; py = 0; }
    columns = std::min<int64_t>(columns, terrain.width - px);
    rows = std::min<int64_t>(rows, terrain.height - py);
    if (columns <= 0 || rows <= 0) return;
    for (int64_t r = 0; r < rows; ++r) {
        const uint32_t* from = tileset.row(static_cast<int32_t>(sy + r)) + sx;
        uint32_t* to = terrain.row(static_cast<int32_t>(py + r)) + px;
        std::memcpy(to, from, static_cast<size_t>(columns) * sizeof(uint32_t));
    }
}

// Repaints the cell's own tw x th pixels with the tile turned as the editor shows
// it: first mirrored across its diagonal, then left to right, then top to bottom.
// A diagonal turn of a tile that is not square leaves uncovered pixels as they were.
void paintFlipped(Image& terrain, int64_t px, int64_t py, const Image& tileset, int64_t sx,
                  int64_t sy, int32_t tw, int32_t th, uint32_t flags) {
    bool diagonal = flags & tileFlipDiagonal;
    int64_t shownWidth = diagonal ? th : tw;
    int64_t shownHeight = diagonal ? tw : th;
    for (int64_t v = 0; v < std::min<int64_t>(th, shownHeight); ++v) {
        int64_t y = py + v;
        if (y < 0 || y >= terrain.height) continue;
        int64_t fv = (flags & tileFlipVertical) ? shownHeight - 1 - v : v;
        for (int64_t u = 0; u < std::min<int64_t>(tw, shownWidth); ++u) {
            int64_t x = px + u;
            if (x < 0 || x >= terrain.width) continue;
            int64_t fu = (flags & tileFlipHorizontal) ? shownWidth - 1 - u : u;
            int64_t tu = diagonal ? fv : fu;
            int64_t tv = diagonal ? fu : fv;
            int64_t from_x = sx + tu;
            int64_t from_y = sy + tv;
            if (from_x >= tileset.width || from_y >= tileset.height) continue;
            terrain.row(static_cast<int32_t>(y))[x] =
                tileset.row(static_cast<int32_t>(from_y))[from_x];
        }
    }
}

enum class CellKind { empty, tile, entrance, exit };

CellKind cellKind(uint32_t number, TilesetGrid grid) {
    if (number == 0 || grid.tileCount == 0) return CellKind::empty;
    if (number < grid.tileCount - 1) return CellKind::tile;
    return number == grid.tileCount - 1 ? CellKind::entrance : CellKind::exit;
}

// Whether every tile of the grid lies wholly inside the picture, so that its
// copy covers the whole cell.
bool tilesetHoldsEveryTile(const Image& tileset, const TileMap& map, TilesetGrid grid) {
    const int64_t tileRows = grid.tileCount / grid.columns;
    return (int64_t{map.tileWidth} + map.spacing) * (grid.columns - 1) + map.tileWidth <= tileset.width &&
           (int64_t{map.tileHeight} + map.spacing) * (tileRows - 1) + map.tileHeight <= tileset.height;
}

// The terrain may come with another level's pixels in it. The painting writes
// every pixel of every cell but the entrance and exit cells, which keep the
// magenta of a new image (all but what their neighbours paint over); those are
// made magenta first, and the whole image when the cells might leave more.
void clearUnpaintedCells(Image& terrain, const TileMap& map, const Image* tileset, TilesetGrid grid) {
    const int32_t tw = map.tileWidth;
    const int32_t th = map.tileHeight;
    const bool cellsCover = int64_t{tw} * map.columns >= terrain.width && int64_t{th} * map.rows >= terrain.height;
    if (!cellsCover || (tileset && grid.tileCount > 0 && !tilesetHoldsEveryTile(*tileset, map, grid))) {
        std::fill(terrain.pixels.begin(), terrain.pixels.end(), transparentColour);
        return;
    }
    for (int32_t y = 0; y < map.rows; ++y) {
        const uint32_t* row = map.tiles.data() + static_cast<size_t>(y) * static_cast<size_t>(map.columns);
        for (int32_t x = 0; x < map.columns; ++x) {
            const CellKind kind = cellKind(row[x] & tileNumberMask, grid);
            if (kind != CellKind::entrance && kind != CellKind::exit) continue;
            const int64_t px = int64_t{tw} * x;
            const int64_t py = int64_t{th} * y;
            fillMagenta(terrain, px, py, px + tw - 1, py + th - 1);
        }
    }
}

}  // namespace

void paintTerrain(Image& terrain, const TileMap& map, const Image* tileset, TilesetGrid grid) {
    clearUnpaintedCells(terrain, map, tileset, grid);
    const int32_t tw = map.tileWidth;
    const int32_t th = map.tileHeight;
    const int64_t stepX = int64_t{tw} + map.spacing;
    const int64_t stepY = int64_t{th} + map.spacing;
    for (int32_t y = 0; y < map.rows; ++y) {
        const uint32_t* row = map.tiles.data() + static_cast<size_t>(y) * static_cast<size_t>(map.columns);
        for (int32_t x = 0; x < map.columns; ++x) {
            // The copy and the box reach one pixel past the cell to the right and
            // below; the next cell and the row below paint over that again.
            const int64_t px = int64_t{tw} * x;
            const int64_t py = int64_t{th} * y;
            const uint32_t number = row[x] & tileNumberMask;
            switch (cellKind(number, grid)) {
            case CellKind::empty: fillMagenta(terrain, px, py, px + tw, py + th); break;
            case CellKind::tile: {
                if (!tileset) {
                    fillMagenta(terrain, px, py, px + tw, py + th);
                    break;
                }
                const int64_t index = number - 1;
                const int64_t sx = stepX * (index % grid.columns);
                const int64_t sy = stepY * (index / grid.columns);
                copyTile(terrain, px, py, *tileset, sx, sy, tw, th);
                if (uint32_t flags = row[x] & ~tileNumberMask)
                    paintFlipped(terrain, px, py, *tileset, sx, sy, tw, th, flags);
                break;
            }
            case CellKind::entrance:
                entranceX = static_cast<int32_t>(px);
                entranceY = static_cast<int32_t>(py);
                break;
            case CellKind::exit:
                exitX = static_cast<int32_t>(px);
                exitY = static_cast<int32_t>(py);
                break;
            }
        }
    }
}
