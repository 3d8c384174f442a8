// JPEG decoding: colour, grey, CMYK and YCCK files, baseline and progressive, come
// back close to what was written; cut, damaged and oversized files are refused.
#include "imaging/jpeg_decode.h"

#include "picture_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

using imaging::decodeJpeg;
using picture_files::Byte;
using picture_files::Bytes;

namespace {

class JpegSizes : public ::testing::TestWithParam<std::tuple<int, int, bool>> {};

TEST_P(JpegSizes, ColourGreyCmykAndYcckComeBackClose) {
    const auto [width, height, progressive] = GetParam();
    for (auto [components, ycck] : {std::pair{3, false}, {1, false}, {4, false}, {4, true}}) {
        SCOPED_TRACE(std::to_string(components) + (ycck ? " YCCK" : ""));
        // Flat 8 x 8 blocks in seeded colours, which JPEG keeps nearly exact.
        const int across = (width + 7) / 8;
        const Bytes colours = picture_files::randomBytes(across * ((height + 7) / 8) * components * 1u, 70u + ycck);
        picture_files::JpegRecipe recipe{width, height, components, 100, ycck, progressive};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width * components; ++x)
                recipe.pixels.push_back(colours[(y / 8 * across + x / components / 8) * components + x % components]);
        // Grey spreads to all three; CMYK as libjpeg writes it (Adobe) holds the light let through.
        Bytes expected;
        for (std::size_t i = 0; i < recipe.pixels.size(); i += components)
            for (int c = 0; c < 3; ++c)
                expected.push_back(components == 1   ? recipe.pixels[i]
                                   : components == 3 ? recipe.pixels[i + c]
                                                     : Byte((recipe.pixels[i + c] * recipe.pixels[i + 3] + 127) / 255));
        const Bytes file = picture_files::writeJpeg(recipe);
        const auto picture = decodeJpeg(file.data(), file.size());
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, width);
        EXPECT_EQ(picture->height, height);
        ASSERT_EQ(picture->rgb.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_LE(std::abs(picture->rgb[i] - expected[i]), components == 1 ? 2 : 6) << "byte " << i;
            ASSERT_TRUE(components != 1 || picture->rgb[i] == picture->rgb[i - i % 3]) << "grey at byte " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WidthsHeightsProgressive, JpegSizes,
                         ::testing::Combine(::testing::Values(1, 5, 250, 256), ::testing::Values(1, 17),
                                            ::testing::Bool()));

TEST(JpegRefusal, CutAndOversizedFilesAreRefused) {
    const Bytes file = picture_files::writeJpeg({40, 24, 1, 90, false, false, picture_files::randomBytes(960, 80)});
    ASSERT_TRUE(decodeJpeg(file.data(), file.size()).has_value());
    for (std::size_t length = 0; length < file.size(); ++length)
        ASSERT_FALSE(decodeJpeg(file.data(), length).has_value()) << "cut at " << length;
    const Bytes wide = picture_files::writeJpeg({16385, 8, 1, 50, false, false, Bytes(16385 * 8)});
    EXPECT_FALSE(decodeJpeg(wide.data(), wide.size()).has_value()) << "a whole picture wider than the limit";
}

}  // namespace
