#include "imaging/bmp_decode.h"

#include <algorithm>
#include <bit>

namespace imaging {

namespace {

constexpr std::uint64_t FILE_HEADER_SIZE = 14;
constexpr std::uint32_t CORE_HEADER_SIZE = 12;      // OS/2 1.x: 16-bit sizes, 3-byte colours
constexpr std::uint32_t OS2_SMALLEST_HEADER = 16;   // OS/2 2.x headers run from 16 to 64 bytes
constexpr std::uint32_t OS2_LARGEST_HEADER = 64;
constexpr std::uint32_t INFO_HEADER_SIZE = 40;
constexpr std::uint32_t V2_HEADER_SIZE = 52;        // with the colour masks
constexpr std::uint32_t V3_HEADER_SIZE = 56;        // with the alpha mask too
constexpr std::uint32_t V4_HEADER_SIZE = 108;
constexpr std::uint32_t V5_HEADER_SIZE = 124;
constexpr int TABLE_LIMIT = 256;

// Offsets within the information header, counted from its size field.
constexpr std::size_t AT_WIDTH = 4;
constexpr std::size_t AT_HEIGHT = 8;
constexpr std::size_t AT_BITS = 14;
constexpr std::size_t AT_COMPRESSION = 16;
constexpr std::size_t AT_COLOURS_USED = 32;
constexpr std::size_t AT_MASKS = 40;

std::uint32_t get16(const std::uint8_t* at) { return static_cast<std::uint32_t>(at[0] | at[1] << 8); }

std::uint32_t get32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

bool knownHeaderSize(std::uint32_t size) {
    return size == CORE_HEADER_SIZE || (size >= OS2_SMALLEST_HEADER && size <= OS2_LARGEST_HEADER) ||
           size == V4_HEADER_SIZE || size == V5_HEADER_SIZE;
}

// An OS/2 2.x header shares the first fields with the Windows one but gives
// compression codes 3 and 4 other meanings (Huffman, 24-bit run-length).
bool os2Header(std::uint32_t size) {
    return size != INFO_HEADER_SIZE && size != V2_HEADER_SIZE && size != V3_HEADER_SIZE && size <= OS2_LARGEST_HEADER;
}

bool depthAndCompressionAgree(int bits, std::uint32_t compression, bool os2) {
    switch (compression) {
    case BMP_UNCOMPRESSED:
        return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BMP_RLE8:
        return bits == 8;
    case BMP_RLE4:
        return bits == 4;
    case BMP_BITFIELDS:
    case BMP_ALPHA_BITFIELDS:
        return !os2 && (bits == 16 || bits == 24 || bits == 32);
    default:
        return false;
    }
}

std::array<std::uint32_t, 3> defaultMasks(int bits) {
    if (bits == 16) return {0x7C00, 0x03E0, 0x001F};  // 5-5-5
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

// One colour channel of a direct pixel: its mask and how to widen it to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t largest = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        largest = mask >> shift;
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        if (largest == 0) return 0;
        return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255 / largest);
    }
};

// The colours of a table picture: the file's entries, grey past them.
std::array<Rgb, TABLE_LIMIT> fullTable(const BitmapLayout& layout) {
    std::array<Rgb, TABLE_LIMIT> colours{};
    for (int i = 0; i < TABLE_LIMIT; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        colours[i] = i < static_cast<int>(layout.table.size()) ? layout.table[i] : Rgb{level, level, level};
    }
    return colours;
}

void put(std::uint8_t* to, const Rgb& colour) {
    to[0] = colour.r;
    to[1] = colour.g;
    to[2] = colour.b;
}

bool allocate(Picture& picture, const BitmapLayout& layout) {
    try {
        picture.width = layout.width;
        picture.height = layout.height;
        picture.rgb.resize(static_cast<std::size_t>(layout.width) * layout.height * 3);
        return true;
    } catch (...) {
        return false;
    }
}

