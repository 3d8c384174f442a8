// The structure walks run before the toolkit's BMP and GIF decoders: whole files
// pass, every cut-short copy and every impossible header fails.
#include "imaging/picture_checks.h"

#include "picture_files.h"

#include <gtest/gtest.h>

#include <tuple>

using imaging::bmpFileComplete;
using imaging::gifFirstImageComplete;
using picture_files::Bytes;
using picture_files::putLe;

namespace {

// A bitmap with a 40-byte header, `entries` colours and the pixel bytes given.
Bytes bitmap(int width, int height, int bits, std::uint32_t compression, int entries, const Bytes& pixels) {
    Bytes file(54 + 4 * std::size_t(entries), 0x11);
    file[0] = 'B', file[1] = 'M';
    putLe(file, 10, std::uint32_t(file.size())), putLe(file, 14, 40), putLe(file, 18, width), putLe(file, 22, height);
    putLe(file, 26, 1 | bits << 16), putLe(file, 30, compression);
    file.insert(file.end(), pixels.begin(), pixels.end());
    putLe(file, 2, std::uint32_t(file.size()));
    return file;
}

void expectEveryCutRefused(const Bytes& file, std::size_t spare = 0,
                           bool (*check)(const std::uint8_t*, std::size_t) = bmpFileComplete) {
    ASSERT_TRUE(check(file.data(), file.size()));
    for (std::size_t length = 0; length + spare < file.size(); ++length)
        ASSERT_FALSE(check(file.data(), length)) << "cut at " << length << " of " << file.size();
}

TEST(BmpCheck, WholeFilesPassCutAndImpossibleOnesFail) {
    // 5 pixels across: rows of 4, 4, 8, 12, 16 and 20 bytes at 1, 4, 8, 16, 24 and 32 bits.
    for (auto [bits, stride] : {std::pair{1, 4}, {4, 4}, {8, 8}, {16, 12}, {24, 16}, {32, 20}})
        for (int height : {3, -3})
            expectEveryCutRefused(bitmap(5, height, bits, 0, bits <= 8 ? 1 << bits : 0, Bytes(stride * 3)));
    expectEveryCutRefused(bitmap(5, 3, 32, 3, 3, Bytes(60)));  // bit fields: three masks
    // RLE8: a run, an absolute run (padded), end of line, a move, end of bitmap; RLE4 likewise.
    expectEveryCutRefused(bitmap(8, 3, 8, 1, 256, {4, 9, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 0, 2, 5, 0, 1}));
    expectEveryCutRefused(bitmap(8, 1, 4, 2, 16, {0, 5, 0x12, 0x34, 0x50, 0, 3, 0x77, 0, 1}));
    Bytes core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 24, 0};  // old header
    core.resize(26 + 2 * 12, 0);
    expectEveryCutRefused(core);

    // Run-length data without its end, top-down or at the wrong depth.
    for (const Bytes& file : {bitmap(4, 2, 8, 1, 256, {4, 9, 0, 0, 4, 9, 0, 0}), bitmap(4, -2, 8, 1, 256, {0, 1}),
                              bitmap(4, 2, 4, 1, 16, {0, 1})})
        EXPECT_FALSE(bmpFileComplete(file.data(), file.size()));
    const Bytes good = bitmap(5, 3, 24, 0, 0, Bytes(48));
    const std::tuple<const char*, std::size_t, std::uint32_t> changes[] = {
        {"signature", 0, 'X' | 'M' << 8}, {"header size", 14, 39}, {"header past the end", 14, 124},
        {"width 0", 18, 0}, {"height 0", 22, 0}, {"negative width", 18, 0xFFFFFFFBu}, {"100000 wide", 18, 100000},
        {"most negative height", 22, 0x80000000u}, {"depth 7", 26, 1 | 7 << 16}, {"embedded JPEG", 30, 4},
        {"pixels inside the header", 10, 20}, {"pixels past the end", 10, 0xFFFFFFFFu}};
    for (const auto& [what, at, value] : changes) {
        Bytes file = good;
        putLe(file, at, value, at == 0 ? 2 : 4);
        EXPECT_FALSE(bmpFileComplete(file.data(), file.size())) << what;
    }
}

// Global table, a graphic control extension, a comment and one picture (local table
// of 2) whose data spans two sub-blocks, then the trailer.
Bytes smallGif(std::uint32_t width, std::uint32_t height) {
    Bytes file = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0x81, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0, 255,
                  0x21, 0xF9, 4, 0, 0, 0, 0, 0, 0x21, 0xFE, 3, 'h', 'i', '!', 0, 0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0x80,
                  9, 9, 9, 8, 8, 8, 2, 2, 0x4C, 0x01, 1, 0x00, 0, 0x3B};
    putLe(file, 6, width | height << 16), putLe(file, 45, width | height << 16);
    return file;
}

TEST(GifCheck, FirstPictureMustBeWholeAndPossible) {
    expectEveryCutRefused(smallGif(3, 2), 1, gifFirstImageComplete);  // only the trailer may be missing
    Bytes noPicture = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B}, junk = smallGif(3, 2), version = junk;
    junk[25] = 0x99;  // where the first extension starts
    version[4] = '8';
    for (const Bytes& file :
         {smallGif(0, 2), smallGif(2, 0), smallGif(16385, 1), smallGif(65535, 65535), noPicture, junk, version})
        EXPECT_FALSE(gifFirstImageComplete(file.data(), file.size()));
}

}  // namespace
