// JPEG decoding: colour, grey and CMYK files reach RGB close to what was written
// and equal to what an outside decoder (Pillow) makes of them; cut, damaged and
// oversized files are refused.
#include "imaging/jpeg_decode.h"

#include "picture_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

using imaging::decodeJpeg;
using imaging::Picture;
using picture_files::Bytes;
using picture_files::JpegRecipe;

namespace {

// A picture of flat 8 x 8 blocks in seeded colours: JPEG keeps those nearly exact.
Bytes blockPixels(int width, int height, int components, unsigned seed) {
    const int blocksAcross = (width + 7) / 8;
    const Bytes colours = picture_files::randomBytes(static_cast<std::size_t>(blocksAcross) * ((height + 7) / 8) *
                                                         components, seed);
    Bytes pixels(static_cast<std::size_t>(width) * height * components);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                pixels[(static_cast<std::size_t>(y) * width + x) * components + c] =
                    colours[(static_cast<std::size_t>(y / 8) * blocksAcross + x / 8) * components + c];
    return pixels;
}

JpegRecipe blockRecipe(int width, int height, int components, unsigned seed) {
    JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.components = components;
    recipe.pixels = blockPixels(width, height, components, seed);
    return recipe;
}

// Largest difference between a decoded picture and the expected RGB bytes.
int largestDifference(const Picture& picture, const Bytes& expected) {
    int largest = 0;
    for (std::size_t i = 0; i < expected.size() && i < picture.rgb.size(); ++i)
        largest = std::max(largest, std::abs(int(picture.rgb[i]) - int(expected[i])));
    return largest;
}

class JpegSizes : public ::testing::TestWithParam<std::tuple<int, int, bool>> {
protected:
    int width() const { return std::get<0>(GetParam()); }
    int height() const { return std::get<1>(GetParam()); }
    bool progressive() const { return std::get<2>(GetParam()); }

    Picture decoded(JpegRecipe recipe) const {
        recipe.progressive = progressive();
        const Bytes file = picture_files::writeJpeg(recipe);
        auto picture = decodeJpeg(file.data(), file.size());
        EXPECT_TRUE(picture.has_value());
        if (!picture) return {};
        EXPECT_EQ(picture->width, width());
        EXPECT_EQ(picture->height, height());
        EXPECT_EQ(picture->rgb.size(), static_cast<std::size_t>(width()) * height() * 3);
        return *picture;
    }
};

TEST_P(JpegSizes, ColourComesBackClose) {
    const JpegRecipe recipe = blockRecipe(width(), height(), 3, 70);
    EXPECT_LE(largestDifference(decoded(recipe), recipe.pixels), 6);
}

TEST_P(JpegSizes, GreyBecomesEqualRedGreenBlue) {
    const JpegRecipe recipe = blockRecipe(width(), height(), 1, 71);
    const Picture picture = decoded(recipe);
    Bytes expected;
    for (std::uint8_t grey : recipe.pixels) expected.insert(expected.end(), {grey, grey, grey});
    EXPECT_LE(largestDifference(picture, expected), 2);
    for (std::size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
        ASSERT_EQ(picture.rgb[i], picture.rgb[i + 1]);
        ASSERT_EQ(picture.rgb[i], picture.rgb[i + 2]);
    }
}

TEST_P(JpegSizes, AdobeCmykAndYcckTurnIntoTheirColours) {
    for (bool ycck : {false, true}) {
        SCOPED_TRACE(ycck ? "YCCK" : "CMYK");
        JpegRecipe recipe = blockRecipe(width(), height(), 4, 72);
        recipe.ycck = ycck;
        // libjpeg marks CMYK files the Adobe way, where each byte is the light let through.
        Bytes expected;
        for (std::size_t i = 0; i < recipe.pixels.size(); i += 4) {
            const int k = recipe.pixels[i + 3];
            for (int c = 0; c < 3; ++c) expected.push_back(static_cast<std::uint8_t>((recipe.pixels[i + c] * k + 127) / 255));
        }
        EXPECT_LE(largestDifference(decoded(recipe), expected), 6);
    }
}

INSTANTIATE_TEST_SUITE_P(WidthsHeightsProgressive, JpegSizes,
                         ::testing::Combine(::testing::Values(1, 5, 250, 256), ::testing::Values(1, 3, 17),
                                            ::testing::Bool()));

// A photo-like picture with smooth gradients and chroma subsampling, decoded here
// and by Pillow: both run the same kind of decoder, so the pixels must agree.
TEST(JpegOutsideReader, PillowDecodesTheSamePixels) {
    const auto python = picture_files::pythonWithPillow();
    if (!python) GTEST_SKIP() << "no Python with Pillow";
    picture_files::TempFolder folder;
    const int width = 203, height = 97;
    Bytes pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y * 2),
                                         static_cast<std::uint8_t>((x * y) % 256)});
    JpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.quality = 80;
    recipe.pixels = pixels;
    const Bytes file = picture_files::writeJpeg(recipe);
    const std::string jpegName = folder.write("photo.jpg", file);
    const std::string rawName = picture_files::utf8(folder.path() / "photo.rgb");
    ASSERT_TRUE(picture_files::run(*python + " -c \"import sys; from PIL import Image; "
                                             "open(sys.argv[2], 'wb').write(Image.open(sys.argv[1]).convert('RGB').tobytes())\" '" +
                                   jpegName + "' '" + rawName + "'"));
    const Bytes theirs = picture_files::readAll(rawName);
    const auto ours = decodeJpeg(file.data(), file.size());
    ASSERT_TRUE(ours.has_value());
    ASSERT_EQ(theirs.size(), ours->rgb.size());
    EXPECT_LE(largestDifference(*ours, theirs), 1);
}

