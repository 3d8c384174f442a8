#pragma once
// JPEG decoding with libjpeg: colour, grey and CMYK (plain or Adobe-inverted, also
// YCCK) pictures become 8-bit RGB. A corrupt or cut-short file, or one whose header
// claims a size over the picture limits, is refused before pixel memory is taken.

#include "imaging/picture.h"
#include "model/result.h"
#include "imaging/picture_source.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace imaging {

// True when the buffer starts with a JPEG start-of-image marker (FF D8 FF).
bool isJpegData(const std::uint8_t* data, std::size_t size);

// The source is read from its start, a piece at a time; the rows go straight into
// the picture. Refused as well: a progressive picture whose coefficients would not
// fit in what the memory budget leaves beside the picture.
model::Result<Picture> decodeJpeg(PictureSource& source);
model::Result<Picture> decodeJpeg(const std::uint8_t* data, std::size_t size);
model::Result<Picture> decodeJpegFile(const std::string& path);

}  // namespace imaging
