// Writes the seed corpora of the formats this program reads and writes itself:
// sprite files of awkward lengths, palette files of 0 to 769 bytes and 8-bit
// bitmaps as "Export BMP" writes them, plus the header variants the reader also
// takes (top-down rows, the 12-byte core header, a short colour table).
// Usage: fuzz_make_seeds <folder>; the seeds go to <folder>/<target>/.
// The pictures of other programs come from make_seeds.py.

#include "imaging/bmp8.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

bool writeSeed(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out.fail()) std::fprintf(stderr, "cannot write %s\n", (folder / name).c_str());
    return !out.fail();
}

// A byte pattern that is neither constant nor plain counting.
Bytes pattern(std::size_t size, std::uint32_t seed) {
    Bytes bytes(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

void put32(Bytes& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

imaging::IndexedPicture indexedPicture(int width, int height, std::uint32_t seed) {
    imaging::IndexedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.stride = imaging::bitmapStride(width);
    picture.pixels.assign(static_cast<std::size_t>(picture.stride) * height, 0);
    const Bytes values = pattern(picture.pixels.size(), seed);
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(row) * picture.stride + x;
            picture.pixels[at] = values[at];
        }
    return picture;
}

// The same picture with rows stored top row first (a negative height).
Bytes topDown(const Bytes& file, int width, int height) {
    Bytes out = file;
    const std::size_t stride = static_cast<std::size_t>(imaging::bitmapStride(width));
    for (int row = 0; row < height; ++row)
        std::copy_n(file.begin() + imaging::BITMAP_PIXEL_OFFSET + stride * row, stride,
                    out.begin() + imaging::BITMAP_PIXEL_OFFSET + stride * (height - 1 - row));
    put32(out, 22, static_cast<std::uint32_t>(-height));
    return out;
}

// The oldest header: 12 bytes, 16-bit sizes, a table of 3-byte colours.
Bytes coreHeader(const imaging::IndexedPicture& picture) {
    const std::size_t stride = static_cast<std::size_t>(picture.stride);
    const std::size_t offset = 14 + 12 + 256 * 3;
    Bytes file(offset + stride * picture.height, 0);
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, static_cast<std::uint32_t>(file.size()));
    put32(file, 10, static_cast<std::uint32_t>(offset));
    put32(file, 14, 12);
    file[18] = static_cast<std::uint8_t>(picture.width);
    file[19] = static_cast<std::uint8_t>(picture.width >> 8);
    file[20] = static_cast<std::uint8_t>(picture.height);
    file[21] = static_cast<std::uint8_t>(picture.height >> 8);
    file[22] = 1;  // planes
    file[24] = 8;  // bits
    for (int i = 0; i < 256; ++i) {
        file[26 + 3 * i] = static_cast<std::uint8_t>(i);
        file[27 + 3 * i] = static_cast<std::uint8_t>(255 - i);
        file[28 + 3 * i] = static_cast<std::uint8_t>(i * 7);
    }
    std::copy(picture.pixels.begin(), picture.pixels.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
    return file;
}

// A 40-byte header whose table holds only `colours` entries.
Bytes shortTable(const imaging::IndexedPicture& picture, int colours) {
    const Bytes full = imaging::encodeBitmap(picture);
    const std::size_t tableStart = 14 + 40;
    const std::size_t offset = tableStart + 4 * static_cast<std::size_t>(colours);
    Bytes file(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(offset));
    file.insert(file.end(), full.begin() + imaging::BITMAP_PIXEL_OFFSET, full.end());
    put32(file, 2, static_cast<std::uint32_t>(file.size()));
    put32(file, 10, static_cast<std::uint32_t>(offset));
    put32(file, 46, static_cast<std::uint32_t>(colours));
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    bool ok = true;

    // Sprite files: empty, one byte, around the sprite and the 64-sprite sheet edges.
    for (std::size_t size : {0u, 1u, 255u, 256u, 257u, 777u, 4096u, 16383u, 16384u, 16385u, 16640u}) {
        ok &= writeSeed(root / "sprite_file", "sprites_" + std::to_string(size) + ".spr",
                        pattern(size, static_cast<std::uint32_t>(size)));
    }

    // Palettes: the real size, one byte either side, nothing, one byte, and a list with
    // repeated colours so the look-up has to keep the lowest index.
    for (std::size_t size : {0u, 1u, 2u, 767u, 768u, 769u, 1200u})
        ok &= writeSeed(root / "palette_file", "palette_" + std::to_string(size) + ".pal",
                        pattern(size, static_cast<std::uint32_t>(size) + 7));
    Bytes repeated(768);
    for (std::size_t i = 0; i < repeated.size(); ++i) repeated[i] = static_cast<std::uint8_t>((i / 3) % 5 * 60);
    ok &= writeSeed(root / "palette_file", "palette_repeated.pal", repeated);

    // The other layouts: the Next's 9-bit files with priority bits, GIMP and JASC text.
    Bytes next = pattern(512, 11);
    for (std::size_t i = 1; i < next.size(); i += 2) next[i] &= 0x81;
    ok &= writeSeed(root / "palette_formats", "next.nxp", next);
    next.push_back(0xE3);
    ok &= writeSeed(root / "palette_formats", "next.npl", next);
    const auto text = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
    ok &= writeSeed(root / "palette_formats", "three.gpl",
                    text("GIMP Palette\nName: seed\nColumns: 4\n#\n255   0   0\tRed\n  0 128  64\n 12 34 56\n"));
    ok &= writeSeed(root / "palette_formats", "three.jasc", text("JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 128 64\r\n12 34 56\r\n"));
    ok &= writeSeed(root / "palette_formats", "rgb.pal", pattern(768, 5));

    // 8-bit bitmaps: our exports of awkward sizes and the reader's other layouts.
    const std::pair<int, int> sizes[] = {{1, 1}, {3, 2}, {4, 4}, {5, 7}, {17, 3}, {16, 16}, {33, 1}};
    int n = 0;
    for (const auto& [w, h] : sizes) {
        const imaging::IndexedPicture picture = indexedPicture(w, h, static_cast<std::uint32_t>(++n));
        const Bytes file = imaging::encodeBitmap(picture);
        const std::string name = std::to_string(w) + "x" + std::to_string(h);
        for (const char* target : {"bmp8", "bmp"}) {
            ok &= writeSeed(root / target, "export_" + name + ".bmp", file);
            ok &= writeSeed(root / target, "topdown_" + name + ".bmp", topDown(file, w, h));
        }
        if (n % 2 == 1) ok &= writeSeed(root / "bmp8", "core_" + name + ".bmp", coreHeader(picture));
        if (n % 2 == 0) ok &= writeSeed(root / "bmp8", "table16_" + name + ".bmp", shortTable(picture, 16));
    }
    return ok ? 0 : 1;
}
