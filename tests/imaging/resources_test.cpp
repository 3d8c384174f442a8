// The pictures held in the program: toolbar icons in the form the window expects,
// and palette pictures whose every colour is a table entry, so a click on them
// always finds one.
#include "imaging/fixed_colour_table.h"
#include "imaging/picture_load.h"
#include "imaging/png_decode.h"
#include "picture_files.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;
const std::string kResources = VIROROR_RESOURCES;

TEST(ToolbarIcons, AreTwentyFourSquarePngsTheProgramDecodes) {
    for (const char* name : {"copy", "paste", "fill", "dropper", "mirror", "flip", "rotate", "down", "up", "left",
                             "right", "undo", "redo", "bin", "circles", "add", "minus", "anchor"}) {
        const Bytes bytes = support::readBytes(kResources + "/icons/" + name + ".png");
        const auto icon = imaging::decodePngRgba(bytes.data(), bytes.size());
        ASSERT_TRUE(icon) << name;
        EXPECT_EQ(std::pair(icon->width, icon->height), std::pair(24, 24)) << name;
        int opaque = 0, clear = 0;
        for (std::size_t i = 3; i < icon->rgba.size(); i += 4) opaque += icon->rgba[i] == 255, clear += !icon->rgba[i];
        EXPECT_TRUE(opaque > 20 && clear > 100) << name << ": something drawn on a background that shows through";
    }
}

class PalettePicture : public ::testing::TestWithParam<int> {};

// Every pixel is a table colour; the two large pictures hold all 256 entries, and
// clicking the half-cells of the canvas (the picture stretched to 550 x 388, read at
// every 20th column and 14th row) reaches all of them.
TEST_P(PalettePicture, ShowsOnlyTableColoursAndOffersEveryEntry) {
    const int number = GetParam();
    const std::string name = kResources + "/palette" + std::to_string(number) + (number < 2 ? ".png" : ".bmp");
    const auto loaded = imaging::loadPicture(name);
    ASSERT_TRUE(loaded.ok()) << name;
    const imaging::Picture& picture = *loaded;
    ASSERT_EQ(picture.width, number < 2 ? 640 : 257);
    ASSERT_EQ(picture.height, number < 2 ? 445 : 193);
    const auto pack = [](const std::uint8_t* p) { return p[0] << 16 | p[1] << 8 | p[2]; };
    std::set<int> table, seen, clickable;
    for (const imaging::Rgb& c : imaging::FIXED_COLOUR_TABLE) table.insert(c.r << 16 | c.g << 8 | c.b);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) seen.insert(pack(picture.pixel(x, y)));
    for (int c : seen) EXPECT_TRUE(table.count(c)) << std::hex << c << " is not a table colour";
    for (int y = 0; y < 386; y += 14)
        for (int x = 0; x < 548; x += 20)
            clickable.insert(pack(picture.pixel((2 * x + 1) * picture.width / 1100, (2 * y + 1) * picture.height / 776)));
    EXPECT_TRUE(number == 2 || seen.size() == 256u) << seen.size() << " colours";
    EXPECT_GE(clickable.size(), number < 2 ? 256u : 130u);
}

INSTANTIATE_TEST_SUITE_P(AllThree, PalettePicture, ::testing::Values(0, 1, 2));

}  // namespace
