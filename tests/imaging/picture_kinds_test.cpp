// BMP, GIF, PNG and a few JPEGs through loadPicture: one small file of every kind
// (make_pictures.py) shows the colours Pillow reads from it, or, where Pillow cannot
// or reads wrongly, the colours worked out from the pixels written (a 16-bit PNG
// within 1 of Pillow's). Cut and impossible files are refused.
#include "imaging/bmp8.h"
#include "imaging/bmp_decode.h"
#include "imaging/gif_decode.h"
#include "imaging/picture_load.h"

#include "picture_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <tuple>

using imaging::loadPicture;
using picture_files::Bytes;
using picture_files::putLe;

namespace {

class PictureKinds : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new picture_files::TempFolder;
        const std::string command = "/usr/bin/python3 " VIROROR_SOURCE_DIR "/tests/imaging/make_pictures.py '" +
                                    folder_->name("") + "'";
        made_ = std::system(("/usr/bin/python3 -c 'import PIL' 2>/dev/null && " + command).c_str()) == 0;
    }
    static void TearDownTestSuite() { delete folder_; }
    void SetUp() override {
        if (!made_) GTEST_SKIP() << "no Python with Pillow to make the pictures";
    }
    static Bytes file(const std::string& leaf) { return support::readBytes(*folder_ / leaf); }

    static picture_files::TempFolder* folder_;
    static bool made_;
};

picture_files::TempFolder* PictureKinds::folder_ = nullptr;
bool PictureKinds::made_ = false;

TEST_F(PictureKinds, EveryKindShowsTheColoursExpectedTheSameOnEveryLoad) {
    std::ifstream manifest(folder_->name("manifest.txt"));
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
        const auto picture = imaging::loadPicture(folder_->name(name));
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, expected[0] | expected[1] << 8);
        EXPECT_EQ(picture->height, expected[4] | expected[5] << 8);
        const Bytes colours(expected.begin() + 8, expected.end());
        ASSERT_EQ(picture->rgb.size(), colours.size());
        const int slack = by == "pillow1" ? 1 : 0;
        int wrong = 0;
        for (std::size_t i = 0; i < colours.size(); ++i) wrong += std::abs(picture->rgb[i] - colours[i]) > slack;
        EXPECT_EQ(wrong, 0) << "samples off by more than " << slack;
        const Bytes bytes = file(name);
        EXPECT_TRUE(imaging::decodePicture(bytes.data(), bytes.size())->rgb == picture->rgb) << "again, from memory";
    }
    EXPECT_EQ(kinds, 107);
}

TEST_F(PictureKinds, FilesCutShortAreRefused) {
    // Raw rows, a table, run-length data up to its end code, GIF data up to the
    // first picture's last block (only the trailer may go).
    for (const auto& [name, spare] : {std::pair{"bgr24_topdown.bmp", 0}, {"table4.bmp", 0}, {"rle8.bmp", 0},
                                      {"rle4_delta.bmp", 0}, {"still.gif", 1}, {"interlaced.gif", 1}}) {
        const Bytes whole = file(name);
        ASSERT_TRUE(imaging::decodePicture(whole.data(), whole.size()).has_value()) << name;
        for (std::size_t length = 0; length + spare < whole.size(); ++length)
            ASSERT_FALSE(imaging::decodePicture(whole.data(), length).has_value()) << name << " cut at " << length;
    }
}

