#pragma once
// Test support for the picture code: PNG and JPEG writers on libpng and libjpeg
// for the decoder tests.

#include "tests/support/files.h"

namespace picture_files {

using support::Byte;
using support::Bytes;
using support::TempFolder;

void putLe(Bytes& file, std::size_t at, std::uint32_t value, int bytes = 4);  // little-endian

// Rows in the file's own layout.
struct PngRecipe {
    int width = 0, height = 0, colourType = 2, bitDepth = 8;  // 2: RGB
    std::vector<Bytes> rows{};
};
Bytes writePng(const PngRecipe& recipe);

// Rows top-down; 1 (grey), 3 (RGB) or 4 components (CMYK with libjpeg's Adobe
// marker, or YCCK); chroma not subsampled.
struct JpegRecipe {
    int width = 0, height = 0, components = 3, quality = 100;
    bool ycck = false, progressive = false;
    Bytes pixels{};
};
Bytes writeJpeg(const JpegRecipe& recipe);

}  // namespace picture_files
