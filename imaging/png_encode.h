#pragma once
// PNG encoding with libpng, for the pictures the batch commands write: an 8-bit RGB
// picture to the bytes of a PNG file in memory. No time or text chunks, so the same
// picture always gives the same bytes.

#include <cstdint>
#include <vector>

#include "imaging/picture.h"

namespace imaging {

// The PNG file of the picture; empty for an empty picture or when libpng fails.
std::vector<std::uint8_t> encodePng(const Picture& picture);

}  // namespace imaging
