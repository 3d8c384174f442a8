#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <vector>

#include "imaging/fixed_colour_table.h"
#include "palette/colour_use.h"
#include "palette/palette_file.h"

namespace fs = std::filesystem;
using namespace palette;

namespace {
std::vector<std::uint8_t> bytesOf(const std::vector<RgbColour>& colours) {
    std::vector<std::uint8_t> bytes;
    for (const RgbColour& c : colours)
        for (int v : {c.red, c.green, c.blue}) bytes.push_back(static_cast<std::uint8_t>(v));
    return bytes;
}

constexpr int SPRITE = COLOUR_USE_SPRITE_BYTES;
constexpr int SHEET_BYTES = COLOUR_USE_MAX_SPRITES * SPRITE;

// The colors.pal content listing these values: (value, 0) records, then zeros.
std::array<std::uint8_t, 512> recordsOf(std::initializer_list<int> values) {
    std::array<std::uint8_t, 512> bytes{};
    int k = 0;
    for (int v : values) bytes[2 * k++] = static_cast<std::uint8_t>(v);
    return bytes;
}
}  // namespace

TEST(Palette, NextColourFieldsFollowTheTopThreeBits) {
    struct Case { int r, g, b, byte, blueBit; };
    for (const Case& c : {Case{255, 0, 255, 0xE3, 1}, Case{36, 73, 146, 0x2A, 0}, Case{255, 255, 255, 0xFF, 1},
                          Case{0, 0, 32, 0x00, 1}, Case{0, 0, 64, 0x01, 0}}) {
        const PaletteEntry e = makePaletteEntry(c.r, c.g, c.b, 7);
        EXPECT_EQ(e.nextColourByte, c.byte) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(e.nextBlueBit, c.blueBit) << c.r << "," << c.g << "," << c.b;
    }
}

// Three-byte records until the end; a short last record is padded with zeros.
TEST(Palette, EntriesFollowTheFileLength) {
    struct Case { std::size_t bytes, entries; };
    for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{2, 1}, Case{3, 1}, Case{767, 256}, Case{768, 256},
                          Case{769, 257}, Case{770, 257}}) {
        std::vector<std::uint8_t> bytes(c.bytes);
        for (std::size_t i = 0; i < c.bytes; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
        const Palette p = paletteFromBytes(bytes);
        ASSERT_EQ(p.size(), c.entries) << c.bytes;
        if (c.entries == 0) continue;
        const std::size_t at = (c.entries - 1) * 3;
        auto byte = [&](std::size_t i) { return i < c.bytes ? int{bytes[i]} : 0; };
        EXPECT_EQ(paletteColour(p, int(c.entries) - 1), (RgbColour{byte(at), byte(at + 1), byte(at + 2)}))
            << c.bytes;
    }
}

TEST(Palette, MissingEntriesAreBlackAndBlackIsNotFound) {
    const Palette p = paletteFromBytes(bytesOf({{10, 20, 30}, {40, 50, 60}}));
    EXPECT_EQ(paletteColour(p, 1), (RgbColour{40, 50, 60}));
    EXPECT_EQ(p[1].paletteIndex, 1);
    for (int i : {2, 255, -1}) EXPECT_EQ(paletteColour(p, i), RgbColour{}) << i;
    EXPECT_EQ(findPaletteIndex(p, 0, 0, 0), std::nullopt);
    EXPECT_EQ(slotsFromPalette(p), p.entries());
}

// Repeated colours and entries past 255: the answer is the lowest index 0..255 with
// exactly that colour.
TEST(Palette, FindIndexAnswersTheLowestIndexUpTo255) {
    std::vector<RgbColour> colours;
    for (int i = 0; i < 256; ++i) colours.push_back({(i * 5) % 7 * 30, 255 - (i * 5) % 7, 9});
    colours.push_back({1, 2, 3});  // only past 255
    const Palette p = paletteFromBytes(bytesOf(colours));
    for (int i = 0; i < 7; ++i)  // (i * 5) % 7 first takes each value at i < 7
        EXPECT_EQ(findPaletteIndex(p, colours[i].red, colours[i].green, 9), i) << i;
    EXPECT_EQ(findPaletteIndex(p, 1, 2, 3), std::nullopt);
    EXPECT_EQ(findPaletteIndex(p, colours[0].red + 256, colours[0].green, 9), std::nullopt);
}

