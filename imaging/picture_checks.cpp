#include "imaging/picture_checks.h"

#include "imaging/picture.h"

#include <cstring>

namespace imaging {

namespace {

std::uint16_t le16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

std::uint32_t le32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

long long signed32(const std::uint8_t* at) {
    const std::uint32_t value = le32(at);
    return value <= 0x7FFFFFFFu ? static_cast<long long>(value) : static_cast<long long>(value) - 0x100000000LL;
}

// Bitmap compression codes.
constexpr std::uint32_t BMP_RGB = 0;
constexpr std::uint32_t BMP_RLE8 = 1;
constexpr std::uint32_t BMP_RLE4 = 2;
constexpr std::uint32_t BMP_BITFIELDS = 3;
constexpr std::uint32_t BMP_ALPHA_BITFIELDS = 6;

// Walks run-length data from `at` and tells whether its end-of-bitmap code is there.
// In RLE4 an absolute run counts pixels of half a byte each.
bool runLengthDataComplete(const std::uint8_t* data, std::size_t size, std::size_t at, bool halfBytes) {
    while (size - at >= 2) {
        const std::uint8_t count = data[at];
        const std::uint8_t code = data[at + 1];
        at += 2;
        if (count != 0) continue;  // a repeated run: two bytes, done
        if (code == 1) return true;       // end of bitmap
        if (code == 0) continue;          // end of line
        if (code == 2) {                  // move by two offset bytes
            if (size - at < 2) return false;
            at += 2;
            continue;
        }
        std::size_t bytes = halfBytes ? (code + 1u) / 2 : code;
        bytes += bytes & 1u;  // absolute runs are padded to whole words
        if (size - at < bytes) return false;
        at += bytes;
    }
    return false;
}

// Skips a chain of GIF data sub-blocks; false when the data ends inside it.
bool skipSubBlocks(const std::uint8_t* data, std::size_t size, std::size_t& at) {
    for (;;) {
        if (at >= size) return false;
        const std::size_t length = data[at++];
        if (length == 0) return true;
        if (size - at < length) return false;
        at += length;
    }
}

std::size_t gifColourTableBytes(std::uint8_t flags) {
    return (flags & 0x80) ? 3u * (2u << (flags & 7)) : 0;
}

}  // namespace

bool bmpFileComplete(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t FILE_HEADER = 14;
    if (data == nullptr || size < FILE_HEADER + 4 || data[0] != 'B' || data[1] != 'M') return false;
    const std::size_t headerSize = le32(data + 14);
    const bool core = headerSize == 12;
    if (!core && (headerSize < 40 || headerSize > 124)) return false;
    if (size - FILE_HEADER < headerSize) return false;

    long long width = 0, height = 0;
    unsigned bits = 0;
    std::uint32_t compression = BMP_RGB;
    if (core) {
        width = le16(data + 18);
        height = le16(data + 20);
        bits = le16(data + 24);
    } else {
        width = signed32(data + 18);
        height = signed32(data + 22);
        bits = le16(data + 28);
        compression = le32(data + 30);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (!pictureSizeAllowed(width, height)) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;

    const std::size_t pixelOffset = le32(data + 10);
    if (pixelOffset < FILE_HEADER + headerSize || pixelOffset > size) return false;

    switch (compression) {
    case BMP_RGB:
    case BMP_BITFIELDS:
    case BMP_ALPHA_BITFIELDS: {
        const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
        return size - pixelOffset >= stride * static_cast<std::size_t>(height);
    }
    case BMP_RLE8:
        return bits == 8 && !topDown && runLengthDataComplete(data, size, pixelOffset, false);
    case BMP_RLE4:
        return bits == 4 && !topDown && runLengthDataComplete(data, size, pixelOffset, true);
    default:
        return false;
    }
}

bool gifFirstImageComplete(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t HEADER = 13;  // signature, version and the logical screen
    if (data == nullptr || size < HEADER) return false;
    if (std::memcmp(data, "GIF87a", 6) != 0 && std::memcmp(data, "GIF89a", 6) != 0) return false;

    std::size_t at = HEADER;
    const std::size_t globalTable = gifColourTableBytes(data[10]);
    if (size - at < globalTable) return false;
    at += globalTable;

    while (at < size) {
        const std::uint8_t introducer = data[at++];
        if (introducer == 0x21) {  // extension: a label, then its sub-blocks
            if (at >= size) return false;
            ++at;
            if (!skipSubBlocks(data, size, at)) return false;
        } else if (introducer == 0x2C) {  // the first picture
            if (size - at < 9) return false;
            const unsigned width = le16(data + at + 4);
            const unsigned height = le16(data + at + 6);
            const std::uint8_t flags = data[at + 8];
            at += 9;
            if (!pictureSizeAllowed(width, height)) return false;
            const std::size_t localTable = gifColourTableBytes(flags);
            if (size - at < localTable) return false;
            at += localTable;
            if (at >= size) return false;
            const std::uint8_t minimumCodeSize = data[at++];
            if (minimumCodeSize < 1 || minimumCodeSize > 11) return false;
            return skipSubBlocks(data, size, at);
        } else {
            return false;  // the trailer or junk before any picture
        }
    }
    return false;
}

}  // namespace imaging
