#include "palette/palette.h"

#include <bit>
#include <utility>

namespace palette {

PaletteEntry makePaletteEntry(int red, int green, int blue, int index) {
    PaletteEntry e;
    e.red = red;
    e.green = green;
    e.blue = blue;
    e.paletteIndex = index;
    const int c = nextColour9Bit(red, green, blue);
    e.nextColourByte = static_cast<std::uint8_t>(c >> 1);
    e.nextBlueBit = static_cast<std::uint8_t>(c & 1);
    e.slot = 0;
    return e;
}

Palette::Palette(std::vector<PaletteEntry> entries) : entries_(std::move(entries)) { buildLookup(); }

namespace {
constexpr std::uint32_t colourKey(int red, int green, int blue) {
    return (static_cast<std::uint32_t>(red) << 16) | (static_cast<std::uint32_t>(green) << 8) |
           static_cast<std::uint32_t>(blue);
}

// Fibonacci hashing spreads neighbouring colours over the table.
constexpr std::uint32_t hashKey(std::uint32_t key) { return key * 2654435769u; }

bool inByteRange(int v) { return v >= 0 && v <= 255; }

constexpr std::uint64_t EMPTY_SLOT = ~std::uint64_t{0};
}  // namespace

void Palette::buildLookup() {
    // Only pixel values 0..255 are answerable; at most 256 keys, so a table of
    // 512 slots keeps probes short.
    const std::size_t answerable = entries_.size() < PALETTE_SIZE ? entries_.size() : PALETTE_SIZE;
    const std::size_t slots = std::bit_ceil(answerable * 2 < 16 ? std::size_t{16} : answerable * 2);
    lookup_.assign(slots, EMPTY_SLOT);
    lookupMask_ = static_cast<std::uint32_t>(slots - 1);
    lookupShift_ = 32 - std::countr_zero(static_cast<std::uint32_t>(slots));
    for (std::size_t i = 0; i < answerable; ++i) {
        const PaletteEntry& e = entries_[i];
        if (!inByteRange(e.red) || !inByteRange(e.green) || !inByteRange(e.blue)) continue;
        const std::uint32_t key = colourKey(e.red, e.green, e.blue);
        std::uint32_t pos = hashKey(key) >> lookupShift_;
        for (;;) {
            std::uint64_t& slot = lookup_[pos];
            if (slot == EMPTY_SLOT) {
                slot = (std::uint64_t{key} << 8) | i;
                break;
            }
            if ((slot >> 8) == key) break;  // an earlier index already holds this colour
            pos = (pos + 1) & lookupMask_;
        }
    }
}

RgbColour Palette::colour(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return {};
    const PaletteEntry& e = entries_[static_cast<std::size_t>(index)];
    return {e.red, e.green, e.blue};
}

std::optional<int> Palette::findIndex(int red, int green, int blue) const {
    if (lookup_.empty() || !inByteRange(red) || !inByteRange(green) || !inByteRange(blue)) return std::nullopt;
    const std::uint32_t key = colourKey(red, green, blue);
    std::uint32_t pos = hashKey(key) >> lookupShift_;
    for (;;) {
        const std::uint64_t slot = lookup_[pos];
        if (slot == EMPTY_SLOT) return std::nullopt;
        if ((slot >> 8) == key) return static_cast<int>(slot & 0xFF);
        pos = (pos + 1) & lookupMask_;
    }
}

Palette paletteFromBytes(std::span<const std::uint8_t> bytes) {
    std::vector<PaletteEntry> entries;
    entries.reserve((bytes.size() + 2) / 3);
    for (std::size_t pos = 0; pos < bytes.size(); pos += 3) {
        const int r = bytes[pos];
        const int g = pos + 1 < bytes.size() ? bytes[pos + 1] : 0;
        const int b = pos + 2 < bytes.size() ? bytes[pos + 2] : 0;
        entries.push_back(makePaletteEntry(r, g, b, static_cast<int>(entries.size())));
    }
    return Palette(std::move(entries));
}

ColourSlots slotsFromPalette(const Palette& palette) { return palette.entries(); }

RgbColour paletteColour(const Palette& palette, int index) { return palette.colour(index); }

std::optional<int> findPaletteIndex(const Palette& palette, int red, int green, int blue) {
    return palette.findIndex(red, green, blue);
}

}  // namespace palette
