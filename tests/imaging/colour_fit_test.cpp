// Colour fitting: the channel-by-channel fit against the 256-entry scan, the bitmap
// row layout of its result, and the 9-bit reduction.
#include "imaging/colour_fit.h"
#include "tests/support/colour_fit_reference.h"

#include "picture_files.h"

#include <gtest/gtest.h>

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
    ASSERT_EQ(out.pixels.size(), out.stride * 7u);
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

}  // namespace