// Uncompressed rows, one at a time from the file straight into the picture.
bool readRows(PictureSource& source, const BitmapLayout& layout, Picture& picture) {
    const std::uint64_t stride = layout.stride();
    if (source.size() < layout.pixelOffset || source.size() - layout.pixelOffset < stride * layout.height) return false;
    if (!source.seek(layout.pixelOffset) || !allocate(picture, layout)) return false;

    const std::array<Rgb, TABLE_LIMIT> colours = fullTable(layout);
    const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
    const bool plainBgr = layout.bits == 24 && layout.masks == defaultMasks(24);
    const int bits = layout.bits;
    const unsigned indexMask = (1u << (bits <= 8 ? bits : 0)) - 1;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
    for (int fileRow = 0; fileRow < layout.height; ++fileRow) {
        if (!source.readAll(row.data(), row.size())) return false;
        const int y = layout.topDown ? fileRow : layout.height - 1 - fileRow;
        std::uint8_t* to = picture.pixel(0, y);
        const std::uint8_t* from = row.data();
        if (bits <= 8) {
            for (int x = 0; x < layout.width; ++x, to += 3) {
                const std::size_t bit = static_cast<std::size_t>(x) * bits;
                const unsigned index = from[bit / 8] >> (8 - bits - bit % 8) & indexMask;
                put(to, colours[index]);
            }
        } else if (plainBgr) {
            for (int x = 0; x < layout.width; ++x, to += 3, from += 3) {
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
            }
        } else {
            const int bytes = bits / 8;
            for (int x = 0; x < layout.width; ++x, to += 3, from += bytes) {
                std::uint32_t pixel = 0;
                for (int i = 0; i < bytes; ++i) pixel |= static_cast<std::uint32_t>(from[i]) << (8 * i);
                to[0] = red(pixel);
                to[1] = green(pixel);
                to[2] = blue(pixel);
            }
        }
    }
    return true;
}

// Bytes of run-length data, read through a small buffer.
class ByteReader {
public:
    explicit ByteReader(PictureSource& source) : source_(source) {}
    // The next byte, or -1 at the end of the data.
    int next() {
        if (at_ == filled_) {
            filled_ = source_.read(buffer_.data(), buffer_.size());
            at_ = 0;
            if (filled_ == 0) return -1;
        }
        return buffer_[at_++];
    }

private:
    PictureSource& source_;
    std::array<std::uint8_t, 4096> buffer_{};
    std::size_t at_ = 0;
    std::size_t filled_ = 0;
};

// RLE8 and RLE4. Every pixel starts as colour-table entry 0, so pixels that moves
// and early ends skip show that colour; runs never spill past the end of a row.
bool readRunLength(PictureSource& source, const BitmapLayout& layout, Picture& picture) {
    if (!source.seek(layout.pixelOffset) || !allocate(picture, layout)) return false;
    const std::array<Rgb, TABLE_LIMIT> colours = fullTable(layout);
    for (std::size_t i = 0; i < picture.rgb.size(); i += 3) put(&picture.rgb[i], colours[0]);

    const bool rle4 = layout.compression == BMP_RLE4;
    const long long width = layout.width, height = layout.height;
    long long x = 0, y = 0;  // in file order: row 0 is the first stored row
    const auto plot = [&](unsigned index) {
        if (x < width && y < height) {
            const long long row = layout.topDown ? y : height - 1 - y;
            put(picture.pixel(static_cast<int>(x), static_cast<int>(row)), colours[index]);
        }
        ++x;
    };
    ByteReader in(source);
    while (y < height) {
        const int count = in.next();
        const int value = in.next();
        if (value < 0) return false;  // the data ends before the bitmap is whole
        if (count > 0) {
            // A run: one index, or two alternating ones for RLE4.
            for (int i = 0; i < count; ++i)
                plot(rle4 ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : static_cast<unsigned>(value));
        } else if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // move right and down
            const int right = in.next();
            const int down = in.next();
            if (down < 0) return false;
            x += right;
            y += down;
        } else {
            // Literal indices, padded to a whole 16-bit word.
            const int bytes = rle4 ? (value + 1) / 2 : value;
            for (int i = 0; i < bytes; ++i) {
                const int byte = in.next();
                if (byte < 0) return false;
                if (!rle4) {
                    plot(static_cast<unsigned>(byte));
                    continue;
                }
                plot(static_cast<unsigned>(byte) >> 4);
                if (2 * i + 1 < value) plot(static_cast<unsigned>(byte) & 0x0F);
            }
            if (bytes % 2 != 0 && in.next() < 0) return false;
        }
    }
    return true;
}

}  // namespace

bool isBmpData(const std::uint8_t* data, std::size_t size) {
    return data != nullptr && size >= 2 && data[0] == 'B' && data[1] == 'M';
}

