// Fuzz target: the 8-bit bitmap reader on its own, and the round trip through the
// writer of "Export BMP". Checked: a picture the reader accepts is within the
// limits, its rows padded with zeros to the stride; written again with
// encodeBitmap and read back it gives the same indices with the fixed colour
// table, and a second write gives the same bytes.

#include "fuzz/fuzz_support.h"
#include "imaging/bmp8.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bitmap = imaging::decodeBitmap8(data, size);
    if (!bitmap) return 0;

    const imaging::IndexedPicture& indices = bitmap->indices;
    FUZZ_CHECK(imaging::pictureSizeAllowed(indices.width, indices.height));
    FUZZ_CHECK(indices.stride == imaging::bitmapStride(indices.width));
    FUZZ_CHECK(indices.pixels.size() == static_cast<std::size_t>(indices.stride) * indices.height);
    FUZZ_CHECK(bitmap->coloursInFile >= 1 && bitmap->coloursInFile <= 256);
    for (int i = bitmap->coloursInFile; i < 256; ++i) FUZZ_CHECK(bitmap->colours[i] == imaging::Rgb{});
    for (int row = 0; row < indices.height; ++row) {
        const std::uint8_t* line = indices.pixels.data() + static_cast<std::size_t>(row) * indices.stride;
        FUZZ_CHECK(std::all_of(line + indices.width, line + indices.stride, [](auto b) { return b == 0; }));
    }

    const imaging::Picture picture = imaging::bitmapToPicture(*bitmap);
    FUZZ_CHECK(picture.width == indices.width && picture.height == indices.height);
    FUZZ_CHECK(picture.rgb.size() == static_cast<std::size_t>(picture.width) * picture.height * 3);
    // Spot checks of the colours shown: the corners.
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{indices.width - 1, indices.height - 1}}) {
        const imaging::Rgb& colour = bitmap->colours[indices.at(x, y)];
        const std::uint8_t* shown = picture.pixel(x, y);
        FUZZ_CHECK(shown[0] == colour.r && shown[1] == colour.g && shown[2] == colour.b);
    }

    const std::vector<std::uint8_t> file = imaging::encodeBitmap(indices);
    FUZZ_CHECK(file.size() == imaging::BITMAP_PIXEL_OFFSET + indices.pixels.size());
    const auto again = imaging::decodeBitmap8(file.data(), file.size());
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again->indices.width == indices.width && again->indices.height == indices.height &&
               again->indices.stride == indices.stride);
    FUZZ_CHECK(again->indices.pixels == indices.pixels);
    FUZZ_CHECK(again->coloursInFile == 256 && again->colours == imaging::FIXED_COLOUR_TABLE);
    FUZZ_CHECK(imaging::encodeBitmap(again->indices) == file);
    return 0;
}
