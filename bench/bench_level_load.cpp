// Loading a 400 x 100-tile map of 16 x 16 tiles (6400 x 1600 pixels) as the
// game does from one level to the next: reading the files, painting the terrain
// in the memory the last level left and building the collision grid, reported
// beside a memcpy of the terrain image's bytes measured in the same run. The
// first load, into memory fresh from the system, is reported too.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <time.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "levels/collision_grid.h"
#include "levels/level.h"
#include "levels/level_loader.h"
#include "platform/screen.h"

namespace {

// Thread CPU time: on a shared machine the wall clock also counts other programs.
struct Clock {
    using time_point = std::chrono::duration<double, std::micro>;
    static time_point now() {
        timespec t;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return time_point(t.tv_sec * 1e6 + t.tv_nsec / 1e3);
    }
};

constexpr int32_t mapColumns = 400, mapRows = 100, tileSize = 16;
constexpr int32_t levelPixels = mapColumns * tileSize * mapRows * tileSize;

double floorMicroseconds() {
    static std::vector<uint32_t> source(levelPixels, 0x12345678), target(levelPixels);
    return medianMicroseconds<Clock>(31, [] {
        std::memcpy(target.data(), source.data(), source.size() * 4);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    });
}

void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A 136 x 68 tileset (8 x 4 tiles with spacing 1) of 24-bit pixels, a quarter magenta.
void writeTileset(const std::string& path) {
    const int32_t width = 136, height = 68, stride = (width * 3 + 3) & ~3;
    std::string out = "BM";
    for (uint32_t v : {uint32_t(54 + stride * height), 0u, 54u, 40u, uint32_t(width), uint32_t(height)}) put32(out, v);
    out += '\1', out += '\0', out += '\x18', out += '\0';
    for (int i = 0; i < 6; ++i) put32(out, 0);
    for (int32_t y = 0; y < height; ++y) {
        std::string row;
        for (int32_t x = 0; x < width; ++x) {
            bool hole = (x / 4 + y / 4) % 4 == 0;
            row += hole ? std::string("\xFF\x00\xFF", 3) : std::string{char(x), char(y), char(x ^ y)};
        }
        row.resize(size_t(stride), '\0');
        out += row;
    }
    std::ofstream(path, std::ios::binary) << out;
}

void writeMap(const std::string& path) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<map version=\"1.8\" "
                       "orientation=\"orthogonal\" width=\"400\" height=\"100\" tilewidth=\"16\" "
                       "tileheight=\"16\">\n <tileset firstgid=\"1\" name=\"t\" tilewidth=\"16\" "
                       "tileheight=\"16\" spacing=\"1\">\n  <image source=\"../gfx/tiles.png\"/>\n "
                       "</tileset>\n <layer id=\"1\">\n  <data encoding=\"csv\">\n";
    for (int32_t y = 0; y < mapRows; ++y) {
        for (int32_t x = 0; x < mapColumns; ++x) {
            int32_t tile = y < 30 ? 0 : 1 + (x * 7 + y * 3) % 30;
            if (y == 10 && x == 5) tile = 31;
            if (y == 60 && x == 390) tile = 32;
            text += std::to_string(tile);
            if (x + 1 < mapColumns || y + 1 < mapRows) text += ",";
        }
        text += "\n";
    }
    text += "</data>\n </layer>\n</map>\n";
    std::ofstream(path) << text;
}

// Gives back the memory a load keeps for the next one.
void forgetLevelMemory() {
    if (terrainImage) destroyImage(terrainImage);
    releaseSpareTerrain();
    std::vector<uint8_t>().swap(gridCells);
    resizeGrid(-1, -1);
}

void BM_LoadLevelMap(benchmark::State& state) {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
    const auto previous = std::filesystem::current_path();
    char pattern[] = "/tmp/eggsodus-bench-XXXXXX";
    const std::filesystem::path folder = mkdtemp(pattern);
    std::filesystem::create_directories(folder / "data");
    std::filesystem::create_directories(folder / "maps");
    std::filesystem::current_path(folder);
    writeTileset("data/tiles.bmp");
    writeMap("maps/map1.tmx");
    std::ofstream("maps/map1.dat") << "99,50,5,5,5,5,5,5,5,0\n";
    levelNumber = 1;

    const double floor = floorMicroseconds();
    forgetLevelMemory();
    std::vector<double> samples;
    for (auto _ : state) {
        const auto start = Clock::now();
        loadLevel();
        samples.push_back((Clock::now() - start).count());
    }
    const double grid = medianMicroseconds<Clock>(31, [] { buildCollisionGrid(*terrainImage); });
    const double firstLoad = medianMicroseconds<Clock>(11, [] {
        forgetLevelMemory();
        loadLevel();
    });
    forgetLevelMemory();
    const double load = medianOf(samples);
    state.counters["load_us_median"] = load;
    state.counters["grid_us_median"] = grid;
    state.counters["first_load_us_median"] = firstLoad;
    state.counters["memcpy_us_median"] = floor;
    state.counters["x_memcpy"] = load / floor;
    state.counters["x_memcpy_first_load"] = firstLoad / floor;
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadLevelMap)->MinTime(2.0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
