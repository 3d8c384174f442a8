#pragma once
// Picture types shared by the decoders, the colour fitting and the bitmap export.

#include <cstdint>
#include <vector>

namespace imaging {

// A true-colour picture: width * height pixels, rows top to bottom, 3 bytes per
// pixel in the order red, green, blue. Alpha from a source is dropped on load.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // size width * height * 3

    bool empty() const { return width <= 0 || height <= 0; }
    const std::uint8_t* pixel(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
    std::uint8_t* pixel(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// A picture of palette indices in the layout of an 8-bit bitmap: one byte per pixel,
// each row padded with zeros to a multiple of 4 bytes (stride), rows stored from the
// bottom row up. The colour table is FIXED_COLOUR_TABLE unless stated otherwise.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    int stride = 0;                   // bytes per stored row, a multiple of 4
    std::vector<std::uint8_t> pixels; // size stride * height, bottom row first

    // Index of the pixel at column x, row y counted from the top.
    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(height - 1 - y) * stride + x]; }
};

// Largest picture any decoder accepts: a side over this, or more pixels than
// MAX_PICTURE_PIXELS, is refused before anything is allocated.
inline constexpr int MAX_PICTURE_SIDE = 16384;
inline constexpr long long MAX_PICTURE_PIXELS = 64LL * 1024 * 1024;

inline bool pictureSizeAllowed(long long width, long long height) {
    return width > 0 && height > 0 && width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
           width * height <= MAX_PICTURE_PIXELS;
}

}  // namespace imaging
