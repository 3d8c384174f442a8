#pragma once
// The assembly listing of the sprites in use: per sprite one label line ("Sprite12:")
// and sixteen data lines, one per pixel row:
//   <tab>db  $E3, $E3, ... $E3;      (84 characters, uppercase two-digit hexadecimal)
// and three line breaks after the last row. A 4-bit sprite's rows are its 8 packed
// bytes each (44 characters); the sheet given is then 128 bytes a sprite. The pieces below are what the window
// appends to its output area one by one; asmListing builds the same text in one go.
// saveListing writes the area's text as 8-bit text with CR LF line ends.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"
#include "model/sprite_sheet.h"

namespace io {

inline constexpr const char* DEFAULT_LABEL_BASE = "Sprite";  // also the label field's first text
inline constexpr int DATA_LINE_LENGTH = 84;
// Appended after each sprite's rows; with the area's own line break that is three.
inline constexpr const char* SPRITE_END_TEXT = "\n\n";
// Pieces appended per sprite: the label line, 16 data lines and SPRITE_END_TEXT.
inline constexpr int PIECES_PER_SPRITE = 18;

// The label field's text with "Sprite" for an empty text and every space turned into
// "_"; nothing else is changed.
std::string labelBase(std::string_view labelText);

// base + sprite number in decimal + ":".
std::string labelLine(std::string_view base, int spriteNumber);

// "\tdb " then " $XX," for each byte of row (16, or 8 for a 4-bit sprite), the last
// "," a ";".
std::string dataLine(std::span<const std::uint8_t> row);

// What the window appends for sprite spriteNumber (1-based), in order: the label line,
// the 16 data lines, SPRITE_END_TEXT. sheet holds the sprites from sprite 1 on,
// spriteBytes (256, or 128 packed) each; the sprite must lie within it.
std::vector<std::string> spriteListingPieces(std::span<const std::uint8_t> sheet, int spriteNumber,
                                             std::string_view base, int spriteBytes = model::SPRITE_BYTES);

// How many of spriteCount sprites a listing of sheet holds: clamped to 0, to the
// sprites the block holds and to a sheet's worth (64, or 128 of 128 bytes).
int listableSprites(std::span<const std::uint8_t> sheet, int spriteCount, int spriteBytes = model::SPRITE_BYTES);

// The output area's append rule: an empty area takes the text as it is; otherwise one
// line break goes first.
void appendListingText(std::string& area, std::string_view text);

// The whole listing of sprites 1 to listableSprites(...), with "\n" line breaks, as the
// appends above leave it.
std::string asmListing(std::span<const std::uint8_t> sheet, int spriteCount, std::string_view labelText,
                       int spriteBytes = model::SPRITE_BYTES);

// The bytes "Save ASM" writes for a UTF-8 text: every line break (LF, CR LF, a lone CR,
// U+2028, U+2029) as CR LF; code points up to U+00FF as one byte each (Latin-1); any
// other code point, and every malformed UTF-8 byte, as "?". No byte-order mark.
std::string listingFileBytes(std::string_view utf8Text);

// Writes listingFileBytes(utf8Text) over path through writeFileReplacing, failing as it
// does; a failed save leaves the old file untouched.
model::Result<> saveListing(std::string_view utf8Text, const std::filesystem::path& path);

}  // namespace io
