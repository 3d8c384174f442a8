#include "imaging/picture_load.h"

#include "imaging/bmp8.h"
#include "imaging/file_bytes.h"
#include "imaging/jpeg_decode.h"
#include "imaging/png_decode.h"

#include <utility>

namespace imaging {

namespace {

PictureLoaderFallback& installedFallback() {
    static PictureLoaderFallback fallback;
    return fallback;
}

}  // namespace

void setPictureLoaderFallback(PictureLoaderFallback fallback) { installedFallback() = std::move(fallback); }

std::optional<Picture> decodePicture(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size == 0) return std::nullopt;
    if (isPngData(data, size)) return decodePng(data, size);
    if (isJpegData(data, size)) return decodeJpeg(data, size);

    // Our own exports need no help; other bitmaps fall through to the fallback.
    if (auto bitmap = decodeBitmap8(data, size)) return bitmapToPicture(*bitmap);

    const PictureLoaderFallback& fallback = installedFallback();
    if (!fallback) return std::nullopt;
    try {
        auto picture = fallback(data, size);
        if (picture && (!pictureSizeAllowed(picture->width, picture->height) ||
                        picture->rgb.size() != static_cast<std::size_t>(picture->width) * picture->height * 3))
            return std::nullopt;
        return picture;
    } catch (...) {
        // Whatever the fallback throws, the picture simply cannot be loaded.
        return std::nullopt;
    }
}

std::optional<Picture> loadPicture(const std::string& path) {
    const auto bytes = readFileBytes(path);
    if (!bytes) return std::nullopt;
    return decodePicture(bytes->data(), bytes->size());
}

}  // namespace imaging
