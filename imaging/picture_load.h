#pragma once
// The one call that turns a picture file into a true-colour picture, or fails:
// PNG (libpng), JPEG (libjpeg), GIF (giflib) and BMP (the program's own reader).

#include "imaging/picture.h"
#include "model/result.h"
#include "imaging/picture_source.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace imaging {

// Picks the decoder by the content, never by the name. No picture when no decoder
// takes it or the chosen one refuses it.
model::Result<Picture> decodePicture(PictureSource& source);
model::Result<Picture> decodePicture(const std::uint8_t* data, std::size_t size);

// Decodes the file (UTF-8 name) as above, reading it a piece at a time, so the
// file is never held in memory beside its picture. Any failure, from a missing
// file to a corrupt one, means the picture cannot be loaded.
model::Result<Picture> loadPicture(const std::string& path);

}  // namespace imaging
