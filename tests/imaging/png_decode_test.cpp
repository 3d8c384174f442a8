// PNG decoding refuses cut, damaged and oversized files. (Every colour type, depth
// and interlacing, and headers claiming impossible sizes: the picture kinds that
// make_pictures.py writes.)
#include "imaging/png_decode.h"

#include "picture_files.h"

#include <png.h>

#include <gtest/gtest.h>


using imaging::decodePng;
using picture_files::Bytes;

namespace {

TEST(PngRefusal, CutDamagedEmptyAndOversizedFiles) {
    picture_files::PngRecipe recipe{40, 30};
    for (int y = 0; y < 30; ++y) recipe.rows.push_back(support::seededBytes(120, 60u + y));
    const Bytes file = picture_files::writePng(recipe);
    ASSERT_TRUE(decodePng(file.data(), file.size()).has_value());
    for (std::size_t length = 0; length < file.size(); ++length)
        ASSERT_FALSE(decodePng(file.data(), length).has_value()) << "cut at " << length;
    for (std::size_t at = 0; at < 60; ++at) {  // the signature, the header, the start of the pixels
        Bytes damaged = file;
        damaged[at] ^= 0x5A;
        ASSERT_FALSE(decodePng(damaged.data(), damaged.size()).has_value()) << "byte " << at;
    }
    const Bytes wide = picture_files::writePng({16385, 1, PNG_COLOR_TYPE_GRAY, 8, false, {Bytes(16385)}});
    EXPECT_FALSE(decodePng(wide.data(), wide.size()).has_value()) << "a whole picture wider than the limit";
}

}  // namespace
