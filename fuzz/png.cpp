// Fuzz target: PNG files: decodePicture as the editor's import reaches it, and the icon
// decoder (decodePngRgba) on the same bytes, which must agree with it: the same size
// and the same colours, alpha aside.

#include "fuzz/picture_fuzz_support.h"
#include "imaging/png_decode.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (fuzz::claimsLargePicture(data, size)) return 0;  // see picture_fuzz_support.h
    const auto picture = imaging::decodePicture(data, size);
    fuzz::checkPicture(picture);
    if (!imaging::isPngData(data, size)) return 0;

    const auto rgba = imaging::decodePngRgba(data, size);
    FUZZ_CHECK(picture.ok() == rgba.ok());
    if (!rgba) return 0;
    FUZZ_CHECK(rgba->width == picture->width && rgba->height == picture->height);
    FUZZ_CHECK(rgba->rgba.size() == picture->rgb.size() / 3 * 4);
    for (std::size_t i = 0, j = 0; i < picture->rgb.size(); i += 3, j += 4) {
        FUZZ_CHECK(picture->rgb[i] == rgba->rgba[j] && picture->rgb[i + 1] == rgba->rgba[j + 1] &&
                   picture->rgb[i + 2] == rgba->rgba[j + 2]);
    }
    return 0;
}
