#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "imaging/colour_fit.h"
#include "imaging/fixed_colour_table.h"

using namespace imaging;

namespace {
Picture solidPicture(int w, int h, Rgb c) {
    Picture p;
    p.width = w;
    p.height = h;
    p.rgb.resize(static_cast<std::size_t>(w) * h * 3);
    for (std::size_t i = 0; i < p.rgb.size(); i += 3) {
        p.rgb[i] = c.r;
        p.rgb[i + 1] = c.g;
        p.rgb[i + 2] = c.b;
    }
    return p;
}

Picture randomPicture(int w, int h, unsigned seed) {
    Picture p;
    p.width = w;
    p.height = h;
    p.rgb.resize(static_cast<std::size_t>(w) * h * 3);
    std::mt19937 rng(seed);
    for (auto& v : p.rgb) v = static_cast<std::uint8_t>(rng() & 0xFF);
    return p;
}
}  // namespace

TEST(NearestFixedIndexTest, EveryTableColourFitsToItself) {
    for (int i = 0; i < 256; ++i) {
        const Rgb c = FIXED_COLOUR_TABLE[static_cast<std::size_t>(i)];
        EXPECT_EQ(nearestFixedIndexReference(c.r, c.g, c.b), i);
        EXPECT_EQ(nearestFixedIndex(c.r, c.g, c.b), i);
    }
}

TEST(NearestFixedIndexTest, KnownColours) {
    EXPECT_EQ(nearestFixedIndex(255, 0, 255), 0xE3);
    EXPECT_EQ(nearestFixedIndex(0, 0, 0), 0);
    EXPECT_EQ(nearestFixedIndex(255, 255, 255), 255);
    // LEVELS_3BIT's 0x49, 0x92, 0xDB are not table levels but land on 0x48, 0x91, 0xDA.
    EXPECT_EQ(FIXED_COLOUR_TABLE[nearestFixedIndex(0x49, 0, 0)].r, 0x48);
    EXPECT_EQ(FIXED_COLOUR_TABLE[nearestFixedIndex(0, 0x92, 0)].g, 0x91);
    EXPECT_EQ(FIXED_COLOUR_TABLE[nearestFixedIndex(0xDB, 0x49, 0xFF)], (Rgb{0xDA, 0x48, 0xFF}));
    // Near black: black beats (0, 0x24, 0x24) when blue is low ...
    EXPECT_EQ(nearestFixedIndex(0, 20, 0), 0);
    // ... and loses to it when blue is high enough.
    EXPECT_EQ(nearestFixedIndex(0, 20, 30), 4);
}

// The channel-by-channel fit must agree with the 256-entry scan everywhere; near
// black, where the table breaks its own pattern, is checked on every colour.
TEST(NearestFixedIndexTest, MatchesReferenceOnCoarseGridAndDarkCube) {
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 3)
            for (int b = 0; b < 256; b += 3)
                ASSERT_EQ(nearestFixedIndex(r, g, b), nearestFixedIndexReference(r, g, b))
                    << r << "," << g << "," << b;
    for (int r = 0; r < 80; ++r)
        for (int g = 0; g < 80; ++g)
            for (int b = 0; b < 80; ++b)
                ASSERT_EQ(nearestFixedIndex(r, g, b), nearestFixedIndexReference(r, g, b))
                    << r << "," << g << "," << b;
}

// All 16.7M colours, in four slices of red so a parallel test run can share them out.
class NearestFixedIndexExhaustiveTest : public ::testing::TestWithParam<int> {};

TEST_P(NearestFixedIndexExhaustiveTest, MatchesReferenceOnEveryColour) {
    const int first = GetParam() * 64;
    for (int r = first; r < first + 64; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b)
                ASSERT_EQ(nearestFixedIndex(r, g, b), nearestFixedIndexReference(r, g, b))
                    << r << "," << g << "," << b;
}

INSTANTIATE_TEST_SUITE_P(RedQuarters, NearestFixedIndexExhaustiveTest, ::testing::Range(0, 4));

class ConvertToIndexedWidthTest : public ::testing::TestWithParam<int> {};

TEST_P(ConvertToIndexedWidthTest, MatchesReferenceWithPaddedBottomUpRows) {
    const int w = GetParam();
    const int h = 7;
    const Picture pic = randomPicture(w, h, 1000u + static_cast<unsigned>(w));
    const IndexedPicture out = convertToIndexed(pic);
    ASSERT_EQ(out.width, w);
    ASSERT_EQ(out.height, h);
    ASSERT_EQ(out.stride % 4, 0);
    ASSERT_GE(out.stride, w);
    ASSERT_LT(out.stride, w + 4);
    ASSERT_EQ(out.pixels.size(), static_cast<std::size_t>(out.stride) * h);
    EXPECT_EQ(out.pixels, convertToIndexedReference(pic).pixels);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* px = pic.pixel(x, y);
            ASSERT_EQ(out.at(x, y), nearestFixedIndexReference(px[0], px[1], px[2])) << x << "," << y;
        }
        // Stored row h-1-y holds row y; its padding is zero.
        const std::size_t row = static_cast<std::size_t>(h - 1 - y) * out.stride;
        for (int x = w; x < out.stride; ++x) EXPECT_EQ(out.pixels[row + x], 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, ConvertToIndexedWidthTest, ::testing::Values(1, 2, 3, 4, 5, 250, 256, 257));

