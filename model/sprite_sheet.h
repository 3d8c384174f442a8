#pragma once
// The sprite sheet, the 16 x 16 working grid and the fixed sizes they share.
//
// Byte order everywhere (sheet, files, undo snapshots, block buffer, listing):
// byte y * 16 + x of a sprite is the pixel in column x, row y.

#include <array>
#include <cstdint>
#include <span>

namespace model {

inline constexpr int TRANSPARENT_INDEX = 0xE3;
inline constexpr int CUT_FILL_INDEX = 0xFF;     // what a cut or a short sprite file leaves behind
inline constexpr int SPRITE_SIDE = 16;
inline constexpr int SPRITE_BYTES = 256;
inline constexpr int MAX_SPRITES = 64;
inline constexpr int SHEET_SPRITE_BYTES = MAX_SPRITES * SPRITE_BYTES;  // 16,384 bytes in use
inline constexpr int SHEET_BYTES = 0x8000;                             // the block, with room beyond

// The sheet: 64 sprites of 256 bytes; sprite n (1-based) starts at (n - 1) * 256.
struct SpriteSheet {
    std::array<std::uint8_t, SHEET_BYTES> bytes{};

    // The 256 bytes of sprite n, 1 to 128 (65 on are the room past an 8-bit sheet).
    std::span<std::uint8_t, SPRITE_BYTES> sprite(int n) {
        return std::span<std::uint8_t, SPRITE_BYTES>(bytes.data() + (n - 1) * SPRITE_BYTES, SPRITE_BYTES);
    }
    std::span<const std::uint8_t, SPRITE_BYTES> sprite(int n) const {
        return std::span<const std::uint8_t, SPRITE_BYTES>(bytes.data() + (n - 1) * SPRITE_BYTES, SPRITE_BYTES);
    }
};

// The working copy of one sprite, cell(x, y) with x the column and y the row.
struct SpriteGrid {
    std::array<std::int32_t, SPRITE_BYTES> cells{};

    std::int32_t& cell(int x, int y) { return cells[y * SPRITE_SIDE + x]; }
    std::int32_t cell(int x, int y) const { return cells[y * SPRITE_SIDE + x]; }

    void fill(int value) { cells.fill(value); }
    // Grid to bytes and back, rows outside, columns inside (byte y * 16 + x).
    void writeTo(std::span<std::uint8_t, SPRITE_BYTES> out) const {
        for (int i = 0; i < SPRITE_BYTES; ++i) out[i] = static_cast<std::uint8_t>(cells[i] & 0xFF);
    }
    void readFrom(std::span<const std::uint8_t, SPRITE_BYTES> in) {
        for (int i = 0; i < SPRITE_BYTES; ++i) cells[i] = in[i];
    }
    friend bool operator==(const SpriteGrid&, const SpriteGrid&) = default;
};

}  // namespace model
