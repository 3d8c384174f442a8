// The single load call: content decides the decoder, names with spaces and
// accented letters load, anything else is "cannot be loaded", and other formats
// reach the installed fallback.
#include "imaging/picture_load.h"

#include "imaging/bmp8.h"
#include "imaging/file_bytes.h"
#include "picture_files.h"

#include <png.h>

#include <gtest/gtest.h>

#include <random>

using imaging::loadPicture;
using imaging::Picture;
using picture_files::Bytes;

namespace {

Bytes pngOf(int width, int height, unsigned seed) {
    picture_files::PngRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.colourType = PNG_COLOR_TYPE_RGB;
    const Bytes pixels = picture_files::randomBytes(static_cast<std::size_t>(width) * height * 3, seed);
    for (int y = 0; y < height; ++y)
        recipe.rows.emplace_back(pixels.begin() + static_cast<std::ptrdiff_t>(y) * width * 3,
                               pixels.begin() + static_cast<std::ptrdiff_t>(y + 1) * width * 3);
    return picture_files::writePng(recipe);
}

class PictureLoad : public ::testing::Test {
protected:
    void TearDown() override { imaging::setPictureLoaderFallback({}); }
    picture_files::TempFolder folder;
};

TEST_F(PictureLoad, NamesWithSpacesAndAccentedLettersLoad) {
    const Bytes png = pngOf(7, 3, 1);
    const auto direct = imaging::decodePicture(png.data(), png.size());
    ASSERT_TRUE(direct.has_value());
    for (const std::string name : {"my picture.png", "Bild mit Größe ü.png", "картинка 1.png", "画像.png"}) {
        const std::string path = folder.write(name, png);
        const auto picture = loadPicture(path);
        ASSERT_TRUE(picture.has_value()) << name;
        EXPECT_EQ(picture->rgb, direct->rgb) << name;
    }
}

TEST_F(PictureLoad, ContentNotNameChoosesTheDecoder) {
    picture_files::JpegRecipe recipe;
    recipe.width = 9;
    recipe.height = 4;
    recipe.pixels = picture_files::randomBytes(9 * 4 * 3, 2);
    const auto jpeg = loadPicture(folder.write("really a jpeg.png", picture_files::writeJpeg(recipe)));
    ASSERT_TRUE(jpeg.has_value());
    EXPECT_EQ(jpeg->width, 9);

    const auto png = loadPicture(folder.write("really a png.gif", pngOf(5, 2, 3)));
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->width, 5);

    // An exported bitmap loads without any fallback and shows the table's colours.
    imaging::IndexedPicture indexed;
    indexed.width = 3;
    indexed.height = 1;
    indexed.stride = 4;
    indexed.pixels = {0xE3, 0x00, 0xFF, 0};
    const auto bitmap = loadPicture(folder.write("export.BMP", imaging::encodeBitmap(indexed)));
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->rgb, (Bytes{255, 0, 255, 0, 0, 0, 255, 255, 255}));
}

TEST_F(PictureLoad, WhatCannotBeLoadedGivesNothing) {
    EXPECT_FALSE(loadPicture(picture_files::utf8(folder.path() / "missing.png")).has_value());
    EXPECT_FALSE(loadPicture(picture_files::utf8(folder.path())).has_value());  // a folder
    EXPECT_FALSE(loadPicture(folder.write("empty.png", {})).has_value());
    const std::string text = "Just a line of text.\r\n";
    EXPECT_FALSE(loadPicture(folder.write("notes.png", Bytes(text.begin(), text.end()))).has_value());
    EXPECT_FALSE(loadPicture(folder.write("zero.png", picture_files::pngHeaderOnly(0, 0, 8, 2))).has_value());
    EXPECT_FALSE(loadPicture(folder.write("huge.png", picture_files::pngHeaderOnly(100000, 100000, 8, 2))).has_value());
    const Bytes png = pngOf(20, 20, 4);
    EXPECT_FALSE(loadPicture(folder.write("cut.png", Bytes(png.begin(), png.begin() + png.size() / 2))).has_value());
    EXPECT_FALSE(loadPicture("").has_value());
}

