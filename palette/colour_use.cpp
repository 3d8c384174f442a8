#include "palette/colour_use.h"

#include <algorithm>

namespace palette {

ColourUse countColours(const std::uint8_t* sheet, int spriteCount) {
    ColourUse use;
    const int sprites = std::clamp(spriteCount, 0, COLOUR_USE_MAX_SPRITES);
    if (sheet == nullptr || sprites == 0) return use;

    // A byte table without a branch per pixel; value 0 is dropped afterwards.
    std::array<std::uint8_t, 256> seen{};
    const std::size_t n = static_cast<std::size_t>(sprites) * COLOUR_USE_SPRITE_BYTES;
    for (std::size_t i = 0; i < n; ++i) seen[sheet[i]] = 1;
    seen[0] = 0;

    for (int v = 0; v < 256; ++v) {
        use.markers[v] = seen[v] != 0;
        use.count += seen[v];
    }
    return use;
}

ColourUse countColours(std::span<const std::uint8_t> sheet, int spriteCount) {
    const int whole = static_cast<int>(std::min<std::size_t>(sheet.size() / COLOUR_USE_SPRITE_BYTES,
                                                             COLOUR_USE_MAX_SPRITES));
    return countColours(sheet.data(), std::min(spriteCount, whole));
}

std::array<std::uint8_t, COLOUR_PALETTE_FILE_BYTES> colourPaletteBytes(const ColourUseMarkers& markers) {
    std::array<std::uint8_t, COLOUR_PALETTE_FILE_BYTES> bytes{};
    std::size_t next = 0;
    for (int i = 0; i < 256; ++i) {
        if (markers[i]) {
            bytes[next] = static_cast<std::uint8_t>(i);
            next += 2;
        }
    }
    return bytes;
}

}  // namespace palette
