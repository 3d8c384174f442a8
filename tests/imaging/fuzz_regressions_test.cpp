// Inputs found while fuzzing the picture decoders. A JPEG whose pixel data stops at
// a marker before the picture is whole (a file cut short with an end marker put
// back, or a header claiming more rows than the data holds) was shown with grey
// filler, and a header of a few hundred bytes could claim a 16384 x 4096 picture
// that way. Such files are now refused like a file that simply ends early.
#include "imaging/jpeg_decode.h"

#include "picture_files.h"

#include <gtest/gtest.h>

using picture_files::Bytes;

namespace {

Bytes noisyJpeg(int components, bool progressive) {
    const Bytes pixels = picture_files::randomBytes(40 * 24 * components, 29u + components);
    return picture_files::writeJpeg({40, 24, components, 90, false, progressive, pixels});
}

bool decodes(const Bytes& file) { return imaging::decodeJpeg(file.data(), file.size()).has_value(); }

std::size_t markerAt(const Bytes& file, std::uint8_t code, std::uint8_t orCode) {
    for (std::size_t i = 2; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && (file[i + 1] == code || file[i + 1] == orCode)) return i;
    return 0;
}

TEST(JpegFuzzRegressions, ScanDataStoppedByAnEndMarkerIsRefused) {
    for (auto [components, progressive] : {std::pair{1, false}, {3, false}, {3, true}}) {
        SCOPED_TRACE(std::to_string(components) + (progressive ? " progressive" : " baseline"));
        const Bytes file = noisyJpeg(components, progressive);
        const std::size_t scan = markerAt(file, 0xDA, 0xDA);
        ASSERT_TRUE(decodes(file) && scan > 0);
        const std::size_t start = scan + 2 + (file[scan + 2] << 8 | file[scan + 3]), end = file.size() - 2;
        // Every cut of a baseline scan; for a progressive file a cut in its first scan.
        for (std::size_t length = start + (progressive ? 3 : 0); length < (progressive ? start + 4 : end); ++length) {
            Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(length));
            cut.insert(cut.end(), {0xFF, 0xD9});
            ASSERT_FALSE(decodes(cut)) << "cut at " << length;
        }
    }
}

// With them, headers claiming no pixels or more than the limits allow.
TEST(JpegFuzzRegressions, HeaderClaimingAnotherSizeIsRefused) {
    for (bool progressive : {false, true})
        for (auto [width, height] : {std::pair{40, 48}, {16384, 4096}, {65535, 65535}, {16385, 8}, {0, 24}, {40, 0}}) {
            Bytes claim = noisyJpeg(3, progressive);
            const std::size_t frame = markerAt(claim, 0xC0, 0xC2);  // length (2), precision (1), height, width
            ASSERT_NE(frame, 0u);
            claim[frame + 5] = std::uint8_t(height >> 8), claim[frame + 6] = std::uint8_t(height);
            claim[frame + 7] = std::uint8_t(width >> 8), claim[frame + 8] = std::uint8_t(width);
            EXPECT_FALSE(decodes(claim)) << (progressive ? "progressive " : "baseline ") << width << " x " << height;
        }
}

}  // namespace
