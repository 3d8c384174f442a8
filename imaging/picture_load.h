#pragma once
// The one call that turns a picture file into a true-colour picture, or fails.
// PNG and JPEG are decoded here; an 8-bit bitmap too. Every other format (BMP of
// other depths, GIF) goes to a fallback decoder that the window layer installs at
// start-up, so this folder needs no toolkit.

#include "imaging/picture.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace imaging {

// Decodes a whole file image that the built-in decoders do not take. It gets the
// bytes already read (and capped in size) and must check sizes before allocating.
using PictureLoaderFallback = std::function<std::optional<Picture>(const std::uint8_t* data, std::size_t size)>;

// Installs the fallback (an empty function removes it). Meant for start-up, before
// any picture is loaded; it is not guarded against loads on other threads.
void setPictureLoaderFallback(PictureLoaderFallback fallback);

// Picks the decoder by the content, never by the name: PNG and JPEG signatures go
// to libpng and libjpeg, an 8-bit bitmap to its own reader, the rest to the
// fallback. No picture when nothing can decode it.
std::optional<Picture> decodePicture(const std::uint8_t* data, std::size_t size);

// Reads the file (UTF-8 name, size capped) and decodes it as above. Any failure,
// from a missing file to a corrupt one, means the picture cannot be loaded.
std::optional<Picture> loadPicture(const std::string& path);

}  // namespace imaging