TEST_F(PictureLoad, OtherFormatsGoToTheFallbackWithTheFileBytes) {
    const std::string gifText = "GIF89a pretend";
    const Bytes gif(gifText.begin(), gifText.end());
    const std::string name = folder.write("anim.gif", gif);
    EXPECT_FALSE(loadPicture(name).has_value());  // nothing installed yet

    Bytes seen;
    imaging::setPictureLoaderFallback([&](const std::uint8_t* data, std::size_t size) -> std::optional<Picture> {
        seen.assign(data, data + size);
        Picture picture;
        picture.width = 1;
        picture.height = 1;
        picture.rgb = {1, 2, 3};
        return picture;
    });
    const auto picture = loadPicture(name);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->rgb, (Bytes{1, 2, 3}));
    EXPECT_EQ(seen, gif);

    // Files the built-in decoders refuse never reach it.
    seen.clear();
    EXPECT_FALSE(loadPicture(folder.write("bad.png", picture_files::pngHeaderOnly(0, 0, 8, 2))).has_value());
    EXPECT_TRUE(seen.empty());
}

TEST_F(PictureLoad, AFallbackThatMisbehavesLoadsNothing) {
    const std::string name = folder.write("odd.gif", Bytes{'G', 'I', 'F', '8', '7', 'a'});
    imaging::setPictureLoaderFallback([](const std::uint8_t*, std::size_t) -> std::optional<Picture> {
        Picture picture;
        picture.width = 4;
        picture.height = 4;
        picture.rgb.resize(5);  // fewer bytes than its size says
        return picture;
    });
    EXPECT_FALSE(loadPicture(name).has_value());
    imaging::setPictureLoaderFallback([](const std::uint8_t*, std::size_t) -> std::optional<Picture> {
        throw std::runtime_error("decoder broke");
    });
    EXPECT_FALSE(loadPicture(name).has_value());
}

TEST_F(PictureLoad, FilesOverTheSizeCapAreNotRead) {
    const std::string name = folder.write("big.bin", Bytes(1000, 7));
    EXPECT_TRUE(imaging::readFileBytes(name, 1000).has_value());
    EXPECT_FALSE(imaging::readFileBytes(name, 999).has_value());
}

}  // namespace

namespace {

// Seeded random damage to whole files of every built-in kind: each copy either
// loads with a consistent size or is refused; none may crash or hang.
TEST(PictureDamage, DamagedFilesLoadConsistentlyOrNotAtAll) {
    picture_files::JpegRecipe jpegRecipe;
    jpegRecipe.width = 24;
    jpegRecipe.height = 16;
    jpegRecipe.pixels = picture_files::randomBytes(24 * 16 * 3, 90);
    jpegRecipe.progressive = true;
    imaging::IndexedPicture indexed;
    indexed.width = 13;
    indexed.height = 5;
    indexed.stride = 16;
    indexed.pixels = picture_files::randomBytes(16 * 5, 91);
    const std::vector<Bytes> originals = {pngOf(24, 16, 92), picture_files::writeJpeg(jpegRecipe),
                                          imaging::encodeBitmap(indexed)};

    std::mt19937 generator(93);
    for (const Bytes& original : originals) {
        for (int copy = 0; copy < 300; ++copy) {
            Bytes damaged = original;
            const int changes = 1 + static_cast<int>(generator() % 4);
            for (int i = 0; i < changes; ++i) {
                const std::size_t at = generator() % damaged.size();
                damaged[at] = static_cast<std::uint8_t>(generator());
            }
            if (generator() % 3 == 0) damaged.resize(generator() % damaged.size());
            const auto picture = imaging::decodePicture(damaged.data(), damaged.size());
            if (picture) {
                ASSERT_TRUE(imaging::pictureSizeAllowed(picture->width, picture->height));
                ASSERT_EQ(picture->rgb.size(), static_cast<std::size_t>(picture->width) * picture->height * 3);
            }
        }
    }
}

}  // namespace
