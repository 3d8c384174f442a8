#include "model/sprite_depth.h"

#include <algorithm>

namespace model {

void packFourBit(std::span<const std::uint8_t, SPRITE_BYTES> values,
                 std::span<std::uint8_t, PACKED_SPRITE_BYTES_4BIT> packed) {
    for (int i = 0; i < PACKED_SPRITE_BYTES_4BIT; ++i) {
        packed[i] = static_cast<std::uint8_t>(((values[2 * i] & 0x0F) << 4) | (values[2 * i + 1] & 0x0F));
    }
}

void unpackFourBit(std::span<const std::uint8_t, PACKED_SPRITE_BYTES_4BIT> packed,
                   std::span<std::uint8_t, SPRITE_BYTES> values) {
    for (int i = 0; i < PACKED_SPRITE_BYTES_4BIT; ++i) {
        values[2 * i] = static_cast<std::uint8_t>(packed[i] >> 4);
        values[2 * i + 1] = static_cast<std::uint8_t>(packed[i] & 0x0F);
    }
}

void unpackFourBitSprites(std::span<const std::uint8_t> packed, std::span<std::uint8_t> values) {
    const std::size_t sprites =
        std::min(packed.size() / PACKED_SPRITE_BYTES_4BIT, values.size() / static_cast<std::size_t>(SPRITE_BYTES));
    for (std::size_t n = 0; n < sprites; ++n) {
        unpackFourBit(packed.subspan(n * PACKED_SPRITE_BYTES_4BIT).first<PACKED_SPRITE_BYTES_4BIT>(),
                      values.subspan(n * SPRITE_BYTES).first<SPRITE_BYTES>());
    }
}

}  // namespace model
