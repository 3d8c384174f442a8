#pragma once
// The two kinds of sprite pattern the machine shows: 8-bit patterns (one palette
// index a pixel, 256 bytes, 64 of them in pattern memory) and 4-bit patterns (16 x 16
// pixels of 4 bits, 128 bytes, 128 of them in the same 16 KB). A 4-bit sprite is
// shown through a bank of 16 palette entries: pixel value n is palette entry
// bank * 16 + n.
//
// In the editor a 4-bit sheet is kept unpacked, one value 0 to 15 per byte, so the
// grid, the transformations, the fill, the block buffer and the undo history work on
// both kinds alike; values are packed two to a byte only where files and listings
// are written, and unpacked where they are read.

#include <cstdint>
#include <span>

#include "model/sprite_sheet.h"

namespace model {

enum class SpriteDepth { Eight, Four };

inline constexpr int MAX_SPRITES_4BIT = 128;
inline constexpr int PACKED_SPRITE_BYTES_4BIT = 128;  // two pixels a byte
inline constexpr int BANK_SIZE = 16;
inline constexpr int BANK_COUNT = 16;
// A 4-bit pixel is transparent when it equals the low nibble of the transparent index.
inline constexpr int TRANSPARENT_VALUE_4BIT = TRANSPARENT_INDEX & 0x0F;
inline constexpr int CUT_FILL_VALUE_4BIT = CUT_FILL_INDEX & 0x0F;
static_assert(MAX_SPRITES_4BIT * SPRITE_BYTES == SHEET_BYTES, "a 4-bit sheet fills the whole block unpacked");

// Bytes one sprite takes in a file or a listing.
constexpr int fileSpriteBytes(SpriteDepth depth) {
    return depth == SpriteDepth::Four ? PACKED_SPRITE_BYTES_4BIT : SPRITE_BYTES;
}

// 256 values (row by row) to 128 bytes, the left pixel of each pair in the high nibble.
void packFourBit(std::span<const std::uint8_t, SPRITE_BYTES> values,
                 std::span<std::uint8_t, PACKED_SPRITE_BYTES_4BIT> packed);
void unpackFourBit(std::span<const std::uint8_t, PACKED_SPRITE_BYTES_4BIT> packed,
                   std::span<std::uint8_t, SPRITE_BYTES> values);
// Every whole packed sprite that both blocks have room for, sprite by sprite.
void unpackFourBitSprites(std::span<const std::uint8_t> packed, std::span<std::uint8_t> values);

}  // namespace model
