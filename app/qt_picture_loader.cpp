#include "app/qt_picture_loader.h"

#include "imaging/picture_checks.h"
#include "imaging/picture_load.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <cstring>
#include <limits>

namespace app {

namespace {

// The format by its signature, so no other Qt image plugin is ever asked.
QByteArray formatOf(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return "bmp";
    if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0)) return "gif";
    return {};
}

}  // namespace

std::optional<imaging::Picture> decodePictureWithQt(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size == 0 || size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return std::nullopt;
    const QByteArray format = formatOf(data, size);
    if (format.isEmpty()) return std::nullopt;
    // Qt shows what it got of a cut-short file; such a file is refused here instead.
    const bool complete =
        format == "bmp" ? imaging::bmpFileComplete(data, size) : imaging::gifFirstImageComplete(data, size);
    if (!complete) return std::nullopt;

    // The bytes stay the caller's: QBuffer reads them in place.
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);

    // The header's claim is checked before anything is decoded.
    const QSize claimed = reader.size();
    if (!claimed.isValid() || !imaging::pictureSizeAllowed(claimed.width(), claimed.height())) return std::nullopt;

    QImage image;
    if (!reader.read(&image) || image.isNull() || image.size() != claimed) return std::nullopt;
    return imageToPicture(image);
}

void installQtPictureLoader() {
    // Qt's own ceiling on decoded images may sit below the largest picture the
    // program accepts (4 bytes a pixel once decoded); raise it to match.
    constexpr long long neededMegabytes = imaging::MAX_PICTURE_PIXELS * 4 / (1024 * 1024);
    const int current = QImageReader::allocationLimit();  // 0: no ceiling at all
    if (current != 0 && current < neededMegabytes)
        QImageReader::setAllocationLimit(static_cast<int>(neededMegabytes));
    imaging::setPictureLoaderFallback(decodePictureWithQt);
}

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

}  // namespace app
