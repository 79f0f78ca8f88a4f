// One creature tick of 100 creatures in play on a 1600 x 400 level: walkers,
// blockers, builders, diggers, tunnellers, floaters, climbers and fallers with
// burning fuses, among walls, steps, bricks, a hill and a gap. Every sample
// starts from the same level and table and times 50 ticks (one second of play);
// the figures are per tick, beside two floors measured in the same run: a
// memset plus a memcpy of one 640x480 screen, and of the creature table.
//
// Then whole levels from maps\ played headless at full speed, creatures only:
// the level loaded once, each sample plays it from the first entry until no
// creature is left in play (no skills are given), as the logic step would, or
// for at most 10000 ticks (200 s of play) on levels that need skills to end.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "bench_support.h"
#include "creatures/creature_table.h"
#include "creatures/movement.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "levels/level_loader.h"
#include "platform/draw.h"
#include "platform/screen.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int32_t ticksPerSample = 50;
constexpr double passMicroseconds = 20000.0;
constexpr int32_t maxLevelTicks = 10000;

void paint(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t cell, Colour colour) {
    fillBox(*terrainImage, x1, y1, x2, y2, colour);
    for (int32_t x = x1; x <= x2; ++x)
        for (int32_t y = y1; y <= y2; ++y) setCell(x, y, cell);
}

void makeLevel() {
    levelWidth = 1600;
    levelHeight = 400;
    terrainImage = createImage(levelWidth, levelHeight);
    resizeGrid(levelWidth, levelHeight);
    const Colour ground = 0xFF806030;
    const Colour brick = 0xFFFF3333;
    paint(0, 300, 1599, 399, cellTerrain, ground);
    paint(700, 300, 760, 399, cellEmpty, 0);  // a gap
    for (int32_t i = 0; i < 8; ++i) paint(150 + 180 * i, 240, 160 + 180 * i, 299, cellTerrain, ground);
    for (int32_t i = 0; i < 8; ++i) paint(230 + 180 * i, 297, 260 + 180 * i, 299, cellTerrain, ground);
    for (int32_t i = 0; i < 8; ++i) paint(280 + 180 * i, 296, 300 + 180 * i, 299, cellBrick, brick);
    paint(1000, 260, 1200, 299, cellTerrain, ground);  // a hill
    exitX = 1500;
    exitY = 270;
    entranceX = 40;
    entranceY = 100;
}

void placeCreatures() {
    lastCreatureIndex = creatureCapacity - 1;
    for (int32_t i = 0; i < creatureCapacity; ++i) {
        Creature& c = creatures[i];
        c = Creature{};
        c.inPlay = 1;
        c.fx = 20.0f + 15.5f * float(i);
        c.fy = 294.0f;
        c.dir = i % 2 == 0 ? 1 : -1;
        c.skill = 1 + i % 7;
        c.fallStartY = 294;
        c.fuse = noFuse;
        c.frame = 1;
        if (i % 8 == 7) {  // falling from high up with a burning fuse
            c.fy = 150.0f;
            c.fallStartY = 150;
            c.falling = 1;
            c.fuse = 4;
        }
    }
}

void BM_CreatureTick(benchmark::State& state) {
    if (!screenIsOpen()) openScreen(screenWidth, screenHeight, 32, 2);
    makeLevel();
    placeCreatures();
    const std::vector<uint32_t> startPixels = terrainImage->pixels;
    const std::vector<uint8_t> startCells = gridCells;
    Creature startTable[creatureCapacity];
    std::memcpy(startTable, creatures, sizeof creatures);

    const double screenFloor = copyFloorMicroseconds(size_t(screenWidth) * screenHeight * 4, 2001);
    const double tableFloor = copyFloorMicroseconds(sizeof creatures, 2001);
    std::vector<double> samples;
    int32_t alive = 0;
    for (auto _ : state) {
        terrainImage->pixels = startPixels;
        gridCells = startCells;
        std::memcpy(creatures, startTable, sizeof creatures);
        const auto start = Clock::now();
        for (int32_t t = 0; t < ticksPerSample; ++t) creatureTick(lastCreatureIndex, levelWidth, levelHeight);
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
                          ticksPerSample);
        alive = liveCount;
        benchmark::ClobberMemory();
    }
    const double tick = medianOf(samples);
    state.counters["tick_us_median"] = tick;
    state.counters["ticks_per_s"] = 1e6 / tick;
    state.counters["share_of_20ms_pass"] = tick / passMicroseconds;
    state.counters["screen_floor_us"] = screenFloor;
    state.counters["x_screen_floor"] = tick / screenFloor;
    state.counters["table_floor_us"] = tableFloor;
    state.counters["x_table_floor"] = tick / tableFloor;
    state.counters["in_play_after_50"] = alive;
    destroyImage(terrainImage);
}
BENCHMARK(BM_CreatureTick)->MinTime(1.0)->Unit(benchmark::kMicrosecond);

// Plays the loaded level from its first entry to its end; answers the ticks run.
int32_t playLevel(const std::vector<uint32_t>& pixels, const std::vector<uint8_t>& cells) {
    terrainImage->pixels = pixels;
    gridCells = cells;
    resetCreatureTable();
    spawnedCount = savedCount = liveCount = 0;
    spawnTicks = entryPeriod - 1;
    int32_t ticks = 0;
    do {
        creatureTick(lastCreatureIndex, levelWidth, levelHeight);
        entryRule(lastCreatureIndex);
        ++ticks;
    } while ((liveCount > 0 || spawnedCount <= lastCreatureIndex) && ticks < maxLevelTicks);
    return ticks;
}

void BM_WholeLevel(benchmark::State& state) {
    if (!screenIsOpen()) openScreen(screenWidth, screenHeight, 32, 2);
    levelNumber = int32_t(state.range(0));
    if (loadLevel() != levelLoaded || terrainImage == nullptr) {
        state.SkipWithError("the level did not load (run from the build folder)");
        return;
    }
    const std::vector<uint32_t> pixels = terrainImage->pixels;
    const std::vector<uint8_t> cells = gridCells;
    const double screenFloor = copyFloorMicroseconds(size_t(screenWidth) * screenHeight * 4, 2001);
    std::vector<double> samples;
    int32_t ticks = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        ticks = playLevel(pixels, cells);
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    const double level = medianOf(samples);
    state.counters["level_us_median"] = level;
    state.counters["ticks"] = ticks;
    state.counters["saved"] = savedCount;
    state.counters["ended"] = ticks < maxLevelTicks;
    state.counters["ticks_per_s"] = ticks / (level / 1e6);
    state.counters["x_real_time"] = ticks * passMicroseconds / level;
    state.counters["x_screen_floor"] = level / screenFloor;
    destroyImage(terrainImage);
}
BENCHMARK(BM_WholeLevel)->Arg(1)->Arg(14)->Arg(15)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
