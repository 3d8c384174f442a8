#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "palette/palette.h"

using namespace palette;

namespace {
std::vector<std::uint8_t> recordsOf(const std::vector<RgbColour>& colours) {
    std::vector<std::uint8_t> bytes;
    for (const RgbColour& c : colours) {
        bytes.push_back(static_cast<std::uint8_t>(c.red));
        bytes.push_back(static_cast<std::uint8_t>(c.green));
        bytes.push_back(static_cast<std::uint8_t>(c.blue));
    }
    return bytes;
}

// 256 distinct colours: index i -> (i, 255 - i, i ^ 0x5A).
std::vector<RgbColour> distinctColours() {
    std::vector<RgbColour> c;
    for (int i = 0; i < 256; ++i) c.push_back({i, 255 - i, i ^ 0x5A});
    return c;
}
}  // namespace

TEST(PaletteEntryTest, NextColourFieldsFollowTopThreeBits) {
    const PaletteEntry magenta = makePaletteEntry(255, 0, 255, 7);
    EXPECT_EQ(magenta.nextColourByte, 0xE3);
    EXPECT_EQ(magenta.nextBlueBit, 1);
    EXPECT_EQ(magenta.paletteIndex, 7);
    EXPECT_EQ(magenta.slot, 0);

    const PaletteEntry e = makePaletteEntry(36, 73, 146, 0);
    EXPECT_EQ(nextColour9Bit(36, 73, 146), 0x54);
    EXPECT_EQ(e.nextColourByte, 0x2A);
    EXPECT_EQ(e.nextBlueBit, 0);

    const PaletteEntry white = makePaletteEntry(255, 255, 255, 0);
    EXPECT_EQ(white.nextColourByte, 0xFF);
    EXPECT_EQ(white.nextBlueBit, 1);
}

TEST(PaletteTest, RecordsBecomeEntriesInFileOrder) {
    const auto colours = distinctColours();
    const Palette p = paletteFromBytes(recordsOf(colours));
    ASSERT_EQ(p.size(), 256u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(p[i].paletteIndex, i);
        EXPECT_EQ(paletteColour(p, i), colours[i]);
        EXPECT_EQ(findPaletteIndex(p, colours[i].red, colours[i].green, colours[i].blue), i);
    }
}

struct SizeCase {
    std::size_t bytes;
    std::size_t entries;
};
class PaletteSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PaletteSizeTest, ShortLastRecordIsPaddedWithZeros) {
    std::vector<std::uint8_t> bytes(GetParam().bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    const Palette p = paletteFromBytes(bytes);
    ASSERT_EQ(p.size(), GetParam().entries);
    if (bytes.size() % 3 != 0) {
        const PaletteEntry& last = p[p.size() - 1];
        const std::size_t start = (p.size() - 1) * 3;
        EXPECT_EQ(last.red, bytes[start]);
        EXPECT_EQ(last.green, start + 1 < bytes.size() ? bytes[start + 1] : 0);
        EXPECT_EQ(last.blue, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PaletteSizeTest,
                         ::testing::Values(SizeCase{0, 0}, SizeCase{1, 1}, SizeCase{2, 1}, SizeCase{3, 1},
                                           SizeCase{767, 256}, SizeCase{768, 256}, SizeCase{769, 257},
                                           SizeCase{770, 257}));

TEST(PaletteTest, MissingEntriesAreBlackAndNeverRead) {
    const Palette p = paletteFromBytes(recordsOf({{10, 20, 30}, {40, 50, 60}}));
    EXPECT_EQ(paletteColour(p, 1), (RgbColour{40, 50, 60}));
    EXPECT_EQ(paletteColour(p, 2), (RgbColour{}));
    EXPECT_EQ(paletteColour(p, 255), (RgbColour{}));
    EXPECT_EQ(paletteColour(p, -1), (RgbColour{}));
    EXPECT_EQ(paletteColour(Palette{}, 0), (RgbColour{}));
    // Black is not an entry of this palette, so it finds nothing.
    EXPECT_EQ(findPaletteIndex(p, 0, 0, 0), std::nullopt);
    EXPECT_EQ(findPaletteIndex(Palette{}, 0, 0, 0), std::nullopt);
}

TEST(PaletteTest, SharedColourFindsLowestIndex) {
    auto colours = distinctColours();
    colours[200] = colours[12];
    colours[255] = colours[12];
    const Palette p = paletteFromBytes(recordsOf(colours));
    EXPECT_EQ(findPaletteIndex(p, colours[12].red, colours[12].green, colours[12].blue), 12);
    // The other entries keep their own colour.
    EXPECT_EQ(paletteColour(p, 200), colours[12]);
}

TEST(PaletteTest, EntriesPast255AreKeptButNeverAnswered) {
    auto colours = distinctColours();
    colours.push_back({1, 2, 3});          // entry 256: a colour no other entry has
    colours.push_back(colours[40]);        // entry 257: a copy of entry 40
    const Palette p = paletteFromBytes(recordsOf(colours));
    ASSERT_EQ(p.size(), 258u);
    EXPECT_EQ(paletteColour(p, 256), (RgbColour{1, 2, 3}));
    EXPECT_EQ(findPaletteIndex(p, 1, 2, 3), std::nullopt);
    EXPECT_EQ(findPaletteIndex(p, colours[40].red, colours[40].green, colours[40].blue), 40);
}

TEST(PaletteTest, UnknownAndOutOfRangeColoursFindNothing) {
    const Palette p = paletteFromBytes(recordsOf(distinctColours()));
    EXPECT_EQ(findPaletteIndex(p, 0, 0, 0), std::nullopt);  // (0, 255, 0x5A) is entry 0
    EXPECT_EQ(findPaletteIndex(p, -1, 255, 0x5A), std::nullopt);
    EXPECT_EQ(findPaletteIndex(p, 256, 0, 0), std::nullopt);
    EXPECT_EQ(findPaletteIndex(p, 0, 255, 0x5A), 0);
}

TEST(PaletteTest, LookupAgreesWithLinearScanOnCrowdedPalette) {
    // Few distinct colours, many repeats, so the hash table sees collisions and
    // duplicates; the answer must always be the first entry found walking from 0.
    std::vector<RgbColour> colours;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 256; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int v = static_cast<int>((seed >> 16) % 40);
        colours.push_back({v * 6, 255 - v, (v * 37) & 0xFF});
    }
    const Palette p = paletteFromBytes(recordsOf(colours));
    for (int v = 0; v < 45; ++v) {
        const RgbColour c{v * 6, 255 - v, (v * 37) & 0xFF};
        std::optional<int> expected;
        for (int i = 0; i < 256 && !expected; ++i)
            if (colours[i] == c) expected = i;
        EXPECT_EQ(findPaletteIndex(p, c.red, c.green, c.blue), expected) << "v=" << v;
    }
}

TEST(PaletteTest, SlotsAreACopyOfEveryEntry) {
    auto colours = distinctColours();
    colours.push_back({9, 9, 9});
    const Palette p = paletteFromBytes(recordsOf(colours));
    const ColourSlots slots = slotsFromPalette(p);
    ASSERT_EQ(slots.size(), p.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(slots[i], p[i]);
        EXPECT_EQ(slots[i].slot, 0);
    }
}
