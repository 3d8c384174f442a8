#pragma once
// Conversions between the program's pictures and the toolkit's images, for the
// window: a loaded picture drawn on a canvas, an icon with alpha, a canvas read back.

#include "imaging/picture.h"
#include "imaging/png_decode.h"

#include <QImage>

namespace toolkit {

// A true-colour picture as an opaque 32-bit image (QImage::Format_RGB32).
QImage pictureToImage(const imaging::Picture& picture);
// A picture with alpha as a 32-bit image with alpha (QImage::Format_ARGB32), e.g. for icons.
QImage rgbaPictureToImage(const imaging::RgbaPicture& picture);
// Any image as a true-colour picture; alpha is dropped, the stored colours stay.
imaging::Picture imageToPicture(const QImage& image);

}  // namespace toolkit
