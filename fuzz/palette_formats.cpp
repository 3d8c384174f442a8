// Fuzz target: the palette file layouts. decodePaletteFile on every input; a palette
// it reads has 256 entries, each with its own index and its Next fields matching its
// colour (on the Next's levels when the layout is 9-bit), and writing it in the
// layout it was read from and reading that back gives the same entries. A refusal is
// one of the kinds the reader names.

#include "fuzz/fuzz_support.h"
#include "palette/palette_formats.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const palette::PaletteFormat format = palette::detectPaletteFormat(bytes);
    const auto read = palette::decodePaletteFile(bytes);
    if (!read) {
        const model::ErrorKind kind = read.error().kind;
        FUZZ_CHECK(kind == model::ErrorKind::Empty || kind == model::ErrorKind::TooManyEntries ||
                   kind == model::ErrorKind::Malformed);
        return 0;
    }
    FUZZ_CHECK(read->size() == palette::PALETTE_SIZE);
    const bool nineBit = format == palette::PaletteFormat::Next9Bit || format == palette::PaletteFormat::Next9BitTransparent;
    for (std::size_t i = 0; i < read->size(); ++i) {
        const palette::PaletteEntry& e = (*read)[i];
        FUZZ_CHECK(e.paletteIndex == static_cast<int>(i));
        const int nine = palette::nextColour9Bit(e.red, e.green, e.blue);
        FUZZ_CHECK(e.nextColourByte == (nine >> 1) && e.nextBlueBit == (nine & 1));
        if (nineBit) FUZZ_CHECK(e.red == palette::NEXT_LEVELS[static_cast<std::size_t>(nine >> 6)]);
        else FUZZ_CHECK(!e.priority);
    }
    const auto again = palette::decodePaletteFile(palette::encodePaletteFile(*read, format));
    FUZZ_CHECK(again && again->entries() == read->entries());
    return 0;
}
