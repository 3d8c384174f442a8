#pragma once
// GIF decoding with giflib: the first picture of the file, placed on the logical
// screen as it would first be shown.

#include "imaging/picture.h"
#include "model/result.h"
#include "imaging/picture_source.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace imaging {

// True when the buffer starts with "GIF87a" or "GIF89a".
bool isGifData(const std::uint8_t* data, std::size_t size);

// The first picture of a (possibly animated) GIF on its logical screen, which
// grows to hold the picture when the picture reaches past it. Outside the picture
// the screen shows the colour of the transparent index when the picture has one,
// else the colour of index 0. Transparency plays no other part: a transparent
// pixel shows its index's stored colour. Indices past the colour table (or all of
// them, when the file has no table) show as grey: red = green = blue = index.
// Refused: a screen over the picture limits, a picture of no pixels, no picture
// at all, and a first picture whose data is cut short or corrupt.
model::Result<Picture> decodeGif(PictureSource& source);
model::Result<Picture> decodeGif(const std::uint8_t* data, std::size_t size);

}  // namespace imaging
