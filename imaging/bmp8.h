#pragma once
// The uncompressed 8-bit bitmap file: the file image written by "Export BMP" and
// a reader for such files (and for any other uncompressed 8-bit bitmap).

#include "imaging/fixed_colour_table.h"
#include "imaging/picture.h"
#include "model/result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace imaging {

// Layout of the file image that encodeBitmap writes.
inline constexpr std::size_t BITMAP_FILE_HEADER_SIZE = 14;
inline constexpr std::size_t BITMAP_INFO_HEADER_SIZE = 40;
inline constexpr std::size_t BITMAP_COLOUR_TABLE_SIZE = 256 * 4;
inline constexpr std::size_t BITMAP_PIXEL_OFFSET =
    BITMAP_FILE_HEADER_SIZE + BITMAP_INFO_HEADER_SIZE + BITMAP_COLOUR_TABLE_SIZE;  // 1078

// Row stride of an 8-bit bitmap: the width rounded up to a multiple of 4.
constexpr int bitmapStride(int width) { return (width + 3) / 4 * 4; }

// The file image of an indexed picture: 1078 bytes of headers and the colour table
// (FIXED_COLOUR_TABLE as blue, green, red, 0) followed by the rows, bottom row
// first, each holding the width's indices and zero bytes up to the stride.
// The file size field is 1078 + stride * height; image size, resolutions and
// colour counts are 0. Returns no bytes for an empty picture or one whose pixel
// store is smaller than its size says (nothing is then worth writing).
std::vector<std::uint8_t> encodeBitmap(const IndexedPicture& picture);

// An 8-bit bitmap as read back: the indices (stored bottom row first, stride a
// multiple of 4, padding zero) and the file's colour table. Entries the file does
// not hold are black.
struct Bitmap8 {
    IndexedPicture indices;
    std::array<Rgb, 256> colours{};
    int coloursInFile = 0;  // entries the file's table holds (1 to 256)
};

// Reads an uncompressed 8-bit bitmap (information header of 12, 40 or more bytes;
// rows bottom-up or top-down). Refused: a wrong signature, a file cut short, a
// pixel offset inside the headers or colour table, a width or height of 0 or over
// the picture limits, a depth other than 8, any compression, more than 256 colours.
model::Result<Bitmap8> decodeBitmap8(const std::uint8_t* data, std::size_t size);

// The bitmap shown through its colour table, as a true-colour picture.
Picture bitmapToPicture(const Bitmap8& bitmap);

}  // namespace imaging
