// The 8-bit bitmap file image: its exact layout, the round trip through the
// reader, outside readers (Pillow, ImageMagick) agreeing on every exported file,
// and the reader refusing files that do not add up.
#include "imaging/bmp8.h"

#include "picture_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <tuple>

using imaging::Bitmap8;
using imaging::decodeBitmap8;
using imaging::encodeBitmap;
using imaging::FIXED_COLOUR_TABLE;
using imaging::IndexedPicture;
using picture_files::Bytes;

namespace {

std::uint32_t le32(const Bytes& file, std::size_t at) {
    return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | static_cast<std::uint32_t>(file[at + 3]) << 24;
}
std::uint16_t le16(const Bytes& file, std::size_t at) { return static_cast<std::uint16_t>(file[at] | file[at + 1] << 8); }
void setLe32(Bytes& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Seeded indices; the padding bytes are filled with junk to show they never reach a file.
IndexedPicture randomIndexed(int width, int height, unsigned seed) {
    IndexedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.stride = (width + 3) / 4 * 4;
    picture.pixels = picture_files::randomBytes(static_cast<std::size_t>(picture.stride) * height, seed);
    return picture;
}

class BitmapSizes : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    int width() const { return std::get<0>(GetParam()); }
    int height() const { return std::get<1>(GetParam()); }
};

TEST_P(BitmapSizes, FileImageFollowsTheLayout) {
    const IndexedPicture picture = randomIndexed(width(), height(), 1);
    const Bytes file = encodeBitmap(picture);
    const std::size_t stride = (width() + 3) / 4 * 4;
    ASSERT_EQ(file.size(), 1078 + stride * height());

    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le32(file, 2), file.size());
    EXPECT_EQ(le32(file, 6), 0u);  // both reserved fields
    EXPECT_EQ(le32(file, 10), 1078u);
    EXPECT_EQ(le32(file, 14), 40u);
    EXPECT_EQ(le32(file, 18), static_cast<std::uint32_t>(width()));
    EXPECT_EQ(le32(file, 22), static_cast<std::uint32_t>(height()));
    EXPECT_EQ(le16(file, 26), 1);
    EXPECT_EQ(le16(file, 28), 8);
    for (std::size_t at = 30; at < 54; at += 4) EXPECT_EQ(le32(file, at), 0u) << "field at " << at;
    for (int i = 0; i < 256; ++i) {
        const std::size_t at = 54 + 4 * static_cast<std::size_t>(i);
        ASSERT_EQ(file[at], FIXED_COLOUR_TABLE[i].b) << i;
        ASSERT_EQ(file[at + 1], FIXED_COLOUR_TABLE[i].g) << i;
        ASSERT_EQ(file[at + 2], FIXED_COLOUR_TABLE[i].r) << i;
        ASSERT_EQ(file[at + 3], 0) << i;
    }
    // The picture already stores its rows bottom first: they go out in that order,
    // the width's indices then zeros.
    for (int row = 0; row < height(); ++row) {
        const std::uint8_t* stored = file.data() + 1078 + stride * row;
        ASSERT_EQ(std::memcmp(stored, picture.pixels.data() + stride * row, width()), 0) << "row " << row;
        for (std::size_t pad = width(); pad < stride; ++pad) ASSERT_EQ(stored[pad], 0) << "row " << row;
    }
}

TEST_P(BitmapSizes, ReadsBackTheSameIndicesAndTable) {
    const IndexedPicture picture = randomIndexed(width(), height(), 2);
    const Bytes file = encodeBitmap(picture);
    const auto bitmap = decodeBitmap8(file.data(), file.size());
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->indices.width, width());
    EXPECT_EQ(bitmap->indices.height, height());
    EXPECT_EQ(bitmap->coloursInFile, 256);
    EXPECT_EQ(bitmap->colours, FIXED_COLOUR_TABLE);
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x) ASSERT_EQ(bitmap->indices.at(x, y), picture.at(x, y));
    // Read back and written again, the file comes out byte for byte the same.
    EXPECT_EQ(encodeBitmap(bitmap->indices), file);

    const imaging::Picture shown = imaging::bitmapToPicture(*bitmap);
    ASSERT_EQ(shown.width, width());
    const auto& colour = FIXED_COLOUR_TABLE[picture.at(width() - 1, 0)];
    EXPECT_EQ(shown.pixel(width() - 1, 0)[0], colour.r);
    EXPECT_EQ(shown.pixel(width() - 1, 0)[1], colour.g);
    EXPECT_EQ(shown.pixel(width() - 1, 0)[2], colour.b);
}

INSTANTIATE_TEST_SUITE_P(WidthsHeights, BitmapSizes,
                         ::testing::Combine(::testing::Values(1, 2, 3, 4, 5, 250, 256, 257), ::testing::Values(1, 2, 192)));

