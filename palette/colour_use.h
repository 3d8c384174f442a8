#pragma once
// The colours in use: which pixel values the sprites in use contain, and the
// "colors.pal" content built from that list. Pure functions over a byte block;
// writing the file is the file layer's job.

#include <array>
#include <cstdint>
#include <span>

namespace palette {

inline constexpr const char* COLOUR_PALETTE_FILE_NAME = "colors.pal";
inline constexpr int COLOUR_PALETTE_FILE_BYTES = 512;

// Bytes of one sprite and the number of sprites in a sheet.
inline constexpr int COLOUR_USE_SPRITE_BYTES = 256;
inline constexpr int COLOUR_USE_MAX_SPRITES = 64;

// One marker per pixel value; marker i is set when value i (never 0) occurs.
using ColourUseMarkers = std::array<bool, 256>;

struct ColourUse {
    ColourUseMarkers markers{};
    int count = 0;  // set markers, 0 to 255
};

// Marks every non-zero byte value of sprites 1..spriteCount of the sheet (256 bytes
// per sprite from the start of the block) and counts the distinct values. spriteCount
// is clamped to 0..64; the block must hold spriteCount * 256 bytes.
ColourUse countColours(const std::uint8_t* sheet, int spriteCount);

// The same over a block of known size: sprites past its end are not read.
ColourUse countColours(std::span<const std::uint8_t> sheet, int spriteCount);

// The "colors.pal" content: record k (two bytes) is the k-th set marker's value in
// ascending order and 0; the records after the last set marker are 0, 0.
std::array<std::uint8_t, COLOUR_PALETTE_FILE_BYTES> colourPaletteBytes(const ColourUseMarkers& markers);

}  // namespace palette
