#include "toolkit/picture_image.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace toolkit {

QImage pictureToImage(const imaging::Picture& picture) {
    if (picture.empty() || picture.rgb.size() != static_cast<std::size_t>(picture.width) * picture.height * 3)
        return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint8_t* from = picture.pixel(0, y);
        for (int x = 0; x < picture.width; ++x, from += 3) line[x] = qRgb(from[0], from[1], from[2]);
    }
    return image;
}

QImage rgbaPictureToImage(const imaging::RgbaPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgba.size() != static_cast<std::size_t>(picture.width) * picture.height * 4)
        return {};
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    const std::uint8_t* from = picture.rgba.data();
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x, from += 4) line[x] = qRgba(from[0], from[1], from[2], from[3]);
    }
    return image;
}

imaging::Picture imageToPicture(const QImage& image) {
    imaging::Picture picture;
    if (image.isNull()) return picture;
    // 32-bit images are read where they are. Any other format is converted a band
    // of rows at a time, so a large picture is never held twice at 4 bytes a pixel
    // beside its 3-byte copy. Plain ARGB keeps the stored colours of see-through
    // pixels; premultiplied formats are undone by the conversion, and the alpha byte
    // is then skipped.
    const bool direct = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    constexpr int BAND_ROWS = 64;
    const int width = image.width();
    const int height = image.height();
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (int top = 0; top < height; top += BAND_ROWS) {
        const int rows = std::min(BAND_ROWS, height - top);
        const QImage band = direct ? image : image.copy(0, top, width, rows).convertToFormat(QImage::Format_ARGB32);
        if (band.isNull()) return {};
        const int firstRow = direct ? top : 0;
        for (int y = 0; y < rows; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(band.constScanLine(firstRow + y));
            std::uint8_t* to = picture.pixel(0, top + y);
            for (int x = 0; x < width; ++x, to += 3) {
                to[0] = static_cast<std::uint8_t>(qRed(line[x]));
                to[1] = static_cast<std::uint8_t>(qGreen(line[x]));
                to[2] = static_cast<std::uint8_t>(qBlue(line[x]));
            }
        }
    }
    return picture;
}

}  // namespace toolkit
