// BMP, GIF, PNG and a few JPEGs through loadPicture: one small file of every kind
// (make_pictures.py) shows the colours Pillow reads from it, or, where Pillow cannot
// or reads wrongly, the colours worked out from the pixels written (a 16-bit PNG
// within 1 of Pillow's). Cut and impossible files are refused.
#include "imaging/picture_load.h"
#include "imaging/png_decode.h"

#include "picture_files.h"

#include <png.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

using imaging::loadPicture;
using picture_files::Bytes;

namespace {

// The pictures make_pictures.py writes, once per run, into a folder removed at exit;
// none without a Python with Pillow.
const picture_files::TempFolder* pictures() {
    static const picture_files::TempFolder folder;
    static const bool made = std::system(("/usr/bin/python3 -c 'import PIL' 2>/dev/null && /usr/bin/python3 " +
                                          std::string(VIROROR_SOURCE_DIR) + "/tests/imaging/make_pictures.py '" +
                                          folder.name("") + "'").c_str()) == 0;
    return made ? &folder : nullptr;
}
Bytes file(const std::string& leaf) { return support::readBytes(*pictures() / leaf); }
constexpr const char* NO_PICTURES = "no Python with Pillow to make the pictures";

TEST(PictureKinds, EveryKindShowsTheColoursExpectedTheSameOnEveryLoad) {
    if (!pictures()) GTEST_SKIP() << NO_PICTURES;
    std::ifstream manifest(pictures()->name("manifest.txt"));
    std::string line;
    int kinds = 0;
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string name, by;
        fields >> name >> by;
        SCOPED_TRACE(name + " (expected colours: " + by + ")");
        ++kinds;
        const Bytes expected = file(name + ".rgb");
        ASSERT_GE(expected.size(), 8u);
        const auto picture = imaging::loadPicture(pictures()->name(name));
        ASSERT_TRUE(picture.ok());
        EXPECT_EQ(std::pair(picture->width, picture->height),
                  std::pair(expected[0] | expected[1] << 8, expected[4] | expected[5] << 8));
        const Bytes colours(expected.begin() + 8, expected.end());
        ASSERT_EQ(picture->rgb.size(), colours.size());
        const int slack = by == "pillow1" ? 1 : 0;
        int wrong = 0;
        for (std::size_t i = 0; i < colours.size(); ++i) wrong += std::abs(picture->rgb[i] - colours[i]) > slack;
        EXPECT_EQ(wrong, 0) << "samples off by more than " << slack;
        const Bytes bytes = file(name);
        EXPECT_TRUE(imaging::decodePicture(bytes.data(), bytes.size())->rgb == picture->rgb) << "again, from memory";
    }
    EXPECT_EQ(kinds, 108);
}

TEST(PictureKinds, FilesCutShortAreRefused) {
    if (!pictures()) GTEST_SKIP() << NO_PICTURES;
    // Raw rows, a table, run-length data up to its end code, GIF data up to the
    // first picture's last block (only the trailer may go).
    for (const auto& [name, spare] : {std::pair{"bgr24_topdown.bmp", 0}, {"table4.bmp", 0}, {"rle8.bmp", 0},
                                      {"rle4_delta.bmp", 0}, {"still.gif", 1}, {"interlaced.gif", 1}}) {
        const Bytes whole = file(name);
        ASSERT_TRUE(imaging::decodePicture(whole.data(), whole.size()).ok()) << name;
        for (std::size_t length = 0; length + spare < whole.size(); ++length)
            ASSERT_FALSE(imaging::decodePicture(whole.data(), length).ok()) << name << " cut at " << length;
    }
}

TEST(PictureKinds, ImpossibleHeadersAreRefused) {
    if (!pictures()) GTEST_SKIP() << NO_PICTURES;
    std::ifstream list(pictures()->name("refused.txt"));
    int refused = 0;
    for (std::string name, what; list >> name && std::getline(list, what); ++refused) {
        const Bytes bad = file(name);
        EXPECT_FALSE(bad.empty() || imaging::decodePicture(bad.data(), bad.size()).ok()) << name << what;
    }
    EXPECT_EQ(refused, 44);
}

// Content, not the name, chooses the decoder; any name loads; what cannot be loaded gives nothing.
TEST(PictureLoad, ContentNotNameChoosesTheDecoderAndAnyNameLoads) {
    const picture_files::TempFolder folder;
    picture_files::PngRecipe recipe{7, 3};
    for (int y = 0; y < 3; ++y) recipe.rows.push_back(support::seededBytes(21, y));
    const Bytes png = picture_files::writePng(recipe);
    for (const std::string name : {"my picture.gif", "Bild mit Größe ü.jpg", "картинка 1.png", "画像"}) {
        const auto picture = loadPicture(folder.write(name, png));
        ASSERT_TRUE(picture.ok()) << name;
        EXPECT_EQ(picture->rgb, imaging::decodePicture(png.data(), png.size())->rgb) << name;
    }
    const Bytes jpeg = picture_files::writeJpeg({9, 4, 1, 90, false, false, Bytes(36)});
    EXPECT_TRUE(loadPicture(folder.write("really a jpeg.png", jpeg)).ok());

    const std::string text = "Just a line of text.\r\n";
    for (const std::string& name : {folder.name("missing.png"), folder.name(""), std::string(),
                                    folder.write("empty.png", {}), folder.write("notes", {text.begin(), text.end()})})
        EXPECT_FALSE(loadPicture(name).ok()) << name;
}

// PNG decoding refuses cut, damaged and oversized files.
TEST(PngRefusal, CutDamagedEmptyAndOversizedFiles) {
    picture_files::PngRecipe recipe{40, 30};
    for (int y = 0; y < 30; ++y) recipe.rows.push_back(support::seededBytes(120, 60u + y));
    const Bytes file = picture_files::writePng(recipe);
    ASSERT_TRUE(imaging::decodePng(file.data(), file.size()).ok());
    for (std::size_t length = 0; length < file.size(); ++length)
        ASSERT_FALSE(imaging::decodePng(file.data(), length).ok()) << "cut at " << length;
    for (std::size_t at = 0; at < 60; ++at) {  // the signature, the header, the start of the pixels
        Bytes damaged = file;
        damaged[at] ^= 0x5A;
        ASSERT_FALSE(imaging::decodePng(damaged.data(), damaged.size()).ok()) << "byte " << at;
    }
    const Bytes wide = picture_files::writePng({16385, 1, PNG_COLOR_TYPE_GRAY, 8, {Bytes(16385)}});
    EXPECT_FALSE(imaging::decodePng(wide.data(), wide.size()).ok()) << "a whole picture wider than the limit";
}

}  // namespace
