// The single load call: content picks the decoder, names with spaces and non-ASCII
// letters load, anything else cannot be loaded.
#include "imaging/picture_load.h"

#include "imaging/bmp8.h"
#include "picture_files.h"

#include <gtest/gtest.h>

using imaging::loadPicture;
using imaging::Picture;
using picture_files::Bytes;

namespace {

Bytes pngOf(int width, int height) {
    picture_files::PngRecipe recipe{width, height};
    for (int y = 0; y < height; ++y) recipe.rows.push_back(picture_files::randomBytes(width * 3u, y));
    return picture_files::writePng(recipe);
}

class PictureLoad : public ::testing::Test {
protected:
    picture_files::TempFolder folder;
};

TEST_F(PictureLoad, ContentNotNameChoosesTheDecoderAndAnyNameLoads) {
    const Bytes png = pngOf(7, 3);
    for (const std::string name : {"my picture.gif", "Bild mit Größe ü.jpg", "картинка 1.png", "画像"}) {
        const auto picture = loadPicture(folder.write(name, png));
        ASSERT_TRUE(picture.has_value()) << name;
        EXPECT_EQ(picture->rgb, imaging::decodePicture(png.data(), png.size())->rgb) << name;
    }
    const Bytes grey = picture_files::writeJpeg({9, 4, 1, 90, false, false, Bytes(36)});
    const auto jpeg = loadPicture(folder.write("really a jpeg.png", grey));
    ASSERT_TRUE(jpeg.has_value());
    EXPECT_EQ(jpeg->width, 9);
    // An exported bitmap shows the table's colours.
    const auto bitmap = loadPicture(folder.write("export.BMP", imaging::encodeBitmap({3, 1, 4, {0xE3, 0, 0xFF, 0}})));
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->rgb, (Bytes{255, 0, 255, 0, 0, 0, 255, 255, 255}));
}

TEST_F(PictureLoad, WhatCannotBeLoadedGivesNothing) {
    const std::string text = "Just a line of text.\r\n";
    for (const std::string& name : {folder.name("missing.png"), folder.name(""), std::string(),
                                    folder.write("empty.png", {}), folder.write("notes", {text.begin(), text.end()}),
                                    folder.write("huge.png", picture_files::pngClaiming(100000, 100000))})
        EXPECT_FALSE(loadPicture(name).has_value()) << name;
}

}  // namespace
