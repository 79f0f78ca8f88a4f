// What the frame renderer asks of the drawing layer, each figure beside a
// floor measured in the same run: memset or memcpy of the same bytes. The
// counters are medians in microseconds and their ratio to the floor.
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include "platform/draw.h"
#include "platform/draw_rows.h"
#include "platform/screen.h"

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// Runs the work and its floor alternately in every iteration and reports both medians.
template <typename Work, typename Floor>
void againstFloor(benchmark::State& state, Work work, Floor floor) {
    std::vector<double> workTimes, floorTimes;
    for (auto _ : state) {
        const auto start = Clock::now();
        work();
        benchmark::ClobberMemory();
        const auto middle = Clock::now();
        floor();
        benchmark::ClobberMemory();
        const auto end = Clock::now();
        workTimes.push_back(std::chrono::duration<double, std::micro>(middle - start).count());
        floorTimes.push_back(std::chrono::duration<double, std::micro>(end - middle).count());
    }
    const double workMedian = median(workTimes), floorMedian = median(floorTimes);
    state.counters["median_us"] = workMedian;
    state.counters["floor_us"] = floorMedian;
    state.counters["ratio"] = workMedian / floorMedian;
}

void openOnce() {
    if (!screenIsOpen()) openScreen(640, 480, 32, 2);
}

// Ground and sky in irregular blobs: about 45% of the pixels are the key colour.
Image makeTerrain() {
    Image terrain;
    terrain.width = 1600;
    terrain.height = 400;
    terrain.pixels.resize(1600 * 400);
    std::mt19937 random(3);
    for (int32_t y = 0; y < 400; ++y) {
        int32_t x = 0;
        while (x < 1600) {
            const int32_t run = 4 + static_cast<int32_t>(random() % 60);
            const bool sky = random() % 100 < 45;
            for (int32_t i = 0; i < run && x < 1600; ++i, ++x) {
                terrain.pixels[static_cast<size_t>(y) * 1600 + static_cast<size_t>(x)] =
                    sky ? transparentColour : 0xFF000000u | static_cast<uint32_t>(random() & 0xFFFFFF);
            }
        }
    }
    return terrain;
}

// A 290x384 sheet of egg-shaped pictures on the key colour.
Image makeSpriteSheet() {
    Image sheet;
    sheet.width = 290;
    sheet.height = 384;
    sheet.pixels.assign(290 * 384, transparentColour);
    openOnce();
    for (int32_t row = 0; row < 9; ++row) {
        for (int32_t frame = 0; frame < 7; ++frame) {
            fillCircle(sheet, 40 * frame + 20, 42 * row + 12, 14.0, 0xFFF0E0C0u + static_cast<uint32_t>(row));
        }
    }
    return sheet;
}

std::vector<uint32_t> floorTarget(640 * 480), floorSource(1600 * 480);

void memcpyRows(int32_t rows, int32_t columns, int32_t sourcePitch, int32_t repeats) {
    for (int32_t r = 0; r < repeats; ++r) {
        for (int32_t y = 0; y < rows; ++y) {
            std::memcpy(floorTarget.data() + static_cast<size_t>(y) * 640 + static_cast<size_t>(r % 10) * 60,
                        floorSource.data() + static_cast<size_t>(y) * static_cast<size_t>(sourcePitch),
                        static_cast<size_t>(columns) * 4);
        }
    }
}

void FullScreenFill(benchmark::State& state) {
    openOnce();
    lockScreen();
    againstFloor(
        state, [] { fillBox(displaySurface, 0, 0, 639, 479, 0xFF102030); },
        [] { std::memset(floorTarget.data(), 0x20, floorTarget.size() * 4); });
    unlockScreen(-1, -1);
}
BENCHMARK(FullScreenFill);

void TerrainWindowTransparent(benchmark::State& state) {
    openOnce();
    static const Image terrain = makeTerrain();
    lockScreen();
    againstFloor(
        state, [] { putImage(displaySurface, -480, 0, &terrain, CopyMode::transparent); },
        [] { memcpyRows(400, 640, 1600, 1); });
    unlockScreen(-1, -1);
}
BENCHMARK(TerrainWindowTransparent);

// The same copy through each row path, to show what each gains.
void TerrainWindowByPath(benchmark::State& state) {
    static const Image terrain = makeTerrain();
    const RowPath path = static_cast<RowPath>(state.range(0));
    if (!rowPathAvailable(path)) {
        state.SkipWithError("processor lacks this path");
        return;
    }
    std::vector<uint32_t> target(640 * 400);
    againstFloor(
        state,
        [&] { copyBlockWith(path, {target.data(), 640, terrain.pixels.data() + 480, 1600, 640, 400}, CopyMode::transparent); },
        [] { memcpyRows(400, 640, 1600, 1); });
    const char* names[] = {"plain", "sse2", "avx2", "avx512"};
    state.SetLabel(names[static_cast<int>(path)]);
}
BENCHMARK(TerrainWindowByPath)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

enum class Facing { right, leftByColumns, leftMirrored };

void HundredSprites(benchmark::State& state, Facing facing) {
    openOnce();
    static const Image sheet = makeSpriteSheet();
    lockScreen();
    againstFloor(
        state,
        [facing] {
            for (int32_t i = 0; i < 100; ++i) {
                const int32_t x = 20 + (i * 61) % 580, y = 10 + (i * 37) % 340;
                const int32_t f = 1 + i % 6, s = 1 + i % 8;
                if (facing == Facing::right) {
                    putImageCorners(displaySurface, x, y, &sheet, 40 * f - 40, 42 * s - 10, 40 * f, 42 * s + 31,
                                    CopyMode::transparent);
                } else if (facing == Facing::leftByColumns) {
                    for (int32_t k = 0; k <= 40; ++k) {
                        putImageCorners(displaySurface, x + k, y, &sheet, 40 * f - k, 42 * s - 10, 40 * f - k,
                                        42 * s + 31, CopyMode::transparent);
                    }
                } else {
                    putImageMirrored(displaySurface, x, y, &sheet, 40 * f - 40, 42 * s - 10, 40 * f, 42 * s + 31,
                                     CopyMode::transparent);
                }
            }
        },
        [] { memcpyRows(42, 41, 290, 100); });
}
BENCHMARK_CAPTURE(HundredSprites, facing_right, Facing::right);
BENCHMARK_CAPTURE(HundredSprites, mirrored_as_41_columns, Facing::leftByColumns);
BENCHMARK_CAPTURE(HundredSprites, mirrored_in_one_copy, Facing::leftMirrored);

void TwentyFiveTexts(benchmark::State& state) {
    openOnce();
    static std::vector<std::string> texts;
    size_t characters = 0;
    for (int i = 0; i < 25; ++i) {
        texts.push_back("Eggs saved: " + std::to_string(i * 7) + " of 40");
        characters += texts.back().size();
    }
    lockScreen();
    const size_t bytes = characters * 64 * 4;
    againstFloor(
        state,
        [] {
            for (int i = 0; i < 25; ++i) drawText(displaySurface, 8, 16 * i, texts[static_cast<size_t>(i)]);
        },
        [bytes] { std::memset(floorTarget.data(), 0x40, bytes); });
    unlockScreen(-1, -1);
}
BENCHMARK(TwentyFiveTexts);

}  // namespace

BENCHMARK_MAIN();
