#include "imaging/picture_load.h"

#include "imaging/bmp_decode.h"
#include "imaging/gif_decode.h"
#include "imaging/jpeg_decode.h"
#include "imaging/png_decode.h"

namespace imaging {

model::Result<Picture> decodePicture(PictureSource& source) {
    std::uint8_t start[8] = {};
    if (!source.seek(0)) return model::failure(model::ErrorKind::Unreadable);
    const std::size_t got = source.read(start, sizeof start);
    if (isPngData(start, got)) return decodePng(source);
    if (isJpegData(start, got)) return decodeJpeg(source);
    if (isGifData(start, got)) return decodeGif(source);
    if (isBmpData(start, got)) return decodeBmp(source);
    return model::failure(model::ErrorKind::UnknownFormat);
}

model::Result<Picture> decodePicture(const std::uint8_t* data, std::size_t size) {
    MemorySource source(data, size);
    return decodePicture(source);
}

model::Result<Picture> loadPicture(const std::string& path) {
    const auto source = FileSource::open(path);
    if (!source) return model::failure(model::ErrorKind::NotFound, path);
    return decodePicture(*source);
}

}  // namespace imaging
