#include <cmath>
#include <string>
#include "creatures/creature_table.h"
#include "creatures/movement.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "levels/level_loader.h"
#include "levels/tmx_reader.h"
#include "platform/bmp.h"
#include "platform/draw.h"
#include "platform/files.h"
#include "level_report.h"

namespace {

const char* const skillNames[] = {"", "", "block", "build", "dig", "tunnel", "float", "climb", "explode"};
constexpr Colour background = 0xFF3333BB;

std::string text(int64_t v) { return std::to_string(v); }

std::string tilesetPathOf(const std::string& source) {
    std::string path = "data\\" + stripDirectories(source);
    if (path.size() >= 4 && path.compare(path.size() - 4, 4, ".png") == 0)
        path.replace(path.size() - 4, 4, ".bmp");
    return path;
}

void checkValues(const std::vector<double>& values, LevelReport& report) {
    const double last = std::nearbyint(values[0]);
    const double target = std::nearbyint(values[1]);
    if (last < 0 || last > 99)
        report.errors.push_back("the first number (eggs - 1) is " + text(static_cast<int64_t>(last)) +
                                "; it must be 0..99, since at most 100 eggs take part");
    if (target < 1)
        report.warnings.push_back("the number of eggs to save is " + text(static_cast<int64_t>(target)) +
                                  ": the level is won without saving any");
    else if (last >= 0 && target > last + 1)
        report.errors.push_back("the level asks to save " + text(static_cast<int64_t>(target)) +
                                " eggs but only " + text(static_cast<int64_t>(last + 1)) + " take part");
    for (int s = 2; s <= 8; ++s) {
        double uses = std::nearbyint(values[static_cast<size_t>(s)]);
        if (uses < 0 || uses > 99)
            report.errors.push_back("the " + std::string(skillNames[s]) + " count is " +
                                    text(static_cast<int64_t>(uses)) + "; it must be 0..99");
    }
    // A blocker never leaves play on its own, and the level goes on while an egg is in play.
    if (std::nearbyint(values[2]) >= 1 && std::nearbyint(values[8]) < 1)
        report.notes.push_back("blockers but no explosions: only the button that arms every egg "
                               "can end the level while a blocker stands");
}

// Lets the first egg in alone, with nothing given to it, and watches it until the
// second would enter and it has landed: if it is saved, dies or leaves the level
// before the second enters, the level ends at once; if its first landing kills
// it, so does every egg's.
void checkFirstEgg(LevelReport& report) {
    resetCreatureTable();
    spawnedCount = 0;
    savedCount = 0;
    spawnTicks = entryPeriod - 1;  // the first egg enters on the first tick
    entryRule(0);
    constexpr int32_t longestWatch = 5000;
    bool landed = false;
    for (int32_t tick = 1; tick <= longestWatch; ++tick) {
        creatureTick(0, levelWidth, levelHeight);
        if (creatures[0].inPlay != 1) {
            const std::string how = savedCount > 0 ? "reaches the exit" : "is lost (a deadly fall or off the level)";
            if (tick <= entryPeriod)
                report.errors.push_back("the first egg " + how + " " + text(tick) +
                                        " ticks after it enters, before the second one enters (" +
                                        text(entryPeriod) + " ticks): the level would end at once");
            else if (!landed)
                report.errors.push_back("the first egg " + how + " on its way down from the entrance: every egg would");
            return;
        }
        landed = landed || creatures[0].falling == 0;
        if (landed && tick >= entryPeriod) return;
    }
    report.warnings.push_back("the first egg is still falling " + text(longestWatch) + " ticks after it enters");
}

bool solidAt(int32_t x, int32_t y) { return cellAt(x, y) != cellEmpty; }

// The exit takes an egg whose feet are within its box; somewhere in the box an
// egg must be able to stand, or only a bridge or a fall can bring one in.
bool floorUnderExit() {
    for (int32_t x = exitX - 3; x < exitX + 20; ++x)
        for (int32_t y = exitY + 1; y < exitY + 32; ++y)
            if (!solidAt(x, y) && solidAt(x, y + 7)) return true;
    return false;
}

// Lets every egg in with nothing given to any: true when one of them is saved.
bool savedWithoutSkills() {
    resetCreatureTable();
    spawnedCount = 0;
    savedCount = 0;
    spawnTicks = entryPeriod - 1;
    const int32_t ticks = (lastCreatureIndex + 1) * entryPeriod + 3000;
    for (int32_t tick = 0; tick < ticks && savedCount == 0; ++tick) {
        creatureTick(lastCreatureIndex, levelWidth, levelHeight);
        entryRule(lastCreatureIndex);
    }
    return savedCount > 0;
}

void noteTheExit(LevelReport& report) {
    if (!floorUnderExit())
        report.notes.push_back("nothing under the exit for an egg to walk on: a bridge or a fall must bring them in");
    else if (!savedWithoutSkills())
        report.notes.push_back("no egg reaches the exit without a skill");
}

bool writePreview(const std::string& path, LevelReport& report) {
    Image* picture = createImage(levelWidth, levelHeight, background);
    Image* sheet = createImage(290, 384);
    if (picture == nullptr || sheet == nullptr) {
        report.warnings.push_back("no preview: the level is too large for a picture");
    } else {
        if (loadBmp("data\\main.bmp", sheet) != bmpLoaded)
            report.warnings.push_back("data\\main.bmp cannot be read: the preview shows no entrance or exit");
        putImage(*picture, 0, 0, terrainImage, CopyMode::transparent);
        putImageCorners(*picture, exitX - 16, exitY - 8, sheet, 40, 332, 87, 373, CopyMode::transparent);
        putImageCorners(*picture, entranceX - 12, entranceY - 16, sheet, 0, 326, 39, 349, CopyMode::transparent);
    }
    const bool written = picture != nullptr && sheet != nullptr && writeBmp32(hostPath(path), *picture);
    if (picture != nullptr && sheet != nullptr && !written)
        report.errors.push_back("the preview cannot be written to " + path);
    destroyImage(picture);
    destroyImage(sheet);
    return written;
}

}  // namespace

