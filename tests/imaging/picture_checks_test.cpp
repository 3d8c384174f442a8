// The structure walks that stand before the toolkit's BMP and GIF decoders:
// whole files pass, every cut-short version and every impossible header fails.
#include "imaging/picture_checks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using imaging::bmpFileComplete;
using imaging::gifFirstImageComplete;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
void put32(Bytes& out, std::size_t at, std::uint32_t value) {
    put16(out, at, value);
    put16(out, at + 2, value >> 16);
}

// A bitmap with a 40-byte header, `tableEntries` colours and the pixel bytes given.
Bytes bitmap(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression, int tableEntries,
             const Bytes& pixels) {
    Bytes file(54 + 4 * static_cast<std::size_t>(tableEntries), 0x11);
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 10, static_cast<std::uint32_t>(file.size()));
    put32(file, 14, 40);
    put32(file, 18, static_cast<std::uint32_t>(width));
    put32(file, 22, static_cast<std::uint32_t>(height));
    put16(file, 26, 1);
    put16(file, 28, static_cast<std::uint32_t>(bits));
    put32(file, 30, compression);
    file.insert(file.end(), pixels.begin(), pixels.end());
    put32(file, 2, static_cast<std::uint32_t>(file.size()));
    return file;
}

void expectEveryCutRefused(const Bytes& file, bool (*check)(const std::uint8_t*, std::size_t)) {
    ASSERT_TRUE(check(file.data(), file.size()));
    for (std::size_t length = 0; length < file.size(); ++length)
        ASSERT_FALSE(check(file.data(), length)) << "cut at " << length << " of " << file.size();
}

TEST(BmpCheck, UncompressedDepthsNeedAllTheirRows) {
    // 5 pixels across: 1 bit = 4 bytes a row, 4 bits = 4, 8 bits = 8, 16 = 12, 24 = 16, 32 = 20.
    const std::pair<int, std::size_t> depths[] = {{1, 4}, {4, 4}, {8, 8}, {16, 12}, {24, 16}, {32, 20}};
    for (auto [bits, stride] : depths) {
        SCOPED_TRACE(bits);
        const int entries = bits <= 8 ? 1 << bits : 0;
        expectEveryCutRefused(bitmap(5, 3, bits, 0, entries, Bytes(stride * 3, 0)), bmpFileComplete);
        expectEveryCutRefused(bitmap(5, -3, bits, 0, entries, Bytes(stride * 3, 0)), bmpFileComplete);
    }
    expectEveryCutRefused(bitmap(5, 3, 32, 3, 3, Bytes(60, 0)), bmpFileComplete);  // bit fields, three masks
}

TEST(BmpCheck, RunLengthDataMustReachItsEnd) {
    // RLE8: a run of 4, an absolute run of 3 (padded), end of line, a move, end of bitmap.
    const Bytes rle8 = {4, 9, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 0, 2, 5, 0, 1};
    expectEveryCutRefused(bitmap(8, 3, 8, 1, 256, rle8), bmpFileComplete);
    // RLE4: an absolute run of 5 pixels takes 3 bytes, padded to 4.
    const Bytes rle4 = {0, 5, 0x12, 0x34, 0x50, 0, 3, 0x77, 0, 1};
    expectEveryCutRefused(bitmap(8, 1, 4, 2, 16, rle4), bmpFileComplete);

    const Bytes noEnd = {4, 9, 0, 0, 4, 9, 0, 0};
    EXPECT_FALSE(bmpFileComplete(bitmap(4, 2, 8, 1, 256, noEnd).data(), bitmap(4, 2, 8, 1, 256, noEnd).size()));
    const Bytes topDown = bitmap(8, -3, 8, 1, 256, rle8);
    EXPECT_FALSE(bmpFileComplete(topDown.data(), topDown.size()));
    const Bytes wrongDepth = bitmap(8, 3, 4, 1, 16, rle8);
    EXPECT_FALSE(bmpFileComplete(wrongDepth.data(), wrongDepth.size()));
}

TEST(BmpCheck, OldCoreHeaderIsWalked) {
    Bytes file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 24, 0};
    file.resize(26 + 2 * 12, 0);
    expectEveryCutRefused(file, bmpFileComplete);
}

