// The 8-bit bitmap file: its exact bytes, the round trip through the reader, and the
// reader refusing files that do not add up.
#include "imaging/bmp8.h"

#include "picture_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace imaging;
using picture_files::Bytes;
using picture_files::putLe;

namespace {

// Seeded indices; the padding holds junk too, which must never reach a file.
IndexedPicture randomIndexed(int width, int height, unsigned seed) {
    const int stride = (width + 3) / 4 * 4;
    return {width, height, stride, support::seededBytes(std::size_t(stride) * height, seed)};
}

class BitmapSizes : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(BitmapSizes, ExactBytesAndRoundTrip) {
    const auto [width, height] = GetParam();
    const IndexedPicture picture = randomIndexed(width, height, width * 1000u + height);
    // The file from first principles: headers, the table as blue, green, red, 0, then
    // the stored rows (bottom first), each cut to the width and zero-padded to 4.
    const int stride = (width + 3) / 4 * 4;
    Bytes expected(54, 0);
    expected[0] = 'B', expected[1] = 'M';
    putLe(expected, 2, 1078 + stride * height), putLe(expected, 10, 1078), putLe(expected, 14, 40);
    putLe(expected, 18, width), putLe(expected, 22, height), putLe(expected, 26, 1 | 8 << 16);
    for (const Rgb& c : FIXED_COLOUR_TABLE) expected.insert(expected.end(), {c.b, c.g, c.r, 0});
    for (int row = 0; row < height; ++row) {
        expected.insert(expected.end(), &picture.pixels[row * stride], &picture.pixels[row * stride] + width);
        expected.resize(expected.size() + stride - width, 0);
    }
    const Bytes file = encodeBitmap(picture);
    EXPECT_TRUE(file == expected) << "first wrong byte at "
                                  << std::mismatch(file.begin(), file.end(), expected.begin(), expected.end()).first -
                                         file.begin();
    const auto bitmap = decodeBitmap8(file.data(), file.size());
    ASSERT_TRUE(bitmap.ok());
    EXPECT_EQ(bitmap->coloursInFile, 256);
    EXPECT_EQ(bitmap->colours, FIXED_COLOUR_TABLE);
    EXPECT_EQ(encodeBitmap(bitmap->indices), file);
}

INSTANTIATE_TEST_SUITE_P(WidthsHeights, BitmapSizes,
                         ::testing::Combine(::testing::Values(1, 3, 5, 250, 256), ::testing::Values(1, 192)));

TEST(Bitmap, PicturesWithNothingToWriteGiveNoFile) {
    for (const IndexedPicture& nothing : {IndexedPicture{}, IndexedPicture{0, 5, 4, Bytes(20)},
                                          IndexedPicture{8, 8, 8, Bytes(10)}, IndexedPicture{8, 2, 4, Bytes(16)}})
        EXPECT_TRUE(encodeBitmap(nothing).empty()) << nothing.width << " x " << nothing.height;
}

// The reader sees only the program's own exports and its palette picture: a file cut
// short is refused rather than read past its end.
TEST(BitmapReader, CutFilesAreRefused) {
    const Bytes good = encodeBitmap(randomIndexed(9, 5, 7));
    ASSERT_TRUE(decodeBitmap8(good.data(), good.size()).ok());
    for (std::size_t length = 0; length < good.size(); ++length)
        ASSERT_FALSE(decodeBitmap8(good.data(), length).ok()) << "cut at " << length;
}

}  // namespace
