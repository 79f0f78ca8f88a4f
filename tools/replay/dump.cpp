#include "dump.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>

#include "creatures/creature_table.h"
#include "interface/screens.h"
#include "interface/widget_input.h"
#include "interface/widgets.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "platform/files.h"
#include "platform/input.h"
#include "shell/main_loop.h"
#include "shell/play_state.h"

namespace {

// Builds `"key":value` pairs separated by commas.
struct JsonObject {
    std::string text = "{";

    JsonObject& raw(const char* key, const std::string& value) {
        if (text.size() > 1) text += ',';
        text += '"';
        text += key;
        text += "\":";
        text += value;
        return *this;
    }
    JsonObject& number(const char* key, int64_t value) { return raw(key, std::to_string(value)); }
    std::string close() { return text + '}'; }
};

template <typename Item>
std::string jsonArray(const std::vector<Item>& items) {
    std::string text = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += ',';
        text += items[i];
    }
    return text + ']';
}

std::string numberArray(const int32_t* values, size_t count) {
    std::vector<std::string> items;
    for (size_t i = 0; i < count; ++i) items.push_back(std::to_string(values[i]));
    return jsonArray(items);
}

std::string widgetRecord(const Widget& w) {
    return JsonObject()
        .number("x", w.x)
        .number("y", w.y)
        .number("width", w.width)
        .number("height", w.height)
        .number("kind", w.kind)
        .raw("text", jsonString(w.text))
        .number("action", w.action)
        .number("actionArg", w.actionArg)
        .number("fillColour", w.fillColour)
        .number("borderColour", w.borderColour)
        .close();
}

std::string creatureRecord(const Creature& c) {
    return JsonObject()
        .number("inPlay", c.inPlay)
        .number("x", c.x)
        .number("y", c.y)
        .raw("fx", jsonFloat(c.fx))
        .raw("fy", jsonFloat(c.fy))
        .number("dir", c.dir)
        .number("falling", c.falling)
        .number("skill", c.skill)
        .number("frame", c.frame)
        .number("highlighted", c.highlighted)
        .number("fallStartY", c.fallStartY)
        .number("skillTicks", c.skillTicks)
        .number("fuse", c.fuse)
        .close();
}

std::string widgetList() {
    std::vector<std::string> items;
    int count = std::min<int>(widgetCount, widgetCapacity);
    for (int i = 1; i <= count; ++i) items.push_back(widgetRecord(widgets[i]));
    return jsonArray(items);
}

// Records 0..lastCreatureIndex, kept inside the table whatever a level says.
std::string creatureList() {
    std::vector<std::string> items;
    int32_t last = std::min(lastCreatureIndex, creatureCapacity - 1);
    for (int32_t i = 0; i <= last; ++i) items.push_back(creatureRecord(creatures[i]));
    return jsonArray(items);
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            // Texts are 8-bit; each byte stands for the character of the same code.
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string jsonFloat(float value) {
    if (!std::isfinite(value)) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

namespace {

// The fewest significant digits that read back to `value`, as "d.ddde+XX".
std::string shortestDigits(double value) {
    char text[40];
    for (int precision = 0; precision < 17; ++precision) {
        std::snprintf(text, sizeof text, "%.*e", precision, value);
        if (std::strtod(text, nullptr) == value) return text;
    }
    std::snprintf(text, sizeof text, "%.16e", value);
    return text;
}

}  // namespace

// The shortest text that reads back to the same double, written plainly or with
// an exponent, whichever is shorter (plainly on a tie): 1000.5, 1e+20, 1.5e-07.
// Built from printf's digits so that every C library writes the same text.
std::string jsonDouble(double value) {
    if (!std::isfinite(value)) return "null";
    std::string scientific = shortestDigits(value);
    std::string sign = scientific[0] == '-' ? "-" : "";
    std::string mantissa = scientific.substr(sign.size(), scientific.find('e') - sign.size());
    int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
    std::string digits = mantissa.substr(0, 1) + (mantissa.size() > 2 ? mantissa.substr(2) : "");
    auto count = static_cast<int>(digits.size());

    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    std::string withExponent = sign + mantissa + exponentText;

    std::string plain;
    if (exponent >= count - 1) {  // a whole number, written with all its digits
        char whole[400];
        std::snprintf(whole, sizeof whole, "%.0f", std::fabs(value));
        plain = whole;
    } else if (exponent >= 0) {
        plain = digits.substr(0, static_cast<size_t>(exponent + 1)) + "." + digits.substr(static_cast<size_t>(exponent + 1));
    } else {
        plain = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
    plain = sign + plain;
    return plain.size() <= withExponent.size() ? plain : withExponent;
}

std::string dumpLine(int32_t pass) {
    return JsonObject()
        .number("pass", pass)
        .raw("time", jsonDouble(timerSeconds()))
        .number("screen", screen)
        .number("running", running)
        .number("levelNumber", levelNumber)
        .number("levelPlayed", levelPlayed)
        .number("selectedSkill", selectedSkill)
        .number("scrollX", scrollX)
        .number("scrollY", scrollY)
        .number("levelWidth", levelWidth)
        .number("levelHeight", levelHeight)
        .number("entranceX", entranceX)
        .number("entranceY", entranceY)
        .number("exitX", exitX)
        .number("exitY", exitY)
        .raw("levelValues", numberArray(levelValues, 10))
        .number("spawnedCount", spawnedCount)
        .number("savedCount", savedCount)
        .number("liveCount", liveCount)
        .number("spawnTicks", spawnTicks)
        .raw("stateCounts", numberArray(stateCounts + 1, 8))
        .number("fps", fps)
        .number("lps", lps)
        .number("mouseX", mouseX)
        .number("mouseY", mouseY)
        .number("mouseButtons", mouseButtons)
        .number("hoveredCreature", hoveredCreature)
        .number("hoveredWidget", hoveredWidget)
        .number("pressedWidget", pressedWidget)
        .number("releasedWidget", releasedWidget)
        .raw("widgets", widgetList())
        .raw("creatures", creatureList())
        .close();
}

bool writeGridPgm(const std::string& path) {
    int32_t columns = gridColumns();
    int32_t rows = gridRows();
    std::ofstream file(hostPath(path), std::ios::binary);
    if (!file) return false;
    file << "P5\n" << columns << ' ' << rows << "\n255\n";
    std::vector<char> row(static_cast<size_t>(std::max(columns, 0)));
    for (int32_t y = 0; y < rows; ++y) {
        for (int32_t x = 0; x < columns; ++x) row[static_cast<size_t>(x)] = static_cast<char>(cellAt(x, y));
        file.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    return static_cast<bool>(file.flush());
}
