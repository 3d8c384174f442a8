#pragma once
// Fitting colours to one bank of a 4-bit sheet: the 16 palette entries bank * 16 to
// bank * 16 + 15 that a 4-bit sprite shows. Used when a sheet switches from 8-bit to
// 4-bit, by the import of 4-bit sprites and by the colour count of a 4-bit sheet.
//
// Value 3 is transparent on a 4-bit sheet whatever its bank colour, so an opaque
// colour is only ever fitted to the other 15 values: only what is transparent already
// (the transparent index, a picture's transparent colour) becomes value 3.

#include <array>
#include <cstdint>
#include <optional>

#include "model/sprite_model.h"
#include "palette/colour_use.h"
#include "palette/palette.h"

namespace palette {

// The bank's 16 colours (black for entries the palette lacks).
std::array<RgbColour, model::BANK_SIZE> bankColours(const Palette& palette, int bank);

// The opaque value (any but the transparent 3) of the bank colour nearest to colour:
// the smallest sum of squared differences of red, green and blue, the lowest value
// winning a tie.
int nearestBankValue(const std::array<RgbColour, model::BANK_SIZE>& bank, RgbColour colour);

// The lowest opaque value whose bank colour is exactly colour, if any.
std::optional<int> bankValueOf(const std::array<RgbColour, model::BANK_SIZE>& bank, RgbColour colour);

// For each 8-bit index the value it takes when the sheet switches to 4-bit in bank:
// the transparent index the transparent value, an opaque index of the bank its own
// value, any other index the nearest opaque bank colour's value.
std::array<std::uint8_t, 256> fourBitValues(const Palette& palette, int bank);

// How many pixels would show another colour after a switch to 4-bit in bank: the
// sprites that are in use after the switch, as the sheet holds them (store the grid
// first). Transparent pixels stay transparent and are not counted.
int pixelsChangingColour(const model::SpriteModel& model, const Palette& palette, int bank);

// The palette indices the sprites in use show (a 4-bit value through the bank), as
// countColours counts them: index 0 is never counted.
ColourUse countSheetColours(const model::SpriteModel& model);

}  // namespace palette
