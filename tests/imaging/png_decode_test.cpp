// PNG decoding: every colour type and depth reaches 8-bit RGB with the stored
// colours; broken, cut or oversized files are refused without a crash.
#include "imaging/png_decode.h"

#include "picture_files.h"

#include <png.h>

#include <gtest/gtest.h>

#include <tuple>

using imaging::decodePng;
using imaging::decodePngRgba;
using imaging::Picture;
using picture_files::Bytes;
using picture_files::PngRecipe;

namespace {

// Rows of a picture built from one sample per pixel and channel, packed at the depth.
std::vector<Bytes> packRows(const std::vector<int>& samples, int width, int height, int channels, int depth) {
    std::vector<Bytes> rows;
    const int perRow = width * channels;
    for (int y = 0; y < height; ++y) {
        Bytes row;
        if (depth == 16) {
            for (int i = 0; i < perRow; ++i) {
                const int value = samples[static_cast<std::size_t>(y) * perRow + i];
                row.push_back(static_cast<std::uint8_t>(value >> 8));
                row.push_back(static_cast<std::uint8_t>(value));
            }
        } else {
            row.assign((static_cast<std::size_t>(perRow) * depth + 7) / 8, 0);
            for (int i = 0; i < perRow; ++i) {
                const int value = samples[static_cast<std::size_t>(y) * perRow + i];
                const int bit = i * depth;
                row[bit / 8] |= static_cast<std::uint8_t>(value << (8 - depth - bit % 8));
            }
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<int> randomSamples(std::size_t count, int maxValue, unsigned seed) {
    const Bytes bytes = picture_files::randomBytes(count, seed);
    std::vector<int> samples(count);
    for (std::size_t i = 0; i < count; ++i) samples[i] = bytes[i] % (maxValue + 1);
    return samples;
}

void expectPixel(const Picture& picture, int x, int y, int r, int g, int b) {
    const std::uint8_t* p = picture.pixel(x, y);
    ASSERT_EQ(p[0], r) << "red at " << x << "," << y;
    ASSERT_EQ(p[1], g) << "green at " << x << "," << y;
    ASSERT_EQ(p[2], b) << "blue at " << x << "," << y;
}

class PngSizes : public ::testing::TestWithParam<std::tuple<int, int, bool>> {
protected:
    int width() const { return std::get<0>(GetParam()); }
    int height() const { return std::get<1>(GetParam()); }
    bool interlaced() const { return std::get<2>(GetParam()); }
    std::size_t count() const { return static_cast<std::size_t>(width()) * height(); }

    PngRecipe recipe(int colourType, int depth, const std::vector<int>& samples, int channels) const {
        PngRecipe s;
        s.width = width();
        s.height = height();
        s.colourType = colourType;
        s.bitDepth = depth;
        s.interlaced = interlaced();
        s.rows = packRows(samples, width(), height(), channels, depth);
        return s;
    }

    Picture decoded(const PngRecipe& s) const {
        const Bytes file = picture_files::writePng(s);
        auto picture = decodePng(file.data(), file.size());
        EXPECT_TRUE(picture.has_value());
        if (!picture) return {};
        EXPECT_EQ(picture->width, width());
        EXPECT_EQ(picture->height, height());
        EXPECT_EQ(picture->rgb.size(), count() * 3);
        return *picture;
    }
};

TEST_P(PngSizes, TrueColourKeepsEveryByte) {
    const auto samples = randomSamples(count() * 3, 255, 11);
    const Picture picture = decoded(recipe(PNG_COLOR_TYPE_RGB, 8, samples, 3));
    for (std::size_t i = 0; i < picture.rgb.size(); ++i) ASSERT_EQ(picture.rgb[i], samples[i]) << i;
}

TEST_P(PngSizes, AlphaIsDroppedAndColoursStay) {
    const auto samples = randomSamples(count() * 4, 255, 12);
    const PngRecipe s = recipe(PNG_COLOR_TYPE_RGB_ALPHA, 8, samples, 4);
    const Picture picture = decoded(s);
    for (std::size_t i = 0; i < count() && !picture.empty(); ++i)
        for (int c = 0; c < 3; ++c) ASSERT_EQ(picture.rgb[i * 3 + c], samples[i * 4 + c]) << i;

    const Bytes file = picture_files::writePng(s);
    const auto rgba = decodePngRgba(file.data(), file.size());
    ASSERT_TRUE(rgba.has_value());
    ASSERT_EQ(rgba->rgba.size(), samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) ASSERT_EQ(rgba->rgba[i], samples[i]) << i;
}

TEST_P(PngSizes, SixteenBitSamplesBecomeTheirHighByte) {
    // Values of the form b * 257 scale to exactly b, whichever rounding libpng uses.
    auto samples = randomSamples(count() * 3, 255, 13);
    std::vector<int> wide(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) wide[i] = samples[i] * 257;
    const Picture picture = decoded(recipe(PNG_COLOR_TYPE_RGB, 16, wide, 3));
    for (std::size_t i = 0; i < picture.rgb.size(); ++i) ASSERT_EQ(picture.rgb[i], samples[i]) << i;
}

TEST_P(PngSizes, GreyAtEveryDepthSpreadsToFullRange) {
    for (int depth : {1, 2, 4, 8, 16}) {
        SCOPED_TRACE(depth);
        const int maxValue = depth == 16 ? 255 : (1 << depth) - 1;
        const auto samples = randomSamples(count(), maxValue, 14 + depth);
        std::vector<int> stored = samples;
        if (depth == 16)
            for (int& v : stored) v *= 257;
        const Picture picture = decoded(recipe(PNG_COLOR_TYPE_GRAY, depth, stored, 1));
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const int v = samples[static_cast<std::size_t>(y) * width() + x];
                const int grey = depth == 16 ? v : v * 255 / maxValue;
                expectPixel(picture, x, y, grey, grey, grey);
            }
    }
}

TEST_P(PngSizes, GreyWithAlphaAndTransparentGreyKeepTheirGreys) {
    const auto samples = randomSamples(count() * 2, 255, 20);
    const Picture withAlpha = decoded(recipe(PNG_COLOR_TYPE_GRAY_ALPHA, 8, samples, 2));
    for (std::size_t i = 0; i < count() && !withAlpha.empty(); ++i)
        for (int c = 0; c < 3; ++c) ASSERT_EQ(withAlpha.rgb[i * 3 + c], samples[i * 2]);

    const auto greys = randomSamples(count(), 255, 21);
    PngRecipe s = recipe(PNG_COLOR_TYPE_GRAY, 8, greys, 1);
    s.transparency = {static_cast<std::uint8_t>(greys[0])};
    const Picture transparentGrey = decoded(s);
    for (std::size_t i = 0; i < count() && !transparentGrey.empty(); ++i)
        for (int c = 0; c < 3; ++c) ASSERT_EQ(transparentGrey.rgb[i * 3 + c], greys[i]);
}

TEST_P(PngSizes, PaletteAtEveryDepthWithTransparencyShowsTheTableColours) {
    for (int depth : {1, 2, 4, 8}) {
        SCOPED_TRACE(depth);
        const int entries = 1 << depth;
        const auto samples = randomSamples(count(), entries - 1, 30 + depth);
        PngRecipe s = recipe(PNG_COLOR_TYPE_PALETTE, depth, samples, 1);
        s.palette = picture_files::randomBytes(static_cast<std::size_t>(entries) * 3, 40 + depth);
        s.transparency = {0, 128};  // the first two entries see-through: ignored by the picture
        const Picture picture = decoded(s);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const std::size_t entry = static_cast<std::size_t>(samples[static_cast<std::size_t>(y) * width() + x]);
                expectPixel(picture, x, y, s.palette[entry * 3], s.palette[entry * 3 + 1], s.palette[entry * 3 + 2]);
            }
    }
}

INSTANTIATE_TEST_SUITE_P(WidthsHeightsInterlace, PngSizes,
                         ::testing::Combine(::testing::Values(1, 5, 250, 256), ::testing::Values(1, 3, 17),
                                            ::testing::Bool()));

// ---- Pictures held in the program: grey with alpha, as the toolbar icons are ----

TEST(PngRgba, GreyWithAlphaIconKeepsAlpha) {
    const int side = 24;
    const auto samples = randomSamples(side * side * 2, 255, 50);
    PngRecipe s;
    s.width = side;
    s.height = side;
    s.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
    s.rows = packRows(samples, side, side, 2, 8);
    const Bytes file = picture_files::writePng(s);
    const auto icon = decodePngRgba(file.data(), file.size());
    ASSERT_TRUE(icon.has_value());
    ASSERT_EQ(icon->width, side);
    ASSERT_EQ(icon->height, side);
    ASSERT_EQ(icon->rgba.size(), static_cast<std::size_t>(side * side * 4));
    for (int i = 0; i < side * side; ++i) {
        for (int c = 0; c < 3; ++c) ASSERT_EQ(icon->rgba[i * 4 + c], samples[i * 2]);
        ASSERT_EQ(icon->rgba[i * 4 + 3], samples[i * 2 + 1]);
    }
}

TEST(PngRgba, OpaqueKindsGetFullAlphaAndTransparentEntriesGetTheirs) {
    PngRecipe s;
    s.width = 4;
    s.height = 1;
    s.colourType = PNG_COLOR_TYPE_PALETTE;
    s.rows = packRows({0, 1, 2, 3}, 4, 1, 1, 8);
    s.palette = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
    s.transparency = {0, 77};
    Bytes file = picture_files::writePng(s);
    auto icon = decodePngRgba(file.data(), file.size());
    ASSERT_TRUE(icon.has_value());
    const Bytes expected = {10, 20, 30, 0, 40, 50, 60, 77, 70, 80, 90, 255, 100, 110, 120, 255};
    EXPECT_EQ(icon->rgba, expected);

    s.colourType = PNG_COLOR_TYPE_RGB;
    s.palette.clear();
    s.transparency.clear();
    s.rows = packRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 4, 1, 3, 8);
    file = picture_files::writePng(s);
    icon = decodePngRgba(file.data(), file.size());
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(icon->rgba, (Bytes{1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 255}));
}

// ---- Refusals ----

Bytes smallPng() {
    PngRecipe s;
    s.width = 40;
    s.height = 30;
    s.colourType = PNG_COLOR_TYPE_RGB;
    s.rows = packRows(randomSamples(40 * 30 * 3, 255, 60), 40, 30, 3, 8);
    return picture_files::writePng(s);
}

TEST(PngRefusal, EveryCutShortFileIsRefused) {
    const Bytes file = smallPng();
    ASSERT_TRUE(decodePng(file.data(), file.size()).has_value());
    for (std::size_t length = 0; length < file.size(); ++length) {
        ASSERT_FALSE(decodePng(file.data(), length).has_value()) << "cut at " << length;
        ASSERT_FALSE(decodePngRgba(file.data(), length).has_value()) << "cut at " << length;
    }
}

TEST(PngRefusal, DamagedBytesAreRefused) {
    const Bytes file = smallPng();
    // Every byte of the signature, the header and the first bytes of pixel data,
    // each changed on its own: a CRC or signature check must catch it.
    for (std::size_t at = 0; at < 60 && at < file.size(); ++at) {
        Bytes damaged = file;
        damaged[at] ^= 0x5A;
        ASSERT_FALSE(decodePng(damaged.data(), damaged.size()).has_value()) << "byte " << at;
    }
}

TEST(PngRefusal, HeaderClaimingAHugePictureIsRefused) {
    using picture_files::pngHeaderOnly;
    for (auto [w, h] : {std::pair<std::uint32_t, std::uint32_t>{100000, 100000}, {16385, 1}, {1, 16385},
                        {16384, 16384}, {0, 0}, {0, 10}, {10, 0}, {0x7FFFFFFF, 0x7FFFFFFF}}) {
        const Bytes file = pngHeaderOnly(w, h, 8, PNG_COLOR_TYPE_RGB);
        EXPECT_FALSE(decodePng(file.data(), file.size()).has_value()) << w << " x " << h;
        EXPECT_FALSE(decodePngRgba(file.data(), file.size()).has_value()) << w << " x " << h;
    }
}

TEST(PngRefusal, SignatureOnlyAndOtherDataAreNotPng) {
    const Bytes signature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_TRUE(imaging::isPngData(signature.data(), signature.size()));
    EXPECT_FALSE(decodePng(signature.data(), signature.size()).has_value());
    const std::string text = "This is not a picture at all, only text.";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    EXPECT_FALSE(imaging::isPngData(bytes, text.size()));
    EXPECT_FALSE(decodePng(bytes, text.size()).has_value());
    EXPECT_FALSE(decodePng(nullptr, 0).has_value());
}

TEST(PngFile, MissingFileIsRefused) {
    picture_files::TempFolder folder;
    EXPECT_FALSE(imaging::decodePngFile(picture_files::utf8(folder.path() / "none.png")).has_value());
    EXPECT_FALSE(imaging::decodePngFile(picture_files::utf8(folder.path())).has_value());
}

}  // namespace
