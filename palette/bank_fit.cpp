#include "palette/bank_fit.h"

#include <algorithm>
#include <limits>

namespace palette {

std::array<RgbColour, model::BANK_SIZE> bankColours(const Palette& palette, int bank) {
    std::array<RgbColour, model::BANK_SIZE> colours{};
    for (int v = 0; v < model::BANK_SIZE; ++v) colours[static_cast<std::size_t>(v)] = palette.colour(bank * model::BANK_SIZE + v);
    return colours;
}

int nearestBankValue(const std::array<RgbColour, model::BANK_SIZE>& bank, RgbColour colour) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int v = 0; v < model::BANK_SIZE; ++v) {
        if (v == model::TRANSPARENT_VALUE_4BIT) continue;
        const RgbColour& c = bank[static_cast<std::size_t>(v)];
        const int dr = c.red - colour.red, dg = c.green - colour.green, db = c.blue - colour.blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {  // strictly smaller: the lowest value keeps a tie
            best = v;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<int> bankValueOf(const std::array<RgbColour, model::BANK_SIZE>& bank, RgbColour colour) {
    for (int v = 0; v < model::BANK_SIZE; ++v)
        if (v != model::TRANSPARENT_VALUE_4BIT && bank[static_cast<std::size_t>(v)] == colour) return v;
    return std::nullopt;
}

std::array<std::uint8_t, 256> fourBitValues(const Palette& palette, int bank) {
    const auto colours = bankColours(palette, bank);
    std::array<std::uint8_t, 256> values{};
    for (int index = 0; index < 256; ++index) {
        int value = nearestBankValue(colours, palette.colour(index));
        if (index == model::TRANSPARENT_INDEX) value = model::TRANSPARENT_VALUE_4BIT;
        else if (index / model::BANK_SIZE == bank && index % model::BANK_SIZE != model::TRANSPARENT_VALUE_4BIT)
            value = index % model::BANK_SIZE;
        values[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(value);
    }
    return values;
}

int pixelsChangingColour(const model::SpriteModel& model, const Palette& palette, int bank) {
    if (model.fourBit()) return 0;
    const auto values = fourBitValues(palette, bank);
    std::array<bool, 256> changes{};
    // The transparent index becomes the transparent value: it shows nothing before and after.
    for (int index = 0; index < 256; ++index) {
        changes[static_cast<std::size_t>(index)] =
            index != model::TRANSPARENT_INDEX &&
            palette.colour(index) != palette.colour(bank * model::BANK_SIZE + values[static_cast<std::size_t>(index)]);
    }
    const int sprites = model.restoresAside() ? model.asideCount : std::clamp(model.spriteCount, 0, model::MAX_SPRITES);
    const std::size_t n = static_cast<std::size_t>(sprites) * model::SPRITE_BYTES;
    return static_cast<int>(std::count_if(model.sheet.bytes.begin(), model.sheet.bytes.begin() + static_cast<std::ptrdiff_t>(n),
                                          [&](std::uint8_t b) { return changes[b]; }));
}

ColourUse countSheetColours(const model::SpriteModel& model) {
    const auto sprites = model.spritesInUse();
    if (!model.fourBit()) return countColours(sprites, model.spriteCount);
    std::array<bool, model::BANK_SIZE> seen{};
    for (std::uint8_t b : sprites) seen[b & 0x0F] = true;
    ColourUse use;
    for (int v = 0; v < model::BANK_SIZE; ++v) {
        const int index = model.paletteIndexOf(v);
        if (!seen[static_cast<std::size_t>(v)] || index == 0) continue;
        use.markers[static_cast<std::size_t>(index)] = true;
        use.count += 1;
    }
    return use;
}

}  // namespace palette
