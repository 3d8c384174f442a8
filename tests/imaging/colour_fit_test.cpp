// Colour fitting: the channel-by-channel fit against the 256-entry scan, the bitmap
// row layout of its result, and the 9-bit reduction.
#include "imaging/colour_fit.h"
#include "imaging/import_fit.h"
#include "imaging/sprite_grab.h"
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

// A 4-bit import shows every pixel in the nearest of the bank's opaque colours (never
// value 3's), after the 9-bit reduction when asked, cut to the canvas; a pixel the
// 8-bit fit makes transparent shows the transparent table colour instead.
TEST(FitForBank, EveryPixelTakesTheNearestOpaqueBankColour) {
    std::array<palette::RgbColour, 16> bank{};
    for (int v = 0; v < 16; ++v) bank[static_cast<std::size_t>(v)] = {(v % 4) * 85, (v / 4) * 85, v < 8 ? 0 : 255};
    Picture picture{40, 30, support::seededBytes(40 * 30 * 3, 77)};
    for (int x = 0; x < 6; ++x) {  // magenta and near it, which fit to the transparent index
        std::uint8_t* p = picture.pixel(x, 2);
        p[0] = static_cast<std::uint8_t>(255 - x), p[1] = static_cast<std::uint8_t>(x), p[2] = 250;
    }
    const palette::RgbColour transparent{255, 0, 255};
    for (const bool nineBit : {false, true}) {
        Picture source = picture;
        if (nineBit) reduceTo9Bit(source);
        const Picture fitted = fitForBank(picture, 32, 20, nineBit, bank);
        ASSERT_EQ(std::pair(fitted.width, fitted.height), std::pair(32, 20));
        int transparentPixels = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 32; ++x) {
                const std::uint8_t* in = source.pixel(x, y);
                const auto distance = [&](const palette::RgbColour& c) {
                    return (c.red - in[0]) * (c.red - in[0]) + (c.green - in[1]) * (c.green - in[1]) +
                           (c.blue - in[2]) * (c.blue - in[2]);
                };
                std::vector<palette::RgbColour> opaque(bank.begin(), bank.end());
                opaque.erase(opaque.begin() + 3);  // value 3 is transparent, never the nearest
                const bool seeThrough = reference::nearestFixedIndex(in[0], in[1], in[2]) == 0xE3;
                transparentPixels += seeThrough;
                const auto want = seeThrough ? transparent : *std::ranges::min_element(opaque, {}, distance);
                const std::uint8_t* out = fitted.pixel(x, y);
                ASSERT_EQ((palette::RgbColour{out[0], out[1], out[2]}), want) << x << "," << y;
            }
        EXPECT_GE(transparentPixels, 6);
    }
}

// The grab of a 4-bit sheet: the transparent colour of a 4-bit import is value 3, a
// bank colour its opaque value, value 3's own colour (opaque in a picture) the nearest
// other value, the background nothing, and any other colour the nearest opaque value.
TEST(GrabColours, FourBitCellsTakeOpaqueBankValuesAndTransparentOnlyFromItsColour) {
    std::vector<palette::PaletteEntry> entries;
    for (int i = 0; i < 256; ++i) {
        const Rgb& c = FIXED_COLOUR_TABLE[static_cast<std::size_t>(i)];
        entries.push_back(palette::makePaletteEntry(c.r, c.g, c.b, i));
    }
    const palette::Palette colours(entries);
    model::SpriteModel sheet;
    sheet.depth = model::SpriteDepth::Four;
    sheet.bank = 0;  // entries 0 to 15: black to blue shades, entry 3 (0, 0, 255)
    const GrabColours grab(colours, sheet, IMPORT_BACKGROUND);
    const auto valueOf = [&](Rgb c) { return grab.valueOf({c.r, c.g, c.b}); };
    EXPECT_EQ(valueOf(FOUR_BIT_TRANSPARENT), 3);
    EXPECT_EQ(valueOf(FIXED_COLOUR_TABLE[5]), 5);
    EXPECT_NE(valueOf(FIXED_COLOUR_TABLE[3]), 3);
    EXPECT_EQ(valueOf(IMPORT_BACKGROUND), std::nullopt);
    EXPECT_EQ(valueOf(Rgb{0, 0, 240}), 7);  // nearest to 3, (0, 0, 255), then to 7, (0, 36, 255)
}

}  // namespace