// Picking and importing by exact colour rely on the shipped file being the fixed table.
TEST(PaletteFile, ShippedFileIsTheFixedColourTable) {
    const fs::path path = fs::path(VIROROR_RESOURCES) / PALETTE_FILE_NAME;
    EXPECT_EQ(fs::file_size(path), 768u);
    const auto loaded = loadPalette(path);
    ASSERT_TRUE(loaded);
    const Palette& p = loaded->palette;
    ASSERT_EQ(p.size(), 256u);
    EXPECT_EQ(paletteColour(p, 0), (RgbColour{0, 0, 0}));
    EXPECT_EQ(paletteColour(p, 0xE3), (RgbColour{255, 0, 255}));
    EXPECT_EQ(paletteColour(p, 255), (RgbColour{255, 255, 255}));
    std::set<int> distinct;
    for (int i = 0; i < 256; ++i) {
        const imaging::Rgb& fixed = imaging::FIXED_COLOUR_TABLE[static_cast<std::size_t>(i)];
        const RgbColour c = paletteColour(p, i);
        EXPECT_EQ(c, (RgbColour{fixed.r, fixed.g, fixed.b})) << i;
        distinct.insert((c.red << 16) | (c.green << 8) | c.blue);
    }
    EXPECT_EQ(distinct.size(), 256u);
}

TEST(ColourUse, CountsNonZeroValuesAndListsThemAscending) {
    for (int fill : {0, 0xE3}) {
        const ColourUse use = countColours(std::vector<std::uint8_t>(SHEET_BYTES, fill), 64);
        EXPECT_EQ(use.count, fill ? 1 : 0);
        EXPECT_EQ(colourPaletteBytes(use.markers), fill ? recordsOf({0xE3}) : recordsOf({}));
    }
    std::vector<std::uint8_t> s(SHEET_BYTES);
    for (int i = 0; i < SHEET_BYTES; ++i) s[i] = static_cast<std::uint8_t>(i);
    const ColourUse use = countColours(s.data(), 64);
    EXPECT_EQ(use.count, 255);
    EXPECT_FALSE(use.markers[0]);
    const auto all = colourPaletteBytes(use.markers);
    for (int k = 0; k < 256; ++k) {
        EXPECT_EQ(all[2 * k], k < 255 ? k + 1 : 0) << k;
        EXPECT_EQ(all[2 * k + 1], 0) << k;
    }
}

// Only sprites 1..count are read: count clamped to 0..64, never past a span's end.
TEST(ColourUse, ReadsOnlyTheSpritesInUse) {
    std::vector<std::uint8_t> s(SHEET_BYTES + 1, 0);
    s[0] = 5;                        // sprite 1
    s[2 * SPRITE - 1] = 9;           // last byte of sprite 2
    s[2 * SPRITE] = 7;               // sprite 3
    s[SHEET_BYTES - 1] = 3;          // sprite 64
    s[SHEET_BYTES] = 42;             // past the sheet
    struct Case { int sprites, count; };
    for (const Case& c : {Case{-5, 0}, Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{3, 3}, Case{1000, 4}})
        EXPECT_EQ(countColours(s.data(), c.sprites).count, c.count) << c.sprites;
    EXPECT_EQ(colourPaletteBytes(countColours(s.data(), 3).markers), recordsOf({5, 7, 9}));
    EXPECT_EQ(countColours(nullptr, 64).count, 0);
    // A block of two and a bit sprites: the partial third one is not read.
    EXPECT_EQ(countColours(std::span<const std::uint8_t>(s.data(), 2 * SPRITE + 10), 64).count, 2);
}

