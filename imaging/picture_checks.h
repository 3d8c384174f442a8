#pragma once
// Structure checks for BMP and GIF files that the toolkit decodes. Its decoders
// show whatever part of a cut-short file they got; the program instead refuses
// such a file, so these walk the file's structure first: every header field is
// checked against the data that is really there, nothing is decoded.

#include <cstddef>
#include <cstdint>

namespace imaging {

// True when the bytes hold a whole BMP: a known header, a size within the picture
// limits, a pixel offset past the headers and all the pixel rows (uncompressed or
// bit-field layouts), or run-length data that reaches its end-of-bitmap code.
bool bmpFileComplete(const std::uint8_t* data, std::size_t size);

// True when the bytes hold a GIF whose first picture is complete: header, colour
// tables, extensions before it and all its data blocks up to their terminator,
// with the picture's size within the limits.
bool gifFirstImageComplete(const std::uint8_t* data, std::size_t size);

}  // namespace imaging