TEST_F(PictureKinds, ImpossibleHeadersAreRefused) {
    const Bytes good = file("bgr24.bmp");  // 5 x 3, 40-byte header
    ASSERT_TRUE(imaging::decodeBmp(good.data(), good.size()).has_value());
    const std::tuple<const char*, std::size_t, std::uint32_t, int> changes[] = {
        {"signature", 0, 'X' | 'M' << 8, 2}, {"header size 65", 14, 65, 4}, {"header size 200", 14, 200, 4},
        {"width 0", 18, 0, 4}, {"height 0", 22, 0, 4}, {"negative width", 18, 0xFFFFFFFBu, 4},
        {"16385 wide", 18, 16385, 4}, {"most negative height", 22, 0x80000000u, 4},
        {"16384 x 16384", 18, 16384, 4}, {"depth 7", 28, 7, 2}, {"embedded JPEG", 30, 4, 4},
        {"run-length at 24 bits", 30, 1, 4}, {"pixels inside the header", 10, 20, 4},
        {"pixels past the end", 10, 0xFFFFFFFFu, 4}, {"more rows than bytes", 22, 4, 4}};
    for (const auto& [what, at, value, size] : changes) {
        Bytes bad = good;
        putLe(bad, at, value, size);
        if (std::string(what) == "16384 x 16384") putLe(bad, 22, 16384);
        EXPECT_FALSE(imaging::decodePicture(bad.data(), bad.size()).has_value()) << what;
    }
    Bytes fields = file("rgb101010.bmp");  // bit fields only at 16, 24 and 32 bits
    putLe(fields, 28, 8, 2);
    EXPECT_FALSE(imaging::decodeBmp(fields.data(), fields.size()).has_value()) << "bit fields at 8 bits";

    const Bytes still = file("still.gif");  // screen at 6, picture at 13 + 768 + 1: left, top, width, height
    ASSERT_TRUE(imaging::decodeGif(still.data(), still.size()).has_value());
    for (auto [at, value] : {std::pair<std::size_t, std::uint32_t>{6, 16385}, {786, 0}, {788, 0}, {786, 16385},
                             {782, 16380}, {3, '9' | '0' << 8}}) {
        Bytes bad = still;
        putLe(bad, at, value, 2);
        EXPECT_FALSE(imaging::decodePicture(bad.data(), bad.size()).has_value()) << "GIF byte " << at;
    }
}

// Found while fuzzing the toolkit's reader: GIFs of 33 and 37 bytes claiming screens
// of 59 and 40 million pixels. Their first pictures are cut short, so now they are
// refused (Pillow refuses them too).
TEST(GifFuzzRegressions, TinyFilesClaimingHugeScreensAreRefused) {
    const std::string hugeScreen("GIF87a\x10\x18T%:I7,RG:\r\x1a\n\0\5\4\3\0\0\0r__K\x10\0", 33);
    const std::string stretchedScreen("GIF89a\5\x10\0\0\0\x10" "8,\7\7\2\0\7\7\7&\7\7\7\7\7\7\7o\7\x8e\0\0\x8e\xda\x8e", 37);
    for (const std::string& gif : {hugeScreen, stretchedScreen})
        EXPECT_FALSE(imaging::decodePicture(reinterpret_cast<const std::uint8_t*>(gif.data()), gif.size()).has_value());
}

// Content, not the name, chooses the decoder; any name loads; what cannot be loaded gives nothing.
TEST(PictureLoad, ContentNotNameChoosesTheDecoderAndAnyNameLoads) {
    const picture_files::TempFolder folder;
    picture_files::PngRecipe recipe{7, 3};
    for (int y = 0; y < 3; ++y) recipe.rows.push_back(support::seededBytes(21, y));
    const Bytes png = picture_files::writePng(recipe);
    for (const std::string name : {"my picture.gif", "Bild mit Größe ü.jpg", "картинка 1.png", "画像"}) {
        const auto picture = loadPicture(folder.write(name, png));
        ASSERT_TRUE(picture.has_value()) << name;
        EXPECT_EQ(picture->rgb, imaging::decodePicture(png.data(), png.size())->rgb) << name;
    }
    const auto jpeg =
        loadPicture(folder.write("really a jpeg.png", picture_files::writeJpeg({9, 4, 1, 90, false, false, Bytes(36)})));
    ASSERT_TRUE(jpeg.has_value());
    EXPECT_EQ(jpeg->width, 9);
    const auto bitmap = loadPicture(folder.write("export.BMP", imaging::encodeBitmap({3, 1, 4, {0xE3, 0, 0xFF, 0}})));
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->rgb, (Bytes{255, 0, 255, 0, 0, 0, 255, 255, 255})) << "an export shows the table's colours";

    const std::string text = "Just a line of text.\r\n";
    for (const std::string& name : {folder.name("missing.png"), folder.name(""), std::string(),
                                    folder.write("empty.png", {}), folder.write("notes", {text.begin(), text.end()}),
                                    folder.write("huge.png", picture_files::pngClaiming(100000, 100000))})
        EXPECT_FALSE(loadPicture(name).has_value()) << name;
}

}  // namespace
