// What the benchmarks share: medians of timed runs and the copy floor they are
// reported beside.
#pragma once
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

inline double medianOf(std::vector<double>& samples) {
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

// The median time of `runs` calls of `work`, in microseconds of `Clock`.
template <typename Clock = std::chrono::steady_clock, typename Work>
double medianMicroseconds(int runs, Work work) {
    std::vector<double> samples;
    samples.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return medianOf(samples);
}

// The median of a memset plus a memcpy of `bytes` bytes.
inline double copyFloorMicroseconds(size_t bytes, int runs) {
    std::vector<uint8_t> source(bytes, 0x5A), target(bytes);
    return medianMicroseconds(runs, [&] {
        std::memset(target.data(), 0x3C, bytes);
        std::memcpy(target.data(), source.data(), bytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    });
}
