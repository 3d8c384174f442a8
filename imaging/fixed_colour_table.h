#pragma once
// The fixed RRRGGGBB colour table that pictures are fitted to on import and export,
// and the 3-bit levels of the 9-bit colour reduction.

#include <array>
#include <cstdint>

namespace imaging {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

namespace detail {
constexpr std::uint8_t level(int k) { return static_cast<std::uint8_t>(255 * k / 7); }

constexpr std::array<Rgb, 256> buildFixedColourTable() {
    std::array<Rgb, 256> t{};
    for (int i = 0; i < 256; ++i) {
        t[i].r = level(i >> 5);
        t[i].g = level((i >> 2) & 7);
        // Blue has only two bits: they pick the odd levels, except black stays black.
        t[i].b = i == 0 ? 0 : level(2 * (i & 3) + 1);
    }
    return t;
}
}  // namespace detail

// Index i read as RRRGGGBB; index 0 black, 0xE3 magenta (255, 0, 255), 255 white.
inline constexpr std::array<Rgb, 256> FIXED_COLOUR_TABLE = detail::buildFixedColourTable();

// 255 * k / 7 rounded to the nearest whole number (differs from the table's levels at 2, 4, 6).
inline constexpr std::array<std::uint8_t, 8> LEVELS_3BIT = {0x00, 0x24, 0x49, 0x6D, 0x92, 0xB6, 0xDB, 0xFF};

}  // namespace imaging
