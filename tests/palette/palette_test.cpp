#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "imaging/fixed_colour_table.h"
#include "palette/colour_use.h"
#include "palette/palette_file.h"
#include "tests/support/files.h"

using namespace palette;
using support::Bytes;

namespace {
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

// Three-byte records until the end; a short last record is padded with zeros, and
// entries past the end are black, which is never found.
TEST(Palette, EntriesFollowTheFileLength) {
    struct Case { std::size_t bytes, entries; };
    for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{2, 1}, Case{3, 1}, Case{767, 256}, Case{768, 256},
                          Case{769, 257}, Case{770, 257}}) {
        Bytes bytes(c.bytes);
        for (std::size_t i = 0; i < c.bytes; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
        const Palette p = paletteFromBytes(bytes);
        ASSERT_EQ(p.size(), c.entries) << c.bytes;
        for (int i : {-1, int(c.entries)}) EXPECT_EQ(paletteColour(p, i), RgbColour{}) << i;
        EXPECT_EQ(findPaletteIndex(p, 0, 0, 0), std::nullopt);
        if (c.entries == 0) continue;
        const std::size_t at = (c.entries - 1) * 3;
        auto byte = [&](std::size_t i) { return i < c.bytes ? int{bytes[i]} : 0; };
        EXPECT_EQ(paletteColour(p, int(c.entries) - 1), (RgbColour{byte(at), byte(at + 1), byte(at + 2)})) << c.bytes;
        EXPECT_EQ(p[c.entries - 1].paletteIndex, int(c.entries) - 1);
    }
}

// Few colours, many repeats and entries past 255: the answer is always the lowest
// index 0..255 with exactly that colour, as a walk from 0 finds it.
TEST(Palette, FindIndexAnswersTheLowestIndexUpTo255) {
    const Bytes seeds = support::seededBytes(258, 12345);
    auto colourOf = [](int v) { return RgbColour{v * 6, 255 - v, (v * 37) & 0xFF}; };
    std::vector<RgbColour> colours;
    for (int i = 0; i < 256; ++i) colours.push_back(colourOf(seeds[i] % 40));
    colours.push_back({1, 2, 3});    // only past 255
    colours.push_back(colours[40]);  // a copy past 255
    Bytes bytes;
    for (const RgbColour& c : colours)
        bytes.insert(bytes.end(), {std::uint8_t(c.red), std::uint8_t(c.green), std::uint8_t(c.blue)});
    const Palette p = paletteFromBytes(bytes);
    for (int v = 0; v < 41; ++v) {
        const RgbColour c = v < 40 ? colourOf(v) : RgbColour{1, 2, 3};
        const auto found = std::find(colours.begin(), colours.begin() + 256, c);
        const auto expected = found == colours.begin() + 256 ? std::nullopt : std::optional(int(found - colours.begin()));
        EXPECT_EQ(findPaletteIndex(p, c.red, c.green, c.blue), expected) << "v=" << v;
    }
    EXPECT_EQ(findPaletteIndex(p, colours[0].red + 256, colours[0].green, colours[0].blue), std::nullopt);
}

// The window's length table loads palettes of every awkward length; here the size
// limit itself and the reason for each refusal.
TEST(PaletteFile, TakesFilesUpToTheLimitAndRefusesWhatItCannotRead) {
    const support::TempFolder dir;
    std::filesystem::create_directories(dir / "folder.pal");
    auto write = [&](const char* name, std::size_t size) { return support::utf8Path(dir.write(name, Bytes(size, 0x11))); };
    EXPECT_EQ(loadPalette(write("limit.pal", MAX_PALETTE_FILE_BYTES))->palette.size(), MAX_PALETTE_FILE_BYTES / 3 + 1);
    using model::ErrorKind;
    for (const auto& [bad, kind] : {std::pair{dir / "missing.pal", ErrorKind::NotFound},
                                    {dir / "folder.pal", ErrorKind::Unreadable},
                                    {write("ok.pal", 3) / "through.pal", ErrorKind::NotFound},
                                    {write("big.pal", MAX_PALETTE_FILE_BYTES + 1), ErrorKind::TooLarge}}) {
        const auto result = loadPalette(bad);
        ASSERT_FALSE(result) << bad;
        EXPECT_EQ(result.error().kind, kind) << bad;
    }
}

// Picking and importing by exact colour rely on the shipped file being the fixed table
// (whose 256 colours the palette pictures show all different, 0xE3 magenta).
TEST(PaletteFile, ShippedFileIsTheFixedColourTable) {
    const auto loaded = loadPalette(std::filesystem::path(VIROROR_RESOURCES) / PALETTE_FILE_NAME);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->palette.size(), 256u);
    EXPECT_EQ(loaded->colourSlots, loaded->palette.entries());  // what the views pick from
    for (int i = 0; i < 256; ++i) {
        const imaging::Rgb& fixed = imaging::FIXED_COLOUR_TABLE[static_cast<std::size_t>(i)];
        EXPECT_EQ(paletteColour(loaded->palette, i), (RgbColour{fixed.r, fixed.g, fixed.b})) << i;
    }
}

// Non-zero values of sprites 1..count only (count clamped to 0..64, never past a
// span's end), listed ascending with no stale records after fewer colours.
TEST(ColourUse, CountsTheNonZeroValuesOfTheSpritesInUse) {
    Bytes all(SHEET_BYTES);
    for (int i = 0; i < SHEET_BYTES; ++i) all[i] = static_cast<std::uint8_t>(i + 1);
    const ColourUse every = countColours(all.data(), 64);
    EXPECT_EQ(every.count, 255);
    std::array<std::uint8_t, 512> expected{};
    for (int k = 0; k < 255; ++k) expected[2 * k] = std::uint8_t(k + 1);
    EXPECT_EQ(colourPaletteBytes(every.markers), expected);

    Bytes s(SHEET_BYTES + 1, 0);
    s[0] = 5, s[2 * SPRITE - 1] = 9, s[2 * SPRITE] = 7, s[SHEET_BYTES - 1] = 3, s[SHEET_BYTES] = 42;
    struct Case { int sprites, count; };
    for (const Case& c : {Case{-5, 0}, Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{3, 3}, Case{1000, 4}})
        EXPECT_EQ(countColours(s.data(), c.sprites).count, c.count) << c.sprites;
    EXPECT_EQ(colourPaletteBytes(countColours(s.data(), 3).markers), recordsOf({5, 7, 9}));
    EXPECT_EQ(countColours(nullptr, 64).count, 0);
    EXPECT_EQ(countColours(std::span<const std::uint8_t>(s.data(), 2 * SPRITE + 10), 64).count, 2);
}
