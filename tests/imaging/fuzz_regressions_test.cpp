// Inputs found while fuzzing the picture decoders. A JPEG whose pixel data stops at
// a marker before the picture is whole (a file cut short with an end marker put
// back, or a header claiming more rows than the data holds) was shown with grey
// filler, and a header of a few hundred bytes could claim a 16384 x 4096 picture
// that way. Such files are now refused like a file that simply ends early.
#include "imaging/jpeg_decode.h"

#include "picture_files.h"

#include <gtest/gtest.h>

#include <string>

using imaging::decodeJpeg;
using picture_files::Bytes;
using picture_files::JpegRecipe;

namespace {

Bytes noisyJpeg(int components, bool progressive) {
    JpegRecipe recipe;
    recipe.width = 40;
    recipe.height = 24;
    recipe.components = components;
    recipe.progressive = progressive;
    recipe.quality = 90;
    recipe.pixels = picture_files::randomBytes(static_cast<std::size_t>(40 * 24 * components), 29u + components);
    return picture_files::writeJpeg(recipe);
}

// Offset just past the first start-of-scan header, and of the end marker.
std::pair<std::size_t, std::size_t> scanDataRange(const Bytes& file) {
    std::size_t start = 0;
    for (std::size_t i = 2; i + 3 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xDA) {
            start = i + 2 + (static_cast<std::size_t>(file[i + 2]) << 8 | file[i + 3]);
            break;
        }
    return {start, file.size() - 2};
}

Bytes cutWithEndMarker(const Bytes& file, std::size_t length) {
    Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    cut.push_back(0xFF);
    cut.push_back(0xD9);
    return cut;
}

TEST(JpegFuzzRegressions, BaselineDataStoppedByAnEndMarkerIsRefused) {
    for (int components : {1, 3}) {
        SCOPED_TRACE(std::to_string(components) + " components");
        const Bytes file = noisyJpeg(components, false);
        ASSERT_TRUE(decodeJpeg(file.data(), file.size()).has_value());
        const auto [start, end] = scanDataRange(file);
        ASSERT_GT(start, 0u);
        ASSERT_EQ(file[end], 0xFF);
        ASSERT_EQ(file[end + 1], 0xD9);
        for (std::size_t length = start; length < end; ++length) {
            const Bytes cut = cutWithEndMarker(file, length);
            ASSERT_FALSE(decodeJpeg(cut.data(), cut.size()).has_value()) << "cut at " << length;
        }
    }
}

TEST(JpegFuzzRegressions, ProgressiveFirstScanStoppedByAnEndMarkerIsRefused) {
    const Bytes file = noisyJpeg(3, true);
    ASSERT_TRUE(decodeJpeg(file.data(), file.size()).has_value());
    const std::size_t start = scanDataRange(file).first;
    ASSERT_GT(start, 0u);
    const Bytes cut = cutWithEndMarker(file, start + 3);
    EXPECT_FALSE(decodeJpeg(cut.data(), cut.size()).has_value());
}

TEST(JpegFuzzRegressions, HeaderClaimingMoreRowsThanTheDataHoldsIsRefused) {
    for (bool progressive : {false, true}) {
        Bytes file = noisyJpeg(3, progressive);
        std::size_t frame = 0;
        for (std::size_t i = 2; i + 1 < file.size() && frame == 0; ++i)
            if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) frame = i;
        ASSERT_NE(frame, 0u);
        // After the marker: length (2), precision (1), height (2), width (2).
        for (auto [width, height] : {std::pair{40, 48}, std::pair{16384, 4096}}) {
            Bytes claim = file;
            claim[frame + 5] = static_cast<std::uint8_t>(height >> 8);
            claim[frame + 6] = static_cast<std::uint8_t>(height);
            claim[frame + 7] = static_cast<std::uint8_t>(width >> 8);
            claim[frame + 8] = static_cast<std::uint8_t>(width);
            EXPECT_FALSE(decodeJpeg(claim.data(), claim.size()).has_value())
                << (progressive ? "progressive " : "baseline ") << width << " x " << height;
        }
    }
}

}  // namespace
