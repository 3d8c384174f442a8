// Draws the program's own icon, for the desktop's menus and launchers, at the sizes
// the hicolor theme installs (48, 128 and 256 pixels) as 8-bit RGBA PNGs:
// a 16 x 16 sprite (a little rocket in the Next's colours) on a dark rounded tile,
// each sprite pixel a square with a thin gap, as the editor's grid shows it.
//
//   make_app_icon <folder>      writes <folder>/viroror-<size>.png
//
// Every pixel is sampled 8 x 8 times and averaged, so edges are smooth at any size.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/png_writer.h"

namespace {

constexpr int SUB = 8;
constexpr int SIDE = 16;

// '.' is the transparent index (the tile shows through); the rest are colours.
constexpr std::array<const char*, SIDE> SPRITE = {
    "................", ".......CC.......", "......CWWC......", "......CBBC......",
    ".....CCBBCC.....", ".....CCCCCC.....", "....MCCCCCCM....", "...MMCCCCCCMM...",
    "..MMMCCWWCCMMM..", ".MMMMCCWWCCMMMM.", ".MM..CCCCCC..MM.", ".M...CCCCCC...M.",
    "......MMMM......", "......YRRY......", ".......YY.......", "................",
};

struct Colour {
    double r, g, b, a;
};

Colour colourOf(char c) {
    switch (c) {
        case 'C': return {0, 219, 255, 255};  // colours of the fixed table
        case 'M': return {255, 73, 182, 255};
        case 'W': return {255, 255, 255, 255};
        case 'B': return {36, 36, 146, 255};
        case 'Y': return {255, 219, 0, 255};
        case 'R': return {255, 73, 0, 255};
        default: return {52, 58, 84, 255};  // an empty cell, a shade above the tile
    }
}

constexpr Colour TILE{28, 32, 48, 255};
constexpr Colour NONE{0, 0, 0, 0};

// The colour at point (x, y) of an icon `size` pixels wide, in pixels.
Colour sample(double x, double y, double size) {
    const double radius = size * 0.18;
    const double cx = std::clamp(x, radius, size - radius), cy = std::clamp(y, radius, size - radius);
    if (std::hypot(x - cx, y - cy) > radius) return NONE;
    const double margin = size * 0.09;
    const double cell = (size - 2 * margin) / SIDE;
    const double gx = (x - margin) / cell, gy = (y - margin) / cell;
    if (gx < 0 || gy < 0 || gx >= SIDE || gy >= SIDE) return TILE;
    const double fx = gx - std::floor(gx), fy = gy - std::floor(gy);
    const double gap = size >= 128 ? 0.08 : 0.0;  // the grid only where it can be seen
    if (fx < gap || fy < gap) return TILE;
    return colourOf(SPRITE[static_cast<std::size_t>(gy)][static_cast<std::size_t>(gx)]);
}

std::vector<std::uint8_t> drawIcon(int size) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Colour sum{0, 0, 0, 0};
            for (int sy = 0; sy < SUB; ++sy)
                for (int sx = 0; sx < SUB; ++sx) {
                    const Colour c = sample(x + (sx + 0.5) / SUB, y + (sy + 0.5) / SUB, size);
                    // Colours weighted by their cover, so edges do not darken.
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            std::uint8_t* out = &pixels[(static_cast<std::size_t>(y) * size + x) * 4];
            const double alpha = sum.a / (SUB * SUB);
            const auto channel = [&](double v) { return static_cast<std::uint8_t>(sum.a > 0 ? std::lround(v / sum.a) : 0); };
            out[0] = channel(sum.r);
            out[1] = channel(sum.g);
            out[2] = channel(sum.b);
            out[3] = static_cast<std::uint8_t>(std::lround(alpha));
        }
    }
    return pixels;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argc > 0 ? argv[0] : "make_app_icon");
        return 2;
    }
    int status = 0;
    for (int size : {48, 128, 256}) {
        const std::string path = std::string(argv[1]) + "/viroror-" + std::to_string(size) + ".png";
        if (!tools::writePng(path, size, size, tools::PngKind::Rgba, drawIcon(size))) {
            std::fprintf(stderr, "%s: write failed\n", path.c_str());
            status = 1;
        }
    }
    return status;
}
