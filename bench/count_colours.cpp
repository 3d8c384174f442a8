// Counting the colours in use over a full sheet of 64 sprites, as done after every
// edit and sprite change.

#include <benchmark/benchmark.h>

#include <array>
#include <random>

#include "palette/colour_use.h"

namespace {

void BM_CountColours64Sprites(benchmark::State& state) {
    std::array<std::uint8_t, 64 * 256> sheet{};
    std::mt19937 rng(99);
    for (auto& b : sheet) b = static_cast<std::uint8_t>(rng() & 0xFF);
    for (auto _ : state) {
        palette::ColourUse use = palette::countColours(sheet.data(), 64);
        benchmark::DoNotOptimize(use);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(sheet.size()));
}
BENCHMARK(BM_CountColours64Sprites)->Unit(benchmark::kMicrosecond);

void BM_ColourPaletteBytes(benchmark::State& state) {
    palette::ColourUseMarkers markers{};
    for (int i = 1; i < 256; i += 3) markers[static_cast<std::size_t>(i)] = true;
    for (auto _ : state) {
        auto bytes = palette::colourPaletteBytes(markers);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ColourPaletteBytes);

}  // namespace

BENCHMARK_MAIN();
