#pragma once
// The yardstick for the colour fit: the nearest FIXED_COLOUR_TABLE entry found by
// scanning all 256 entries (smallest sum of squared differences, the lower index
// winning a tie). Slow on purpose; the tests and benchmarks hold the program's fit
// against it.

#include "imaging/fixed_colour_table.h"
#include "imaging/picture.h"

#include <cstdint>

namespace reference {

inline std::uint8_t nearestFixedIndex(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    int bestIndex = 0;
    int bestDist = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const imaging::Rgb& c = imaging::FIXED_COLOUR_TABLE[static_cast<std::size_t>(i)];
        const int dr = r - c.r, dg = g - c.g, db = b - c.b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            bestIndex = i;
        }
    }
    return static_cast<std::uint8_t>(bestIndex);
}

// A whole picture fitted by the scan, in the layout convertToIndexed gives.
inline imaging::IndexedPicture convertToIndexed(const imaging::Picture& picture) {
    imaging::IndexedPicture out;
    out.width = picture.width;
    out.height = picture.height;
    out.stride = (picture.width + 3) & ~3;
    out.pixels.assign(static_cast<std::size_t>(out.stride) * static_cast<std::size_t>(out.height), 0);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.pixel(x, y);
            out.pixels[static_cast<std::size_t>(picture.height - 1 - y) * static_cast<std::size_t>(out.stride) +
                       static_cast<std::size_t>(x)] = nearestFixedIndex(p[0], p[1], p[2]);
        }
    return out;
}

}  // namespace reference