model::Result<BitmapLayout> readBitmapLayout(PictureSource& source) {
    std::uint8_t fileHeader[FILE_HEADER_SIZE + 4];
    if (!source.seek(0) || !source.readAll(fileHeader, sizeof fileHeader)) return model::failure(model::ErrorKind::Malformed);
    if (!isBmpData(fileHeader, sizeof fileHeader)) return model::failure(model::ErrorKind::Malformed);
    const std::uint32_t headerSize = get32(fileHeader + FILE_HEADER_SIZE);
    if (!knownHeaderSize(headerSize)) return model::failure(model::ErrorKind::Malformed);

    // The whole information header, its size field included; fields an OS/2 2.x
    // header leaves out read as 0.
    std::array<std::uint8_t, V5_HEADER_SIZE> header{};
    std::copy_n(fileHeader + FILE_HEADER_SIZE, 4, header.begin());
    if (!source.readAll(header.data() + 4, headerSize - 4)) return model::failure(model::ErrorKind::Malformed);

    BitmapLayout layout;
    layout.declaredFileSize = get32(fileHeader + 2);
    layout.declaredPixelOffset = get32(fileHeader + 10);
    const bool core = headerSize == CORE_HEADER_SIZE;
    long long width = 0, height = 0;
    std::uint32_t coloursUsed = 0;
    if (core) {
        width = get16(&header[4]);
        height = get16(&header[6]);
        layout.bits = static_cast<int>(get16(&header[10]));
        layout.entrySize = 3;
    } else {
        width = static_cast<std::int32_t>(get32(&header[AT_WIDTH]));
        height = static_cast<std::int32_t>(get32(&header[AT_HEIGHT]));
        layout.bits = static_cast<int>(get16(&header[AT_BITS]));
        layout.compression = get32(&header[AT_COMPRESSION]);
        coloursUsed = get32(&header[AT_COLOURS_USED]);
    }
    // A negative height marks rows stored top row first.
    layout.topDown = height < 0;
    if (layout.topDown) height = -height;
    if (!pictureSizeAllowed(width, height)) return model::failure(model::ErrorKind::TooLarge);
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    if (!depthAndCompressionAgree(layout.bits, layout.compression, os2Header(headerSize))) return model::failure(model::ErrorKind::Malformed);

    layout.tableStart = FILE_HEADER_SIZE + headerSize;
    layout.masks = defaultMasks(layout.bits);
    if (layout.compression == BMP_BITFIELDS || layout.compression == BMP_ALPHA_BITFIELDS) {
        std::array<std::uint8_t, 12> masks{};
        if (headerSize >= V2_HEADER_SIZE) {
            std::copy_n(&header[AT_MASKS], masks.size(), masks.begin());
        } else {
            // The 40-byte header keeps its masks (three, or four with alpha) after it.
            if (!source.readAll(masks.data(), masks.size())) return model::failure(model::ErrorKind::Malformed);
            layout.tableStart += layout.compression == BMP_ALPHA_BITFIELDS ? 16 : 12;
        }
        const std::array<std::uint32_t, 3> given = {get32(&masks[0]), get32(&masks[4]), get32(&masks[8])};
        // Masks all zero mean the usual layout of the depth.
        if (given != std::array<std::uint32_t, 3>{}) layout.masks = given;
    }

    std::uint64_t tableEnd = layout.tableStart;
    if (layout.bits <= 8) {
        layout.colours = coloursUsed != 0 ? coloursUsed : 1u << layout.bits;
        const std::uint32_t wanted = std::min<std::uint32_t>(layout.colours, TABLE_LIMIT);
        tableEnd += static_cast<std::uint64_t>(layout.colours) * layout.entrySize;
        // A table cut short by the end of the file keeps the entries that are there.
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(wanted) * layout.entrySize);
        if (!source.seek(layout.tableStart)) return model::failure(model::ErrorKind::Malformed);
        const std::size_t got = source.read(bytes.data(), bytes.size()) / layout.entrySize;
        for (std::size_t i = 0; i < got; ++i) {
            const std::uint8_t* entry = &bytes[i * layout.entrySize];
            layout.table.push_back(Rgb{entry[2], entry[1], entry[0]});
        }
    }

    // An offset of 0, or one that points at the table itself, means the rows follow it.
    const std::uint32_t offset = layout.declaredPixelOffset;
    const bool atTable = layout.bits <= 8 && offset == FILE_HEADER_SIZE + headerSize;
    layout.pixelOffset = offset == 0 || atTable ? tableEnd : offset;
    if (layout.pixelOffset < layout.tableStart || layout.pixelOffset > source.size()) return model::failure(model::ErrorKind::Malformed);
    return layout;
}

model::Result<Picture> decodeBmp(PictureSource& source) {
    const auto layout = readBitmapLayout(source);
    if (!layout) return model::failure(model::ErrorKind::Malformed);
    Picture picture;
    const bool runLength = layout->compression == BMP_RLE8 || layout->compression == BMP_RLE4;
    const bool ok = runLength ? readRunLength(source, *layout, picture) : readRows(source, *layout, picture);
    if (!ok) return model::failure(model::ErrorKind::Malformed);
    return picture;
}

model::Result<Picture> decodeBmp(const std::uint8_t* data, std::size_t size) {
    MemorySource source(data, size);
    return decodeBmp(source);
}

}  // namespace imaging