TEST(Bitmap, KnownSizes) {
    EXPECT_EQ(encodeBitmap(randomIndexed(256, 192, 3)).size(), 50230u);
    EXPECT_EQ(encodeBitmap(randomIndexed(320, 200, 3)).size(), 1078u + 320 * 200);
    const Bytes narrow = encodeBitmap(randomIndexed(250, 1, 3));
    EXPECT_EQ(narrow.size(), 1078u + 252);
    EXPECT_EQ(narrow[1078 + 250], 0);
    EXPECT_EQ(narrow[1078 + 251], 0);
}

TEST(Bitmap, EmptyOrInconsistentPicturesGiveNoBytes) {
    EXPECT_TRUE(encodeBitmap(IndexedPicture{}).empty());
    EXPECT_TRUE(encodeBitmap(randomIndexed(0, 5, 4)).empty());
    EXPECT_TRUE(encodeBitmap(randomIndexed(5, 0, 4)).empty());
    IndexedPicture shortStore = randomIndexed(8, 8, 4);
    shortStore.pixels.resize(10);
    EXPECT_TRUE(encodeBitmap(shortStore).empty());
    IndexedPicture narrowStride = randomIndexed(8, 2, 4);
    narrowStride.stride = 4;
    EXPECT_TRUE(encodeBitmap(narrowStride).empty());
}

TEST(Bitmap, WiderStoredRowsAreRepacked) {
    IndexedPicture wide = randomIndexed(5, 3, 5);
    IndexedPicture packed = wide;
    wide.stride = 16;
    wide.pixels.assign(16 * 3, 0xEE);
    for (int row = 0; row < 3; ++row)
        std::memcpy(wide.pixels.data() + 16 * row, packed.pixels.data() + 8 * row, 5);
    EXPECT_EQ(encodeBitmap(wide), encodeBitmap(packed));
}

// ---- Other writers' 8-bit bitmaps ----

TEST(BitmapReader, TopDownRowsAndSmallTablesAreRead) {
    IndexedPicture picture = randomIndexed(7, 4, 6);
    Bytes file = encodeBitmap(picture);
    // Turn it into a top-down file with a 16-entry table placed where the offset says.
    Bytes topDown(file.begin(), file.begin() + 54);
    setLe32(topDown, 22, static_cast<std::uint32_t>(-4));
    setLe32(topDown, 46, 16);
    topDown.insert(topDown.end(), file.begin() + 54, file.begin() + 54 + 64);
    topDown.resize(topDown.size() + 10, 0xAA);  // a gap before the pixels
    setLe32(topDown, 10, static_cast<std::uint32_t>(topDown.size()));
    for (int row = 3; row >= 0; --row)
        topDown.insert(topDown.end(), file.begin() + 1078 + 8 * row, file.begin() + 1078 + 8 * row + 8);
    setLe32(topDown, 2, static_cast<std::uint32_t>(topDown.size()));
    const auto bitmap = decodeBitmap8(topDown.data(), topDown.size());
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->coloursInFile, 16);
    EXPECT_EQ(bitmap->colours[15], FIXED_COLOUR_TABLE[15]);
    EXPECT_EQ(bitmap->colours[16], imaging::Rgb{});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(bitmap->indices.at(x, y), picture.at(x, y));
}

TEST(BitmapReader, OldCoreHeaderIsRead) {
    // 12-byte header: 16-bit width and height, then three-byte colours.
    Bytes file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 8, 0};
    for (int i = 0; i < 256; ++i) file.insert(file.end(), {static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)});
    setLe32(file, 10, static_cast<std::uint32_t>(file.size()));
    file.insert(file.end(), {1, 2, 3, 0, 4, 5, 6, 0});  // bottom row 1 2 3, top row 4 5 6
    const auto bitmap = decodeBitmap8(file.data(), file.size());
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(bitmap->indices.at(0, 0), 4);
    EXPECT_EQ(bitmap->indices.at(2, 1), 3);
    EXPECT_EQ(bitmap->colours[4], (imaging::Rgb{251, 0, 4}));
}

TEST(BitmapReader, InconsistentFilesAreRefused) {
    const Bytes good = encodeBitmap(randomIndexed(9, 5, 7));
    ASSERT_TRUE(decodeBitmap8(good.data(), good.size()).has_value());

    for (std::size_t length = 0; length < good.size(); ++length)
        ASSERT_FALSE(decodeBitmap8(good.data(), length).has_value()) << "cut at " << length;

    const auto refused = [&](const char* what, auto change) {
        Bytes file = good;
        change(file);
        EXPECT_FALSE(decodeBitmap8(file.data(), file.size()).has_value()) << what;
    };
    refused("signature", [](Bytes& f) { f[1] = 'A'; });
    refused("claimed size past the end", [](Bytes& f) { setLe32(f, 2, static_cast<std::uint32_t>(f.size() + 1)); });
    refused("pixels inside the table", [](Bytes& f) { setLe32(f, 10, 1077); });
    refused("pixels past the end", [](Bytes& f) { setLe32(f, 10, static_cast<std::uint32_t>(f.size() - 1)); });
    refused("pixel offset far out", [](Bytes& f) { setLe32(f, 10, 0xFFFFFFF0u); });
    refused("header size", [](Bytes& f) { setLe32(f, 14, 20); });
    refused("header size past the end", [](Bytes& f) { setLe32(f, 14, 0xFFFFFFFFu); });
    refused("width 0", [](Bytes& f) { setLe32(f, 18, 0); });
    refused("negative width", [](Bytes& f) { setLe32(f, 18, static_cast<std::uint32_t>(-9)); });
    refused("height 0", [](Bytes& f) { setLe32(f, 22, 0); });
    refused("huge size", [](Bytes& f) { setLe32(f, 18, 100000); setLe32(f, 22, 100000); });
    refused("most negative height", [](Bytes& f) { setLe32(f, 22, 0x80000000u); });
    refused("more rows than bytes", [](Bytes& f) { setLe32(f, 22, 6); });
    refused("planes", [](Bytes& f) { f[26] = 2; });
    refused("24 bits", [](Bytes& f) { f[28] = 24; });
    refused("run-length compression", [](Bytes& f) { setLe32(f, 30, 1); });
    refused("bit fields", [](Bytes& f) { setLe32(f, 30, 3); });
    refused("too many colours", [](Bytes& f) { setLe32(f, 46, 257); });
    EXPECT_FALSE(decodeBitmap8(nullptr, 0).has_value());
}

