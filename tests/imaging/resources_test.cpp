// The pictures held in the program: toolbar icons in the form the window expects,
// and palette pictures whose every colour is a table entry, so a click on them
// always finds one.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "imaging/bmp8.h"
#include "imaging/file_bytes.h"
#include "imaging/fixed_colour_table.h"
#include "imaging/png_decode.h"

namespace {

using imaging::Picture;

const std::string kResources = VIROROR_RESOURCES;

std::uint32_t pack(const std::uint8_t* p) { return p[0] << 16 | p[1] << 8 | p[2]; }

std::set<std::uint32_t> tableColours() {
    std::set<std::uint32_t> colours;
    for (const imaging::Rgb& c : imaging::FIXED_COLOUR_TABLE) colours.insert(c.r << 16 | c.g << 8 | c.b);
    return colours;
}

Picture loadPalettePicture(int number) {
    if (number < 2) {
        auto picture = imaging::decodePngFile(kResources + "/palette" + std::to_string(number) + ".png");
        return picture ? *picture : Picture{};
    }
    const auto bytes = imaging::readFileBytes(kResources + "/palette2.bmp");
    if (!bytes) return {};
    const auto bitmap = imaging::decodeBitmap8(bytes->data(), bytes->size());
    return bitmap ? imaging::bitmapToPicture(*bitmap) : Picture{};
}

TEST(ToolbarIcons, AreTwentyFourSquareGreyWithAlphaPngs) {
    for (const char* name : {"copy", "paste", "fill", "dropper", "mirror", "flip", "rotate", "down", "up", "left",
                             "right", "undo", "redo", "bin", "circles", "add", "minus", "anchor"}) {
        SCOPED_TRACE(name);
        const auto bytes = imaging::readFileBytes(kResources + "/icons/" + name + ".png");
        ASSERT_TRUE(bytes && bytes->size() > 33);
        const std::uint8_t* ihdr = bytes->data() + 8;  // after the signature: length, "IHDR", fields
        ASSERT_TRUE(imaging::isPngData(bytes->data(), bytes->size()));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(ihdr + 4), 4), "IHDR");
        EXPECT_EQ(ihdr[8] << 24 | ihdr[9] << 16 | ihdr[10] << 8 | ihdr[11], 24);   // width
        EXPECT_EQ(ihdr[12] << 24 | ihdr[13] << 16 | ihdr[14] << 8 | ihdr[15], 24);  // height
        EXPECT_EQ(ihdr[16], 8);  // bit depth
        EXPECT_EQ(ihdr[17], 4);  // grey with alpha
        const auto rgba = imaging::decodePngRgba(bytes->data(), bytes->size());
        ASSERT_TRUE(rgba);
        int opaque = 0, clear = 0;
        for (std::size_t i = 3; i < rgba->rgba.size(); i += 4) {
            opaque += rgba->rgba[i] == 255;
            clear += rgba->rgba[i] == 0;
        }
        EXPECT_GT(opaque, 20) << "something is drawn";
        EXPECT_GT(clear, 100) << "the background shows through";
    }
}

class PalettePicture : public ::testing::TestWithParam<int> {};

// Every pixel is a table colour; the two large pictures hold all 256 entries, and
// clicking the half-cells of the canvas (the picture stretched to 550 x 388, read at
// every 20th column and 14th row) reaches all of them.
TEST_P(PalettePicture, ShowsOnlyTableColoursAndOffersEveryEntry) {
    const int number = GetParam();
    const Picture picture = loadPalettePicture(number);
    ASSERT_FALSE(picture.empty());
    EXPECT_EQ(picture.width, number < 2 ? 640 : 257);
    EXPECT_EQ(picture.height, number < 2 ? 445 : 193);

    const std::set<std::uint32_t> table = tableColours();
    std::set<std::uint32_t> seen, clickable;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) seen.insert(pack(picture.pixel(x, y)));
    for (std::uint32_t c : seen) EXPECT_TRUE(table.count(c)) << std::hex << c << " is not a table colour";
    for (int y = 0; y < 386; y += 14)
        for (int x = 0; x < 548; x += 20)
            clickable.insert(pack(picture.pixel((2 * x + 1) * picture.width / 1100, (2 * y + 1) * picture.height / 776)));
    if (number < 2) {
        EXPECT_EQ(seen.size(), 256u);
        EXPECT_EQ(clickable.size(), 256u);
    } else {
        EXPECT_GE(clickable.size(), 130u);
    }
}

INSTANTIATE_TEST_SUITE_P(AllThree, PalettePicture, ::testing::Values(0, 1, 2));

}  // namespace