LevelReport checkLevel(int32_t number, const std::string& previewPath) {
    LevelReport report;
    const std::string stem = "maps\\map" + text(number);
    const std::vector<double> values = readLevelValues(hostPath(stem + ".dat"));
    if (values.empty()) {
        report.errors.push_back(stem + ".dat is missing or cannot be read");
        return report;
    }
    checkValues(values, report);

    MapFacts facts = readMapFacts(hostPath(stem + ".tmx"), 0);
    if (!facts.opened) {
        report.errors.push_back(stem + ".tmx is missing or cannot be read");
        return report;
    }
    if (facts.encoding != "csv")
        report.errors.push_back(stem + ".tmx: the tile layer is stored as '" + facts.encoding +
                                "'; the game reads only CSV (set the map's layer format to CSV)");
    if (facts.tileWidth < 1 || facts.tileHeight < 1 || facts.columns < 1 || facts.rows < 1) {
        report.errors.push_back(stem + ".tmx: the map line gives no usable size");
        return report;
    }
    const std::string tileset = tilesetPathOf(facts.imageSource);
    int32_t tsW = 0, tsH = 0;
    if (facts.imageSource.empty()) {
        report.errors.push_back(stem + ".tmx names no tileset picture (embed the tileset in the map)");
    } else if (!fileExists(tileset)) {
        report.errors.push_back("the tileset picture " + tileset + " is missing");
    } else {
        probeImageSize(tileset, tsW, tsH);
        if (tsW <= 0 || tsH <= 0) report.errors.push_back("the tileset picture " + tileset + " cannot be read");
    }
    int64_t tileCount = 0;
    if (tsW > 0 && tsH > 0) {
        const int64_t across = (int64_t{tsW} + facts.spacing) / (facts.tileWidth + facts.spacing);
        const int64_t down = (int64_t{tsH} + facts.spacing) / (facts.tileHeight + facts.spacing);
        tileCount = across * down;
        if (tileCount < 3) report.errors.push_back("the tileset " + tileset + " holds fewer than three tiles");
        facts = readMapFacts(hostPath(stem + ".tmx"), tileCount);
        if (facts.badCellCount > 0) {
            std::string list;
            for (const std::string& cell : facts.badCells) list += (list.empty() ? "" : "; ") + cell;
            report.errors.push_back(text(facts.badCellCount) + " cells hold tiles outside the tileset of " +
                                    text(tileCount) + " tiles (" + list + ")");
        }
        if (facts.entranceTiles == 0) report.errors.push_back("the map has no entrance (tile " + text(tileCount - 1) + ")");
        if (facts.exitTiles == 0) report.errors.push_back("the map has no exit (tile " + text(tileCount) + ")");
        if (facts.entranceTiles > 1)
            report.warnings.push_back(text(facts.entranceTiles) + " entrance tiles: only the last one (lowest, then rightmost) counts");
        if (facts.exitTiles > 1)
            report.warnings.push_back(text(facts.exitTiles) + " exit tiles: only the last one (lowest, then rightmost) counts");
    }
    if (!report.errors.empty()) return report;

    levelNumber = number;
    if (loadLevel() != levelLoaded || terrainImage == nullptr) {
        report.errors.push_back("the game's loader cannot load the level");
        return report;
    }
    if (levelWidth < 640 || levelHeight < 400)
        report.warnings.push_back("the level is " + text(levelWidth) + " x " + text(levelHeight) +
                                  " px, smaller than the 640 x 400 view");
    checkFirstEgg(report);
    noteTheExit(report);

    report.summary.push_back("size " + text(levelWidth) + " x " + text(levelHeight) + " px (" +
                             text(facts.columns) + " x " + text(facts.rows) + " tiles)");
    report.summary.push_back(text(lastCreatureIndex + 1) + " eggs, " + text(saveTarget) + " to save");
    std::string skills;
    for (int s = 2; s <= 8; ++s) skills += (s > 2 ? ", " : "") + std::string(skillNames[s]) + " " + text(skillUses[s]);
    report.summary.push_back("skills: " + skills);
    report.summary.push_back("entrance at (" + text(entranceX) + ", " + text(entranceY) + "), exit at (" +
                             text(exitX) + ", " + text(exitY) + ")");
    if (!previewPath.empty() && writePreview(previewPath, report))
        report.summary.push_back("preview written to " + previewPath);
    return report;
}