// ---- Refusals ----

Bytes smallJpeg() { return picture_files::writeJpeg(blockRecipe(40, 24, 3, 80)); }

// Position of the frame header (SOF0 marker) in a file written by libjpeg.
std::size_t frameHeaderAt(const Bytes& file) {
    for (std::size_t i = 2; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xC0) return i;
    return 0;
}

TEST(JpegRefusal, EveryCutShortFileIsRefused) {
    const Bytes file = smallJpeg();
    ASSERT_TRUE(decodeJpeg(file.data(), file.size()).has_value());
    for (std::size_t length = 0; length < file.size(); ++length)
        ASSERT_FALSE(decodeJpeg(file.data(), length).has_value()) << "cut at " << length;
}

TEST(JpegRefusal, HeaderClaimingAHugeOrEmptyPictureIsRefused) {
    const Bytes file = smallJpeg();
    const std::size_t sof = frameHeaderAt(file);
    ASSERT_NE(sof, 0u);
    // After the marker: length (2), precision (1), height (2), width (2).
    for (auto [w, h] : {std::pair<int, int>{65535, 65535}, {16385, 8}, {8, 16385}, {16000, 16000}, {0, 24}, {40, 0}}) {
        Bytes damaged = file;
        damaged[sof + 5] = static_cast<std::uint8_t>(h >> 8);
        damaged[sof + 6] = static_cast<std::uint8_t>(h);
        damaged[sof + 7] = static_cast<std::uint8_t>(w >> 8);
        damaged[sof + 8] = static_cast<std::uint8_t>(w);
        EXPECT_FALSE(decodeJpeg(damaged.data(), damaged.size()).has_value()) << w << " x " << h;
    }
}

TEST(JpegRefusal, BrokenHeadersAreRefused) {
    const Bytes file = smallJpeg();
    const std::size_t sof = frameHeaderAt(file);
    Bytes precision = file;
    precision[sof + 4] = 3;  // sample precision 3 bits does not exist
    EXPECT_FALSE(decodeJpeg(precision.data(), precision.size()).has_value());
    Bytes components = file;
    components[sof + 9] = 0;  // a frame of no components
    EXPECT_FALSE(decodeJpeg(components.data(), components.size()).has_value());

    // Start-of-image followed by anything but markers.
    Bytes garbage = {0xFF, 0xD8, 0xFF};
    const Bytes noise = picture_files::randomBytes(2000, 81);
    garbage.insert(garbage.end(), noise.begin(), noise.end());
    EXPECT_FALSE(decodeJpeg(garbage.data(), garbage.size()).has_value());
}

TEST(JpegRefusal, OtherDataIsNotJpeg) {
    const std::string text = "GIF89a and then nothing a decoder wants.";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    EXPECT_FALSE(imaging::isJpegData(bytes, text.size()));
    EXPECT_FALSE(decodeJpeg(bytes, text.size()).has_value());
    EXPECT_FALSE(decodeJpeg(nullptr, 0).has_value());
}

TEST(JpegFile, ReadsFromAFileAndRefusesAMissingOne) {
    picture_files::TempFolder folder;
    const std::string name = folder.write("small picture.jpg", smallJpeg());
    const auto picture = imaging::decodeJpegFile(name);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 40);
    EXPECT_EQ(picture->height, 24);
    EXPECT_FALSE(imaging::decodeJpegFile(picture_files::utf8(folder.path() / "none.jpg")).has_value());
}

}  // namespace
