// Fuzz target: GIF files through decodePicture, to giflib and the placing of the
// first picture on its screen.

#include "fuzz/picture_fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::decodeOnePicture(data, size);
}
