// Fitting a photo-like import-canvas picture (512 x 384) to the fixed colour table:
// the shipped channel-by-channel fit next to the 256-entry scan it must agree with,
// and the 9-bit reduction.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "imaging/colour_fit.h"
#include "tests/support/colour_fit_reference.h"

namespace {

// Smooth gradients and a soft blob, plus noise, so that colours vary the way a photo's
// do (including dark corners where the fit takes its slower path near black).
imaging::Picture photoLikePicture(int w, int h, unsigned seed) {
    imaging::Picture p;
    p.width = w;
    p.height = h;
    p.rgb.resize(static_cast<std::size_t>(w) * h * 3);
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 6.0);
    auto clampByte = [](double v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double fx = static_cast<double>(x) / w, fy = static_cast<double>(y) / h;
            const double dx = fx - 0.6, dy = fy - 0.4;
            const double blob = 140.0 * std::exp(-(dx * dx + dy * dy) * 12.0);
            std::uint8_t* px = p.pixel(x, y);
            px[0] = clampByte(255.0 * fx * (1.0 - fy) + blob * 0.5 + noise(rng));
            px[1] = clampByte(200.0 * fy + blob * 0.3 + noise(rng));
            px[2] = clampByte(180.0 * (1.0 - fx) * fy + blob + noise(rng));
        }
    }
    return p;
}

const imaging::Picture& canvasPicture() {
    static const imaging::Picture picture = photoLikePicture(512, 384, 2024);
    return picture;
}

void BM_ConvertToIndexed(benchmark::State& state) {
    const imaging::Picture& pic = canvasPicture();
    for (auto _ : state) {
        imaging::IndexedPicture out = imaging::convertToIndexed(pic);
        benchmark::DoNotOptimize(out.pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * pic.width * pic.height);
}
BENCHMARK(BM_ConvertToIndexed)->Unit(benchmark::kMicrosecond);

void BM_ConvertToIndexedReferenceScan(benchmark::State& state) {
    const imaging::Picture& pic = canvasPicture();
    for (auto _ : state) {
        imaging::IndexedPicture out = reference::convertToIndexed(pic);
        benchmark::DoNotOptimize(out.pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * pic.width * pic.height);
}
BENCHMARK(BM_ConvertToIndexedReferenceScan)->Unit(benchmark::kMicrosecond);

// The plain loop to weigh the fit against: one load per pixel from a 16 MiB table that
// holds the answer for every 24-bit colour, filled once outside the timing.
void BM_ConvertWithFullColourTable(benchmark::State& state) {
    const imaging::Picture& pic = canvasPicture();
    std::vector<std::uint8_t> table(std::size_t{1} << 24);
    for (std::size_t c = 0; c < table.size(); ++c)
        table[c] = imaging::nearestFixedIndex(static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                                              static_cast<std::uint8_t>(c));
    for (auto _ : state) {
        imaging::IndexedPicture out;
        out.width = pic.width;
        out.height = pic.height;
        out.stride = (pic.width + 3) & ~3;
        out.pixels.assign(static_cast<std::size_t>(out.stride) * static_cast<std::size_t>(out.height), 0);
        for (int y = 0; y < pic.height; ++y) {
            const std::uint8_t* src = pic.pixel(0, y);
            std::uint8_t* dst = &out.pixels[static_cast<std::size_t>(pic.height - 1 - y) * static_cast<std::size_t>(out.stride)];
            for (int x = 0; x < pic.width; ++x, src += 3) dst[x] = table[std::size_t{src[0]} << 16 | std::size_t{src[1]} << 8 | src[2]];
        }
        benchmark::DoNotOptimize(out.pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * pic.width * pic.height);
}
BENCHMARK(BM_ConvertWithFullColourTable)->Unit(benchmark::kMicrosecond);

void BM_ReduceTo9Bit(benchmark::State& state) {
    imaging::Picture pic = canvasPicture();
    for (auto _ : state) {
        imaging::reduceTo9Bit(pic);
        benchmark::DoNotOptimize(pic.rgb.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * pic.width * pic.height);
}
BENCHMARK(BM_ReduceTo9Bit)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
