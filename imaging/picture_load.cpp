#include "imaging/picture_load.h"

#include "imaging/bmp_decode.h"
#include "imaging/gif_decode.h"
#include "imaging/jpeg_decode.h"
#include "imaging/png_decode.h"

namespace imaging {

std::optional<Picture> decodePicture(PictureSource& source) {
    std::uint8_t start[8] = {};
    if (!source.seek(0)) return std::nullopt;
    const std::size_t got = source.read(start, sizeof start);
    if (isPngData(start, got)) return decodePng(source);
    if (isJpegData(start, got)) return decodeJpeg(source);
    if (isGifData(start, got)) return decodeGif(source);
    if (isBmpData(start, got)) return decodeBmp(source);
    return std::nullopt;
}

std::optional<Picture> decodePicture(const std::uint8_t* data, std::size_t size) {
    MemorySource source(data, size);
    return decodePicture(source);
}

std::optional<Picture> loadPicture(const std::string& path) {
    const auto source = FileSource::open(path);
    if (!source) return std::nullopt;
    return decodePicture(*source);
}

}  // namespace imaging
