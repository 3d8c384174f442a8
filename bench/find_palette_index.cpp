// Looking up a screen colour's palette index, as import and the read-back of the
// preview do for every pixel.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "palette/palette.h"

namespace {

void BM_FindPaletteIndex(benchmark::State& state) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<std::uint8_t>((i >> 5) * 36));
        bytes.push_back(static_cast<std::uint8_t>(((i >> 2) & 7) * 36));
        bytes.push_back(static_cast<std::uint8_t>((i & 3) * 85));
    }
    const palette::Palette pal = palette::paletteFromBytes(bytes);
    // Three quarters palette colours, one quarter colours it does not hold.
    std::vector<palette::RgbColour> queries;
    std::mt19937 rng(5);
    for (int i = 0; i < 4096; ++i) {
        const int k = static_cast<int>(rng() % 256);
        if (i % 4 == 3)
            queries.push_back({static_cast<int>(rng() & 0xFF), static_cast<int>(rng() & 0xFF), 1});
        else
            queries.push_back(pal.colour(k));
    }
    for (auto _ : state) {
        int sum = 0;
        for (const auto& q : queries) sum += palette::findPaletteIndex(pal, q.red, q.green, q.blue).value_or(-1);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(queries.size()));
}
BENCHMARK(BM_FindPaletteIndex)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
