#pragma once
// The palette: the table that turns a pixel value (an 8-bit index) into a screen
// colour, its 9-bit Next form, and the reverse look-up from a screen colour to the
// lowest index that shows it. The palette is filled once from the palette file and
// never changes afterwards; ColourSlots is the editable copy behind the slot panel.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace palette {

// One colour of the palette: red, green and blue in the order a palette file record
// holds them, then its position and its 9-bit Next form split into the two bytes a
// Next palette register takes.
struct PaletteEntry {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    std::int32_t paletteIndex = 0;    // own position when loaded; in ColourSlots the index held
    std::uint8_t nextColourByte = 0;  // RRRGGGBB, the two high bits of the 3-bit blue
    std::uint8_t nextBlueBit = 0;     // lowest bit of the 3-bit blue, 0 or 1
    std::int32_t slot = 0;            // ColourSlots only: the slot number last assigned
    bool priority = false;            // the Next's priority bit (Layer 2); only 9-bit files hold it

    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// A screen colour, each component 0 to 255.
struct RgbColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend constexpr bool operator==(const RgbColour&, const RgbColour&) = default;
};

// Number of pixel values the editor draws (0 to 255).
inline constexpr int PALETTE_SIZE = 256;

// The 9-bit Next colour RRRGGGBBB of a 24-bit colour: the top three bits of each
// component, red highest.
constexpr int nextColour9Bit(int red, int green, int blue) {
    return (((red & 0xFF) >> 5) << 6) | (((green & 0xFF) >> 5) << 3) | ((blue & 0xFF) >> 5);
}

// An entry for colour (red, green, blue) at position index, with its Next fields filled in.
PaletteEntry makePaletteEntry(int red, int green, int blue, int index);

// The loaded palette: an ordered list of entries (entry i is the colour of pixel
// value i) plus a look-up table from colour to lowest index, built once here.
class Palette {
public:
    Palette() = default;
    explicit Palette(std::vector<PaletteEntry> entries);

    const std::vector<PaletteEntry>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const PaletteEntry& operator[](std::size_t i) const { return entries_[i]; }

    // Colour of pixel value index; black for an index the list does not hold.
    RgbColour colour(int index) const;

    // Lowest index 0..255 whose colour is exactly (red, green, blue); entries past
    // 255 are never answered. nullopt when no entry matches.
    std::optional<int> findIndex(int red, int green, int blue) const;

private:
    void buildLookup();

    std::vector<PaletteEntry> entries_;
    // Open-addressing table keyed by the 24-bit colour; each slot holds
    // colour << 8 | index, EMPTY_SLOT when unused.
    std::vector<std::uint64_t> lookup_;
    std::uint32_t lookupMask_ = 0;
    int lookupShift_ = 0;
};

// The second list behind the 16-colour slot panel: a copy of every palette entry at
// load, whose first 16 entries are the slots.
using ColourSlots = std::vector<PaletteEntry>;

// Palette built from the bytes of a palette file: records of three bytes (red, green,
// blue) until the end, a byte past the end read as 0.
Palette paletteFromBytes(std::span<const std::uint8_t> bytes);

// The slot list as filled at load: a copy of every palette entry, slot 0.
ColourSlots slotsFromPalette(const Palette& palette);

// Screen colour of pixel value index (black when the palette has no such entry).
RgbColour paletteColour(const Palette& palette, int index);

// Lowest palette index 0..255 with exactly this colour; nullopt when there is none,
// so callers keep the index they had.
std::optional<int> findPaletteIndex(const Palette& palette, int red, int green, int blue);

}  // namespace palette
