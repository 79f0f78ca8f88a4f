#include "tmx_reader.h"

#include "../platform/bmp.h"
#include "../platform/console.h"
#include "../platform/files.h"
#include "../platform/input.h"
#include "../platform/text.h"
#include "level.h"
#include "tile_map.h"

namespace {

struct MapReading {
    TileMap map;
    bool mapLineSeen = false;
    bool dataSeen = false;  // only the first tile layer is read
    bool dataMode = false;
    int32_t row = 0;  // next map row the data block fills
    std::string tilesetPath;
};

int32_t attributeNumber(const std::string& line, const std::string& name) {
    return roundToInt(textValue(textBetween(line, name + "=\"", "\"")));
}

// The text in front of the line's first "="; empty when there is none.
std::string tagOf(const std::string& line) {
    int32_t equals = findText(1, line, "=");
    return equals == 0 ? std::string() : leftText(line, equals - 1);
}

// The line that opens a tile layer's data block, whatever its attributes.
bool opensDataBlock(const std::string& line) {
    return leftText(line, 5) == "<data" && (line.size() == 5 || line[5] == ' ' || line[5] == '>');
}

// Only plain CSV can be read: base64 (compressed or not) and tiles written one
// XML element each (a bare "<data>") are refused rather than read as empty ground.
bool csvData(const std::string& tag, const std::string& line) {
    return tag == "<data encoding" && textBetween(line, "encoding=\"", "\"") == "csv" &&
           findText(1, line, "compression=\"") == 0;
}

// Reads the map line; false (with the message set) when the map has no cells or
// would be too large to build. Nothing is made or changed for such a map.
bool readMapLine(MapReading& reading, const std::string& line, std::string& message) {
    int32_t columns = attributeNumber(line, "width");
    int32_t rows = attributeNumber(line, "height");
    int32_t tileWidth = attributeNumber(line, "tilewidth");
    int32_t tileHeight = attributeNumber(line, "tileheight");
    printLine("Map dimensions: '" + intToText(columns) + "x" + intToText(rows) + ", tile: '" +
              intToText(tileWidth) + "x" + intToText(tileHeight));
    if (columns < 1 || rows < 1 || tileWidth < 1 || tileHeight < 1) {
        message = "Map too small!";
        return false;
    }
    int64_t width = int64_t{tileWidth} * columns;
    int64_t height = int64_t{tileHeight} * rows;
    if (width > maxLevelSide || height > maxLevelSide || width * height > maxLevelPixels ||
        int64_t{columns} * rows > maxMapCells) {
        message = "Map too large!";
        return false;
    }
    TileMap& map = reading.map;
    map.columns = columns;
    map.rows = rows;
    map.tileWidth = tileWidth;
    map.tileHeight = tileHeight;
    map.tiles.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0);
    reading.mapLineSeen = true;
    return true;
}

std::string tilesetPathFrom(const std::string& source) {
    std::string path = "data\\" + stripDirectories(source);
    if (rightText(path, 4) == ".png") path = leftText(path, static_cast<int32_t>(path.size()) - 4) + ".bmp";
    return path;
}

// Acts on one line in header mode; false when the read must stop with `message`.
bool readHeaderLine(MapReading& reading, const std::string& line, std::string& message,
                    int32_t& width, int32_t& height) {
    const std::string tag = tagOf(line);
    if (tag == "<map version") {
        if (!readMapLine(reading, line, message)) return false;
        width = reading.map.tileWidth * reading.map.columns;
        height = reading.map.tileHeight * reading.map.rows;
    } else if (tag == "<tileset firstgid") {
        reading.map.spacing = attributeNumber(line, "spacing");
    } else if (tag == "<image source") {
        reading.tilesetPath = tilesetPathFrom(textBetween(line, "source=\"", "\""));
    } else if (!reading.dataSeen && opensDataBlock(line)) {
        if (!csvData(tag, line)) {
            message = "Not supported encoding type!";
            return false;
        }
        reading.dataSeen = true;
        reading.row = 0;
        reading.dataMode = reading.map.rows > 0;
    }
    return true;
}

Image* makeTileset(const std::string& path, int32_t pictureWidth, int32_t pictureHeight) {
    if (pictureWidth < 1 || pictureHeight < 1) return nullptr;
    if (int64_t{pictureWidth} * pictureHeight > maxTilesetPixels) {
        printLine("Tileset too large!");
        return nullptr;
    }
    Image* tileset = createImage(pictureWidth, pictureHeight);
    if (tileset) loadBmp(path, tileset);  // an unreadable picture stays magenta: empty tiles
    return tileset;
}

// Paints the level into a new terrain image of width x height, made in the
// memory the last level left when it fits: painting writes every pixel.
bool paintLevel(const MapReading& reading, Image*& terrain, std::string& message, int32_t width,
                int32_t height) {
    Image* image = reuseImage(spareTerrain, width, height);
    if (!image) {
        message = "Map image not made!";
        return false;
    }
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    probeImageSize(reading.tilesetPath, pictureWidth, pictureHeight);
    Image* tileset = makeTileset(reading.tilesetPath, pictureWidth, pictureHeight);
    printLine("wymiary: " + intToText(pictureWidth) + "x" + intToText(pictureHeight));
    const TileMap& map = reading.map;
    paintTerrain(*image, map, tileset,
                 tilesetGrid(pictureWidth, pictureHeight, map.tileWidth, map.tileHeight, map.spacing));
    if (tileset) destroyImage(tileset);
    terrain = image;
    return true;
}

}  // namespace

// One row of the CSV layer. Each value runs to the next comma and the read goes
// on after that comma; missing values at the row's end are empty cells.
void readCsvRow(TileMap& map, int32_t y, const std::string& line) {
    uint32_t* row = map.tiles.data() + static_cast<size_t>(y) * static_cast<size_t>(map.columns);
    const int32_t length = static_cast<int32_t>(line.size());
    int32_t start = 1;
    for (int32_t x = 0; x < map.columns && start <= length; ++x) {
        int32_t comma = findText(start, line, ",");
        row[x] = tileNumberFromText(midText(line, start, comma == 0 ? -1 : comma - start));
        start = comma == 0 ? length + 1 : comma + 1;
    }
}

int loadTmxMap(const std::string& path, Image*& terrain, std::string& message, int32_t& width,
               int32_t& height) {
    const int file = freeFileNumber();
    if (openTextFile(path, file) != fileOk) {
        message = "File not opened!";
        sleepMs(-1);
        return 1;
    }
    MapReading reading;
    while (!atEnd(file)) {
        const std::string line = trimSpaces(readLine(file));
        if (reading.dataMode) {
            readCsvRow(reading.map, reading.row, line);
            if (++reading.row >= reading.map.rows) reading.dataMode = false;
        } else if (!readHeaderLine(reading, line, message, width, height)) {
            closeFile(file);
            return 1;
        }
    }
    closeFile(file);
    if (!reading.mapLineSeen) {
        message = "Map size missing!";
        return 1;
    }
    return paintLevel(reading, terrain, message, width, height) ? 0 : 1;
}

std::string textBetween(const std::string& text, const std::string& startMarker,
                        const std::string& endMarker) {
    const int32_t markerLength = static_cast<int32_t>(startMarker.size());
    const int32_t start = findText(1, text, startMarker);
    const int32_t end = findText(start + markerLength, text, endMarker);
    return midText(text, start + markerLength, end - start - markerLength);
}

std::string stripDirectories(const std::string& path) {
    // What is left after dropping everything up to each "/" and then each "\".
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
