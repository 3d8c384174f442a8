// Inputs the fuzzers found: two tiny GIFs claiming screens of 40 and 59 million
// pixels were once held twice at 4 bytes a pixel. The conversion now works in bands
// of rows; it must keep every format's colours across band edges, and both files load.
#include "app/qt_picture_loader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FuzzRegressions, ImageToPictureGivesEveryFormatsColoursAcrossBandEdges) {
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_RGB888, QImage::Format_RGB16, QImage::Format_Indexed8,
                                  QImage::Format_Grayscale8, QImage::Format_Mono, QImage::Format_RGBA8888}) {
        for (int height : {1, 63, 64, 65, 130}) {
            SCOPED_TRACE("format " + std::to_string(format) + ", height " + std::to_string(height));
            std::mt19937 random(static_cast<unsigned>(format * 1000 + height));
            QImage image(7, height, QImage::Format_ARGB32);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 7; ++x) image.setPixel(x, y, random());
            image = image.convertToFormat(format);
            const QImage expected = image.convertToFormat(QImage::Format_ARGB32);  // what the format means
            const imaging::Picture picture = app::imageToPicture(image);
            ASSERT_EQ(picture.width, 7);
            ASSERT_EQ(picture.height, height);
            ASSERT_EQ(picture.rgb.size(), static_cast<std::size_t>(7 * height * 3));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 7; ++x) {
                    const std::uint8_t* got = picture.pixel(x, y);
                    ASSERT_EQ(qRgb(got[0], got[1], got[2]), expected.pixel(x, y) | 0xFF000000u) << x << ", " << y;
                }
        }
    }
    EXPECT_TRUE(app::imageToPicture(QImage()).empty());
}

// As found: a screen of 6160 x 9556 whose first picture has no data, and a screen
// of height 0 that the picture's placement stretches to 4101 x 9737.
const Bytes HUGE_SCREEN_GIF = {0x47, 0x49, 0x46, 0x38, 0x37, 0x61, 0x10, 0x18, 0x54, 0x25, 0x3a,
                               0x49, 0x37, 0x2c, 0x52, 0x47, 0x3a, 0x0d, 0x1a, 0x0a, 0x00, 0x05,
                               0x04, 0x03, 0x00, 0x00, 0x00, 0x72, 0x5f, 0x5f, 0x4b, 0x10, 0x00};
const Bytes STRETCHED_SCREEN_GIF = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x05, 0x10, 0x00, 0x00, 0x00, 0x10, 0x38,
                                    0x2c, 0x07, 0x07, 0x02, 0x00, 0x07, 0x07, 0x07, 0x26, 0x07, 0x07, 0x07, 0x07,
                                    0x07, 0x07, 0x07, 0x6f, 0x07, 0x8e, 0x00, 0x00, 0x8e, 0xda, 0x8e};

TEST(FuzzRegressions, TinyGifsClaimingHugeScreensLoadAtTheirClaimedSize) {
    app::installQtPictureLoader();  // raises Qt's allocation ceiling to the program's
    for (const auto& [bytes, width, height] :
         {std::tuple{HUGE_SCREEN_GIF, 6160, 9556}, std::tuple{STRETCHED_SCREEN_GIF, 4101, 9737}}) {
        const auto picture = app::decodePictureWithQt(bytes.data(), bytes.size());
        ASSERT_TRUE(picture.has_value()) << width << " x " << height;
        EXPECT_EQ(picture->width, width);
        EXPECT_EQ(picture->height, height);
        EXPECT_EQ(picture->rgb.size(), static_cast<std::size_t>(width) * height * 3);
    }
}

}  // namespace
