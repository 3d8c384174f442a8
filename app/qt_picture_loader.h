#pragma once
// The toolkit's share of picture loading: BMP and GIF files are decoded by Qt and
// handed to imaging::loadPicture through its fallback hook, so the imaging folder
// stays free of Qt. Also the conversions between pictures and QImages.
//
// Call installQtPictureLoader() once at start-up, before any picture is loaded.

#include "imaging/picture.h"
#include "imaging/png_decode.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace app {

// Decodes a BMP or GIF file image (told apart by its first bytes; anything else is
// refused). The size the header claims is checked against the picture limits
// before Qt decodes a pixel; a file Qt cannot read completely is refused. Only the
// first frame of an animated GIF is taken. Alpha is dropped.
std::optional<imaging::Picture> decodePictureWithQt(const std::uint8_t* data, std::size_t size);

// Makes decodePictureWithQt the fallback of imaging::loadPicture.
void installQtPictureLoader();

// A true-colour picture as an opaque 32-bit image (QImage::Format_RGB32).
QImage pictureToImage(const imaging::Picture& picture);
// A picture with alpha as a 32-bit image with alpha (QImage::Format_ARGB32), e.g. for icons.
QImage rgbaPictureToImage(const imaging::RgbaPicture& picture);
// Any image as a true-colour picture; alpha is dropped, the stored colours stay.
imaging::Picture imageToPicture(const QImage& image);

}  // namespace app
