// Inputs found while fuzzing the picture decoders. A JPEG whose pixel data stops at
// a marker before the picture is whole (a file cut short with an end marker put
// back, or a header claiming more rows than the data holds) was shown with grey
// filler, and a header of a few hundred bytes could claim a 16384 x 4096 picture
// that way. Such files are now refused like a file that simply ends early.
#include "imaging/jpeg_decode.h"

#include "picture_files.h"

#include <gtest/gtest.h>

using imaging::decodeJpeg;
using picture_files::Bytes;

namespace {

Bytes noisyJpeg(int components, bool progressive) {
    return picture_files::writeJpeg(
        {40, 24, components, 90, false, progressive, picture_files::randomBytes(40 * 24 * components, 29u + components)});
}

bool decodes(const Bytes& file) { return decodeJpeg(file.data(), file.size()).has_value(); }

TEST(JpegFuzzRegressions, ScanDataStoppedByAnEndMarkerIsRefused) {
    for (auto [components, progressive] : {std::pair{1, false}, {3, false}, {3, true}}) {
        SCOPED_TRACE(std::to_string(components) + (progressive ? " progressive" : " baseline"));
        const Bytes file = noisyJpeg(components, progressive);
        ASSERT_TRUE(decodes(file));
        const std::size_t scan = picture_files::jpegMarkerAt(file, 0xDA);
        ASSERT_NE(scan, 0u);
        const std::size_t start = scan + 2 + (file[scan + 2] << 8 | file[scan + 3]), end = file.size() - 2;
        // Every cut of a baseline scan; for a progressive file a cut in its first scan.
        for (std::size_t length = start + (progressive ? 3 : 0); length < (progressive ? start + 4 : end); ++length) {
            Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(length));
            cut.insert(cut.end(), {0xFF, 0xD9});
            ASSERT_FALSE(decodes(cut)) << "cut at " << length;
        }
    }
}

TEST(JpegFuzzRegressions, HeaderClaimingMoreRowsThanTheDataHoldsIsRefused) {
    for (bool progressive : {false, true})
        for (auto [width, height] : {std::pair{40, 48}, {16384, 4096}}) {
            Bytes claim = noisyJpeg(3, progressive);
            picture_files::setJpegSize(claim, width, height);
            EXPECT_FALSE(decodes(claim)) << (progressive ? "progressive " : "baseline ") << width << " x " << height;
        }
}

}  // namespace
