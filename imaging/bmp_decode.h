#pragma once
// The bitmap (BMP) reader: every depth (1, 2, 4, 8 bits through a colour table,
// 16, 24 and 32 bits direct or through bit-field masks), run-length data (RLE8,
// RLE4), rows bottom-up or top-down, the Windows headers (40, 52, 56, 108 and 124
// bytes) and the OS/2 ones (the 12-byte core header with 3-byte colour entries,
// the 16- to 64-byte 2.x headers).

#include "imaging/fixed_colour_table.h"
#include "imaging/picture.h"
#include "model/result.h"
#include "imaging/picture_source.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace imaging {

// Compression codes the reader knows.
inline constexpr std::uint32_t BMP_UNCOMPRESSED = 0;
inline constexpr std::uint32_t BMP_RLE8 = 1;
inline constexpr std::uint32_t BMP_RLE4 = 2;
inline constexpr std::uint32_t BMP_BITFIELDS = 3;
inline constexpr std::uint32_t BMP_ALPHA_BITFIELDS = 6;

// What the headers of a bitmap say, checked against each other and the picture
// limits (not yet against the pixel data).
struct BitmapLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = BMP_UNCOMPRESSED;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue: where direct colours sit
    std::uint64_t tableStart = 0;          // the colour table's place in the file
    int entrySize = 4;                     // bytes per colour entry (3 after the core header)
    std::uint32_t colours = 0;             // entries the header implies (depths up to 8)
    std::vector<Rgb> table;                // the entries the file holds, at most 256
    std::uint32_t declaredFileSize = 0;    // the file header's claims, as written
    std::uint32_t declaredPixelOffset = 0;
    std::uint64_t pixelOffset = 0;         // where the rows really start

    // Bytes of one stored row: whole 4-byte words.
    std::uint64_t stride() const { return (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4; }
};

// True when the buffer starts with the bitmap signature "BM".
bool isBmpData(const std::uint8_t* data, std::size_t size);

// Reads the file and information headers, the bit-field masks and the colour table
// from the start of the source. Refused: a wrong signature, an unknown header size,
// depth or compression, a size of 0 or over the picture limits, a header cut short,
// pixels placed inside the headers or past the end of the data.
model::Result<BitmapLayout> readBitmapLayout(PictureSource& source);

// Decodes the whole bitmap. Colour-table entries the file does not hold show as
// grey (index i as red = green = blue = i). Direct colours are widened to 8 bits
// by value * 255 / largest value of the channel, rounded down; alpha plays no
// part. Pixels that run-length data skips (with a move, an early end of a line or
// of the bitmap) take colour-table entry 0. Refused: anything readBitmapLayout
// refuses, rows cut short, run-length data that ends before the bitmap is whole
// or its end code.
model::Result<Picture> decodeBmp(PictureSource& source);
model::Result<Picture> decodeBmp(const std::uint8_t* data, std::size_t size);

}  // namespace imaging
