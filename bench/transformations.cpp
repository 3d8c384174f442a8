// One whole-grid transformation, the work behind Ctrl+R and the scroll keys.
#include <benchmark/benchmark.h>

#include "model/transformations.h"

static void BM_RotateClockwise(benchmark::State& state) {
    model::SpriteGrid grid;
    for (int i = 0; i < model::SPRITE_BYTES; ++i) grid.cells[i] = i;
    for (auto _ : state) {
        model::rotateClockwise(grid);
        benchmark::DoNotOptimize(grid.cells.data());
    }
}
BENCHMARK(BM_RotateClockwise);

static void BM_ScrollLeft(benchmark::State& state) {
    model::SpriteGrid grid;
    for (int i = 0; i < model::SPRITE_BYTES; ++i) grid.cells[i] = i;
    for (auto _ : state) {
        model::scrollLeft(grid);
        benchmark::DoNotOptimize(grid.cells.data());
    }
}
BENCHMARK(BM_ScrollLeft);

BENCHMARK_MAIN();
