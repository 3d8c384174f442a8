#include <gtest/gtest.h>

#include "io/colour_pal_file.h"
#include "io_test_support.h"

using namespace iotest;

TEST(ColourPalFile, WritesTheUsedIndicesAsPairsAndNoStaleOnesAfterFewerColours) {
    TempFolder dir;
    const auto path = dir / "colors.pal";

    palette::ColourUseMarkers many{};
    for (int i : {1, 7, 0xE3, 255}) many[static_cast<std::size_t>(i)] = true;
    ASSERT_TRUE(io::saveColourPalette(many, path));
    Bytes expected(512, 0);
    expected[0] = 1;
    expected[2] = 7;
    expected[4] = 0xE3;
    expected[6] = 255;
    EXPECT_EQ(readBytes(path), expected);

    palette::ColourUseMarkers onlyTransparent{};
    onlyTransparent[0xE3] = true;
    ASSERT_TRUE(io::saveColourPalette(onlyTransparent, path));
    expected.assign(512, 0);
    expected[0] = 0xE3;
    EXPECT_EQ(readBytes(path), expected);

    ASSERT_TRUE(io::saveColourPalette(palette::ColourUseMarkers{}, path));
    EXPECT_EQ(readBytes(path), Bytes(512, 0));
}

TEST(ColourPalFile, AnUnwritableTargetFailsAndKeepsTheOldFile) {
    TempFolder dir;
    fs::create_directory(dir / "colors.pal");
    EXPECT_FALSE(io::saveColourPalette(palette::ColourUseMarkers{}, dir / "colors.pal"));
    EXPECT_TRUE(fs::is_directory(dir / "colors.pal"));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"colors.pal"});
}
