// JPEG decoding: colour, grey, CMYK and YCCK files, baseline and progressive, come
// back close to what was written. Cut files are refused, also those with an end
// marker put back (found while fuzzing: they were shown with grey filler). Headers
// claiming impossible sizes: the picture kinds' refused files.
#include "imaging/jpeg_decode.h"

#include "picture_files.h"

#include <gtest/gtest.h>

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
        const Bytes colours = support::seededBytes(across * ((height + 7) / 8) * components * 1u, 70u + ycck);
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
        ASSERT_TRUE(picture.ok());
        EXPECT_EQ(std::pair(picture->width, picture->height), std::pair(width, height));
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

Bytes noisyJpeg(int components, bool progressive) {
    const Bytes pixels = support::seededBytes(40 * 24 * components, 29u + components);
    return picture_files::writeJpeg({40, 24, components, 90, false, progressive, pixels});
}

bool decodes(const Bytes& file) { return decodeJpeg(file.data(), file.size()).ok(); }

std::size_t scanMarker(const Bytes& file) {
    for (std::size_t i = 2; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xDA) return i;
    return 0;
}

// Files cut anywhere, and scan data stopped by an end marker put back.
TEST(JpegRefusal, CutFilesAndScanDataStoppedByAnEndMarkerAreRefused) {
    for (auto [components, progressive] : {std::pair{1, false}, {3, false}, {3, true}}) {
        SCOPED_TRACE(std::to_string(components) + (progressive ? " progressive" : " baseline"));
        const Bytes file = noisyJpeg(components, progressive);
        const std::size_t scan = scanMarker(file);
        ASSERT_TRUE(decodes(file) && scan > 0);
        for (std::size_t length = 0; length < file.size(); ++length)
            ASSERT_FALSE(decodeJpeg(file.data(), length).ok()) << "cut at " << length;
        const std::size_t start = scan + 2 + (file[scan + 2] << 8 | file[scan + 3]), end = file.size() - 2;
        // Every cut of a baseline scan; for a progressive file a cut in its first scan.
        for (std::size_t length = start + (progressive ? 3 : 0); length < (progressive ? start + 4 : end); ++length) {
            Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(length));
            cut.insert(cut.end(), {0xFF, 0xD9});
            ASSERT_FALSE(decodes(cut)) << "cut at " << length;
        }
    }
}

}  // namespace