TEST(ConvertToIndexedTest, WidthFiveGivesStrideEightWithZeroPad) {
    Picture pic = solidPicture(5, 2, {255, 255, 255});
    // Top row magenta, bottom row white: the bottom row is stored first.
    for (int x = 0; x < 5; ++x) {
        pic.pixel(x, 0)[1] = 0;
    }
    const IndexedPicture out = convertToIndexed(pic);
    EXPECT_EQ(out.stride, 8);
    const std::vector<std::uint8_t> expected = {255, 255, 255, 255, 255, 0, 0, 0,
                                                0xE3, 0xE3, 0xE3, 0xE3, 0xE3, 0, 0, 0};
    EXPECT_EQ(out.pixels, expected);
}

TEST(ConvertToIndexedTest, LargeRandomPictureMatchesReference) {
    const Picture pic = randomPicture(512, 384, 7);
    EXPECT_EQ(convertToIndexed(pic).pixels, convertToIndexedReference(pic).pixels);
}

TEST(ConvertToIndexedTest, TableColoursConvertWithoutLossAndTwiceIsOnce) {
    Picture pic;
    pic.width = 16;
    pic.height = 16;
    for (const Rgb& c : FIXED_COLOUR_TABLE) {
        pic.rgb.push_back(c.r);
        pic.rgb.push_back(c.g);
        pic.rgb.push_back(c.b);
    }
    const IndexedPicture out = convertToIndexed(pic);
    Picture back;
    back.width = 16;
    back.height = 16;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(out.at(x, y), y * 16 + x);
            const Rgb c = FIXED_COLOUR_TABLE[out.at(x, y)];
            back.rgb.push_back(c.r);
            back.rgb.push_back(c.g);
            back.rgb.push_back(c.b);
        }
    EXPECT_EQ(back.rgb, pic.rgb);
    EXPECT_EQ(convertToIndexed(back).pixels, out.pixels);
}

TEST(ConvertToIndexedTest, EmptyOrShortPictureGivesEmptyResult) {
    EXPECT_TRUE(convertToIndexed(Picture{}).pixels.empty());
    Picture zeroHigh;
    zeroHigh.width = 4;
    EXPECT_EQ(convertToIndexed(zeroHigh).width, 0);
    Picture shortStore = solidPicture(4, 4, {1, 2, 3});
    shortStore.rgb.pop_back();
    const IndexedPicture out = convertToIndexed(shortStore);
    EXPECT_EQ(out.width, 0);
    EXPECT_TRUE(out.pixels.empty());
}

TEST(ReduceTo9BitTest, ExpandsTopThreeBitsOfEachChannel) {
    Picture pic = solidPicture(3, 1, {255, 255, 255});
    pic.pixel(1, 0)[0] = 100;
    pic.pixel(1, 0)[1] = 150;
    pic.pixel(1, 0)[2] = 200;
    pic.pixel(2, 0)[0] = 31;
    pic.pixel(2, 0)[1] = 0;
    pic.pixel(2, 0)[2] = 32;
    reduceTo9Bit(pic);
    const std::vector<std::uint8_t> expected = {255, 255, 255, 0x6D, 0x92, 0xDB, 0, 0, 0x24};
    EXPECT_EQ(pic.rgb, expected);
}

TEST(ReduceTo9BitTest, EveryChannelValueAndIdempotent) {
    Picture pic;
    pic.width = 256;
    pic.height = 1;
    for (int v = 0; v < 256; ++v) {
        pic.rgb.push_back(static_cast<std::uint8_t>(v));
        pic.rgb.push_back(static_cast<std::uint8_t>(255 - v));
        pic.rgb.push_back(static_cast<std::uint8_t>(v ^ 0x55));
    }
    const Picture before = pic;
    reduceTo9Bit(pic);
    for (std::size_t i = 0; i < pic.rgb.size(); ++i) ASSERT_EQ(pic.rgb[i], LEVELS_3BIT[before.rgb[i] >> 5]) << i;
    const Picture once = pic;
    reduceTo9Bit(pic);
    EXPECT_EQ(pic.rgb, once.rgb);
}

TEST(ReduceTo9BitTest, ReducedLevelsFitToNeighbouringTableLevels) {
    // After the reduction every channel is a LEVELS_3BIT value; each fits to the
    // table level with the same k (0x49 -> 0x48 and so on).
    for (int k = 0; k < 8; ++k) {
        const std::uint8_t v = LEVELS_3BIT[static_cast<std::size_t>(k)];
        const Rgb fitted = FIXED_COLOUR_TABLE[nearestFixedIndex(v, v, 255)];
        EXPECT_EQ(fitted.r, FIXED_COLOUR_TABLE[static_cast<std::size_t>(k << 5)].r) << k;
        EXPECT_EQ(fitted.g, FIXED_COLOUR_TABLE[static_cast<std::size_t>(k << 5)].r) << k;
    }
}