TEST(BmpCheck, ImpossibleHeadersAreRefused) {
    const Bytes good = bitmap(5, 3, 24, 0, 0, Bytes(48, 0));
    ASSERT_TRUE(bmpFileComplete(good.data(), good.size()));
    const auto refused = [&](const char* what, auto change) {
        Bytes file = good;
        change(file);
        EXPECT_FALSE(bmpFileComplete(file.data(), file.size())) << what;
    };
    refused("signature", [](Bytes& f) { f[0] = 'X'; });
    refused("header size", [](Bytes& f) { put32(f, 14, 39); });
    refused("header larger than the file", [](Bytes& f) { put32(f, 14, 124); });
    refused("width 0", [](Bytes& f) { put32(f, 18, 0); });
    refused("height 0", [](Bytes& f) { put32(f, 22, 0); });
    refused("negative width", [](Bytes& f) { put32(f, 18, 0xFFFFFFFBu); });
    refused("huge", [](Bytes& f) { put32(f, 18, 100000); put32(f, 22, 100000); });
    refused("most negative height", [](Bytes& f) { put32(f, 22, 0x80000000u); });
    refused("depth 7", [](Bytes& f) { put16(f, 28, 7); });
    refused("embedded JPEG", [](Bytes& f) { put32(f, 30, 4); });
    refused("pixels inside the header", [](Bytes& f) { put32(f, 10, 20); });
    refused("pixels past the end", [](Bytes& f) { put32(f, 10, 0xFFFFFFFFu); });
    EXPECT_FALSE(bmpFileComplete(nullptr, 0));
}

// A small GIF by hand: global table, a graphic control extension, a comment and one
// picture whose data spans two sub-blocks, then the trailer.
Bytes smallGif(std::uint16_t width, std::uint16_t height) {
    Bytes file = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0x81, 0, 0};
    put16(file, 6, width);
    put16(file, 8, height);
    file.insert(file.end(), {0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0, 255});  // 4 colours
    file.insert(file.end(), {0x21, 0xF9, 4, 0, 0, 0, 0, 0});                    // graphic control
    file.insert(file.end(), {0x21, 0xFE, 3, 'h', 'i', '!', 0});                 // comment
    const std::size_t descriptor = file.size();
    file.insert(file.end(), {0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0x80});             // local table of 2
    put16(file, descriptor + 5, width);
    put16(file, descriptor + 7, height);
    file.insert(file.end(), {9, 9, 9, 8, 8, 8});
    file.insert(file.end(), {2, 2, 0x4C, 0x01, 1, 0x00, 0, 0x3B});
    return file;
}

TEST(GifCheck, FirstPictureMustBeWhole) {
    const Bytes file = smallGif(3, 2);
    ASSERT_TRUE(gifFirstImageComplete(file.data(), file.size()));
    // The trailer may be missing; anything before it may not.
    for (std::size_t length = 0; length + 1 < file.size(); ++length)
        ASSERT_FALSE(gifFirstImageComplete(file.data(), length)) << "cut at " << length;
}

TEST(GifCheck, ImpossibleFilesAreRefused) {
    for (auto [w, h] : {std::pair<std::uint16_t, std::uint16_t>{0, 2}, {2, 0}, {16385, 1}, {65535, 65535}}) {
        const Bytes file = smallGif(w, h);
        EXPECT_FALSE(gifFirstImageComplete(file.data(), file.size())) << w << " x " << h;
    }
    const Bytes noPicture = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B};
    EXPECT_FALSE(gifFirstImageComplete(noPicture.data(), noPicture.size()));
    Bytes junk = smallGif(3, 2);
    junk[25] = 0x99;  // where the first extension starts
    EXPECT_FALSE(gifFirstImageComplete(junk.data(), junk.size()));
    Bytes version = smallGif(3, 2);
    version[4] = '8';
    EXPECT_FALSE(gifFirstImageComplete(version.data(), version.size()));
    EXPECT_FALSE(gifFirstImageComplete(nullptr, 0));
}

}  // namespace
