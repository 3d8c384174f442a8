// Fuzz target: Bitmaps through decodePicture: uncompressed 8-bit ones go to decodeBitmap8,
// every other depth and the run-length kinds to the toolkit's reader after the
// structure walk of bmpFileComplete.

#include "fuzz/picture_fuzz_support.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::startQtPictureLoader();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::decodeOnePicture(data, size);
}
