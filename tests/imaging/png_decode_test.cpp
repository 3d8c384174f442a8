// PNG decoding: every colour type, depth and interlacing reaches 8-bit RGB (and RGBA)
// with the stored colours; cut, damaged, empty and oversized files are refused.
#include "imaging/png_decode.h"

#include "picture_files.h"

#include <png.h>

#include <gtest/gtest.h>

#include <tuple>

using imaging::decodePng;
using imaging::decodePngRgba;
using picture_files::Byte;
using picture_files::Bytes;

namespace {

class PngSizes : public ::testing::TestWithParam<std::tuple<int, int, bool>> {};

// Seeded samples written by libpng come back as the colours and alphas they stand
// for. Palettes make entries 0 and 1 see-through, grey with tRNS the first pixel's
// grey; 16-bit samples are b * 257, which scales to b whatever the rounding.
TEST_P(PngSizes, EveryColourTypeAndDepthGivesTheStoredColours) {
    const auto [width, height, interlaced] = GetParam();
    const int Grey = PNG_COLOR_TYPE_GRAY, Rgb = PNG_COLOR_TYPE_RGB, Palette = PNG_COLOR_TYPE_PALETTE;
    const int GreyAlpha = PNG_COLOR_TYPE_GRAY_ALPHA, RgbAlpha = PNG_COLOR_TYPE_RGB_ALPHA;
    for (auto [type, depth, channels] : {std::tuple{Rgb, 8, 3}, {RgbAlpha, 8, 4}, {Rgb, 16, 3}, {Grey, 1, 1},
                                         {Grey, 2, 1}, {Grey, 4, 1}, {Grey, 8, 1}, {Grey, 16, 1}, {GreyAlpha, 8, 2},
                                         {Palette, 1, 1}, {Palette, 2, 1}, {Palette, 4, 1}, {Palette, 8, 1}}) {
        SCOPED_TRACE("colour type " + std::to_string(type) + ", depth " + std::to_string(depth));
        const int top = depth >= 8 ? 255 : (1 << depth) - 1;
        Bytes samples = support::seededBytes(std::size_t(width) * height * channels, depth * 10u + channels);
        for (Byte& sample : samples) sample %= top + 1;
        picture_files::PngRecipe recipe{width, height, type, depth, interlaced};
        if (type == Palette) recipe.palette = support::seededBytes(3u << depth, 40u + depth);
        const bool greyKey = type == Grey && depth == 8;
        recipe.transparency = type == Palette ? Bytes{0, 128} : greyKey ? Bytes{samples[0]} : Bytes{};
        Bytes rgb, rgba;
        for (std::size_t i = 0; i < samples.size(); i += channels) {
            const Byte* s = &samples[i];
            const Byte grey = Byte(s[0] * 255 / top);
            const Byte colour[3] = {channels > 2 ? s[0] : grey, channels > 2 ? s[1] : grey, channels > 2 ? s[2] : grey};
            const Byte* shown = type == Palette ? &recipe.palette[3 * s[0]] : colour;
            rgb.insert(rgb.end(), shown, shown + 3);
            rgba.insert(rgba.end(), shown, shown + 3);
            rgba.push_back(type == Palette ? (s[0] == 0 ? 0 : s[0] == 1 ? 128 : 255)
                           : channels % 2 == 0 ? s[channels - 1] : greyKey && s[0] == samples[0] ? 0 : 255);
        }
        for (int y = 0; y < height; ++y) {
            Bytes row((std::size_t(width) * channels * depth + 7) / 8);
            for (int i = 0; i < width * channels; ++i) {
                const Byte value = samples[std::size_t(y) * width * channels + i];
                if (depth == 16) row[2 * i] = row[2 * i + 1] = value;
                else row[i * depth / 8] |= Byte(value << (8 - depth - i * depth % 8));
            }
            recipe.rows.push_back(row);
        }
        const Bytes file = picture_files::writePng(recipe);
        const auto picture = decodePng(file.data(), file.size());
        const auto withAlpha = decodePngRgba(file.data(), file.size());
        ASSERT_TRUE(picture && withAlpha);
        EXPECT_EQ(picture->width, width);
        EXPECT_EQ(picture->height, height);
        EXPECT_EQ(picture->rgb, rgb);
        EXPECT_EQ(withAlpha->rgba, rgba);
    }
}

INSTANTIATE_TEST_SUITE_P(WidthsHeightsInterlace, PngSizes,
                         ::testing::Combine(::testing::Values(1, 5, 250, 256), ::testing::Values(1, 17),
                                            ::testing::Bool()));

TEST(PngRefusal, CutDamagedEmptyAndOversizedFiles) {
    picture_files::PngRecipe recipe{40, 30};
    for (int y = 0; y < 30; ++y) recipe.rows.push_back(support::seededBytes(120, 60u + y));
    const Bytes file = picture_files::writePng(recipe);
    ASSERT_TRUE(decodePng(file.data(), file.size()).has_value());
    for (std::size_t length = 0; length < file.size(); ++length) {
        ASSERT_FALSE(decodePng(file.data(), length).has_value()) << "cut at " << length;
        ASSERT_FALSE(decodePngRgba(file.data(), length).has_value()) << "cut at " << length;
    }
    for (std::size_t at = 0; at < 60; ++at) {  // the signature, the header, the start of the pixels
        Bytes damaged = file;
        damaged[at] ^= 0x5A;
        ASSERT_FALSE(decodePng(damaged.data(), damaged.size()).has_value()) << "byte " << at;
    }
    const Bytes wide = picture_files::writePng({16385, 1, PNG_COLOR_TYPE_GRAY, 8, false, {Bytes(16385)}});
    EXPECT_FALSE(decodePng(wide.data(), wide.size()).has_value()) << "a whole picture wider than the limit";
    const Bytes control = picture_files::pngClaiming(1, 1);
    ASSERT_TRUE(decodePng(control.data(), control.size()).has_value()) << "the claims below are well formed";
    for (auto [w, h] : {std::pair<std::uint32_t, std::uint32_t>{100000, 100000}, {16385, 1}, {1, 16385},
                        {16384, 16384}, {0, 0}, {0, 10}, {0x7FFFFFFF, 0x7FFFFFFF}}) {
        const Bytes header = picture_files::pngClaiming(w, h);
        EXPECT_FALSE(decodePng(header.data(), header.size()).has_value()) << w << " x " << h;
        EXPECT_FALSE(decodePngRgba(header.data(), header.size()).has_value()) << w << " x " << h;
    }
}

}  // namespace
