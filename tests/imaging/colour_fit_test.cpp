// Colour fitting: the channel-by-channel fit against the 256-entry scan, the bitmap
// row layout of its result, and the 9-bit reduction.
#include "imaging/colour_fit.h"
#include "imaging/import_fit.h"
#include "tests/support/colour_fit_reference.h"

#include "picture_files.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace imaging;
using picture_files::Bytes;

namespace {

void expectFitLikeTheScan(int redFrom, int redTo, int step) {
    for (int r = redFrom; r < redTo; r += step)
        for (int g = 0; g < 256; g += step)
            for (int b = 0; b < 256; b += step)
                ASSERT_EQ(nearestFixedIndex(r, g, b), reference::nearestFixedIndex(r, g, b)) << r << "," << g << "," << b;
}

// All 16.7M colours (so every table colour finds itself and magenta the transparent
// index), a quarter of the reds each, so a parallel test run shares them out.
class EveryColour : public ::testing::TestWithParam<int> {};
TEST_P(EveryColour, FitsLikeTheScan) { expectFitLikeTheScan(GetParam() * 64, GetParam() * 64 + 64, 1); }
INSTANTIATE_TEST_SUITE_P(RedQuarters, EveryColour, ::testing::Range(0, 4));

class ConvertWidths : public ::testing::TestWithParam<int> {};
TEST_P(ConvertWidths, SeededPictureFitsLikeTheScan) {
    const int width = GetParam();
    const Picture picture{width, 7, support::seededBytes(width * 21u, 1000u + width)};
    const IndexedPicture out = convertToIndexed(picture);
    ASSERT_EQ(out.stride, (width + 3) / 4 * 4);
    EXPECT_EQ(out.pixels, reference::convertToIndexed(picture).pixels);
    const std::uint8_t* p = picture.pixel(width - 1, 0);  // rows are stored bottom first
    EXPECT_EQ(out.pixels[6 * out.stride + width - 1], reference::nearestFixedIndex(p[0], p[1], p[2]));
}
INSTANTIATE_TEST_SUITE_P(Widths, ConvertWidths, ::testing::Values(1, 3, 5, 250, 256));

TEST(ConvertToIndexed, PicturesShortOfTheirSizeGiveNothing) {
    EXPECT_TRUE(convertToIndexed(Picture{5, 2, Bytes(29, 255)}).pixels.empty());
    EXPECT_TRUE(convertToIndexed(Picture{}).pixels.empty());
}

TEST(ReduceTo9Bit, KeepsTheTopThreeBitsOfEveryChannel) {
    Picture picture{4, 1, {255, 255, 255, 100, 150, 200, 31, 0, 32, 0x49, 0x5F, 0xE0}};
    reduceTo9Bit(picture);
    EXPECT_EQ(picture.rgb, (Bytes{255, 255, 255, 0x6D, 0x92, 0xDB, 0, 0, 0x24, 0x49, 0x49, 0xFF}));
}

// A 4-bit import shows every pixel in the nearest of the bank's colours, after the
// 9-bit reduction when asked, and cuts to the canvas.
TEST(FitForBank, EveryPixelTakesTheNearestBankColour) {
    std::array<palette::RgbColour, 16> bank{};
    for (int v = 0; v < 16; ++v) bank[static_cast<std::size_t>(v)] = {(v % 4) * 85, (v / 4) * 85, v < 8 ? 0 : 255};
    const Picture picture{40, 30, support::seededBytes(40 * 30 * 3, 77)};
    for (const bool nineBit : {false, true}) {
        Picture source = picture;
        if (nineBit) reduceTo9Bit(source);
        const Picture fitted = fitForBank(picture, 32, 20, nineBit, bank);
        ASSERT_EQ(std::pair(fitted.width, fitted.height), std::pair(32, 20));
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 32; ++x) {
                const std::uint8_t* in = source.pixel(x, y);
                const auto distance = [&](const palette::RgbColour& c) {
                    return (c.red - in[0]) * (c.red - in[0]) + (c.green - in[1]) * (c.green - in[1]) +
                           (c.blue - in[2]) * (c.blue - in[2]);
                };  // the first of equally near colours wins
                const auto& want = *std::ranges::min_element(bank, {}, distance);
                const std::uint8_t* out = fitted.pixel(x, y);
                ASSERT_EQ((palette::RgbColour{out[0], out[1], out[2]}), want) << x << "," << y;
            }
    }
}

}  // namespace
