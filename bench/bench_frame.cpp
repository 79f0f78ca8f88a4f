// One frame of the play screen: a 1600 x 400 level, 100 creatures in play (half
// facing left, some highlighted, some with burning fuses), the panel and the
// debug lines. Reported beside the floor of one 640x480 screen's memset plus
// memcpy measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "bench_support.h"
#include "creatures/creature_table.h"
#include "interface/frame.h"
#include "interface/screens.h"
#include "levels/level.h"
#include "platform/draw.h"
#include "platform/screen.h"
#include "shell/main_loop.h"
#include "shell/play_state.h"

namespace {

using Clock = std::chrono::steady_clock;

// Sprite pictures with transparent surroundings, like the real sheet.
void makeSheet() {
    spriteSheet = createImage(290, 384);
    for (int32_t y = 0; y < 384; ++y)
        for (int32_t x = 0; x < 290; ++x)
            if ((x % 40) > 8 && (x % 40) < 32) setPixel(*spriteSheet, x, y, 0xFFE0D0A0 ^ uint32_t(x * y));
}

// Ground in the lower part and scattered blocks: a little under half the pixels empty.
void makeLevel() {
    levelWidth = 1600;
    levelHeight = 400;
    terrainImage = createImage(levelWidth, levelHeight);
    fillBox(*terrainImage, 0, 230, 1599, 399, 0xFF806030);
    for (int32_t i = 0; i < 40; ++i) fillBox(*terrainImage, 40 * i, 40 + (i * 37) % 150, 40 * i + 25, 229, 0xFF508040);
    scrollX = -480;
    scrollY = 0;
    entranceX = 600;
    entranceY = 60;
    exitX = 1000;
    exitY = 180;
}

void placeCreatures() {
    lastCreatureIndex = 99;
    for (int32_t i = 0; i < creatureCapacity; ++i) {
        Creature& c = creatures[i];
        c = Creature{};
        c.inPlay = 1;
        c.x = 490 + 6 * i;
        c.y = 100 + (i * 13) % 120;
        c.fx = float(c.x);
        c.fy = float(c.y);
        c.dir = i % 2 == 0 ? 1 : -1;
        c.skill = 1 + i % 7;
        c.frame = 1 + i % 6;
        c.highlighted = i % 10 == 0 ? 1 : 0;
        c.fuse = i % 4 == 0 ? 1 + i % 6 : 10;
    }
    countStates(lastCreatureIndex);
}

void BM_PlayFrame(benchmark::State& state) {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
    makeSheet();
    makeLevel();
    placeCreatures();
    showScreen(screenPlay);
    const double floor = copyFloorMicroseconds(640 * 480 * 4, 501);
    std::vector<double> samples;
    for (auto _ : state) {
        const auto start = Clock::now();
        drawFrame(lastCreatureIndex);
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        benchmark::DoNotOptimize(displaySurface.pixels.data());
    }
    const double frame = medianOf(samples);
    state.counters["frame_us_median"] = frame;
    state.counters["floor_us_median"] = floor;
    state.counters["x_floor"] = frame / floor;
    destroyImage(terrainImage);
    destroyImage(spriteSheet);
}
BENCHMARK(BM_PlayFrame)->MinTime(1.0)->Unit(benchmark::kMicrosecond);

void BM_Floor(benchmark::State& state) {
    std::vector<uint32_t> source(640 * 480, 0x12345678), target(640 * 480);
    for (auto _ : state) {
        std::memset(target.data(), 0x5A, target.size() * 4);
        std::memcpy(target.data(), source.data(), source.size() * 4);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
