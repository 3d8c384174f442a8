// Fuzz target: JPEG files (baseline, progressive, grey, CMYK) through decodePicture, the
// way the editor's import reads them.

#include "fuzz/picture_fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::decodeOnePicture(data, size);
}
