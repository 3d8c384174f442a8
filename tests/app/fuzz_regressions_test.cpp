// Found while fuzzing: a picture of 59 million pixels was once held twice at 4
// bytes a pixel while it became a picture. The conversion now works in bands of
// rows; it must keep every format's colours across band edges.
#include "toolkit/picture_image.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

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
            const imaging::Picture picture = toolkit::imageToPicture(image);
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
    EXPECT_TRUE(toolkit::imageToPicture(QImage()).empty());
}

}  // namespace
