// The single load call: content picks the decoder, names with spaces and non-ASCII
// letters load, anything else cannot be loaded, other formats reach the fallback.
#include "imaging/picture_load.h"

#include "imaging/bmp8.h"
#include "imaging/file_bytes.h"
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
    void TearDown() override { imaging::setPictureLoaderFallback({}); }
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
    // An exported bitmap loads without any fallback and shows the table's colours.
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
    const std::string big = folder.write("big.bin", Bytes(1000, 7));
    EXPECT_TRUE(imaging::readFileBytes(big, 1000).has_value());
    EXPECT_FALSE(imaging::readFileBytes(big, 999).has_value());
}

TEST_F(PictureLoad, OtherFormatsGoToTheFallbackWhichMayNotMisbehave) {
    const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0};
    const std::string name = folder.write("anim.gif", gif);
    EXPECT_FALSE(loadPicture(name).has_value());  // nothing installed yet
    Bytes seen;
    Picture answer{1, 1, {1, 2, 3}};
    imaging::setPictureLoaderFallback([&](const std::uint8_t* data, std::size_t size) -> std::optional<Picture> {
        seen.assign(data, data + size);
        if (answer.width < 0) throw std::runtime_error("decoder broke");
        return answer;
    });
    ASSERT_TRUE(loadPicture(name).has_value());
    EXPECT_EQ(loadPicture(name)->rgb, (Bytes{1, 2, 3}));
    EXPECT_EQ(seen, gif);
    seen.clear();  // files the built-in decoders refuse never reach it
    EXPECT_FALSE(loadPicture(folder.write("bad.png", picture_files::pngClaiming(0, 0))).has_value());
    EXPECT_TRUE(seen.empty());
    for (const Picture& wrong : {Picture{4, 4, Bytes(5)}, Picture{20000, 1, Bytes(60000)}, Picture{-1, 1, {}}}) {
        answer = wrong;  // fewer bytes than its size says, over the limits, throwing
        EXPECT_FALSE(loadPicture(name).has_value()) << wrong.width << " x " << wrong.height;
    }
}

}  // namespace
