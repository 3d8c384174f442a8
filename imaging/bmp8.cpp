#include "imaging/bmp8.h"

#include <cstring>

namespace imaging {

namespace {

constexpr std::uint8_t SIGNATURE_B = 0x42;
constexpr std::uint8_t SIGNATURE_M = 0x4D;
constexpr std::size_t CORE_HEADER_SIZE = 12;       // the oldest header: 16-bit sizes, 3-byte colours
constexpr std::size_t LARGEST_HEADER_SIZE = 124;   // the newest header knows no more fields
constexpr std::uint32_t COMPRESSION_NONE = 0;

// Offsets within the file image.
constexpr std::size_t AT_FILE_SIZE = 2;
constexpr std::size_t AT_PIXEL_OFFSET = 10;
constexpr std::size_t AT_HEADER_SIZE = 14;
constexpr std::size_t AT_WIDTH = 18;
constexpr std::size_t AT_HEIGHT = 22;
constexpr std::size_t AT_PLANES = 26;
constexpr std::size_t AT_BITS = 28;
constexpr std::size_t AT_COMPRESSION = 30;
constexpr std::size_t AT_COLOURS_USED = 46;

void put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint16_t get16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

std::uint32_t get32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::int32_t getSigned32(const std::uint8_t* at) {
    const std::uint32_t value = get32(at);
    return value <= 0x7FFFFFFFu ? static_cast<std::int32_t>(value)
                                : -static_cast<std::int32_t>(~value) - 1;
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

std::optional<Bitmap8> decodeBitmap8(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < BITMAP_FILE_HEADER_SIZE + 4) return std::nullopt;
    if (data[0] != SIGNATURE_B || data[1] != SIGNATURE_M) return std::nullopt;

    // The stored file size is only a claim; a claim past the end means a cut file.
    const std::uint32_t claimedSize = get32(data + AT_FILE_SIZE);
    if (claimedSize > size) return std::nullopt;

    const std::size_t headerSize = get32(data + AT_HEADER_SIZE);
    const bool core = headerSize == CORE_HEADER_SIZE;
    if (!core && (headerSize < BITMAP_INFO_HEADER_SIZE || headerSize > LARGEST_HEADER_SIZE)) return std::nullopt;
    if (size < BITMAP_FILE_HEADER_SIZE + headerSize) return std::nullopt;

    long long width = 0;
    long long height = 0;
    unsigned planes = 0;
    unsigned bits = 0;
    std::uint32_t compression = COMPRESSION_NONE;
    std::uint32_t coloursUsed = 0;
    if (core) {
        width = get16(data + AT_WIDTH);
        height = get16(data + AT_WIDTH + 2);
        planes = get16(data + AT_WIDTH + 4);
        bits = get16(data + AT_WIDTH + 6);
    } else {
        width = getSigned32(data + AT_WIDTH);
        height = getSigned32(data + AT_HEIGHT);
        planes = get16(data + AT_PLANES);
        bits = get16(data + AT_BITS);
        compression = get32(data + AT_COMPRESSION);
        coloursUsed = get32(data + AT_COLOURS_USED);
    }
    if (planes != 1 || bits != 8 || compression != COMPRESSION_NONE) return std::nullopt;

    // A negative height marks rows stored top row first.
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (!pictureSizeAllowed(width, height)) return std::nullopt;

    if (coloursUsed > 256) return std::nullopt;
    const std::size_t colourCount = coloursUsed == 0 ? 256 : coloursUsed;
    const std::size_t entrySize = core ? 3 : 4;
    const std::size_t tableStart = BITMAP_FILE_HEADER_SIZE + headerSize;
    const std::size_t tableEnd = tableStart + colourCount * entrySize;

    const std::size_t pixelOffset = get32(data + AT_PIXEL_OFFSET);
    const std::size_t stride = static_cast<std::size_t>(bitmapStride(static_cast<int>(width)));
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
    if (pixelOffset < tableEnd || pixelOffset > size || size - pixelOffset < pixelBytes) return std::nullopt;

    Bitmap8 bitmap;
    bitmap.coloursInFile = static_cast<int>(colourCount);
    for (std::size_t i = 0; i < colourCount; ++i) {
        const std::uint8_t* entry = data + tableStart + i * entrySize;
        bitmap.colours[i] = Rgb{entry[2], entry[1], entry[0]};
    }

    IndexedPicture& indices = bitmap.indices;
    indices.width = static_cast<int>(width);
    indices.height = static_cast<int>(height);
    indices.stride = static_cast<int>(stride);
    indices.pixels.assign(pixelBytes, 0);
    const std::uint8_t* rows = data + pixelOffset;
    for (int row = 0; row < indices.height; ++row) {
        // Kept bottom row first whatever order the file used.
        const int fileRow = topDown ? indices.height - 1 - row : row;
        std::memcpy(indices.pixels.data() + stride * row, rows + stride * fileRow, static_cast<std::size_t>(width));
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
