// The committed default palette file must hold the fixed colour table, so that
// picking and importing by exact colour find every entry.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

#include "imaging/fixed_colour_table.h"
#include "palette/palette_file.h"

using namespace palette;

TEST(DefaultPaletteTest, CommittedFileIsTheFixedTable) {
    const std::filesystem::path path = std::filesystem::path(VIROROR_RESOURCES) / PALETTE_FILE_NAME;
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 768u);

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
        EXPECT_EQ(paletteColour(p, i), (RgbColour{fixed.r, fixed.g, fixed.b})) << "index " << i;
        const RgbColour c = paletteColour(p, i);
        distinct.insert((c.red << 16) | (c.green << 8) | c.blue);
        EXPECT_EQ(findPaletteIndex(p, c.red, c.green, c.blue), i);
    }
    EXPECT_EQ(distinct.size(), 256u);
    // Index 0xE3 in Next form is the transparent byte itself.
    EXPECT_EQ(p[0xE3].nextColourByte, 0xE3);
}
