#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <sstream>
#include "level_report.h"

namespace {

std::string attribute(const std::string& line, const std::string& name) {
    const std::string marker = " " + name + "=\"";
    size_t start = line.find(marker);
    if (start == std::string::npos) return "";
    start += marker.size();
    size_t end = line.find('"', start);
    return end == std::string::npos ? "" : line.substr(start, end - start);
}

int32_t number(const std::string& text) {
    try {
        long long v = std::stoll(text);
        return v < 0 || v > 1000000 ? -1 : static_cast<int32_t>(v);
    } catch (...) {
        return -1;
    }
}

std::string trimmed(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

// A number as written, held within +-1e9 so that it can be shown as a whole
// number; what is no number at all counts 0, as the game reads it.
double boundedNumber(const std::string& item) {
    double v = 0.0;
    try {
        v = std::stod(item);
    } catch (const std::out_of_range&) {
        v = item.find('-') < item.find_first_of("0123456789") ? -1e9 : 1e9;
    } catch (...) {
        return 0.0;
    }
    if (std::isnan(v)) return 0.0;
    return std::clamp(v, -1e9, 1e9);
}

}  // namespace

std::vector<double> readLevelValues(const std::string& path) {
    std::ifstream in(path);
    if (!in) return {};
    std::vector<double> values;
    std::string line;
    while (values.size() < 10 && std::getline(in, line)) {
        std::stringstream items(line);
        std::string item;
        bool any = false;
        while (values.size() < 10 && std::getline(items, item, ',')) {
            any = true;
            item = trimmed(item);
            if (item.size() >= 2 && item.front() == '"' && item.back() == '"') item = item.substr(1, item.size() - 2);
            values.push_back(item.empty() ? 0.0 : boundedNumber(item));
        }
        if (!any || (!line.empty() && line.back() == ',')) {
            if (values.size() < 10) values.push_back(0.0);  // an empty item
        }
    }
    values.resize(10, 0.0);
    return values;
}

MapFacts readMapFacts(const std::string& path, int64_t tileCount) {
    MapFacts facts;
    std::ifstream in(path);
    if (!in) return facts;
    facts.opened = true;
    std::string line;
    int32_t row = -1;  // >= 0 while reading the rows of the layer
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (row >= 0) {
            std::stringstream cells(line);
            std::string cell;
            for (int32_t column = 0; column < facts.columns && std::getline(cells, cell, ','); ++column) {
                long long g = 0;
                try {
                    g = trimmed(cell).empty() ? 0 : std::stoll(cell);
                } catch (...) {
                    g = -1;
                }
                if (tileCount > 0 && g == tileCount - 1) ++facts.entranceTiles;
                else if (tileCount > 0 && g == tileCount) ++facts.exitTiles;
                else if (g < 0 || (tileCount > 0 && g > tileCount)) {
                    if (facts.badCellCount++ < 5)
                        facts.badCells.push_back("tile " + trimmed(cell) + " at column " +
                                                 std::to_string(column + 1) + ", row " +
                                                 std::to_string(row + 1));
                }
            }
            if (++row >= facts.rows) row = -2;  // a second layer is not read
            continue;
        }
        if (line.rfind("<map ", 0) == 0) {
            facts.columns = number(attribute(line, "width"));
            facts.rows = number(attribute(line, "height"));
            facts.tileWidth = number(attribute(line, "tilewidth"));
            facts.tileHeight = number(attribute(line, "tileheight"));
        } else if (line.rfind("<tileset ", 0) == 0) {
            std::string spacing = attribute(line, "spacing");
            facts.spacing = spacing.empty() ? 0 : number(spacing);
        } else if (line.rfind("<image ", 0) == 0) {
            facts.imageSource = attribute(line, "source");
        } else if (line.rfind("<data ", 0) == 0 && row == -1) {
            facts.encoding = attribute(line, "encoding");
            if (facts.encoding == "csv" && facts.rows > 0) row = 0;
        }
    }
    return facts;
}
