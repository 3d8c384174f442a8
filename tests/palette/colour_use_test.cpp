#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "palette/colour_use.h"

using namespace palette;

namespace {
constexpr int SHEET_BYTES = COLOUR_USE_MAX_SPRITES * COLOUR_USE_SPRITE_BYTES;
using Sheet = std::array<std::uint8_t, SHEET_BYTES>;

Sheet filledSheet(std::uint8_t value) {
    Sheet s;
    s.fill(value);
    return s;
}

std::array<std::uint8_t, 512> zeros() { return {}; }
}  // namespace

TEST(CountColoursTest, ZeroIsNeverCounted) {
    const Sheet s = filledSheet(0);
    const ColourUse use = countColours(s.data(), 64);
    EXPECT_EQ(use.count, 0);
    EXPECT_EQ(colourPaletteBytes(use.markers), zeros());
}

TEST(CountColoursTest, ClearedSheetCountsTransparentOnce) {
    const Sheet s = filledSheet(0xE3);
    const ColourUse use = countColours(s.data(), 64);
    EXPECT_EQ(use.count, 1);
    EXPECT_TRUE(use.markers[0xE3]);
    auto expected = zeros();
    expected[0] = 0xE3;
    EXPECT_EQ(colourPaletteBytes(use.markers), expected);
}

TEST(CountColoursTest, EveryValueInEverySpriteGives255) {
    Sheet s;
    for (int i = 0; i < SHEET_BYTES; ++i) s[i] = static_cast<std::uint8_t>(i);
    const ColourUse use = countColours(s.data(), 64);
    EXPECT_EQ(use.count, 255);
    EXPECT_FALSE(use.markers[0]);
    const auto bytes = colourPaletteBytes(use.markers);
    for (int k = 0; k < 255; ++k) {
        EXPECT_EQ(bytes[2 * k], k + 1);
        EXPECT_EQ(bytes[2 * k + 1], 0);
    }
    EXPECT_EQ(bytes[510], 0);
    EXPECT_EQ(bytes[511], 0);
}

TEST(CountColoursTest, OnlySpritesInUseAreRead) {
    Sheet s = filledSheet(0);
    s[0] = 5;                            // sprite 1
    s[COLOUR_USE_SPRITE_BYTES + 255] = 9;  // last byte of sprite 2
    s[2 * COLOUR_USE_SPRITE_BYTES] = 7;  // sprite 3
    EXPECT_EQ(countColours(s.data(), 0).count, 0);
    EXPECT_EQ(countColours(s.data(), 1).count, 1);
    EXPECT_EQ(countColours(s.data(), 2).count, 2);
    const ColourUse three = countColours(s.data(), 3);
    EXPECT_EQ(three.count, 3);
    auto expected = zeros();
    expected[0] = 5;
    expected[2] = 7;
    expected[4] = 9;
    EXPECT_EQ(colourPaletteBytes(three.markers), expected);
}

TEST(CountColoursTest, SpriteCountIsClamped) {
    // A block with one byte past 64 sprites that must never be read.
    std::vector<std::uint8_t> block(SHEET_BYTES + 1, 0);
    block[SHEET_BYTES] = 42;
    block[SHEET_BYTES - 1] = 3;
    EXPECT_EQ(countColours(block.data(), 1000).count, 1);
    EXPECT_EQ(countColours(block.data(), -5).count, 0);
    EXPECT_EQ(countColours(nullptr, 64).count, 0);
}

TEST(CountColoursTest, SpanStopsAtEndOfBlock) {
    std::vector<std::uint8_t> block(COLOUR_USE_SPRITE_BYTES * 2 + 10, 0);
    block[COLOUR_USE_SPRITE_BYTES] = 8;
    block[COLOUR_USE_SPRITE_BYTES * 2 + 3] = 9;  // in a partial third sprite: not counted
    const ColourUse use = countColours(std::span<const std::uint8_t>(block), 64);
    EXPECT_EQ(use.count, 1);
    EXPECT_TRUE(use.markers[8]);
    EXPECT_FALSE(use.markers[9]);
}

TEST(ColourPaletteBytesTest, FewerColoursLeaveNoStaleRecords) {
    Sheet s = filledSheet(0);
    for (int i = 0; i < 50; ++i) s[i] = static_cast<std::uint8_t>(100 + i);
    const auto many = colourPaletteBytes(countColours(s.data(), 1).markers);
    EXPECT_EQ(many[98], 149);
    std::fill(s.begin() + 2, s.begin() + 50, std::uint8_t{0});
    const auto few = colourPaletteBytes(countColours(s.data(), 1).markers);
    auto expected = zeros();
    expected[0] = 100;
    expected[2] = 101;
    EXPECT_EQ(few, expected);
}
