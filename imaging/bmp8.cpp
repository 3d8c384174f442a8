#include "imaging/bmp8.h"

#include "imaging/bmp_decode.h"

#include <algorithm>
#include <cstring>

namespace imaging {

namespace {

constexpr std::uint8_t SIGNATURE_B = 0x42;
constexpr std::uint8_t SIGNATURE_M = 0x4D;

// Offsets within the file image.
constexpr std::size_t AT_FILE_SIZE = 2;
constexpr std::size_t AT_PIXEL_OFFSET = 10;
constexpr std::size_t AT_HEADER_SIZE = 14;
constexpr std::size_t AT_WIDTH = 18;
constexpr std::size_t AT_HEIGHT = 22;
constexpr std::size_t AT_PLANES = 26;
constexpr std::size_t AT_BITS = 28;

void put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> encodeBitmap(const IndexedPicture& picture) {
    const int w = picture.width;
    const int h = picture.height;
    if (!pictureSizeAllowed(w, h) || picture.stride < w ||
        picture.pixels.size() < static_cast<std::size_t>(picture.stride) * h)
        return {};

    const std::size_t stride = static_cast<std::size_t>(bitmapStride(w));
    const std::size_t fileSize = BITMAP_PIXEL_OFFSET + stride * h;
    std::vector<std::uint8_t> file(fileSize, 0);
    std::uint8_t* out = file.data();

    out[0] = SIGNATURE_B;
    out[1] = SIGNATURE_M;
    put32(out + AT_FILE_SIZE, static_cast<std::uint32_t>(fileSize));
    put32(out + AT_PIXEL_OFFSET, static_cast<std::uint32_t>(BITMAP_PIXEL_OFFSET));
    put32(out + AT_HEADER_SIZE, static_cast<std::uint32_t>(BITMAP_INFO_HEADER_SIZE));
    put32(out + AT_WIDTH, static_cast<std::uint32_t>(w));
    put32(out + AT_HEIGHT, static_cast<std::uint32_t>(h));  // positive: bottom row first
    put16(out + AT_PLANES, 1);
    put16(out + AT_BITS, 8);
    // Compression, image size, resolutions and colour counts stay 0.

    std::uint8_t* entry = out + BITMAP_FILE_HEADER_SIZE + BITMAP_INFO_HEADER_SIZE;
    for (const Rgb& colour : FIXED_COLOUR_TABLE) {
        entry[0] = colour.b;
        entry[1] = colour.g;
        entry[2] = colour.r;
        entry += 4;  // the fourth byte stays 0
    }

    // The picture already keeps its rows bottom row first; copy only the indices
    // so the padding written is zero whatever the picture holds there.
    for (int row = 0; row < h; ++row) {
        std::memcpy(out + BITMAP_PIXEL_OFFSET + stride * row,
                    picture.pixels.data() + static_cast<std::size_t>(picture.stride) * row, static_cast<std::size_t>(w));
    }
    return file;
}

model::Result<Bitmap8> decodeBitmap8(const std::uint8_t* data, std::size_t size) {
    MemorySource source(data, size);
    const auto layout = readBitmapLayout(source);
    if (!layout || layout->bits != 8 || layout->compression != BMP_UNCOMPRESSED) return model::failure(model::ErrorKind::Malformed);

    // Stricter than the picture reader: the stored file size is a claim that must
    // hold, and the whole table must sit before the rows.
    if (layout->declaredFileSize > size || layout->colours > 256) return model::failure(model::ErrorKind::Malformed);
    const std::uint64_t tableEnd = layout->tableStart + std::uint64_t{layout->colours} * layout->entrySize;
    const std::size_t pixelOffset = layout->declaredPixelOffset;
    const std::size_t stride = static_cast<std::size_t>(layout->stride());
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(layout->height);
    if (pixelOffset < tableEnd || pixelOffset > size || size - pixelOffset < pixelBytes) return model::failure(model::ErrorKind::Malformed);

    Bitmap8 bitmap;
    bitmap.coloursInFile = static_cast<int>(layout->colours);
    std::copy(layout->table.begin(), layout->table.end(), bitmap.colours.begin());

    IndexedPicture& indices = bitmap.indices;
    indices.width = layout->width;
    indices.height = layout->height;
    indices.stride = static_cast<int>(stride);
    indices.pixels.assign(pixelBytes, 0);
    const std::uint8_t* rows = data + pixelOffset;
    for (int row = 0; row < indices.height; ++row) {
        // Kept bottom row first whatever order the file used.
        const int fileRow = layout->topDown ? indices.height - 1 - row : row;
        std::memcpy(indices.pixels.data() + stride * row, rows + stride * fileRow,
                    static_cast<std::size_t>(indices.width));
    }
    return bitmap;
}

Picture bitmapToPicture(const Bitmap8& bitmap) {
    const IndexedPicture& indices = bitmap.indices;
    Picture picture;
    picture.width = indices.width;
    picture.height = indices.height;
    picture.rgb.resize(static_cast<std::size_t>(indices.width) * indices.height * 3);
    for (int y = 0; y < indices.height; ++y) {
        for (int x = 0; x < indices.width; ++x) {
            const Rgb& colour = bitmap.colours[indices.at(x, y)];
            std::uint8_t* to = picture.pixel(x, y);
            to[0] = colour.r;
            to[1] = colour.g;
            to[2] = colour.b;
        }
    }
    return picture;
}

}  // namespace imaging
