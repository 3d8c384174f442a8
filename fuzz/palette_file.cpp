// Fuzz target: the palette file. paletteFromBytes on every input; about one input
// in four also goes through a scratch file and loadPalette, which must build the
// same palette. Checked: one entry per three bytes (a short last record read with
// 0), the slots a copy of the palette, and the reverse look-up answering the lowest
// index 0..255 of a colour for every colour in the list.

#include "fuzz/fuzz_support.h"
#include "palette/palette.h"
#include "palette/palette_file.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

std::uint8_t byteAt(const std::uint8_t* data, std::size_t size, std::size_t i) { return i < size ? data[i] : 0; }

void checkPalette(const palette::Palette& colours, const std::uint8_t* data, std::size_t size) {
    FUZZ_CHECK(colours.size() == (size + 2) / 3);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const palette::PaletteEntry& e = colours[i];
        FUZZ_CHECK(e.red == byteAt(data, size, 3 * i) && e.green == byteAt(data, size, 3 * i + 1) &&
                   e.blue == byteAt(data, size, 3 * i + 2));
        FUZZ_CHECK(e.paletteIndex == static_cast<int>(i) && e.slot == 0);
        const int nine = palette::nextColour9Bit(e.red, e.green, e.blue);
        FUZZ_CHECK(e.nextColourByte == (nine >> 1) && e.nextBlueBit == (nine & 1));
    }
    const std::size_t answerable = colours.size() < palette::PALETTE_SIZE ? colours.size() : palette::PALETTE_SIZE;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const palette::PaletteEntry& e = colours[i];
        const auto found = palette::findPaletteIndex(colours, e.red, e.green, e.blue);
        if (i >= answerable) {
            // Past 255 only an earlier entry of the same colour can answer.
            if (found) FUZZ_CHECK(colours.colour(*found) == (palette::RgbColour{e.red, e.green, e.blue}));
            continue;
        }
        FUZZ_CHECK(found && *found <= static_cast<int>(i));
        FUZZ_CHECK(colours.colour(*found) == (palette::RgbColour{e.red, e.green, e.blue}));
        for (int j = 0; j < *found; ++j) FUZZ_CHECK(!(colours.colour(j) == colours.colour(*found)));
    }
    FUZZ_CHECK(colours.colour(-1) == palette::RgbColour{});
    FUZZ_CHECK(colours.colour(static_cast<int>(colours.size())) == palette::RgbColour{});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const palette::Palette colours = palette::paletteFromBytes(std::span<const std::uint8_t>(data, size));
    checkPalette(colours, data, size);
    const palette::ColourSlots slots = palette::slotsFromPalette(colours);
    FUZZ_CHECK(slots == colours.entries());

    // The reading through a file is slower; a cheap hash of the size picks the inputs.
    if (((size * 2654435761u) >> 7) % 4 != 0) return 0;
    static const std::filesystem::path path = fuzz::scratchPath("palette");
    FUZZ_CHECK(fuzz::writeScratch(path, data, size));
    const auto loaded = palette::loadPalette(path);
    FUZZ_CHECK(loaded.ok() == (size <= palette::MAX_PALETTE_FILE_BYTES));
    if (loaded) {
        FUZZ_CHECK(loaded->palette.entries() == colours.entries());
        FUZZ_CHECK(loaded->colourSlots == colours.entries());
    }
    return 0;
}
