#pragma once
// Fitting true-colour pictures to the machine's colours: the indexed fit to
// FIXED_COLOUR_TABLE used by import and bitmap export, and the 9-bit reduction that
// keeps a true-colour picture but moves every colour onto the 3-bit-per-channel grid.
// Both are pure functions of the picture and keep no state between calls.

#include <cstdint>

#include "imaging/picture.h"

namespace imaging {

// Index of the FIXED_COLOUR_TABLE entry nearest to (r, g, b): the smallest sum of
// squared differences of red, green and blue, the lower index winning a tie.
// Computed channel by channel from the table's structure; a handful of operations.
std::uint8_t nearestFixedIndex(std::uint8_t r, std::uint8_t g, std::uint8_t b);

// Fits every pixel to FIXED_COLOUR_TABLE. The result has the picture's size, rows
// bottom-up, each padded with zeros to a multiple of 4 bytes. An empty picture, or
// one whose pixel store is shorter than its size says, gives an empty result.
IndexedPicture convertToIndexed(const Picture& picture);

// Replaces every channel value v by LEVELS_3BIT[v >> 5], in place: the 9-bit colour
// of each pixel expanded back to 24 bits.
void reduceTo9Bit(Picture& picture);

}  // namespace imaging
