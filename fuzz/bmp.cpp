// Fuzz target: bitmaps through decodePicture, to the program's own reader: every
// depth, bit fields, run-length data, the Windows and OS/2 headers.

#include "fuzz/picture_fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::decodeOnePicture(data, size);
}
