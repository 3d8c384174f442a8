#include "model/sprite_depth.h"

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

}  // namespace model
