#pragma once
// PNG decoding with libpng: any colour type, bit depth or interlacing becomes an
// 8-bit picture. A file that libpng rejects, that is cut short or that claims a
// size over the picture limits is refused before any pixel memory is taken.

#include "imaging/picture.h"
#include "model/result.h"
#include "imaging/picture_source.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace imaging {

// A picture that keeps its alpha channel: rows top to bottom, 4 bytes per pixel
// in the order red, green, blue, alpha (alpha 255 is opaque).
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // size width * height * 4
};

// True when the buffer starts with the 8-byte PNG signature.
bool isPngData(const std::uint8_t* data, std::size_t size);

// Decodes to true-colour RGB; alpha and transparency are dropped (the colour
// values are kept as stored, not blended with anything).
// The source is read from its start, a piece at a time.
model::Result<Picture> decodePng(PictureSource& source);
model::Result<Picture> decodePng(const std::uint8_t* data, std::size_t size);
model::Result<Picture> decodePngFile(const std::string& path);

// Decodes keeping alpha, for pictures held in the program (the toolbar icons).
// Grey becomes equal red, green and blue; a picture without alpha is opaque.
model::Result<RgbaPicture> decodePngRgba(const std::uint8_t* data, std::size_t size);

}  // namespace imaging
