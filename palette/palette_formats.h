#pragma once
// The palette file layouts Next tools exchange, as bytes (reading and writing the
// files themselves: palette_file.h and io/palette_save.h):
//
//   Rgb24                768 bytes, red, green, blue per colour, no header: this
//                        program's own "rgb9spreada.pal" (".pal")
//   Next9Bit             512 bytes, two per colour, RRRGGGBB then P000000B (".nxp")
//   Next9BitTransparent  the same plus a 513th byte, the transparent index (".npl")
//   Gimp                 GIMP's text palette, "GIMP Palette" then "R G B name" lines (".gpl")
//   Jasc                 JASC-PAL text: header, version 0100, count, "R G B" lines (".jasc")
//
// A read decides the layout by content, never by the file's name: a text header
// ("GIMP Palette", "JASC-PAL" on a line of its own) makes a text palette, 512 and 513
// bytes are 9-bit, anything else is three-byte records (so a 768-byte binary file is
// always 24-bit, never 9-bit). A 9-bit file cannot start with a text header: its
// second bytes only ever hold bits 7 and 0.
// A palette with fewer than 256 colours is completed with black entries, as a short
// start-up file shows its missing colours; more than 256 are refused.
//
//   auto colours = palette::decodePaletteFile(bytes);     // Result<Palette>
//   auto out = palette::encodePaletteFile(*colours, palette::PaletteFormat::Next9Bit);

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/result.h"
#include "palette/palette.h"

namespace palette {

enum class PaletteFormat { Rgb24, Next9Bit, Next9BitTransparent, Gimp, Jasc };

inline constexpr std::size_t RGB_PALETTE_BYTES = 3 * PALETTE_SIZE;       // 768
inline constexpr std::size_t NEXT_PALETTE_BYTES = 2 * PALETTE_SIZE;      // 512
inline constexpr std::size_t NEXT_PALETTE_TRANSPARENT_BYTES = NEXT_PALETTE_BYTES + 1;

// The transparent index the 513-byte layout records in its last byte.
inline constexpr std::uint8_t NEXT_TRANSPARENT_INDEX = 0xE3;

// Bit 7 of a 9-bit entry's second byte: the colour is drawn over Layer 2's sprites.
inline constexpr std::uint8_t NEXT_PRIORITY_BIT = 0x80;

// The screen level of each 3-bit Next component, 0 to 7.
inline constexpr std::array<int, 8> NEXT_LEVELS = {0x00, 0x24, 0x49, 0x6D, 0x92, 0xB6, 0xDB, 0xFF};

// The entry at index for a 9-bit Next colour given as its two bytes (RRRGGGBB,
// P000000B): its screen colour on the Next's levels, its Next fields and priority.
PaletteEntry entryFromNextBytes(std::uint8_t colourByte, std::uint8_t secondByte, int index);

// The three 3-bit components (red, green, blue, each 0 to 7) of an entry's 9-bit
// Next colour, and the entry such components make with the priority given: its
// screen colour on the Next's levels. Components outside 0..7 are clamped.
struct NextComponents {
    int red = 0, green = 0, blue = 0;
    friend constexpr bool operator==(const NextComponents&, const NextComponents&) = default;
};
NextComponents nextComponents(const PaletteEntry& entry);
PaletteEntry entryFromNextComponents(NextComponents components, bool priority, int index);

// The layout the content is in (see above); no check that it reads.
PaletteFormat detectPaletteFormat(std::span<const std::uint8_t> bytes);

// The palette the bytes hold, always 256 entries. Fails with Empty when they hold no
// colour, TooManyEntries past 256 colours, Malformed for a text palette that does not
// follow its layout (a component outside 0..255, a JASC count its lines do not meet).
model::Result<Palette> decodePaletteFile(std::span<const std::uint8_t> bytes);

// The file bytes of the palette's first 256 entries in the layout asked for (entries
// it lacks written as black). The 9-bit layouts take each entry's Next fields and
// priority, the others its 24-bit colour. name is the GIMP palette's "Name:".
std::vector<std::uint8_t> encodePaletteFile(const Palette& palette, PaletteFormat format,
                                            std::string_view name = "palette");

// The layout a file name asks for by its extension, any case: .pal (this program's
// own 768 bytes), .nxp, .npl, .gpl, .jasc; nullopt for anything else.
std::optional<PaletteFormat> paletteFormatForPath(const std::filesystem::path& path);

}  // namespace palette