// ---- Outside readers agree on every exported file ----

class ExportedFiles : public ::testing::Test {
protected:
    struct Written {
        std::string name;
        IndexedPicture picture;
    };

    void SetUp() override {
        unsigned seed = 100;
        for (int width : {1, 5, 250, 256})
            for (int height : {1, 3, 192}) {
                Written w{picture_files::utf8(folder.path() / ("export " + std::to_string(width) + "x" +
                                                                std::to_string(height) + ".bmp")),
                          randomIndexed(width, height, seed++)};
                folder.write(std::filesystem::path(w.name).filename().string(), encodeBitmap(w.picture));
                files.push_back(std::move(w));
            }
    }

    // The indices top row first, w bytes a row: what a reader reports.
    static Bytes topDownIndices(const IndexedPicture& picture) {
        Bytes out;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) out.push_back(picture.at(x, y));
        return out;
    }

    picture_files::TempFolder folder;
    std::vector<Written> files;
};

TEST_F(ExportedFiles, PillowReadsSizePaletteAndIndices) {
    const auto python = picture_files::pythonWithPillow();
    if (!python) GTEST_SKIP() << "no Python with Pillow";
    const auto script = folder.path() / "check.py";
    std::ofstream(script) << "import sys\n"
                             "from PIL import Image\n"
                             "im = Image.open(sys.argv[1])\n"
                             "assert im.mode == 'P', im.mode\n"
                             "open(sys.argv[2], 'w').write('%d %d\\n' % im.size)\n"
                             "open(sys.argv[3], 'wb').write(bytes(im.getpalette()[:768]) + im.tobytes())\n";
    Bytes table;
    for (const auto& c : FIXED_COLOUR_TABLE) table.insert(table.end(), {c.r, c.g, c.b});
    for (const Written& w : files) {
        SCOPED_TRACE(w.name);
        const auto sizeFile = folder.path() / "size.txt";
        const auto dataFile = folder.path() / "data.bin";
        ASSERT_TRUE(picture_files::run(*python + " '" + picture_files::utf8(script) + "' '" + w.name + "' '" +
                                       picture_files::utf8(sizeFile) + "' '" + picture_files::utf8(dataFile) + "'"));
        int width = 0, height = 0;
        std::ifstream(sizeFile) >> width >> height;
        EXPECT_EQ(width, w.picture.width);
        EXPECT_EQ(height, w.picture.height);
        Bytes expected = table;
        const Bytes indices = topDownIndices(w.picture);
        expected.insert(expected.end(), indices.begin(), indices.end());
        EXPECT_TRUE(picture_files::readAll(dataFile) == expected) << "palette or indices differ";
    }
}

TEST_F(ExportedFiles, ImageMagickReadsTheColours) {
    if (!picture_files::haveImageMagick()) GTEST_SKIP() << "no ImageMagick";
    for (const Written& w : files) {
        SCOPED_TRACE(w.name);
        const auto rgbFile = folder.path() / "pixels.rgb";
        const auto sizeFile = folder.path() / "size.txt";
        ASSERT_TRUE(picture_files::run("convert '" + w.name + "' -depth 8 'rgb:" + picture_files::utf8(rgbFile) + "'"));
        ASSERT_TRUE(picture_files::run("convert '" + w.name + "' -format '%w %h' 'info:" +
                                       picture_files::utf8(sizeFile) + "'"));
        int width = 0, height = 0;
        std::ifstream(sizeFile) >> width >> height;
        EXPECT_EQ(width, w.picture.width);
        EXPECT_EQ(height, w.picture.height);
        Bytes expected;
        for (std::uint8_t index : topDownIndices(w.picture)) {
            const auto& c = FIXED_COLOUR_TABLE[index];
            expected.insert(expected.end(), {c.r, c.g, c.b});
        }
        EXPECT_TRUE(picture_files::readAll(rgbFile) == expected) << "colours differ";
    }
}

}  // namespace
